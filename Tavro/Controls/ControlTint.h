#pragma once

class QWidget;

namespace tavro {

// Qt's own controls (menus, check boxes, the segments of a segmented control, labels of formatted
// text) take their colours from a palette rather than from the named colour pairs; this gives
// every such control under `root` the pair resolved for its appearance now. Call again when the
// appearance changes.
void tintControls(QWidget* root);

} // namespace tavro
