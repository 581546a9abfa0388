#pragma once
// Stands for the window server's compositing, which on a Mac always runs: whether a translucent
// window shows what lies below it. An X11 desktop without a compositing manager draws the
// transparent parts of a window black.

namespace tavro::Compositing {

// False only on an X11 display whose screen has no compositing manager (nobody owns the
// "_NET_WM_CM_S<screen>" selection); true elsewhere (Wayland, offscreen).
bool isActive();

} // namespace tavro::Compositing
