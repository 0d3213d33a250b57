#include "ui/widgets/WindowCentring.h"

#include <QEvent>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

namespace qx {

namespace {

// The frame the window manager gave the last window of the program it framed.
QMargins &lastKnownFrame()
{
    static QMargins frame;
    return frame;
}

class WindowCentring final : public QObject {
public:
    WindowCentring(QWidget *window, QWidget *over)
        : QObject(window)
        , m_window(window)
        , m_over(over)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_settled)
            return false;
        if (watched == m_window) {
            // Shown, but not yet mapped: placed with the frame it is likely to
            // get. A size it takes while being shown (a message box sizes
            // itself then) places it anew.
            if (event->type() == QEvent::Show && !event->spontaneous()) {
                m_showing = true;
                watchNativeWindow();
                place(lastKnownFrame());
            } else if (event->type() == QEvent::Resize && m_showing) {
                place(m_assumedFrame);
            } else if (event->type() == QEvent::Hide) {
                m_showing = false;
            }
        } else if (event->type() == QEvent::Expose && m_showing && m_window->windowHandle()
                   && m_window->windowHandle()->isExposed()) {
            // On screen, so framed: its own frame is known now.
            const QMargins frame = m_window->windowHandle()->frameMargins();
            lastKnownFrame() = frame;
            if (frame != m_assumedFrame)
                place(frame);
            m_settled = true;
        }
        return false;
    }

private:
    void watchNativeWindow()
    {
        // Installed again on each showing, the filter still runs once per event.
        if (QWindow *native = m_window->windowHandle())
            native->installEventFilter(this);
    }

    void place(const QMargins &frame)
    {
        const QScreen *screen = (m_over ? m_over.data() : m_window.data())->screen();
        if (!screen)
            return;
        const QRect area = screen->availableGeometry();
        const QSize size = m_window->size();
        const QSize framed = size.grownBy(frame);
        QRect around = area;
        if (m_over)
            around = m_over->windowHandle() ? m_over->windowHandle()->frameGeometry() : m_over->frameGeometry();
        QPoint topLeft = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, framed, around).topLeft();
        topLeft.setX(qMax(area.left(), qMin(topLeft.x(), area.right() + 1 - framed.width())));
        topLeft.setY(qMax(area.top(), qMin(topLeft.y(), area.bottom() + 1 - framed.height())));
        // The geometry is the window's own, inside the frame.
        m_window->setGeometry(QRect(topLeft + QPoint(frame.left(), frame.top()), size));
        m_assumedFrame = frame;
    }

    QPointer<QWidget> m_window;
    QPointer<QWidget> m_over;
    QMargins m_assumedFrame;
    bool m_showing = false;
    bool m_settled = false;
};

} // namespace

void centreWhenShown(QWidget *window, QWidget *over)
{
    if (window)
        new WindowCentring(window, over);
}

} // namespace qx
