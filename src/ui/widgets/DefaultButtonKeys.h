#pragma once

#include <QObject>
#include <QPointer>

class QAbstractButton;
class QWidget;

namespace qx {

// Gives a window a default and cancel button, as dialogs have: Enter and
// Escape pressed anywhere in the window, and not taken by the control that
// has the focus, act as a click on the button. A focused button still takes
// Enter itself.
class DefaultButtonKeys : public QObject {
    Q_OBJECT

public:
    DefaultButtonKeys(QWidget *window, QAbstractButton *button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QAbstractButton> m_button;
};

} // namespace qx
