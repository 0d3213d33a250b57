#pragma once

#include <QPlainTextEdit>

#include <limits>

namespace qx {

// A multi-line text box that holds no more than maxLength() characters, as a
// line edit with a maximum length does: what is pasted or dropped is cut to
// the room left, and typing stops at the bound. (Laying out a pasted word a
// megabyte long would hold the window for minutes.)
class BoundedTextEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit BoundedTextEdit(QWidget *parent = nullptr);

    int maxLength() const { return m_maxLength; }
    void setMaxLength(int length) { m_maxLength = length; }

protected:
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    // How many characters may still go in, in place of the selection.
    qsizetype roomLeft() const;

    int m_maxLength = std::numeric_limits<int>::max();
};

} // namespace qx
