// The menu bars and banner labels of the main and results windows: captions,
// access keys, and the page or command behind each.

#include "core/SiteDirectory.h"
#include "support/MainWindowSteps.h"
#include "support/TestPlatform.h"
#include "ui/DesktopApplication.h"
#include "ui/FrmAbout.h"
#include "ui/ProgramWindow.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <memory>

namespace qx::test {
namespace {

// Captions as the menus show them; "-" stands for a separator line.
QStringList menuCaptions(const QList<QAction *> &actions)
{
    QStringList captions;
    for (const QAction *action : actions)
        captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

QStringList visibleCaptions(const QMenuBar *bar)
{
    QStringList captions;
    for (const QAction *action : bar->actions())
        if (action->isVisible())
            captions.append(action->text());
    return captions;
}

QMenu *openMenu()
{
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestMenusAndBanners : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> services;

    // The window under test, shown and active: the main window, or a results
    // window from a 21 July / 20 July test.
    QMainWindow *showWindow(const QString &which)
    {
        FrmMain *main = mainWindow();
        if (which == QLatin1String("main"))
            return main;
        enterPersons(main, "ALEX", 21, 7, "SAM", 20, 7);
        main->cmdCompatibilityWithFriend_Click();
        FrmDisplay *display = Forms::find<FrmDisplay>();
        if (!display || !showActive(display))
            qWarning("results window not active");
        services->urls.addresses.clear();
        return display;
    }

    // Opens a menu of the bar with the mouse and chooses an item by its
    // access key.
    void choose(QMainWindow *window, const QString &menuCaption, Qt::Key accessKey)
    {
        QMenuBar *bar = window->menuBar();
        QAction *menuAction = nullptr;
        for (QAction *action : bar->actions())
            if (action->text() == menuCaption)
                menuAction = action;
        QVERIFY(menuAction);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menuAction).center());
        QTRY_VERIFY(openMenu());
        QTest::keyClick(openMenu(), accessKey);
    }

private Q_SLOTS:
    void initTestCase() { setUpDesktopApplication(); }

    void init() { services = std::make_unique<TestPlatform>(); }

    void cleanup()
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        unloadAllWindows();
        services.reset();
    }

    // The menus' and banners' captions; the two banners share one place.
    void captions()
    {
        FrmMain *main = mainWindow();
        QMenuBar *bar = main->menuBar();
        QCOMPARE(visibleCaptions(bar), (QStringList{"&File", "&Help", "&Donate"}));
        QCOMPARE(menuCaptions(bar->actions().at(0)->menu()->actions()),
                 (QStringList{"Get My Compatibility With My &Friend", "E&xit"}));
        QCOMPARE(menuCaptions(bar->actions().at(1)->menu()->actions()),
                 (QStringList{"&Online Help", "&Visit Us Online", "-", "Check for Software &Update", "-",
                              "&About Software"}));
        QVERIFY(!bar->actions().at(2)->menu());
        const QString coBrand = QStringLiteral(
            "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your "
            "site's name &  link here. See \"Help\" for details.Click Here for more info on co-branding.");
        const QString fullBrand = QStringLiteral(
            "Home Business Opportunity. Start your own Internet business and make money online. Get this "
            "software fully branded for your website. Click here for more details.");
        QCOMPARE(control<QLabel>(main, "lblCobrand")->text(), coBrand);
        QCOMPARE(control<QLabel>(main, "lblFullBrand")->text(), fullBrand);
        QCOMPARE(control<QLabel>(main, "lblCobrand")->geometry(), control<QLabel>(main, "lblFullBrand")->geometry());
        QVERIFY(control<QLabel>(main, "lblCobrand")->autoFillBackground()
                && control<QLabel>(main, "lblFullBrand")->autoFillBackground());
        QVERIFY(!labelText(main, "Label61").isEmpty());

        FrmDisplay *display = static_cast<FrmDisplay *>(showWindow("results"));
        bar = display->menuBar();
        QCOMPARE(visibleCaptions(bar), (QStringList{"&File", "&Help", "&Donate"}));
        QCOMPARE(menuCaptions(bar->actions().at(0)->menu()->actions()), (QStringList{"&Back", "E&xit"}));
        QCOMPARE(menuCaptions(bar->actions().at(1)->menu()->actions()),
                 (QStringList{"&Online Help", "&Visit Us Online", "-", "&Check for Software Update", "-",
                              "&About Software"}));
        QCOMPARE(labelText(display, "lblCobrand"), coBrand);
        QCOMPARE(labelText(display, "lblFullBrand"), fullBrand);
        QCOMPARE(labelText(display, "Label61"), labelText(main, "Label61"));
    }

    void pages_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("accessKey");
        QTest::addColumn<QString>("address");
        for (const char *window : {"main", "results"}) {
            QTest::addRow("%s: Online Help", window) << window << int(Qt::Key_O) << pageAddress(SitePage::Help);
            QTest::addRow("%s: Visit Us Online", window) << window << int(Qt::Key_V) << pageAddress(SitePage::Home);
        }
        QTest::newRow("main: Check for Software Update") << "main" << int(Qt::Key_U) << pageAddress(SitePage::Download);
        QTest::newRow("results: Check for Software Update")
            << "results" << int(Qt::Key_C) << pageAddress(SitePage::Download);
    }

    void pages()
    {
        QFETCH(QString, window);
        QFETCH(int, accessKey);
        QFETCH(QString, address);
        QMainWindow *shown = showWindow(window);
        // Alt+H opens the Help menu; the item's access key chooses it.
        QTest::keyClick(shown, Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(openMenu());
        QTest::keyClick(openMenu(), Qt::Key(accessKey));
        QCOMPARE(services->urls.addresses, QStringList{address});
        QVERIFY(services->messages.messages.isEmpty());
        QVERIFY(shown->isVisible());
    }

    // Alt+D donates at once; Make Money Online is there but out of reach.
    void donateAndMakeMoneyOnline_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("main") << "main";
        QTest::newRow("results") << "results";
    }

    void donateAndMakeMoneyOnline()
    {
        QFETCH(QString, window);
        QMainWindow *shown = showWindow(window);
        QTest::keyClick(shown, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(services->urls.addresses, QStringList{pageAddress(SitePage::Donate)});
        QVERIFY(!openMenu());

        services->urls.addresses.clear();
        QAction *item = shown->findChild<QAction *>(QStringLiteral("mnuMakeMoneyOnline"));
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("Make Money &Online"));
        QVERIFY(!item->isVisible());
        QVERIFY(!item->isEnabled());
        QVERIFY(shown->menuBar()->actionGeometry(item).isEmpty());
        QTest::keyClick(shown, Qt::Key_O, Qt::AltModifier);
        if (QMenu *menu = openMenu())
            menu->close();
        QVERIFY(services->urls.addresses.isEmpty());
        // Its handler, which nothing reaches, would open the partner's page.
        static_cast<ProgramWindow *>(shown)->mnuMakeMoneyOnline_Click();
        QCOMPARE(services->urls.addresses, QStringList{pageAddress(SitePage::FullBrand)});
    }

    void aboutIsModal_data() { donateAndMakeMoneyOnline_data(); }

    void aboutIsModal()
    {
        QFETCH(QString, window);
        QMainWindow *shown = showWindow(window);
        QPointer<QWidget> modal;
        QPointer<QWidget> owner;
        QTimer::singleShot(0, this, [&] {
            modal = QApplication::activeModalWidget();
            if (modal) {
                owner = modal->parentWidget();
                modal->close();
            }
        });
        QTest::keyClick(shown, Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(openMenu());
        QTest::keyClick(openMenu(), Qt::Key_A);
        // The about window was shown modally and is gone once closed.
        QVERIFY(owner);
        QCOMPARE(owner.data(), shown);
        QVERIFY(!modal);
        QVERIFY(shown->isVisible());
    }

    // The test item and the button give the same results.
    void testItemRunsTheTest()
    {
        FrmMain *main = mainWindow();
        enterPersons(main, "ALEX", 21, 7, "SAM", 20, 7);
        QTest::mouseClick(control<QPushButton>(main, "cmdCompatibilityWithFriend"), Qt::LeftButton);
        FrmDisplay *byButton = Forms::find<FrmDisplay>();
        QVERIFY(byButton);
        const QString sentence = labelText(byButton, "lblFriendshipCompatibilityResult");
        byButton->cmdBack_Click();
        programReport() = FriendshipReport{};

        choose(main, QStringLiteral("&File"), Qt::Key_F);
        FrmDisplay *byMenu = Forms::find<FrmDisplay>();
        QVERIFY(byMenu && byMenu->isVisible());
        QVERIFY(!main->isVisible());
        QCOMPARE(labelText(byMenu, "lblYourSunSign"), QStringLiteral("Leo"));
        QCOMPARE(labelText(byMenu, "lblFriendshipCompatibilityResult"), sentence);
    }

    // Alt+F and an item's access key: Exit closes the window it is in and
    // brings up the exit screen; Back goes back to the main window.
    void fileItems_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("accessKey");
        QTest::newRow("main: Exit") << "main" << int(Qt::Key_X);
        QTest::newRow("results: Exit") << "results" << int(Qt::Key_X);
        QTest::newRow("results: Back") << "results" << int(Qt::Key_B);
    }

    void fileItems()
    {
        QFETCH(QString, window);
        QFETCH(int, accessKey);
        QMainWindow *shown = showWindow(window);
        QTest::keyClick(shown, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(openMenu());
        QTest::keyClick(openMenu(), Qt::Key(accessKey));
        const bool back = accessKey == Qt::Key_B;
        if (window == QLatin1String("main")) {
            QVERIFY(!Forms::find<FrmMain>());
        } else {
            QVERIFY(!Forms::find<FrmDisplay>());
            QCOMPARE(Forms::find<FrmMain>()->isVisible(), back);
        }
        const FrmNagScreen2 *exitScreen = Forms::find<FrmNagScreen2>();
        QCOMPARE(exitScreen && exitScreen->isVisible(), !back);
    }

    // A click goes to whatever lies on top at that point of the window.
    void banners_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QByteArray>("label");
        QTest::addColumn<QByteArray>("raised"); // brought to the front first, if any
        QTest::addColumn<QString>("address");
        QTest::newRow("main: top strip") << "main" << QByteArray("Label61") << QByteArray()
                                         << pageAddress(SitePage::Home);
        QTest::newRow("main: bottom as created")
            << "main" << QByteArray("lblFullBrand") << QByteArray() << pageAddress(SitePage::FullBrand);
        QTest::newRow("main: co-brand in front")
            << "main" << QByteArray("lblCobrand") << QByteArray("lblCobrand") << pageAddress(SitePage::CoBrand);
        QTest::newRow("main: full brand in front again")
            << "main" << QByteArray("lblFullBrand") << QByteArray("lblFullBrand") << pageAddress(SitePage::FullBrand);
        QTest::newRow("results: top strip")
            << "results" << QByteArray("Label61") << QByteArray() << pageAddress(SitePage::Home);
        QTest::newRow("results: bottom") << "results" << QByteArray("lblCobrand") << QByteArray()
                                         << pageAddress(SitePage::CoBrand);
    }

    void banners()
    {
        QFETCH(QString, window);
        QFETCH(QByteArray, label);
        QFETCH(QByteArray, raised);
        QFETCH(QString, address);
        QMainWindow *shown = showWindow(window);
        if (!raised.isEmpty())
            control<QLabel>(shown, raised.constData())->raise();
        QLabel *banner = control<QLabel>(shown, label.constData());
        QCOMPARE(banner->cursor().shape(), Qt::PointingHandCursor);

        QTest::mouseClick(shown->windowHandle(), Qt::LeftButton, {}, centreInWindow(banner));

        QCOMPARE(services->urls.addresses, QStringList{address});
        QVERIFY(shown->isVisible());
    }

    // A press on a banner that is released elsewhere is no click.
    void releaseOutsideIsNoClick()
    {
        FrmMain *main = mainWindow();
        QLabel *banner = control<QLabel>(main, "Label61");
        QTest::mousePress(banner, Qt::LeftButton, {}, banner->rect().center());
        QTest::mouseRelease(banner, Qt::LeftButton, {}, QPoint(-5, banner->height() + 5));
        QVERIFY(services->urls.addresses.isEmpty());
        QTest::mouseClick(banner, Qt::RightButton);
        QVERIFY(services->urls.addresses.isEmpty());
    }
};

QTEST_MAIN(TestMenusAndBanners)
#include "tst_menusandbanners.moc"
