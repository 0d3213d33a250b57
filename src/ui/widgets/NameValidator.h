#pragma once

#include <QValidator>

namespace qx {

// Keeps a name box to capitals and blanks whatever way text gets in (paste,
// drag and drop, setText): letters A to Z become capitals, blanks stay and
// every other character is dropped.
class NameValidator : public QValidator {
    Q_OBJECT

public:
    explicit NameValidator(QObject *parent = nullptr);

    State validate(QString &input, int &cursor) const override;

    // What a name keeps of a text: its letters A to Z as capitals, and its blanks.
    static QString kept(const QString &text);
};

} // namespace qx
