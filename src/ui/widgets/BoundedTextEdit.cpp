#include "ui/widgets/BoundedTextEdit.h"

#include <QKeyEvent>
#include <QMimeData>

namespace qx {

BoundedTextEdit::BoundedTextEdit(QWidget *parent)
    : QPlainTextEdit(parent)
{
}

qsizetype BoundedTextEdit::roomLeft() const
{
    // characterCount() counts the separator after the last paragraph too.
    const qsizetype length = document()->characterCount() - 1;
    const QTextCursor cursor = textCursor();
    const qsizetype selected = cursor.selectionEnd() - cursor.selectionStart();
    return qMax<qsizetype>(0, m_maxLength - (length - selected));
}

void BoundedTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    insertPlainText(source->text().left(roomLeft()));
    ensureCursorVisible();
}

void BoundedTextEdit::keyPressEvent(QKeyEvent *event)
{
    const bool inserts = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
                         || (!event->text().isEmpty() && event->text().at(0).isPrint());
    // A key event arrives accepted: one refused here goes no further.
    if (inserts && !(event->modifiers() & Qt::ControlModifier) && roomLeft() < 1)
        return;
    QPlainTextEdit::keyPressEvent(event);
}

void BoundedTextEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const qsizetype room = roomLeft();
    if (event->commitString().size() <= room) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent bounded(event->preeditString(), event->attributes());
    bounded.setCommitString(event->commitString().left(room), event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&bounded);
}

} // namespace qx
