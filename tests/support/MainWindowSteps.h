#pragma once

// What the user does in the main window, as steps of the window tests.

#include "support/Windows.h"
#include "ui/FrmDisplay.h"
#include "ui/FrmMain.h"
#include "ui/FrmNagScreen2.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace qx::test {

// The main window, loaded if need be, shown and active.
inline FrmMain *mainWindow()
{
    FrmMain *main = Forms::get<FrmMain>();
    if (!showActive(main))
        qWarning("main window did not become active");
    return main;
}

// Picks a date by list positions: day 1 to 31, month 1 to 12.
inline void pickDate(QComboBox *days, QComboBox *months, int day, int month)
{
    days->setCurrentIndex(day - 1);
    months->setCurrentIndex(month - 1);
}

// Fills in both persons as the user would, by typing into the name boxes.
inline void enterPersons(FrmMain *main, const QString &name, int day, int month, const QString &friendName,
                         int friendDay, int friendMonth)
{
    auto *txtName = control<QLineEdit>(main, "txtName");
    auto *txtFriendName = control<QLineEdit>(main, "txtFriendName");
    txtName->clear();
    txtFriendName->clear();
    QTest::keyClicks(txtName, name);
    QTest::keyClicks(txtFriendName, friendName);
    pickDate(control<QComboBox>(main, "cboDate"), control<QComboBox>(main, "cboMonth"), day, month);
    pickDate(control<QComboBox>(main, "cboFriendDate"), control<QComboBox>(main, "cboFriendMonth"), friendDay,
             friendMonth);
}

inline QString labelText(const QWidget *window, const char *name)
{
    return control<QLabel>(window, name)->text();
}

// The centre of a control in the coordinates of its window, for mouse
// events that the window hands to whatever lies on top at that point.
inline QPoint centreInWindow(const QWidget *widget)
{
    return widget->mapTo(widget->window(), widget->rect().center());
}

} // namespace qx::test
