#include "ui/widgets/DefaultButtonKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

namespace qx {

DefaultButtonKeys::DefaultButtonKeys(QWidget *window, QAbstractButton *button)
    : QObject(window)
    , m_button(button)
{
    window->installEventFilter(this);
}

bool DefaultButtonKeys::eventFilter(QObject *watched, QEvent *event)
{
    // Key presses that the focused control leaves alone travel up to the
    // window, where they arrive here.
    if (watched != parent() || event->type() != QEvent::KeyPress || !m_button)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        m_button->click();
        return true;
    default:
        return false;
    }
}

} // namespace qx
