// The look of the main and results windows as drawn with the fonts at hand:
// fixed client areas, the forms' font, colours, and no text that the user
// must read clipped or covered, whatever report the results window shows.

#include "core/ProgramInfo.h"
#include "support/LayoutChecks.h"
#include "support/MainWindowSteps.h"
#include "support/TestPlatform.h"
#include "ui/DesktopApplication.h"
#include "ui/FrmAbout.h"
#include "ui/FrmNagScreen2.h"
#include "ui/widgets/CaptionedFrame.h"
#include "ui/widgets/TextFit.h"
#include "ui/widgets/WindowCentring.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QTabWidget>

#include <memory>

namespace qx::test {
namespace {

// The points inside the window's captioned frames that show another colour
// than the frame's own, where no control lies on top and away from the lines
// a style draws along a frame's edges, one for each frame; and the frames
// whose left edge shows no line.
QStringList shadedFrameInsides(QWidget *window)
{
    QStringList shaded;
    const QImage image = window->grab().toImage();
    for (const QGroupBox *frame : window->findChildren<QGroupBox *>()) {
        const QColor own = frame->palette().color(frame->backgroundRole());
        const QPoint edge = frame->mapTo(window, QPoint(0, frame->height() / 2));
        if (image.pixelColor(edge) == own && image.pixelColor(edge + QPoint(1, 0)) == own)
            shaded.append(frame->objectName() + QStringLiteral(" has no line at its left edge"));
        QRegion bare(frame->contentsRect().adjusted(2, 2, -2, -2));
        for (const QWidget *child : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            bare -= child->geometry();
        QString found;
        for (const QRect &rect : bare)
            for (int y = rect.top(); y <= rect.bottom() && found.isEmpty(); ++y)
                for (int x = rect.left(); x <= rect.right() && found.isEmpty(); ++x)
                    if (const QColor drawn = image.pixelColor(frame->mapTo(window, QPoint(x, y))); drawn != own)
                        found = QStringLiteral("%1 at %2,%3 is %4, not %5")
                                    .arg(frame->objectName())
                                    .arg(x)
                                    .arg(y)
                                    .arg(drawn.name(), own.name());
        if (!found.isEmpty())
            shaded.append(found);
    }
    return shaded;
}

// Centred but for the rounding of an odd difference in size.
bool isCentred(const QRect &inner, const QRect &outer)
{
    const QPoint offset = inner.center() - outer.center();
    return qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1;
}

// The sizes a title bar or a task bar shows, at one and at twice the scale.
QList<QSize> windowIconSizes()
{
    return {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
}

// Day 1 of each month covers the twelve signs.
constexpr int SignMonths = 12;

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestFormLayout : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> services;

    FrmDisplay *firstResults()
    {
        FrmMain *main = mainWindow();
        enterPersons(main, "ANN", 1, 1, "BOB", 1, 1);
        main->cmdCompatibilityWithFriend_Click();
        FrmDisplay *display = Forms::find<FrmDisplay>();
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

    void windows_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QString>("role"); // the X11 window role, by which desktop tools know it
        QTest::newRow("main") << "main" << QSize(524, 409) << "main-window";
        QTest::newRow("results") << "results" << QSize(625, 529) << "results-window";
    }

    void windows()
    {
        QFETCH(QString, window);
        QFETCH(QSize, client);
        QFETCH(QString, role);
        QMainWindow *shown = window == QLatin1String("main") ? static_cast<QMainWindow *>(mainWindow())
                                                             : firstResults();
        QVERIFY(shown && shown->isVisible());
        // The title and the version the project is built as.
        static const QRegularExpression caption(QStringLiteral("^QX Friendship Compatibility Test v\\d+\\.\\d+$"));
        QVERIFY2(caption.match(windowCaption()).hasMatch(), qPrintable(windowCaption()));
        QCOMPARE(shown->windowTitle(), windowCaption());
        QCOMPARE(shown->windowRole(), role);
        QCOMPARE(shown->windowIcon().availableSizes(), windowIconSizes());
        QCOMPARE(shown->centralWidget()->size(), client);
        QCOMPARE(shown->menuBar()->geometry().bottom() + 1, shown->centralWidget()->y());
        QCOMPARE(shown->minimumSize(), shown->maximumSize());
        const Qt::WindowFlags flags = shown->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

        // Centred on the screen as the user sees it, frame included.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(shown->frameGeometry().width() > shown->width());
        QVERIFY(isCentred(shown->frameGeometry(), screen));
    }

    void centring()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        mainWindow(); // a window the window system has framed before
        const auto centred = [&screen](const QWidget &window) { return isCentred(window.frameGeometry(), screen); };

        // In place as soon as it is shown, with the frame the windows had so far.
        QWidget window;
        window.resize(300, 200);
        centreWhenShown(&window);
        window.show();
        QVERIFY(centred(window));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(centred(window));
        // Where the user moved it once it was up, it stays.
        window.move(window.pos() + QPoint(40, 30));
        window.hide();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!centred(window));

        // A window larger than the screen keeps its title bar and left edge on it.
        QWidget oversize;
        oversize.resize(screen.size() + QSize(200, 100));
        centreWhenShown(&oversize);
        oversize.show();
        QCOMPARE(oversize.frameGeometry().topLeft(), screen.topLeft());
        // One centred over a window in a corner stays on the screen, edge to edge.
        QWidget corner;
        corner.setGeometry(QRect(screen.bottomRight() - QPoint(99, 99), QSize(100, 100)));
        corner.show();
        QWidget box;
        box.resize(300, 200);
        centreWhenShown(&box, &corner);
        box.show();
        QCOMPARE(box.frameGeometry().bottomRight(), screen.bottomRight());
    }

    // A text wider than its room is condensed in whole percents, no more than
    // it takes; one that just fits keeps its font.
    void textFit()
    {
        QLabel label(QStringLiteral("Free Software Downloads"));
        const int needed = label.sizeHint().width();
        fitTextWidth(&label, needed);
        QCOMPARE(label.font(), QApplication::font());
        QCOMPARE(label.width(), needed);
        QLabel sample(label.text()); // a room the text fills exactly at 80 %
        QFont condensed = label.font();
        condensed.setStretch(80);
        sample.setFont(condensed);
        const int room = sample.sizeHint().width();
        fitTextWidth(&label, room);
        const int stretch = label.font().stretch();
        QVERIFY2(stretch >= 80 && stretch < 100, qPrintable(QString::number(stretch)));
        QCOMPARE(label.sizeHint().width(), room);
        QFont wider = label.font();
        wider.setStretch(stretch + 1);
        label.setFont(wider);
        QVERIFY(label.sizeHint().width() > room);
    }

    // Verdana 8.25 pt is 11 pixels at 96 dpi, whatever face stands in for it.
    void formFont()
    {
        FrmMain *main = mainWindow();
        FrmDisplay *display = firstResults();
        struct Expected {
            const QWidget *window;
            const char *name;
            int pixels;
            bool bold;
        };
        const Expected expected[] = {
            {main, "lblWelcome", 11, true},
            {main, "lblDateHeading", 11, false},
            {main, "lblNameHeading", 11, true},
            {main, "txtName", 11, true},
            {main, "cboMonth", 11, true},
            {main, "Label61", 12, true},
            {main, "cmdCompatibilityWithFriend", 12, true},
            {main, "lblCobrand", 11, true},
            {display, "txtYourFriendshipProfile", 11, false},
            {display, "lblDependable", 11, true},
            {display, "lblFriendshipCompatibility", 12, true},
            {display, "lblFriendshipCompatibilityResult", 11, true},
            {display, "cmdBack", 11, true},
        };
        for (const Expected &e : expected) {
            const QFontInfo info(control<QWidget>(e.window, e.name)->font());
            QVERIFY2(info.pixelSize() == e.pixels, e.name);
            QVERIFY2(info.bold() == e.bold, e.name);
            QVERIFY2(info.family() == QFontInfo(QFont(QStringLiteral("Verdana"))).family(), e.name);
        }

        // The sizes a form file cannot hold, in the about window and the exit screen.
        FrmAbout about;
        const QWidget *exitScreen = Forms::get<FrmNagScreen2>();
        const struct {
            const QWidget *window;
            const char *name;
            qreal points;
        } quarterPoints[] = {
            {&about, "lblTitle", 9.75},       {&about, "lblOffer", 8.25},      {&about, "cmdOK", 8.25},
            {exitScreen, "Label2", 9.75},     {exitScreen, "Check1", 14.25},   {exitScreen, "Frame6", 9.75},
            {exitScreen, "txtMessage", 8.25}, {exitScreen, "cmdSubmit", 8.25},
        };
        for (const auto &e : quarterPoints)
            QVERIFY2(control<QWidget>(e.window, e.name)->font().pointSizeF() == e.points, e.name);
    }

    // As the desktop program sets up its application.
    void application()
    {
        // Where Verdana and MS Sans Serif are missing, DejaVu Sans stands in for both.
        for (const char *family : {"Verdana", "MS Sans Serif"})
            QCOMPARE(QFont::substitute(QString::fromLatin1(family)).toLower(), QStringLiteral("dejavu sans"));
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
        QCOMPARE(QGuiApplication::windowIcon().availableSizes(), windowIconSizes());
        QCOMPARE(QGuiApplication::desktopFileName(), desktopFileName());
    }

    void mainWindowTextsReadable()
    {
        FrmMain *main = mainWindow();
        QStringList problems = layoutProblems(main);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
        main->bringCoBrandBannerToFront();
        problems = layoutProblems(main);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
    }

    // Every pair of signs, with both tabs in front in turn.
    void resultsTextsReadableForEveryReport()
    {
        FrmDisplay *display = firstResults();
        QVERIFY(display);
        FrmMain *main = Forms::find<FrmMain>();
        for (int month = 1; month <= SignMonths; ++month) {
            for (int friendMonth = 1; friendMonth <= SignMonths; ++friendMonth) {
                pickDate(control<QComboBox>(main, "cboDate"), control<QComboBox>(main, "cboMonth"), 1, month);
                pickDate(control<QComboBox>(main, "cboFriendDate"), control<QComboBox>(main, "cboFriendMonth"), 1,
                         friendMonth);
                main->cmdCompatibilityWithFriend_Click();
                QCOMPARE(Forms::find<FrmDisplay>(), display);
                for (int tab : {0, 1}) {
                    control<QTabWidget>(display, "SSTab1")->setCurrentIndex(tab);
                    const QStringList problems = layoutProblems(display);
                    QVERIFY2(problems.isEmpty(),
                             qPrintable(QStringLiteral("user born in month %1, friend in month %2: %3")
                                            .arg(month)
                                            .arg(friendMonth)
                                            .arg(problems.join(QStringLiteral("; ")))));
                }
            }
        }
    }

    // Colours as drawn, sampled where nothing lies on top: the forms' own,
    // inside the captioned frames of every window as outside them, under
    // either style that Qt brings (Fusion, which the program gets on a
    // desktop that names none, and Windows).
    void colours_data()
    {
        QTest::addColumn<QString>("style");
        QTest::newRow("Windows") << "Windows";
        QTest::newRow("Fusion") << "Fusion";
    }

    void colours()
    {
        QFETCH(QString, style);
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QVERIFY(QApplication::setStyle(style));
        FrmMain *main = mainWindow();
        const QImage mainImage = main->centralWidget()->grab().toImage();
        const QColor teal(0, 64, 64);
        QCOMPARE(mainImage.pixelColor(3, 3), teal);     // top strip
        QCOMPARE(mainImage.pixelColor(30, 140), teal);  // inside the big frame
        QCOMPARE(mainImage.pixelColor(420, 400), teal); // bottom strip
        const QPoint banner = control<QLabel>(main, "lblFullBrand")->mapTo(main->centralWidget(), QPoint(404, 38));
        QCOMPARE(mainImage.pixelColor(banner),
                 control<QLabel>(main, "lblFullBrand")->palette().color(QPalette::Window));
        QVERIFY(mainImage.pixelColor(banner) != teal);

        FrmDisplay *display = firstResults();
        QVERIFY(display);
        const QImage resultsImage = display->centralWidget()->grab().toImage();
        QCOMPARE(resultsImage.pixelColor(3, 3), teal);
        QCOMPARE(resultsImage.pixelColor(620, 525), teal);
        auto *result = control<QWidget>(display, "fraFriendshipResult");
        QCOMPARE(resultsImage.pixelColor(result->mapTo(display->centralWidget(), QPoint(30, 200))), teal);
        control<QTabWidget>(display, "SSTab1")->setCurrentIndex(0);
        auto *profile = control<QPlainTextEdit>(display, "txtYourFriendshipProfile");
        QCOMPARE(profile->viewport()->grab().toImage().pixelColor(2, profile->viewport()->height() - 2), teal);

        int frames = 0;
        for (QWidget *window : QList<QWidget *>{main, display, Forms::get<FrmNagScreen2>(), Forms::get<FrmAbout>()}) {
            frames += int(window->findChildren<QGroupBox *>().size());
            const QStringList shaded = shadedFrameInsides(window);
            QVERIFY2(shaded.isEmpty(), qPrintable(shaded.join(QStringLiteral("; "))));
        }
        QCOMPARE(frames, 5); // three in the main window, two on the exit screen

        // The style a frame draws with is its own, and goes with it.
        QPointer<QStyle> frameStyle;
        {
            const CaptionedFrame frame;
            frameStyle = frame.style();
            QVERIFY(frameStyle != QApplication::style());
        }
        QVERIFY(frameStyle.isNull());
    }
};

QTEST_MAIN(TestFormLayout)
#include "tst_formlayout.moc"
