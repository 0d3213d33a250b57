#include "Forms.h"

#include "Platform.h"

#include <QCoreApplication>

namespace qx {

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
    form->hide();
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
        // An unload step may load another window (the exit screen) or call
        // back in here; keep going until nothing is loaded.
        while (!Forms::loadedInOrder().isEmpty()) {
            QWidget *form = Forms::loadedInOrder().constFirst();
            form->close();
            // A window whose unload step did not finish is taken down anyway.
            Forms::unloaded(form);
        }
        // Nothing the program stores may be lost on the way out.
        if (SettingsStore *settings = platform().settings)
            settings->flush();
        Forms::unloadingAll() = false;
    }
    QCoreApplication::exit(0);
}

} // namespace qx
