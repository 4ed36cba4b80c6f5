#pragma once
// Whether the desktop composites windows: then a window may be translucent
// per pixel and have an opacity of its own; otherwise only a shape.

namespace wc {

// X11: the compositing manager selection _NET_WM_CM_S<screen> has an owner.
// Wayland and Windows always composite; the offscreen platform never does.
bool DesktopComposites();

}  // namespace wc
