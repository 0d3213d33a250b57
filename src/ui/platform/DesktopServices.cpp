#include "ui/platform/DesktopServices.h"

#include "core/ProgramInfo.h"
#include "ui/Forms.h"
#include "ui/widgets/WindowCentring.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QUrl>

namespace qx {

namespace {

// Beside the title, a title bar holds the window's icon and up to three
// buttons, squares about a line of the title high with a little padding
// each, and a margin at either end.
constexpr int TitleBarSquares = 4;
constexpr int TitleBarSquarePadding = 6;
constexpr int TitleBarMargin = 8;

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) {}

// The program's window a box belongs to: the active one or, while another
// program has the focus (this one driven through the accessibility bus, say),
// the program's window on screen. None before the program shows a window.
QWidget *owningWindow()
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    const QList<QWidget *> forms = Forms::loadedInOrder();
    for (auto form = forms.crbegin(); form != forms.crend(); ++form)
        if ((*form)->isVisible())
            return *form;
    return nullptr;
}

// The width a title bar needs to show the whole title. The window manager
// draws the title in a font of its own, which the program cannot learn: the
// application's font in bold stands in for it (desktops draw titles about
// that size; openbox's default theme, for one, in an 8 pt bold sans).
int titleBarWidth(const QString &title)
{
    QFont font = QApplication::font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(title) + TitleBarSquares * (metrics.height() + TitleBarSquarePadding)
           + 2 * TitleBarMargin;
}

// A box is at least as wide as its title bar needs: a box sizes itself to its
// text and buttons, and the title would be cut short. The room is an empty
// row under everything else, so the text, icon and buttons stay as they are.
void makeRoomForTitle(QMessageBox &box)
{
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(titleBarWidth(box.windowTitle()), 0, QSizePolicy::Fixed, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

MessageAnswer QtMessageBoxes::show(const QString &text, MessageIcon icon, MessageButtons buttons)
{
    // The texts break lines with a lone carriage return; the box breaks them with a line feed.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Modal to its window and centred over it.
    QWidget *window = owningWindow();
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                    QString::fromLatin1(ApplicationTitle), shown,
                    buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, window);
    box.setWindowRole(QStringLiteral("message-box"));
    // A box stays above whatever its window stays above (the exit screen
    // stays on top). One with no window of the program under it (the
    // reminder's question at start, a second copy's refusal) must not hide
    // behind other windows, the running copy's exit screen among them.
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    makeRoomForTitle(box);
    centreWhenShown(&box, window);
    const int answer = box.exec();
    // Escape and the close box press No; a box that goes without any button
    // was taken down by the end of the program.
    if (!box.clickedButton())
        return MessageAnswer::Unanswered;
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void DesktopUrlOpener::open(const QString &address)
{
    // When no browser can be started, Qt warns with the whole address, and
    // the refer-a-friend address carries names and e-mail addresses: the
    // program prints nothing while it hands an address over.
    const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
    // The addresses are built ready-encoded; take them byte for byte.
    QDesktopServices::openUrl(QUrl::fromEncoded(address.toUtf8()));
    qInstallMessageHandler(previous);
}

void SystemClipboard::clear()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard->ownsClipboard())
        clipboard->clear(QClipboard::Clipboard);
    if (clipboard->supportsSelection() && clipboard->ownsSelection())
        clipboard->clear(QClipboard::Selection);
}

} // namespace qx
