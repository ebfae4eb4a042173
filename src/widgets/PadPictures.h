#pragma once

#include <QPixmap>
#include <QString>

namespace tarn {

// The backgrounds of the pan/tilt pad, chosen by the "PTImage" setting. They
// are drawn for the pad's actual size instead of being stored as bitmaps, so
// they stay sharp at any pad size and screen scale. Every picture keeps the
// centre cross visible: the operator aims with it.
class PadPictures final {
public:
    PadPictures() = delete;

    // "PTImage" values: 0 "None" (the plain grey pad) and 1 to 7.
    static constexpr int None = 0;
    static constexpr int Count = 8;
    static constexpr int DefaultPicture = 7;

    // The name the Setup dialog lists, "None" to "My Favorite"; empty outside 0..7.
    static QString name(int picture);

    // The picture at the pad's size (logical pixels). A null pixmap for "None"
    // and for any value outside 1..7: the pad then paints itself plain.
    static QPixmap render(int picture, QSize size, qreal devicePixelRatio = 1.0);
};

} // namespace tarn
