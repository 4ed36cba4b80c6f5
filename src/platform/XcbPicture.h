// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Pictures to and from X drawables of a TrueColor visual (depth 24 or 32 at
// 32 bits per pixel), the root window's wallpaper pixmap and the screen
// saver's window; and the small look-ups that go with them.

#include <xcb/xcb.h>

#include <QImage>

namespace wc {

// Uploads picture (Format_RGB32) with its top-left corner at (x, y), in
// requests the server accepts. False when the drawable's depth has no 32-bit
// pixel format.
bool PutPicture(xcb_connection_t* conn, xcb_drawable_t drawable, xcb_gcontext_t gc, std::uint8_t depth,
                const QImage& picture, int x, int y);

// Reads a drawable's pixels as Format_RGB32; a null image when it cannot.
QImage GetPicture(xcb_connection_t* conn, xcb_drawable_t drawable);

// The first screen's data of a connection.
xcb_screen_t* FirstScreen(xcb_connection_t* conn);

// The atom of a name, made when missing; XCB_ATOM_NONE when the server
// does not answer.
xcb_atom_t InternAtom(xcb_connection_t* conn, const char* name);

}  // namespace wc
