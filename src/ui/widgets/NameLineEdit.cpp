#include "ui/widgets/NameLineEdit.h"

#include "core/platform/Platform.h"
#include "ui/widgets/NameValidator.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <optional>

namespace qx {

namespace {

constexpr int Backspace = 8;
constexpr int Enter = 13;
constexpr int Blank = 32;
// What Ctrl+V types; every other way of pasting by keyboard types it too.
constexpr int PasteCode = 22;

// The control character that a Ctrl combination types: Ctrl+A to Ctrl+Z give
// 1 to 26 (Ctrl+H is Backspace, Ctrl+M is Enter), Ctrl+[ 27, Ctrl+\ 28,
// Ctrl+] 29, Ctrl+6 (Ctrl+^) 30 and Ctrl+- (Ctrl+_) 31.
std::optional<int> controlCode(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    switch (key) {
    case Qt::Key_BracketLeft:
        return 27;
    case Qt::Key_Backslash:
        return 28;
    case Qt::Key_BracketRight:
        return 29;
    case Qt::Key_6:
    case Qt::Key_AsciiCircum:
        return 30;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return 31;
    default:
        return std::nullopt;
    }
}

// The character code that a key press types, as a desktop text box receives
// it: Ctrl combinations give control codes, Backspace 8, Enter 13, and
// pasting by keyboard (Ctrl+V, Shift+Insert, the Paste key) 22; AltGr types
// its character like any other key. Keys that type nothing (arrows, Delete,
// Home, function keys) have no code and keep their usual editing meaning.
std::optional<int> typedCharacterCode(const QKeyEvent &event)
{
    if (event.matches(QKeySequence::Paste))
        return PasteCode;
    const bool control = (event.modifiers() & Qt::ControlModifier) != 0;
    switch (event.key()) {
    case Qt::Key_Backspace:
        return control ? 127 : Backspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return control ? 10 : Enter;
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    if (control)
        return controlCode(event.key());
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    const int code = text.at(0).unicode();
    if (code < Blank || code == 127)
        return std::nullopt;
    return code;
}

bool isLetterCode(int code)
{
    return (code >= 65 && code <= 90) || (code >= 97 && code <= 122);
}

// An Alt or Meta combination with a character: one that is an access key
// never reaches the box, and the others type nothing, as in the text boxes
// of other desktop programs.
bool isAltCharacter(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return (modifiers & (Qt::AltModifier | Qt::MetaModifier)) && !(modifiers & Qt::ControlModifier)
           && !event.text().isEmpty() && event.text().at(0).isPrint();
}

bool isEnterKey(const QKeyEvent &event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

} // namespace

NameLineEdit::NameLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setValidator(new NameValidator(this));
}

void NameLineEdit::keyPressEvent(QKeyEvent *event)
{
    // (A key event arrives accepted: one the box takes without typing goes
    // no further. Escape types no code, and QLineEdit leaves it to the
    // window's cancel button.)
    if (isAltCharacter(*event))
        return;
    const std::optional<int> code = typedCharacterCode(*event);
    if (!code) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (isLetterCode(*code)) {
        const int capital = *code >= 97 ? *code - 32 : *code;
        QKeyEvent typed(QEvent::KeyPress, event->key(), Qt::NoModifier, QString(QChar(capital)), event->isAutoRepeat(),
                        event->count());
        QLineEdit::keyPressEvent(&typed);
        event->setAccepted(typed.isAccepted());
    } else if (*code == Blank || (*code == Enter && isEnterKey(*event))) {
        QLineEdit::keyPressEvent(event);
    } else if (*code == Enter) {
        // Ctrl+M: the Enter key itself, which the window may take as a click
        // on its default button.
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), event->isAutoRepeat());
        QCoreApplication::sendEvent(this, &enter);
        event->accept();
    } else if (*code == Backspace) {
        QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"),
                            event->isAutoRepeat());
        QLineEdit::keyPressEvent(&backspace);
        event->setAccepted(backspace.isAccepted());
    } else {
        showMessage(QStringLiteral("Please Enter Only Letters !"), MessageIcon::Information);
        event->accept();
    }
}

// Every Ctrl shortcut is refused in a name box, so the menu names none; its
// Paste goes through the name filter like any text that arrives.
void NameLineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    for (QAction *action : menu->actions()) {
        action->setText(action->text().section(QLatin1Char('\t'), 0, 0));
        // Paste is the item that QLineEdit connects to its paste(), by name.
        if (disconnect(action, SIGNAL(triggered()), this, SLOT(paste())))
            connect(action, &QAction::triggered, this,
                    [this] { insertName(QGuiApplication::clipboard()->text(QClipboard::Clipboard)); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

// A middle click pastes the mouse selection, where the desktop has one, at
// the place the press has put the cursor.
void NameLineEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection())
        insertName(QGuiApplication::clipboard()->text(QClipboard::Selection));
    else
        QLineEdit::mouseReleaseEvent(event);
}

// QLineEdit drops the text at the mouse, and moves it when it is dragged
// within the box; it gets only what a name keeps of it.
void NameLineEdit::dropEvent(QDropEvent *event)
{
    if (!event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData name;
    name.setText(NameValidator::kept(event->mimeData()->text()));
    QDropEvent drop(event->position(), event->possibleActions(), &name, event->buttons(), event->modifiers(),
                    event->type());
    endUndoStep();
    QLineEdit::dropEvent(&drop);
    endUndoStep();
    event->setDropAction(drop.dropAction());
    event->setAccepted(drop.isAccepted());
}

// The validator would cut down the text too, but a change it makes to what
// arrives takes the whole undo history away with it: the text goes in cut
// down already. A paste of nothing still replaces the selection, as in
// QLineEdit's own paste.
void NameLineEdit::insertName(const QString &text)
{
    endUndoStep();
    insert(NameValidator::kept(text));
    endUndoStep();
}

// QLineEdit ends an undo step whenever its cursor moves, and when it is
// cleared: the cursor goes a character away and back, the selection as it
// was, or an empty box is cleared.
void NameLineEdit::endUndoStep()
{
    const int cursor = cursorPosition();
    const int start = selectionStart();
    const int length = selectionLength();
    if (text().isEmpty())
        clear();
    else
        setCursorPosition(cursor > 0 ? cursor - 1 : cursor + 1);
    if (start < 0)
        setCursorPosition(cursor);
    else
        setSelection(start, length);
}

} // namespace qx
