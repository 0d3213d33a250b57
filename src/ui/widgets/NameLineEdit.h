#pragma once

#include <QLineEdit>

namespace qx {

// A name box of the main window. Each typed character goes through the key
// filter of txtName_KeyPress / txtFriendName_KeyPress: letters come out as
// capitals; blank, Enter and Backspace pass; every other character, control
// characters such as Ctrl+V included, is refused with a message. Text that
// arrives otherwise (paste, drop) is cut down to capitals and blanks.
class NameLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit NameLineEdit(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace qx
