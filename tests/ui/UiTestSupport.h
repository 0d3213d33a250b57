#pragma once

// Shared steps of the window tests: loading and unloading the program's
// windows, reaching their controls by name, and typing and picking entries.

#include "Forms.h"
#include "FrmDisplay.h"
#include "FrmMain.h"
#include "FrmNagScreen2.h"
#include "ProgramReport.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace qx::test {

// The named control of a window; fails the test when it is missing.
template <class T>
T *control(const QWidget *window, const char *name)
{
    T *widget = window ? window->findChild<T *>(QLatin1String(name)) : nullptr;
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

// Forgets every window, destroys them and empties the program's report, so
// that each test starts as the program does.
inline void UnloadAllWindows()
{
    Forms::reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ProgramReport() = FriendshipReport{};
}

// Shows a window and waits until it is the active one.
inline bool ShowActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// The main window, loaded if need be, shown and active.
inline FrmMain *MainWindow()
{
    FrmMain *main = Forms::get<FrmMain>();
    if (!ShowActive(main))
        qWarning("main window did not become active");
    return main;
}

// Picks a date by list positions: day 1 to 31, month 1 to 12.
inline void PickDate(QComboBox *days, QComboBox *months, int day, int month)
{
    days->setCurrentIndex(day - 1);
    months->setCurrentIndex(month - 1);
}

// Fills in both persons as the user would, by typing into the name boxes.
inline void EnterPersons(FrmMain *main, const QString &name, int day, int month,
                         const QString &friendName, int friendDay, int friendMonth)
{
    auto *txtName = control<QLineEdit>(main, "txtName");
    auto *txtFriendName = control<QLineEdit>(main, "txtFriendName");
    txtName->clear();
    txtFriendName->clear();
    QTest::keyClicks(txtName, name);
    QTest::keyClicks(txtFriendName, friendName);
    PickDate(control<QComboBox>(main, "cboDate"), control<QComboBox>(main, "cboMonth"), day, month);
    PickDate(control<QComboBox>(main, "cboFriendDate"), control<QComboBox>(main, "cboFriendMonth"),
             friendDay, friendMonth);
}

inline QString LabelText(const QWidget *window, const char *name)
{
    return control<QLabel>(window, name)->text();
}

// The centre of a control in the coordinates of its window, for mouse
// events that the window hands to whatever lies on top at that point.
inline QPoint CentreInWindow(const QWidget *widget)
{
    return widget->mapTo(widget->window(), widget->rect().center());
}

} // namespace qx::test
