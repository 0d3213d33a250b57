#include "core/SettingsEncoding.h"

namespace qx {

namespace {

constexpr int Shift = 85;
constexpr int HighestCode = 255;

QString shifted(const QString &text, int by)
{
    QString result;
    for (const QChar character : text) {
        const int code = character.unicode();
        if (code > HighestCode)
            continue;
        const int moved = code + by;
        if (moved < 0 || moved > HighestCode)
            continue;
        result.append(QChar(moved));
    }
    return result;
}

} // namespace

QString EncodeSetting(const QString &text)
{
    return shifted(text, Shift);
}

QString DecodeSetting(const QString &text)
{
    return shifted(text, -Shift);
}

} // namespace qx
