#pragma once

class QWidget;

namespace tavro {

// Shows the pointing-hand cursor while the pointer is over `widget`. The cursor belongs to the
// widget, not to a process-wide stack, so it cannot outlive a widget that goes away under the
// pointer.
void pointingHandCursor(QWidget* widget);

} // namespace tavro
