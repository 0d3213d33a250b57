// The look of the main and results windows as drawn with the fonts at hand:
// fixed client areas, the forms' font, colours, and no text that the user
// must read clipped or covered, whatever report the results window shows.

#include "core/ProgramInfo.h"
#include "support/MainWindowSteps.h"
#include "support/TestPlatform.h"
#include "ui/Fonts.h"

#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>

using namespace qx;
using namespace qx::test;

namespace {

// Where the text of a label is drawn, in the label's coordinates.
QRect LabelTextRect(const QLabel *label)
{
    const QFontMetrics metrics(label->font());
    const QRect box = label->contentsRect();
    QSize needed;
    if (label->wordWrap())
        needed = metrics.boundingRect(QRect(0, 0, box.width(), 1 << 20),
                                      int(label->alignment()) | Qt::TextWordWrap, label->text())
                     .size();
    else
        needed = QSize(metrics.horizontalAdvance(label->text()), metrics.height());
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(), needed, box);
}

QRect GroupBoxTitleRect(const QGroupBox *box)
{
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.textAlignment = box->alignment();
    const QRect title =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    const QFontMetrics metrics(box->font());
    return QRect(title.topLeft(), QSize(metrics.horizontalAdvance(box->title()), title.height()));
}

// A rectangle of a widget that every ancestor up to the window shows whole.
bool ShownWhole(const QWidget *widget, const QRect &rect)
{
    if (!widget->rect().contains(rect))
        return false;
    QRect inAncestor = rect;
    for (const QWidget *w = widget; !w->isWindow(); w = w->parentWidget()) {
        inAncestor.translate(w->pos());
        if (!w->parentWidget()->rect().contains(inAncestor))
            return false;
    }
    return true;
}

// The ink of a one-line label, underline included, in its coordinates.
QRect LabelInkRect(const QLabel *label)
{
    const QFontMetrics metrics(label->font());
    const QRect line = LabelTextRect(label);
    if (label->wordWrap())
        return line;
    QRect ink = metrics.tightBoundingRect(label->text()).translated(line.left(),
                                                                    line.top() + metrics.ascent());
    if (label->font().underline())
        ink.setBottom(line.top() + metrics.ascent() + metrics.underlinePos() + metrics.lineWidth());
    return ink;
}

// The space a child takes in its parent: the ink of a label, the whole of
// any other control.
QRect Footprint(const QWidget *child)
{
    if (const auto *label = qobject_cast<const QLabel *>(child))
        return LabelInkRect(label).translated(child->pos());
    return child->geometry();
}

// Frames and the tab container: the tables let their borders touch.
bool IsContainer(const QWidget *widget)
{
    return qobject_cast<const QGroupBox *>(widget) || qobject_cast<const QTabWidget *>(widget)
           || qstrcmp(widget->metaObject()->className(), "QFrame") == 0;
}

bool AreStackedBanners(const QWidget *a, const QWidget *b)
{
    const QStringList banners{QStringLiteral("lblCobrand"), QStringLiteral("lblFullBrand")};
    return banners.contains(a->objectName()) && banners.contains(b->objectName());
}

// Checks every text of a window: fits its box, is not cut off by a
// container and is not covered by a sibling.
void CheckTextsReadable(const QWidget *window)
{
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->isVisibleTo(window) || label->text().isEmpty())
            continue;
        const QRect text = LabelTextRect(label);
        QVERIFY2(ShownWhole(label, text),
                 qPrintable(QStringLiteral("%1 clips \"%2\": needs %3x%4 in %5x%6")
                                .arg(label->objectName(), label->text())
                                .arg(text.width())
                                .arg(text.height())
                                .arg(label->width())
                                .arg(label->height())));
    }
    for (const QGroupBox *box : window->findChildren<QGroupBox *>()) {
        const QRect title = GroupBoxTitleRect(box);
        QVERIFY2(ShownWhole(box, title), qPrintable(box->title()));
        for (const QWidget *child : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QVERIFY2(!Footprint(child).intersects(title),
                     qPrintable(child->objectName() + QStringLiteral(" covers the title ") + box->title()));
    }
    for (const QPushButton *button : window->findChildren<QPushButton *>()) {
        const QFontMetrics metrics(button->font());
        QString caption = button->text();
        caption.remove(QLatin1Char('&'));
        QVERIFY2(metrics.horizontalAdvance(caption) + 8 <= button->width()
                     && metrics.height() + 4 <= button->height(),
                 qPrintable(caption));
    }
    for (const QComboBox *combo : window->findChildren<QComboBox *>()) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        const QFontMetrics metrics(combo->font());
        for (int i = 0; i < combo->count(); ++i)
            QVERIFY2(metrics.horizontalAdvance(combo->itemText(i)) <= field.width(),
                     qPrintable(combo->objectName() + QLatin1Char(' ') + combo->itemText(i)));
    }
    for (const QTabBar *tabs : window->findChildren<QTabBar *>())
        for (int i = 0; i < tabs->count(); ++i)
            QVERIFY2(QFontMetrics(tabs->font()).horizontalAdvance(tabs->tabText(i)) < tabs->tabRect(i).width(),
                     qPrintable(tabs->tabText(i)));

    // Siblings do not cover each other, the stacked banners apart.
    for (const QWidget *parent : window->findChildren<QWidget *>()) {
        const QList<QWidget *> children = parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (qsizetype i = 0; i < children.size(); ++i) {
            for (qsizetype j = i + 1; j < children.size(); ++j) {
                const QWidget *a = children.at(i);
                const QWidget *b = children.at(j);
                if (a->isWindow() || b->isWindow() || !a->isVisibleTo(window) || !b->isVisibleTo(window)
                    || AreStackedBanners(a, b) || (IsContainer(a) && IsContainer(b)))
                    continue;
                QVERIFY2(!Footprint(a).intersects(Footprint(b)),
                         qPrintable(a->objectName() + QStringLiteral(" overlaps ") + b->objectName()));
            }
        }
    }
}

// Equal but for the shading that the style may lay over a frame.
bool Near(const QColor &drawn, const QColor &expected)
{
    return qAbs(drawn.red() - expected.red()) <= 2 && qAbs(drawn.green() - expected.green()) <= 2
           && qAbs(drawn.blue() - expected.blue()) <= 2;
}

// Day 1 of each month covers the twelve signs.
constexpr int SignMonths = 12;

} // namespace

class TestFormLayout : public QObject {
    Q_OBJECT

    TestPlatform m_platform;

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

private slots:
    void initTestCase() { installFontSubstitutes(); }
    void cleanup() { unloadAllWindows(); }

    void windows_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QSize>("client");
        QTest::newRow("main") << "main" << QSize(524, 409);
        QTest::newRow("results") << "results" << QSize(625, 529);
    }

    void windows()
    {
        QFETCH(QString, window);
        QFETCH(QSize, client);
        QMainWindow *shown = window == QLatin1String("main") ? static_cast<QMainWindow *>(mainWindow())
                                                             : firstResults();
        QVERIFY(shown && shown->isVisible());
        // The title and the version the project is built as.
        static const QRegularExpression caption(
            QStringLiteral("^QX Friendship Compatibility Test v\\d+\\.\\d+$"));
        QVERIFY2(caption.match(windowCaption()).hasMatch(), qPrintable(windowCaption()));
        QCOMPARE(shown->windowTitle(), windowCaption());
        QVERIFY(!shown->windowIcon().isNull());
        QCOMPARE(shown->centralWidget()->size(), client);
        QCOMPARE(shown->menuBar()->geometry().bottom() + 1, shown->centralWidget()->y());
        QCOMPARE(shown->minimumSize(), shown->maximumSize());
        const Qt::WindowFlags flags = shown->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

        // Centred on the screen, give or take the window frame, whose size
        // is known only once the window is up.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect frame = shown->frameGeometry();
        const QRect inside = shown->geometry();
        QVERIFY(qAbs(frame.center().x() - screen.center().x()) <= frame.width() - inside.width() + 1);
        QVERIFY(qAbs(frame.center().y() - screen.center().y()) <= frame.height() - inside.height() + 1);
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
    }

    void mainWindowTextsReadable()
    {
        FrmMain *main = mainWindow();
        CheckTextsReadable(main);
        main->bringCoBrandBannerToFront();
        CheckTextsReadable(main);
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
                pickDate(control<QComboBox>(main, "cboFriendDate"),
                         control<QComboBox>(main, "cboFriendMonth"), 1, friendMonth);
                main->cmdCompatibilityWithFriend_Click();
                QCOMPARE(Forms::find<FrmDisplay>(), display);
                for (int tab : {0, 1}) {
                    control<QTabWidget>(display, "SSTab1")->setCurrentIndex(tab);
                    CheckTextsReadable(display);
                    if (QTest::currentTestFailed()) {
                        qWarning("user born in month %d, friend in month %d", month, friendMonth);
                        return;
                    }
                }
            }
        }
    }

    // Colours as drawn, sampled where nothing lies on top.
    void colours()
    {
        FrmMain *main = mainWindow();
        const QImage mainImage = main->centralWidget()->grab().toImage();
        const QColor teal(0, 64, 64);
        QCOMPARE(mainImage.pixelColor(3, 3), teal); // top strip
        QVERIFY(Near(mainImage.pixelColor(30, 140), teal)); // inside the big frame
        QCOMPARE(mainImage.pixelColor(420, 400), teal); // bottom strip
        const QPoint banner = control<QLabel>(main, "lblFullBrand")->mapTo(main->centralWidget(), QPoint(404, 38));
        QCOMPARE(mainImage.pixelColor(banner), control<QLabel>(main, "lblFullBrand")->palette().color(QPalette::Window));
        QVERIFY(mainImage.pixelColor(banner) != teal);

        FrmDisplay *display = firstResults();
        QVERIFY(display);
        const QImage resultsImage = display->centralWidget()->grab().toImage();
        QCOMPARE(resultsImage.pixelColor(3, 3), teal);
        QCOMPARE(resultsImage.pixelColor(620, 525), teal);
        auto *result = control<QWidget>(display, "fraFriendshipResult");
        QVERIFY(Near(resultsImage.pixelColor(result->mapTo(display->centralWidget(), QPoint(30, 200))), teal));
        control<QTabWidget>(display, "SSTab1")->setCurrentIndex(0);
        auto *profile = control<QPlainTextEdit>(display, "txtYourFriendshipProfile");
        QCOMPARE(profile->viewport()->grab().toImage().pixelColor(2, profile->viewport()->height() - 2), teal);
    }
};

QTEST_MAIN(TestFormLayout)
#include "tst_formlayout.moc"
