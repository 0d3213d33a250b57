#include "core/ProgramInfo.h"
#include "core/SiteDirectory.h"
#include "support/LayoutChecks.h"
#include "support/TestPlatform.h"
#include "support/Windows.h"
#include "ui/DesktopApplication.h"
#include "ui/ExitScreenTexts.h"
#include "ui/Forms.h"
#include "ui/FrmNagScreen2.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>

using namespace qx;
using namespace qx::test;

class TestExitScreen : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> services;

    // The exit screen as the shutdown sequence shows it, with the focus in it.
    FrmNagScreen2 *shownScreen()
    {
        FrmNagScreen2 *screen = Forms::get<FrmNagScreen2>();
        screen->show();
        QApplication::setActiveWindow(screen);
        if (!QTest::qWaitForWindowActive(screen))
            return nullptr;
        return screen;
    }

    void verifyProgramEnded()
    {
        QVERIFY(Forms::exitRequested());
        QVERIFY(Forms::loadedInOrder().isEmpty());
        destroyUnloadedWindows();
        QVERIFY(Forms::find<FrmNagScreen2>() == nullptr);
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->windowTitle()));
    }

private Q_SLOTS:
    void initTestCase() { setUpDesktopApplication(); }
    void init() { services = std::make_unique<TestPlatform>(); }
    void cleanup()
    {
        Forms::reset();
        destroyUnloadedWindows();
    }

    void setUpHiddenThenShownCentredAndWhole()
    {
        FrmNagScreen2 *screen = Forms::get<FrmNagScreen2>();
        QVERIFY(!screen->isVisible());
        QCOMPARE(Forms::loadedInOrder(), QList<QWidget *>{screen});
        QCOMPARE(screen->windowTitle(), windowCaption());
        QCOMPARE(screen->windowRole(), QStringLiteral("exit-screen"));
        QCOMPARE(control<QLabel>(screen, "lblNagScreen2Caption")->text(), screen->windowTitle());
        QVERIFY(!control<QLabel>(screen, "picNagscreen2Icon")->pixmap().isNull());
        QCOMPARE(control<QCheckBox>(screen, "Check1")->text(), exitScreenVisitCaption(siteHost()));
        QVERIFY(control<QCheckBox>(screen, "Check1")->text().contains(siteHost()));
        QCOMPARE(control<QLabel>(screen, "Label3")->text(), exitScreenPromotion());
        QCOMPARE(control<QPlainTextEdit>(screen, "txtMessage")->toPlainText(), QStringLiteral("Your Message\n"));

        // Fixed size, no minimise or maximise button, above other windows.
        QCOMPARE(screen->size(), QSize(741, 315));
        QCOMPARE(screen->minimumSize(), screen->maximumSize());
        const Qt::WindowFlags flags = screen->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));

        // Shown, it is centred, and no text is cut off or covered.
        screen->show(); // the texts are fitted when it is first shown
        QVERIFY(QTest::qWaitForWindowExposed(screen));
        if (const QScreen *display = screen->screen()) {
            const QPoint offset = screen->frameGeometry().center() - display->availableGeometry().center();
            QVERIFY2(offset.manhattanLength() <= 2, "the exit screen is centred on the screen");
        }
        const QStringList problems = layoutProblems(screen, {QStringLiteral("txtMessage")});
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));

        // The message box lies below the frame's visible area, out of sight.
        const QWidget *frame = control<QWidget>(screen, "Frame2");
        const QWidget *message = control<QWidget>(screen, "txtMessage");
        QCOMPARE(message->parentWidget(), frame);
        QVERIFY(message->y() >= frame->height());
        QVERIFY(message->isVisibleTo(screen));
    }

    void theAppealIsDrawnOnceAndStaysInRange_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("appeal");
        QTest::addColumn<int>("length"); // each of the four appeals has its own
        QTest::newRow("0") << 0.0f << 0 << 227;
        QTest::newRow("just under a quarter") << std::nextafter(0.25f, 0.0f) << 0 << 227;
        QTest::newRow("a quarter") << 0.25f << 1 << 211;
        QTest::newRow("a half") << 0.5f << 2 << 160;
        QTest::newRow("three quarters") << 0.75f << 3 << 196;
        QTest::newRow("0.999999") << 0.999999f << 3 << 196;
        QTest::newRow("largest float below 1") << std::nextafter(1.0f, 0.0f) << 3 << 196;
        // A generator whose double rounded up to 1.0f, or worse.
        QTest::newRow("1.0") << 1.0f << 3 << 196;
        QTest::newRow("above 1") << 7.5f << 3 << 196;
        QTest::newRow("negative") << -0.5f << 0 << 227;
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 0 << 227;
    }

    void theAppealIsDrawnOnceAndStaysInRange()
    {
        QFETCH(float, r);
        QFETCH(int, appeal);
        QFETCH(int, length);
        for (float value : {r, 0.0f, 0.5f})
            services->random.values.enqueue(value);
        FrmNagScreen2 *screen = Forms::get<FrmNagScreen2>();
        QLabel *label2 = control<QLabel>(screen, "Label2");
        QCOMPARE(label2->text(), exitScreenAppeal(appeal));
        QCOMPARE(label2->text().size(), length);
        for (const int outside : {-1, 4}) // any other index: the first appeal
            QCOMPARE(exitScreenAppeal(outside), exitScreenAppeal(0));
        QVERIFY(label2->text().contains(QStringLiteral("Orvane Forums")));
        // The generator is initialised from the clock before its one draw.
        QCOMPARE(services->random.randomizeCount, 1);
        QCOMPARE(services->random.values.size(), 2);

        // Hiding, showing and referring to it again draw nothing new.
        Forms::hide<FrmNagScreen2>();
        Forms::get<FrmNagScreen2>()->show();
        Forms::hide<FrmNagScreen2>();
        QCOMPARE(Forms::get<FrmNagScreen2>(), screen);
        QCOMPARE(label2->text(), exitScreenAppeal(appeal));
        QCOMPARE(services->random.randomizeCount, 1);
    }

    void exitHasTheFocusAndTabFollowsTheFormOrder()
    {
        FrmNagScreen2 *screen = shownScreen();
        QVERIFY(screen);
        QWidget *exitButton = control<QWidget>(screen, "cmdClose");
        QCOMPARE(QApplication::focusWidget(), exitButton);

        const QStringList order = {"Check1",         "picNagscreen2Icon", "txtName",    "cmdSubmit", "txtEmail",
                                   "txtFriendEmail", "txtFriendName",     "txtMessage", "cmdClose"};
        QStringList visited;
        for (qsizetype i = 0; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(visited, order);
        QVERIFY(!Forms::exitRequested());

        // And each time the program shows it again.
        control<QWidget>(screen, "txtName")->setFocus(Qt::TabFocusReason);
        screen->hide();
        screen->show();
        QCOMPARE(screen->focusWidget(), exitButton);
    }

    void placeholdersGoOnEnteringAndComeBackOnLeavingEmpty()
    {
        FrmNagScreen2 *screen = shownScreen();
        QVERIFY(screen);
        auto *email = control<QLineEdit>(screen, "txtEmail");
        auto *friendEmail = control<QLineEdit>(screen, "txtFriendEmail");
        auto *name = control<QLineEdit>(screen, "txtName");
        auto *message = control<QPlainTextEdit>(screen, "txtMessage");

        email->setFocus(Qt::TabFocusReason);
        QCOMPARE(email->text(), QString());
        friendEmail->setFocus(Qt::TabFocusReason);
        QCOMPARE(email->text(), QStringLiteral("Your Email Address"));
        QCOMPARE(friendEmail->text(), QString());

        // A text of spaces counts as empty; a placeholder between spaces is a placeholder.
        friendEmail->setText(QStringLiteral("   "));
        name->setFocus(Qt::TabFocusReason);
        QCOMPARE(friendEmail->text(), QStringLiteral("Friend's Email Address"));
        QCOMPARE(name->text(), QString());
        name->setText(QStringLiteral("  Your Name "));
        email->setFocus(Qt::BacktabFocusReason);
        QCOMPARE(name->text(), QStringLiteral("  Your Name "));
        name->setFocus(Qt::MouseFocusReason);
        QCOMPARE(name->text(), QString());

        // What the user typed stays, and so does a placeholder in other letters.
        name->setText(QStringLiteral("your name"));
        email->setFocus(Qt::TabFocusReason);
        name->setFocus(Qt::TabFocusReason);
        QCOMPARE(name->text(), QStringLiteral("your name"));

        // The message starts with a line break after its placeholder, so
        // entering it clears nothing until its text has once been replaced.
        message->setFocus(Qt::TabFocusReason);
        QCOMPARE(message->toPlainText(), QStringLiteral("Your Message\n"));
        message->clear();
        name->setFocus(Qt::TabFocusReason);
        QCOMPARE(message->toPlainText(), QStringLiteral("Your Message"));
        message->setFocus(Qt::TabFocusReason);
        QCOMPARE(message->toPlainText(), QString());

        // Going to another window, a menu or a message box and back is not
        // leaving or entering the box; a shortcut that moves the focus is.
        message->setFocus(Qt::TabFocusReason);
        for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
            QFocusEvent away(QEvent::FocusOut, reason);
            QApplication::sendEvent(message, &away);
            QCOMPARE(message->toPlainText(), QString());
        }
        QFocusEvent shortcut(QEvent::FocusOut, Qt::ShortcutFocusReason);
        QApplication::sendEvent(message, &shortcut);
        QCOMPARE(message->toPlainText(), QStringLiteral("Your Message"));
        for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
            QFocusEvent back(QEvent::FocusIn, reason);
            QApplication::sendEvent(message, &back);
            QCOMPARE(message->toPlainText(), QStringLiteral("Your Message"));
        }
        QVERIFY(services->messages.messages.isEmpty());
    }

    void aSpaceTypedInAnEmailBoxIsRefused()
    {
        FrmNagScreen2 *screen = shownScreen();
        QVERIFY(screen);
        // A box that takes the focus while it is up leaves it elsewhere.
        services->messages.onShow = [screen](const RecordedMessage &) {
            control<QWidget>(screen, "cmdSubmit")->setFocus();
        };
        for (const char *boxName : {"txtEmail", "txtFriendEmail"}) {
            services->messages.messages.clear();
            auto *box = control<QLineEdit>(screen, boxName);
            box->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(box, QStringLiteral("ann lee@x y.org"));
            QCOMPARE(box->text(), QStringLiteral("annlee@xy.org"));
            QCOMPARE(services->messages.texts(), QStringList(2, QStringLiteral("Email Address Cannot Contain Space")));
            QCOMPARE(services->messages.messages.first().icon, MessageIcon::Critical);
            QCOMPARE(QApplication::focusWidget(), box);
            // Pasted text is not filtered.
            box->insert(QStringLiteral(" pasted"));
            QCOMPARE(box->text(), QStringLiteral("annlee@xy.org pasted"));
            QCOMPARE(services->messages.messages.size(), 2);
        }
        services->messages.messages.clear();
        services->messages.onShow = nullptr;
        for (const char *boxName : {"txtName", "txtFriendName"}) {
            auto *box = control<QLineEdit>(screen, boxName);
            box->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(box, QStringLiteral("Ann Lee"));
            QCOMPARE(box->text(), QStringLiteral("Ann Lee"));
        }
        QVERIFY(services->messages.messages.isEmpty());
    }

    void theVisitBoxAndTheSoftwaresLinkOpenTheirPagesOncePerClick()
    {
        FrmNagScreen2 *screen = shownScreen();
        QVERIFY(screen);
        auto *check = control<QCheckBox>(screen, "Check1");
        QCOMPARE(check->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(check, Qt::LeftButton);
        QCOMPARE(services->urls.addresses, QStringList{pageAddress(SitePage::Home)});
        QVERIFY(!check->isChecked());
        QTest::mouseClick(check, Qt::LeftButton);
        check->setFocus(Qt::TabFocusReason);
        QTest::keyClick(check, Qt::Key_Space);
        QCOMPARE(services->urls.addresses, QStringList(3, pageAddress(SitePage::Home)));
        QVERIFY(!check->isChecked());
        QVERIFY(!Forms::exitRequested());

        services->urls.addresses.clear();
        auto *link = control<QLabel>(screen, "lblGoToHome");
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(link->text(), QStringLiteral("Click Here To Visit Orvane Softwares"));
        QTest::mouseRelease(link, Qt::LeftButton); // no press, no click
        QTest::mouseClick(link, Qt::LeftButton);
        QTest::mouseClick(link, Qt::RightButton);
        QCOMPARE(services->urls.addresses, QStringList{pageAddress(SitePage::Softwares)});
    }

    void everyWayOutEndsTheProgram_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Exit clicked") << "click";
        QTest::newRow("Enter on the opened window") << "enter";
        QTest::newRow("space bar on the opened window") << "space";
        QTest::newRow("close box") << "close";
        QTest::newRow("Exit handler") << "handler";
    }

    void everyWayOutEndsTheProgram()
    {
        QFETCH(QString, way);
        FrmNagScreen2 *screen = shownScreen();
        QVERIFY(screen);
        if (way == QLatin1String("click"))
            QTest::mouseClick(control<QPushButton>(screen, "cmdClose"), Qt::LeftButton);
        else if (way == QLatin1String("enter"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else if (way == QLatin1String("space"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        else if (way == QLatin1String("close"))
            QVERIFY(screen->close());
        else
            screen->cmdClose_Click();
        verifyProgramEnded();
        QCOMPARE(services->settings.flushCount, 1);
    }
};

QTEST_MAIN(TestExitScreen)
#include "tst_exitscreen.moc"
