#include "ui/widgets/NameValidator.h"

namespace qx {

namespace {

// What a name keeps of a character: a letter A to Z as a capital, a blank as
// it is; 0 for every other character.
char16_t keptCharacter(char16_t code)
{
    if (code == u' ' || (code >= u'A' && code <= u'Z'))
        return code;
    if (code >= u'a' && code <= u'z')
        return char16_t(code - 32);
    return 0;
}

} // namespace

NameValidator::NameValidator(QObject *parent)
    : QValidator(parent)
{
}

QValidator::State NameValidator::validate(QString &input, int &cursor) const
{
    QString kept;
    int keptCursor = cursor;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (const char16_t code = keptCharacter(input.at(i).unicode()))
            kept.append(QChar(code));
        else if (i < cursor)
            --keptCursor;
    }
    input = kept;
    cursor = keptCursor;
    return Acceptable;
}

QString NameValidator::kept(const QString &text)
{
    QString kept;
    for (const QChar character : text)
        if (const char16_t code = keptCharacter(character.unicode()))
            kept.append(QChar(code));
    return kept;
}

} // namespace qx
