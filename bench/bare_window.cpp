// A Qt Widgets window with nothing in it but a menu bar above a 524 x 409
// client area, the size of the program's main window. bench/startup times
// its start-up and memory next to the program's.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

namespace {

// Runs right after the window's first paint, as the program's own
// StartupForm::firstFramePainted() does: bench/startup counts the
// instructions up to the call of either.
Q_NEVER_INLINE void firstFramePainted()
{
    asm volatile("" ::: "memory");
}

// Calls firstFramePainted() from the event loop once the first paint is done.
class FirstPaintWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(this, &firstFramePainted, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare Qt Widgets window"));

    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("E&xit"), &window, &QWidget::close);
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&About"));

    auto *client = new QWidget;
    client->setFixedSize(524, 409);
    window.setCentralWidget(client);
    window.setFixedSize(window.sizeHint());

    FirstPaintWatcher watcher;
    window.installEventFilter(&watcher);
    window.show();
    return app.exec();
}
