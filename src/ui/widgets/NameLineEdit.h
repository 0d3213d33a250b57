#pragma once

#include <QLineEdit>

namespace qx {

// A name box of the main window (txtName, txtFriendName). Each typed
// character goes through its key filter (keyPressEvent): letters come out as
// capitals; blank, Enter and Backspace pass; every other character, control
// characters such as Ctrl+V and pasting by keyboard included, is refused with
// a message. Alt combinations that are nobody's access key type nothing. Text
// that arrives otherwise (the context menu's Paste, a middle click, a drop)
// is cut down to capitals and blanks before it goes in, and goes in as one
// step that the context menu's Undo takes back whole, what was typed before
// it staying undoable. A name holds at most QLineEdit's 32,767 characters,
// far more than any name and few enough that laying out and drawing them
// stays quick: a longer paste or drop keeps its first characters, so pasting
// megabytes cannot hang the program.
class NameLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit NameLineEdit(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Inserts what a name keeps of the text in place of the selection, as an
    // undo step of its own.
    void insertName(const QString &text);
    // Ends the current undo step, changing nothing else.
    void endUndoStep();
};

} // namespace qx
