#include "ui/widgets/NameValidator.h"

namespace qx {

NameValidator::NameValidator(QObject *parent)
    : QValidator(parent)
{
}

QValidator::State NameValidator::validate(QString &input, int &cursor) const
{
    QString kept;
    kept.reserve(input.size());
    int keptCursor = cursor;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const char16_t code = input.at(i).unicode();
        if (code == u' ' || (code >= u'A' && code <= u'Z'))
            kept.append(QChar(code));
        else if (code >= u'a' && code <= u'z')
            kept.append(QChar(char16_t(code - 32)));
        else if (i < cursor)
            --keptCursor;
    }
    input = kept;
    cursor = keptCursor;
    return Acceptable;
}

} // namespace qx
