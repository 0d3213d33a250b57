#include "ui/ProgramIcon.h"

#include "ui/WindowIconPixels.h"

#include <limits>

namespace qx {

namespace {

// The window system receives a window's icon whole, at every size the icon
// holds, each time a window is shown. Launchers and task switchers that show
// the program larger take the installed theme icons.
constexpr int LargestWindowIconSize = 64;

QIcon iconOfSizesUpTo(int largest, Qt::ImageConversionFlags conversion)
{
    QIcon icon;
    for (const windowicon::Size &size : windowicon::Sizes) {
        if (size.size <= largest)
            icon.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar *>(size.pixels), size.size, size.size,
                                                     size.size * 4, size.format),
                                              conversion));
    }
    return icon;
}

} // namespace

QIcon programIcon()
{
    // Each pixmap keeps the built-in pixels as they are, unpremultiplied,
    // without a copy: the window system takes a window's icon in just that
    // format, so showing a window converts nothing either.
    static const QIcon icon = iconOfSizesUpTo(LargestWindowIconSize, Qt::NoFormatConversion);
    return icon;
}

QPixmap programPicture(const QSize &size, qreal devicePixelRatio)
{
    // Premultiplied, as pixmaps are for drawing.
    static const QIcon everySize = iconOfSizesUpTo(std::numeric_limits<int>::max(), Qt::AutoColor);
    return everySize.pixmap(size, devicePixelRatio);
}

} // namespace qx
