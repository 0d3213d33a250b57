// The main window's lists as loaded, and ValidateEntries: which entries pass,
// which message the first failure shows and where the focus goes.

#include "support/MainWindowSteps.h"
#include "support/TestPlatform.h"
#include "ui/DesktopApplication.h"

#include <memory>

namespace qx::test {
namespace {

const QString YourName = QStringLiteral("Please Enter Your Name");
const QString YourFebruary = QStringLiteral("Please Enter Your Correct Date of Birth!");
const QString YourDay31 = QStringLiteral("Please Enter Correct Date of Birth !");
const QString FriendsName = QStringLiteral("Please Enter Your Friend's Name");
const QString FriendsDate = QStringLiteral("Please Enter Correct Date of Birth Of Your Friend!");

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestValidation : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> services;

private Q_SLOTS:
    void initTestCase() { setUpDesktopApplication(); }
    void init() { services = std::make_unique<TestPlatform>(); }
    void cleanup()
    {
        unloadAllWindows();
        services.reset();
    }

    void opensWithTheListsOnTheFirstEntryAndTheFocusInTheNameBox()
    {
        FrmMain *main = mainWindow();
        for (const char *prefix : {"cbo", "cboFriend"}) {
            const QByteArray p(prefix);
            auto *days = control<QComboBox>(main, (p + "Date").constData());
            auto *months = control<QComboBox>(main, (p + "Month").constData());
            auto *years = control<QComboBox>(main, (p + "Year").constData());

            QCOMPARE(days->count(), 31);
            QCOMPARE(days->itemText(30), QStringLiteral("31"));
            QCOMPARE(months->count(), 12);
            QCOMPARE(months->itemText(8), QStringLiteral("September"));
            QCOMPARE(months->itemText(11), QStringLiteral("December"));
            QCOMPARE(years->count(), 151);
            QCOMPARE(years->itemText(150), QStringLiteral("2050"));

            QCOMPARE(days->currentText(), QStringLiteral("1"));
            QCOMPARE(months->currentText(), QStringLiteral("January"));
            QCOMPARE(years->currentText(), QStringLiteral("1900"));
            QVERIFY(!days->isEditable() && !months->isEditable() && !years->isEditable());
        }
        QVERIFY(control<QLineEdit>(main, "txtName")->text().isEmpty());
        QVERIFY(control<QLineEdit>(main, "txtFriendName")->text().isEmpty());

        // The focus starts in the name box and Tab goes through the form in order.
        QCOMPARE(QApplication::focusWidget(), control<QWidget>(main, "txtName"));
        const char *order[] = {"cboDate",       "cboMonth",       "cboYear",       "txtFriendName",
                               "cboFriendDate", "cboFriendMonth", "cboFriendYear", "cmdCompatibilityWithFriend",
                               "cmdExit",       "txtName"};
        for (const char *next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
        }
    }

    void checks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("friendName");
        QTest::addColumn<int>("friendDay");
        QTest::addColumn<int>("friendMonth");
        QTest::addColumn<QString>("message");  // empty: the entries pass
        QTest::addColumn<QByteArray>("focus"); // where the focus ends

        const QByteArray button("cmdCompatibilityWithFriend");
        QTest::newRow("start values") << "" << 1 << 1 << "" << 1 << 1 << YourName << QByteArray("txtName");
        QTest::newRow("two names, 1 January") << "ANN" << 1 << 1 << "BOB" << 1 << 1 << "" << button;
        QTest::newRow("a blank is a name") << " " << 5 << 5 << " " << 6 << 6 << "" << button;
        QTest::newRow("own name before a bad date")
            << "" << 31 << 4 << "BOB" << 31 << 2 << YourName << QByteArray("txtName");
        QTest::newRow("30 February before friend's name") << "ANN" << 30 << 2 << "" << 1 << 1 << YourFebruary << button;
        QTest::newRow("31 February") << "ANN" << 31 << 2 << "BOB" << 1 << 1 << YourFebruary << button;
        QTest::newRow("29 February passes") << "ANN" << 29 << 2 << "BOB" << 29 << 2 << "" << button;
        for (int month : {4, 6, 9, 11}) {
            QTest::addRow("user 31 of month %d", month)
                << "ANN" << 31 << month << "BOB" << 1 << 1 << YourDay31 << button;
            QTest::addRow("friend 31 of month %d", month)
                << "ANN" << 1 << 1 << "BOB" << 31 << month << FriendsDate << button;
            QTest::addRow("30 of month %d passes", month)
                << "ANN" << 30 << month << "BOB" << 30 << month << "" << button;
        }
        for (int month : {1, 3, 5, 7, 8, 10, 12})
            QTest::addRow("31 of month %d passes", month)
                << "ANN" << 31 << month << "BOB" << 31 << month << "" << button;
        QTest::newRow("user's date before friend's name") << "ANN" << 31 << 6 << "" << 31 << 6 << YourDay31 << button;
        QTest::newRow("friend's name") << "ANN" << 1 << 1 << "" << 31 << 2 << FriendsName
                                       << QByteArray("txtFriendName");
        QTest::newRow("friend 30 February") << "ANN" << 1 << 1 << "BOB" << 30 << 2 << FriendsDate << button;
        QTest::newRow("friend 31 February") << "ANN" << 1 << 1 << "BOB" << 31 << 2 << FriendsDate << button;
    }

    void checks()
    {
        QFETCH(QString, name);
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(QString, friendName);
        QFETCH(int, friendDay);
        QFETCH(int, friendMonth);
        QFETCH(QString, message);
        QFETCH(QByteArray, focus);

        FrmMain *main = mainWindow();
        enterPersons(main, name, day, month, friendName, friendDay, friendMonth);
        auto *button = control<QPushButton>(main, "cmdCompatibilityWithFriend");
        button->setFocus();

        const bool valid = main->ValidateEntries();

        QCOMPARE(valid, message.isEmpty());
        if (message.isEmpty()) {
            QVERIFY(services->messages.messages.isEmpty());
        } else {
            QCOMPARE(services->messages.messages.size(), 1);
            const RecordedMessage &shown = services->messages.messages.constFirst();
            QCOMPARE(shown.text, message);
            QCOMPARE(shown.icon, MessageIcon::Information);
            QCOMPARE(shown.buttons, MessageButtons::Ok);
        }
        QCOMPARE(main->focusWidget()->objectName(), QString::fromLatin1(focus));

        // Nothing is cleared or reset.
        QCOMPARE(control<QLineEdit>(main, "txtName")->text(), name);
        QCOMPARE(control<QLineEdit>(main, "txtFriendName")->text(), friendName);
        QCOMPARE(control<QComboBox>(main, "cboDate")->currentIndex(), day - 1);
        QCOMPARE(control<QComboBox>(main, "cboMonth")->currentIndex(), month - 1);
        QCOMPARE(control<QComboBox>(main, "cboFriendDate")->currentIndex(), friendDay - 1);
        QCOMPARE(control<QComboBox>(main, "cboFriendMonth")->currentIndex(), friendMonth - 1);
    }

    // The year plays no part: 29 February of a common year passes.
    void yearsAreNotChecked()
    {
        FrmMain *main = mainWindow();
        enterPersons(main, "ANN", 29, 2, "BOB", 29, 2);
        control<QComboBox>(main, "cboYear")->setCurrentText(QStringLiteral("1901"));
        control<QComboBox>(main, "cboFriendYear")->setCurrentText(QStringLiteral("2050"));
        QVERIFY(main->ValidateEntries());
    }
};

QTEST_MAIN(TestValidation)
#include "tst_validation.moc"
