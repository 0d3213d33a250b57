#include "ui/platform/DesktopServices.h"

#include "core/ProgramInfo.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace qx {

namespace {

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &)
{
}

} // namespace

MessageAnswer QtMessageBoxes::show(const QString &text, MessageIcon icon, MessageButtons buttons)
{
    // The texts break lines with a lone carriage return; the box breaks them with a line feed.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QWidget *window = QApplication::activeWindow();
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                    QString::fromLatin1(ApplicationTitle), shown,
                    buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                     : QMessageBox::Ok,
                    window);
    if (buttons == MessageButtons::YesNo)
        box.setDefaultButton(QMessageBox::Yes);
    // A box with no window of the program under it (at start-up, or from a
    // second copy that is refused) must not hide behind other windows, the
    // running copy's exit screen, which stays on top, among them.
    if (!window)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
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
    if (!clipboard)
        return;
    if (clipboard->ownsClipboard())
        clipboard->clear(QClipboard::Clipboard);
    if (clipboard->supportsSelection() && clipboard->ownsSelection())
        clipboard->clear(QClipboard::Selection);
}

} // namespace qx
