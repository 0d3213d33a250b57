#include "ui/Forms.h"

#include "core/platform/Platform.h"
#include "ui/IgnoringErrors.h"

#include <QApplication>

namespace qx {

namespace {

// More windows than the program ever has loaded at once, twice over.
constexpr int MaxUnloadSteps = 32;

} // namespace

QList<QPointer<QWidget>> &Forms::registry()
{
    static QList<QPointer<QWidget>> forms;
    return forms;
}

bool &Forms::exiting()
{
    static bool flag = false;
    return flag;
}

bool &Forms::unloadingAll()
{
    static bool flag = false;
    return flag;
}

void Forms::loaded(QWidget *form)
{
    if (form && !isLoaded(form))
        registry().append(form);
}

void Forms::unloaded(QWidget *form)
{
    if (!isLoaded(form))
        return;
    registry().removeAll(form);
    form->deleteLater();
}

bool Forms::isLoaded(const QWidget *form)
{
    for (const QPointer<QWidget> &loadedForm : registry())
        if (loadedForm.data() == form)
            return form != nullptr;
    return false;
}

QList<QWidget *> Forms::loadedInOrder()
{
    QList<QWidget *> forms;
    for (const QPointer<QWidget> &form : registry())
        if (form)
            forms.append(form.data());
    return forms;
}

bool Forms::exitRequested()
{
    return exiting();
}

void Forms::reset()
{
    for (QWidget *form : loadedInOrder())
        form->deleteLater();
    registry().clear();
    exiting() = false;
    unloadingAll() = false;
}

void ExitApplication()
{
    Forms::exiting() = true;
    if (!Forms::unloadingAll()) {
        Forms::unloadingAll() = true;
        // An unload step may load another window (the main window's shows the
        // exit screen) or call back in here; go on until nothing is loaded. A
        // window that is still loaded after its unload step has run is taken
        // down without it, and so is every window once an unload step has run
        // for each of too many windows: the end never depends on them.
        int unloadSteps = 0;
        while (!Forms::loadedInOrder().isEmpty()) {
            QWidget *form = Forms::loadedInOrder().constFirst();
            if (++unloadSteps <= MaxUnloadSteps)
                ignoringErrors([form] { form->close(); });
            Forms::unloaded(form);
        }
        // Whatever an unload step showed goes as well: no window remains.
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->isVisible())
                window->hide();
        // Nothing the program stores may be lost on the way out.
        platform().settings->flush();
        Forms::unloadingAll() = false;
    }
    // Ends the event loop, and every nested one, as soon as the current event
    // handler returns; before the loop has started the entry point sees
    // exitRequested() and ends at once.
    QCoreApplication::exit(0);
}

} // namespace qx
