#include "core/ProgramInfo.h"
#include "core/SiteDirectory.h"
#include "support/LayoutChecks.h"
#include "support/TestPlatform.h"
#include "support/Windows.h"
#include "ui/DesktopApplication.h"
#include "ui/FrmAbout.h"

#include <QApplication>
#include <QScreen>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace qx::test {
namespace {

const QColor Teal(0, 64, 64);

// An opener with some state of its own: two tabs, the second one in front.
class Opener : public QTabWidget {
public:
    Opener()
    {
        addTab(new QWidget, QStringLiteral("Sun Signs"));
        addTab(new QWidget, QStringLiteral("Friendship Compatibility"));
        setCurrentIndex(1);
    }
};

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestAboutWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> services;

private Q_SLOTS:
    void initTestCase() { setUpDesktopApplication(); }
    void init() { services = std::make_unique<TestPlatform>(); }

    void itIsAFixedModalDialogWithTheProgramsTexts()
    {
        Opener opener;
        FrmAbout about(&opener);
        QCOMPARE(about.windowTitle(), windowCaption());
        QCOMPARE(about.windowRole(), QStringLiteral("about-window"));
        QVERIFY(about.isModal());
        QCOMPARE(about.size(), QSize(423, 264));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        const Qt::WindowFlags flags = about.windowFlags();
        QCOMPARE(about.windowType(), Qt::Dialog);
        QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        // A dialog that belongs to its opener stays out of the task bar.
        QCOMPARE(about.parentWidget(), &opener);

        QCOMPARE(control<QLabel>(&about, "lblTitle")->text(), windowCaption());
        QCOMPARE(control<QLabel>(&about, "lblDescription")->text(),
                 QStringLiteral("QX Friendship Compatibility Test is an easy to understand software that "
                                "describes the compatibility between friends. This software helps you "
                                "understand your relationship better and work on the areas that are weak."));
        QCOMPARE(control<QLabel>(&about, "lblOffer")->text(),
                 QStringLiteral("Home Business Opportunity. Start your own Internet business and make money "
                                "online. Get this software fully branded for your website."));
        QCOMPARE(control<QLabel>(&about, "lblHomePage")->text(), QStringLiteral("Click here to visit ") + siteHost());
        QCOMPARE(control<QLabel>(&about, "lblMoreDetails")->text(), QStringLiteral("Click here for more details"));
        auto *ok = control<QPushButton>(&about, "cmdOK");
        QCOMPARE(ok->text(), QStringLiteral("&OK"));
        QVERIFY(ok->isDefault());
        QVERIFY(ok->font().bold());
        QCOMPARE(ok->palette().color(QPalette::Button), QColor(192, 192, 192));
        const QPixmap icon = control<QLabel>(&about, "picIcon")->pixmap();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.deviceIndependentSize().toSize(), QSize(34, 34));

        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        if (const QScreen *screen = about.screen()) {
            const QPoint offset = about.frameGeometry().center() - screen->availableGeometry().center();
            QVERIFY2(offset.manhattanLength() <= 2, "the about window is centred on the screen");
        }
    }

    void itIsTealWithAWhiteLineNothingCutOffAndLinksToItsPages()
    {
        FrmAbout about;
        const QStringList problems = layoutProblems(&about, {QStringLiteral("lineSeparator")});
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));

        const QImage image = about.grab().toImage();
        QCOMPARE(image.size(), QSize(423, 264));
        for (int x : {0, 1, 100, 211, 380, 421, 422}) {
            QCOMPARE(image.pixelColor(x, 224), QColor(Qt::white));
            QCOMPARE(image.pixelColor(x, 222), Teal);
            QCOMPARE(image.pixelColor(x, 226), Teal);
        }
        QCOMPARE(image.pixelColor(2, 2), Teal);
        QCOMPARE(image.pixelColor(420, 260), Teal);

        // The links open their pages.
        auto *home = control<QLabel>(&about, "lblHomePage");
        auto *details = control<QLabel>(&about, "lblMoreDetails");
        QCOMPARE(home->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(details->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(home->font().underline() && home->font().bold());
        QVERIFY(details->font().underline() && details->font().bold());

        // A click is a press and a release on the label; a release alone is none.
        QTest::mouseRelease(home, Qt::LeftButton);
        QTest::mouseClick(home, Qt::LeftButton);
        QTest::mouseClick(details, Qt::LeftButton);
        QTest::mouseClick(details, Qt::RightButton);
        QCOMPARE(services->urls.addresses,
                 QStringList({pageAddress(SitePage::Home), pageAddress(SitePage::FullBrand)}));
    }

    void enterEscapeAndOkCloseItAndLeaveTheOpenerAsItWas_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("pressesOk");
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
        QTest::newRow("OK clicked") << 0 << true;
    }

    void enterEscapeAndOkCloseItAndLeaveTheOpenerAsItWas()
    {
        QFETCH(int, key);
        QFETCH(bool, pressesOk);
        Opener opener;
        opener.show();
        QVERIFY(QTest::qWaitForWindowExposed(&opener));

        FrmAbout about(&opener);
        auto *ok = control<QPushButton>(&about, "cmdOK");
        QSignalSpy okClicks(ok, &QPushButton::clicked);
        bool wasModal = false;
        QTimer::singleShot(0, &about, [&] {
            wasModal = QApplication::activeModalWidget() == &about;
            if (key == 0) {
                QTest::mouseClick(ok, Qt::LeftButton);
                return;
            }
            // The keys go where the user's keys would: to the focus in the dialog.
            // The offscreen platform has no window manager to activate it.
            QApplication::setActiveWindow(&about);
            if (!QTest::qWaitForWindowActive(&about))
                return;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        });
        // Never hang the run if the key went nowhere.
        QTimer::singleShot(5000, &about, [&] { about.done(-1); });

        const int result = about.exec();

        QVERIFY(result != -1);
        QVERIFY(wasModal);
        QVERIFY(!about.isVisible());
        QCOMPARE(okClicks.size(), pressesOk ? 1 : 0);
        QVERIFY(opener.isVisible());
        QCOMPARE(opener.currentIndex(), 1);
        QVERIFY(services->urls.addresses.isEmpty());
    }
};

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
