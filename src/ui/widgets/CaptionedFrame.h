#pragma once

#include <QGroupBox>

namespace qx {

// A frame with a caption (fraFriendshipCompatibility, the exit screen's
// Frame2), drawn by the application's style with its inside in the frame's
// own colour, exactly as outside the frame. Some styles lay an even shade
// over the whole inside of such a frame (Fusion darkens it by a level or
// two): its lines are drawn, the shade is left out.
class CaptionedFrame : public QGroupBox {
    Q_OBJECT

public:
    explicit CaptionedFrame(QWidget *parent = nullptr);
};

} // namespace qx
