#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>

class QPainter;

namespace tavro {

// Where a picture is drawn: the box it fills in device pixels, and the window that keeps it.
struct PicturePlace
{
    QSize pixels;
    // The window whose widget draws the picture; none for a picture drawn off screen (the picker
    // draws each frame into an image first) or handed to a menu: the process keeps those.
    const QObject* window = nullptr;

    // `size`, in the painter's coordinates, drawn through `painter`.
    static PicturePlace drawnBy(const QPainter& painter, QSizeF size);
    // `size` in points, kept by the process, in the pixels of the densest screen.
    static PicturePlace forProcess(QSizeF size);
};

// Pictures kept at the size they are drawn, each under a key naming its source (main thread only).
// A source has one picture for the process and one for each window that draws it larger, each decoded
// for the largest box asked of it so far, rounded up to whole steps of kStep pixels so that a picture
// growing a little in an animation is not decoded again; a smaller box is drawn from it. A larger box
// replaces the picture, and a window's pictures go with the window.
namespace PictureCache {

inline constexpr int kStep = 16;
// No box is decoded larger: a picture drawn larger is scaled up by the painter.
inline constexpr int kMaxSide = 1024;

// Decodes the source for a box of device pixels; none when it does not load.
using Decode = std::function<std::optional<QImage>(QSize box)>;

// The picture of `key` for `place`, decoded by `decode` when no picture kept covers the place. When
// `decode` gives none, the smaller picture kept for the place, or none.
std::optional<QImage> picture(const QString& key, const PicturePlace& place, const Decode& decode);

// The bytes of every picture kept.
qsizetype keptBytes();

} // namespace PictureCache

} // namespace tavro
