#pragma once

class QWidget;

namespace tavro::CenteredWindowTitle {

// Centres a window's title in its title bar. Windows here get their title bar from the window
// manager, which Tavro cannot draw into, so there is no title-bar view to add a label to and the
// window is left as it is; the window keeps its title.
void apply(QWidget* window);

} // namespace tavro::CenteredWindowTitle
