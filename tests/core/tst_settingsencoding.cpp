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
    // Each code from 0 to 170 is shifted up by 85, alone and in a longer text.
    void roundTripForCodes0To170()
    {
        QCOMPARE(EncodeSetting(QString()), QString());
        QCOMPARE(DecodeSetting(QString()), QString());
        QString all, encoded;
        for (int code = 0; code <= 170; ++code) {
            const QString text(QChar{code});
            QCOMPARE(codes(EncodeSetting(text)), QList<int>{code + 85});
            QCOMPARE(DecodeSetting(EncodeSetting(text)), text);
            all.append(text);
            encoded.append(QChar(code + 85));
        }
        QCOMPARE(EncodeSetting(all), encoded);
        QCOMPARE(DecodeSetting(encoded), all);
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
