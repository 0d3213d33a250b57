#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

namespace qx {

// The program's loaded windows, in the order they were loaded.
//
// A window is created on first reference (get<T>()) and counts as loaded from
// then until its unload step has run. A window's unload step is its
// closeEvent(), which ends with Forms::unloaded(this); closing a window with
// close() or its close box therefore unloads it.
class Forms {
public:
    // The loaded window of type T, created and loaded first if there is none.
    template <class T>
    static T *get()
    {
        if (T *form = find<T>())
            return form;
        auto *form = new T;
        loaded(form);
        return form;
    }

    // The loaded window of type T, or nullptr; never creates one.
    template <class T>
    static T *find()
    {
        for (const QPointer<QWidget> &form : registry())
            if (auto *typed = qobject_cast<T *>(form.data()))
                return typed;
        return nullptr;
    }

    // Hides the loaded window of type T, if there is one.
    template <class T>
    static void hide()
    {
        if (T *form = find<T>())
            form->hide();
    }

    // Records a window as loaded (get<T>() does this itself).
    static void loaded(QWidget *form);
    // Called at the end of a window's unload step: forgets it and destroys it
    // once the current event is done.
    static void unloaded(QWidget *form);
    static bool isLoaded(const QWidget *form);
    static QList<QWidget *> loadedInOrder();

    // True once ExitApplication has run: the program is ending.
    static bool exitRequested();
    // Forgets every window and the exit request; for tests only.
    static void reset();

private:
    friend void ExitApplication();
    static QList<QPointer<QWidget>> &registry();
    static bool &exiting();
    static bool &unloadingAll();
};

// The one way the program ends. Unloads every loaded window in load order,
// running each unload step (a step may show or load another window, which
// goes too, or call ExitApplication again: the inner call only confirms the
// end); hides whatever is still on screen, writes what the program stores to
// disk and ends the event loop. Before the loop has started, the entry point
// sees exitRequested() and ends at once.
void ExitApplication();

} // namespace qx
