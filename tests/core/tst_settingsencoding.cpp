#include "core/SettingsEncoding.h"

#include <QtTest>

namespace qx::test {
namespace {

QList<int> codes(const QString &text)
{
    QList<int> list;
    for (const QChar character : text)
        list.append(character.unicode());
    return list;
}

QString fromCodes(const QList<int> &list)
{
    QString text;
    for (const int code : list)
        text.append(QChar(code));
    return text;
}

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestSettingsEncoding : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keyOfTheReminderDate()
    {
        QCOMPARE(codes(EncodeSetting(QStringLiteral("Duration"))),
                 (QList<int>{153, 202, 199, 182, 201, 190, 196, 195}));
    }

    void shiftsEachCodeBy85()
    {
        QCOMPARE(codes(EncodeSetting(QStringLiteral("abc"))), (QList<int>{182, 183, 184}));
        QCOMPARE(DecodeSetting(fromCodes({182, 183, 184})), QStringLiteral("abc"));
        QCOMPARE(EncodeSetting(QString()), QString());
        QCOMPARE(DecodeSetting(QString()), QString());
    }

    void dateTextsStayInRange()
    {
        const QString date = QStringLiteral("2026-12-08 31/01/1999 1.2.2003");
        QCOMPARE(EncodeSetting(date).size(), date.size());
        QCOMPARE(DecodeSetting(EncodeSetting(date)), date);
    }

    void roundTripForCodes0To170()
    {
        for (int code = 0; code <= 170; ++code) {
            const QString text(QChar{code});
            QCOMPARE(EncodeSetting(text).size(), 1);
            QCOMPARE(EncodeSetting(text).at(0).unicode(), code + 85);
            QCOMPARE(DecodeSetting(EncodeSetting(text)), text);
        }
        QString all;
        for (int code = 0; code <= 170; ++code)
            all.append(QChar(code));
        QCOMPARE(DecodeSetting(EncodeSetting(all)), all);
    }

    void encodingDropsCodesAbove170()
    {
        QCOMPARE(codes(EncodeSetting(fromCodes({65, 171, 66, 255, 67}))), (QList<int>{150, 151, 152}));
        QCOMPARE(EncodeSetting(fromCodes({171})), QString());
        QCOMPARE(codes(EncodeSetting(fromCodes({170}))), QList<int>{255});
    }

    void decodingDropsCodesBelow85()
    {
        QCOMPARE(codes(DecodeSetting(fromCodes({150, 84, 151, 0, 152}))), (QList<int>{65, 66, 67}));
        QCOMPARE(codes(DecodeSetting(fromCodes({85}))), QList<int>{0});
        QCOMPARE(DecodeSetting(fromCodes({84})), QString());
    }

    void charactersBeyondLatin1AreDropped()
    {
        // Arabic-Indic digits, a euro sign and a character outside the BMP.
        const QString text = QStringLiteral("1\u0662\u20AC2\U0001F600");
        QCOMPARE(EncodeSetting(text), EncodeSetting(QStringLiteral("12")));
        QCOMPARE(DecodeSetting(QStringLiteral("\u0100\u0662") + QChar(134)), QStringLiteral("1"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsEncoding)
#include "tst_settingsencoding.moc"
