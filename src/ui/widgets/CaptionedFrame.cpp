#include "ui/widgets/CaptionedFrame.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

#include <utility>

namespace qx {

namespace {

// The stretch of a line of pixels around its middle pixel that has the
// middle pixel's colour: the first and the last of them.
std::pair<int, int> evenStretch(int length, int middle, const auto &pixelAt)
{
    const QRgb even = pixelAt(middle);
    int first = middle;
    while (first > 0 && pixelAt(first - 1) == even)
        --first;
    int last = middle;
    while (last + 1 < length && pixelAt(last + 1) == even)
        ++last;
    return {first, last};
}

// The application's style, but for a frame's inside: where the style's frame
// lies evenly across the middle, nothing of it is drawn. The lines a style
// draws around the inside differ from it, and stay.
class EvenInsideStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element != PE_FrameGroupBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        painter->save();
        painter->setClipRegion(QRegion(option->rect).subtracted(evenInside(option, widget)), Qt::IntersectClip);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        painter->restore();
    }

private:
    // One line of the frame's drawing, on nothing.
    QImage drawnLine(const QRect &line, const QStyleOption *option, const QWidget *widget) const
    {
        QImage image(line.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.translate(-line.topLeft());
        QProxyStyle::drawPrimitive(PE_FrameGroupBox, option, &painter, widget);
        return image;
    }

    // What the frame's drawing covers evenly around its middle, found along
    // the line across the middle and the line down through it.
    QRect evenInside(const QStyleOption *option, const QWidget *widget) const
    {
        const QRect frame = option->rect;
        const QPoint middle = frame.center() - frame.topLeft();
        const QImage across = drawnLine(QRect(frame.left(), frame.top() + middle.y(), frame.width(), 1), option,
                                        widget);
        const QImage down = drawnLine(QRect(frame.left() + middle.x(), frame.top(), 1, frame.height()), option, widget);
        const auto [left, right] = evenStretch(frame.width(), middle.x(), [&](int x) { return across.pixel(x, 0); });
        const auto [top, bottom] = evenStretch(frame.height(), middle.y(), [&](int y) { return down.pixel(0, y); });
        return QRect(QPoint(left, top), QPoint(right, bottom)).translated(frame.topLeft());
    }
};

} // namespace

CaptionedFrame::CaptionedFrame(QWidget *parent)
    : QGroupBox(parent)
{
    // A style of its own, made on the application's, and gone with the frame.
    auto *style = new EvenInsideStyle(QApplication::style()->name());
    style->setParent(this);
    setStyle(style);
}

} // namespace qx
