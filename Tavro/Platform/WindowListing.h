#pragma once
// Stands for a panel's collection behaviour (transient, no Dock or window-switcher entry): on an
// X11 desktop, the window states that keep a window out of taskbars and pagers.

class QWidget;

namespace tavro::WindowListing {

// Marks `window`, before it is first shown, as one that no taskbar or pager lists. Does nothing
// off X11.
void keepOutOfWindowLists(QWidget* window);

} // namespace tavro::WindowListing
