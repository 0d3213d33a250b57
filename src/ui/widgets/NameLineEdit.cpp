#include "ui/widgets/NameLineEdit.h"

#include "core/platform/Platform.h"
#include "ui/widgets/NameValidator.h"

#include <QKeyEvent>

#include <optional>

namespace qx {

namespace {

// The character code that a key press types, as a desktop text box receives
// it: Ctrl+letter gives the control codes 1 to 26 (Ctrl+V is 22), Backspace
// 8, Enter 13. Keys that type nothing (arrows, Delete, Home, function keys,
// Alt combinations) have no code and keep their usual editing meaning.
std::optional<int> typedCharacterCode(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    if (modifiers.testFlag(Qt::AltModifier) || modifiers.testFlag(Qt::MetaModifier))
        return std::nullopt;

    switch (event.key()) {
    case Qt::Key_Backspace:
        return control ? 127 : 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return control ? 10 : 13;
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    if (control) {
        if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
            return event.key() - Qt::Key_A + 1;
        return std::nullopt;
    }
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    const int code = text.at(0).unicode();
    if (code < 32 || code == 127)
        return std::nullopt;
    return code;
}

bool isLetterCode(int code)
{
    return (code >= 65 && code <= 90) || (code >= 97 && code <= 122);
}

} // namespace

NameLineEdit::NameLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setValidator(new NameValidator(this));
    // Composed input would bypass the key filter; names are A to Z only.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void NameLineEdit::keyPressEvent(QKeyEvent *event)
{
    // Escape belongs to the window's cancel button, not to the box.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    const std::optional<int> code = typedCharacterCode(*event);
    if (!code) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (!isLetterCode(*code)) {
        if (*code == 32 || *code == 13) {
            QLineEdit::keyPressEvent(event);
        } else if (*code == 8) {
            QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier,
                                QStringLiteral("\b"), event->isAutoRepeat());
            QLineEdit::keyPressEvent(&backspace);
            event->setAccepted(backspace.isAccepted());
        } else {
            showMessage(QStringLiteral("Please Enter Only Letters !"), MessageIcon::Information);
            event->accept();
        }
        return;
    }
    const int capital = *code >= 97 ? *code - 32 : *code;
    QKeyEvent typed(QEvent::KeyPress, event->key(), event->modifiers(),
                    QString(QChar(capital)), event->isAutoRepeat(), event->count());
    QLineEdit::keyPressEvent(&typed);
    event->setAccepted(typed.isAccepted());
}

} // namespace qx
