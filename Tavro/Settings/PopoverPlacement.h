#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace tavro::PopoverPlacement {

// Where a popover of `size` opens for `anchor`, in global coordinates: centred below it with
// `gap` between them, above it when the screen has no room below, and moved along the screen's
// edges so that all of it stays on the anchor's screen.
QPoint topLeft(const QWidget& anchor, QSize size, int gap);

} // namespace tavro::PopoverPlacement
