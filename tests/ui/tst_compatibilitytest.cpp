// The compatibility test from the main window to the results window and
// back: what the results window shows, which windows are up afterwards, and
// how the windows go.

#include "engine/RelationCompatibility.h"
#include "engine/SignProfiles.h"
#include "support/MainWindowSteps.h"
#include "support/TestPlatform.h"
#include "ui/DesktopApplication.h"
#include "ui/StartupForm.h"

#include <QMap>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>

#include <memory>

namespace qx::test {
namespace {

QString profileOf(SunSign sign)
{
    return QString::fromStdString(GetSignProfile(sign));
}

QString sentence(int number)
{
    const std::string_view text = relationSentence(number);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What each control of the results window shows, by the control's name.
QMap<QString, QString> shownTexts(const FrmDisplay *display)
{
    QMap<QString, QString> texts;
    for (const char *name :
         {"lblYourSunSign", "lblYourFriendsSunSign", "lblFriendshipCompatibilityResult", "lblFriendshipCompatibility",
          "lblDependable", "lblCaring", "lblOutgoing", "lblLoyal", "lblAdventurous", "lblInitiator", "lblListener"})
        texts.insert(QLatin1String(name), labelText(display, name));
    for (const char *name : {"txtYourFriendshipProfile", "txtYourFriendsFriendshipProfile"})
        texts.insert(QLatin1String(name), control<QPlainTextEdit>(display, name)->toPlainText());
    return texts;
}

bool exitScreenShown()
{
    const FrmNagScreen2 *exitScreen = Forms::find<FrmNagScreen2>();
    return exitScreen && exitScreen->isVisible();
}

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestCompatibilityTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> services;

    // The user's way: type the names, pick the dates with the keyboard and
    // click the button.
    FrmDisplay *runTest(FrmMain *main, const char *day, const char *month, const char *friendDay,
                        const char *friendMonth)
    {
        QTest::keyClicks(control<QLineEdit>(main, "txtName"), "alex");
        QTest::keyClicks(control<QComboBox>(main, "cboDate"), day);
        QTest::keyClicks(control<QComboBox>(main, "cboMonth"), month);
        QTest::keyClicks(control<QLineEdit>(main, "txtFriendName"), "sam");
        QTest::keyClicks(control<QComboBox>(main, "cboFriendDate"), friendDay);
        QTest::keyClicks(control<QComboBox>(main, "cboFriendMonth"), friendMonth);
        QTest::mouseClick(control<QPushButton>(main, "cmdCompatibilityWithFriend"), Qt::LeftButton);
        return Forms::find<FrmDisplay>();
    }

    FrmDisplay *runJulyTest()
    {
        FrmMain *main = mainWindow();
        FrmDisplay *display = runTest(main, "21", "jul", "20", "jul");
        if (display && !QTest::qWaitForWindowExposed(display))
            qWarning("results window not exposed");
        return display;
    }

private Q_SLOTS:
    void initTestCase() { setUpDesktopApplication(); }

    void init() { services = std::make_unique<TestPlatform>(); }
    void cleanup()
    {
        unloadAllWindows();
        services.reset();
    }

    // The results of a 21 July / 20 July test, and only the results window
    // left on screen.
    void leoAndCancer()
    {
        Forms::get<StartupForm>();
        FrmMain *main = mainWindow();
        FrmDisplay *display = runJulyTest();
        QVERIFY(display);
        QVERIFY(services->messages.messages.isEmpty());

        QCOMPARE(labelText(display, "lblYourSunSign"), QStringLiteral("Leo"));
        QCOMPARE(labelText(display, "lblYourFriendsSunSign"), QStringLiteral("Cancer"));
        QCOMPARE(control<QPlainTextEdit>(display, "txtYourFriendshipProfile")->toPlainText(), profileOf(SunSign::Leo));
        QCOMPARE(control<QPlainTextEdit>(display, "txtYourFriendsFriendshipProfile")->toPlainText(),
                 profileOf(SunSign::Cancer));
        QCOMPARE(labelText(display, "lblFriendshipCompatibilityResult"), sentence(38));
        QCOMPARE(labelText(display, "lblFriendshipCompatibility"), QStringLiteral("You both Could Be Better Friends"));
        QCOMPARE(labelText(display, "lblDependable"), QStringLiteral("You may let down your friend sometimes"));
        QCOMPARE(labelText(display, "lblCaring"), QStringLiteral("You care about each other a lot"));
        QCOMPARE(labelText(display, "lblOutgoing"), QStringLiteral("You are an extrovert"));
        QCOMPARE(labelText(display, "lblLoyal"), QStringLiteral("You are highly loyal to each other"));
        QCOMPARE(labelText(display, "lblAdventurous"), QStringLiteral("You do not mind adventures"));
        QCOMPARE(labelText(display, "lblInitiator"), QStringLiteral("You keep the relationship going at all costs"));
        QCOMPARE(labelText(display, "lblListener"), QStringLiteral("You listen to your friend sometimes"));
        // Writing the profiles empties the clipboard.
        QVERIFY(services->clipboard.clearCount >= 2);

        QVERIFY(display->isVisible());
        QVERIFY(!display->parentWidget());
        QVERIFY(Forms::isLoaded(main));
        QVERIFY(!main->isVisible());
        QVERIFY(!Forms::find<StartupForm>()->isVisible());
        // The exit screen is loaded on the way and hidden again.
        QVERIFY(Forms::find<FrmNagScreen2>());
        QVERIFY(!exitScreenShown());
        QCOMPARE(control<QTabWidget>(display, "SSTab1")->currentIndex(), 1);
        QCOMPARE(control<QTabWidget>(display, "SSTab1")->tabText(1), QStringLiteral("Friendship Compatibility"));
        QCOMPARE(control<QTabWidget>(display, "SSTab1")->tabText(0), QStringLiteral("Friendship Profile"));
    }

    // Back keeps the entries; the next test changes only what the friend's
    // new date changes and opens on the compatibility tab again.
    void backThenAnotherTest()
    {
        FrmDisplay *display = runJulyTest();
        QVERIFY(display);
        const QMap<QString, QString> first = shownTexts(display);
        auto *tabs = control<QTabWidget>(display, "SSTab1");
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(0).center());
        QCOMPARE(tabs->currentIndex(), 0);

        QTest::mouseClick(control<QPushButton>(display, "cmdBack"), Qt::LeftButton);

        QVERIFY(!Forms::find<FrmDisplay>());
        FrmMain *main = Forms::find<FrmMain>();
        QVERIFY(main && main->isVisible());
        QVERIFY(!exitScreenShown());
        QCOMPARE(control<QLineEdit>(main, "txtName")->text(), QStringLiteral("ALEX"));
        QCOMPARE(control<QLineEdit>(main, "txtFriendName")->text(), QStringLiteral("SAM"));
        QCOMPARE(control<QComboBox>(main, "cboDate")->currentText(), QStringLiteral("21"));
        QCOMPARE(control<QComboBox>(main, "cboMonth")->currentText(), QStringLiteral("July"));
        QCOMPARE(control<QComboBox>(main, "cboFriendDate")->currentText(), QStringLiteral("20"));
        QCOMPARE(control<QComboBox>(main, "cboFriendMonth")->currentText(), QStringLiteral("July"));

        // Friend born 10 June: Gemini, a partner sign of Leo.
        pickDate(control<QComboBox>(main, "cboFriendDate"), control<QComboBox>(main, "cboFriendMonth"), 10, 6);
        QTest::mouseClick(control<QPushButton>(main, "cmdCompatibilityWithFriend"), Qt::LeftButton);

        FrmDisplay *second = Forms::find<FrmDisplay>();
        QVERIFY(second && second->isVisible());
        QCOMPARE(control<QTabWidget>(second, "SSTab1")->currentIndex(), 1);
        QMap<QString, QString> again = shownTexts(second);
        QCOMPARE(again.value("lblYourFriendsSunSign"), QStringLiteral("Gemini"));
        QCOMPARE(again.value("txtYourFriendsFriendshipProfile"), profileOf(SunSign::Gemini));
        QCOMPARE(again.value("lblFriendshipCompatibility"), QStringLiteral("You Both Are Very Good Friends"));
        QVERIFY(again.value("lblFriendshipCompatibilityResult") != first.value("lblFriendshipCompatibilityResult"));
        // The user's sign, profile and traits stay.
        for (const char *name : {"lblYourFriendsSunSign", "txtYourFriendsFriendshipProfile",
                                 "lblFriendshipCompatibility", "lblFriendshipCompatibilityResult"})
            again.remove(QLatin1String(name));
        for (auto text = again.cbegin(); text != again.cend(); ++text)
            QCOMPARE(text.value(), first.value(text.key()));
    }

    void refusedTestLeavesTheResultsWindowAlone()
    {
        FrmDisplay *display = runJulyTest();
        QVERIFY(display);
        const QMap<QString, QString> before = shownTexts(display);
        FrmMain *main = Forms::find<FrmMain>();
        control<QLineEdit>(main, "txtFriendName")->clear();
        control<QComboBox>(main, "cboMonth")->setCurrentIndex(0);

        main->cmdCompatibilityWithFriend_Click();

        QCOMPARE(services->messages.texts(), QStringList{QStringLiteral("Please Enter Your Friend's Name")});
        QCOMPARE(Forms::find<FrmDisplay>(), display);
        QVERIFY(display->isVisible());
        QCOMPARE(shownTexts(display), before);
        QVERIFY(!main->isVisible());
    }

    // The test button refuses a first test without names and shows no
    // results; Enter on it runs the test.
    void refusedFirstTestShowsNoResultsThenEnterRunsIt()
    {
        FrmMain *main = mainWindow();
        auto *button = control<QPushButton>(main, "cmdCompatibilityWithFriend");
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(services->messages.texts(), QStringList{QStringLiteral("Please Enter Your Name")});
        QVERIFY(!Forms::find<FrmDisplay>());
        QVERIFY(main->isVisible());

        enterPersons(main, "ANN", 21, 7, "BOB", 20, 7);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        QVERIFY(Forms::find<FrmDisplay>());
        QVERIFY(Forms::find<FrmMain>());
    }

    // The profiles can be read and copied, but the next mouse movement over
    // a box empties the clipboard again.
    void mouseOverAProfileEmptiesTheClipboard()
    {
        FrmDisplay *display = runJulyTest();
        QVERIFY(display);
        auto *tabs = control<QTabWidget>(display, "SSTab1");
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(0).center());

        for (const char *name : {"txtYourFriendshipProfile", "txtYourFriendsFriendshipProfile"}) {
            auto *box = control<QPlainTextEdit>(display, name);
            const QString text = box->toPlainText();
            services->clipboard.clearCount = 0;
            QTest::mouseMove(display->windowHandle(), centreInWindow(box->viewport()));
            QTRY_VERIFY(services->clipboard.clearCount > 0);

            services->clipboard.clearCount = 0;
            QTest::mouseClick(box->viewport(), Qt::LeftButton);
            QVERIFY(services->clipboard.clearCount >= 2);
            QVERIFY(box->isReadOnly());
            QCOMPARE(box->toPlainText(), text);
            QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        }
    }

    // Enter acts on the focused button, anywhere else on Exit; Escape is Exit.
    void enterActsOnTheFocusedButtonElseExit_data()
    {
        QTest::addColumn<QByteArray>("focused");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("backToMain");
        QTest::newRow("Back") << QByteArray("cmdBack") << int(Qt::Key_Return) << true;
        QTest::newRow("tab strip, keypad") << QByteArray("SSTab1") << int(Qt::Key_Enter) << false;
        QTest::newRow("profile box") << QByteArray("txtYourFriendshipProfile") << int(Qt::Key_Return) << false;
        QTest::newRow("Escape in the profile box")
            << QByteArray("txtYourFriendshipProfile") << int(Qt::Key_Escape) << false;
    }

    void enterActsOnTheFocusedButtonElseExit()
    {
        QFETCH(QByteArray, focused);
        QFETCH(int, key);
        QFETCH(bool, backToMain);
        FrmDisplay *display = runJulyTest();
        QVERIFY(display);
        auto *target = control<QWidget>(display, focused.constData());
        if (auto *tabs = qobject_cast<QTabWidget *>(target))
            target = tabs->tabBar();
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QVERIFY(!Forms::find<FrmDisplay>());
        QCOMPARE(Forms::find<FrmMain>()->isVisible(), backToMain);
        QCOMPARE(exitScreenShown(), !backToMain);
    }

    // Tab and Shift+Tab go round every control on the shown tab that takes the
    // focus, then Exit and Back, from the tab strip back to it.
    void tabGoesRoundTheShownTab_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<QStringList>("stops");
        const QStringList compatibility = {"cmdExit", "cmdBack", "SSTab1"};
        const QStringList profile = {"txtYourFriendshipProfile", "txtYourFriendsFriendshipProfile", "cmdExit",
                                     "cmdBack", "SSTab1"};
        QTest::newRow("Friendship Compatibility, Tab") << 1 << false << compatibility;
        QTest::newRow("Friendship Compatibility, Shift+Tab")
            << 1 << true << QStringList{"cmdBack", "cmdExit", "SSTab1"};
        QTest::newRow("Friendship Profile, Tab") << 0 << false << profile;
        QTest::newRow("Friendship Profile, Shift+Tab")
            << 0 << true
            << QStringList{"cmdBack", "cmdExit", "txtYourFriendsFriendshipProfile", "txtYourFriendshipProfile",
                           "SSTab1"};
    }

    void tabGoesRoundTheShownTab()
    {
        QFETCH(int, tab);
        QFETCH(bool, backwards);
        QFETCH(QStringList, stops);
        FrmDisplay *display = runJulyTest();
        QVERIFY(display && showActive(display));
        auto *tabs = control<QTabWidget>(display, "SSTab1");
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(tab).center());
        tabs->tabBar()->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (qsizetype i = 0; i < stops.size(); ++i) {
            QWidget *focused = QApplication::focusWidget();
            QVERIFY(focused);
            if (backwards)
                QTest::keyClick(focused, Qt::Key_Backtab, Qt::ShiftModifier);
            else
                QTest::keyClick(focused, Qt::Key_Tab);
            focused = QApplication::focusWidget();
            visited.append(focused == tabs->tabBar() ? tabs->objectName() : focused->objectName());
        }
        QCOMPARE(visited, stops);
    }

    // Every way of closing the results window leads to the exit screen and
    // leaves the main window hidden; closing that ends the program without
    // setting up a second exit screen on the way out.
    void closingTheResultsWindow_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("close box") << "close box";
        QTest::newRow("Exit button") << "button";
    }

    void closingTheResultsWindow()
    {
        QFETCH(QString, way);
        FrmDisplay *display = runJulyTest();
        QVERIFY(display);
        if (way == QLatin1String("close box"))
            display->close();
        else
            QTest::mouseClick(control<QPushButton>(display, "cmdExit"), Qt::LeftButton);
        QVERIFY(!Forms::find<FrmDisplay>());
        QVERIFY(exitScreenShown());
        FrmMain *main = Forms::find<FrmMain>();
        QVERIFY(main && !main->isVisible());

        const int appealsDrawn = services->random.randomizeCount;
        Forms::find<FrmNagScreen2>()->close();
        QVERIFY(Forms::loadedInOrder().isEmpty());
        QCOMPARE(services->random.randomizeCount, appealsDrawn);
    }

    // Every way of closing the main window leads to the exit screen.
    void closingTheMainWindow_data()
    {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<int>("key"); // 0: a click on the control, or its close box
        QTest::newRow("close box") << QByteArray() << 0;
        QTest::newRow("Exit button") << QByteArray("cmdExit") << 0;
        QTest::newRow("Enter in the name box") << QByteArray("txtName") << int(Qt::Key_Return);
        QTest::newRow("Escape in the friend's name box") << QByteArray("txtFriendName") << int(Qt::Key_Escape);
        QTest::newRow("Escape in a list") << QByteArray("cboMonth") << int(Qt::Key_Escape);
        QTest::newRow("Enter in a list") << QByteArray("cboFriendYear") << int(Qt::Key_Return);
    }

    void closingTheMainWindow()
    {
        QFETCH(QByteArray, control);
        QFETCH(int, key);
        FrmMain *main = mainWindow();
        QTest::keyClicks(qx::test::control<QLineEdit>(main, "txtName"), "ann");
        if (control.isEmpty())
            main->close();
        else if (key == 0)
            QTest::mouseClick(qx::test::control<QPushButton>(main, control.constData()), Qt::LeftButton);
        else
            QTest::keyClick(qx::test::control<QWidget>(main, control.constData()), Qt::Key(key));
        QVERIFY(!Forms::find<FrmMain>());
        QVERIFY(exitScreenShown());
        QVERIFY(services->messages.messages.isEmpty());
    }
};

QTEST_MAIN(TestCompatibilityTest)
#include "tst_compatibilitytest.moc"
