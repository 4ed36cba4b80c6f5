// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Reading a theme's pictures for the screen they are shown on.

#include <QImage>
#include <string>

namespace wc {

// The picture at path; on a surface of device pixel ratio above 1 its
// twice-sized "@2x" companion where the theme has one (device pixel ratio 2,
// so it covers the same logical size). A missing file gives an empty image.
QImage LoadThemePicture(const std::string& path, qreal dpr);

}  // namespace wc
