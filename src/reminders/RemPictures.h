// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The reminder windows' picture: a bell with an alarm dot, drawn rather than
// shipped so that it is sharp at every scale.

#include <QPixmap>

namespace wc {

QPixmap BellPicture(int size, qreal devicePixelRatio);

}  // namespace wc
