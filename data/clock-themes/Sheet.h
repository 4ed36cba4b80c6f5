// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Draws every analog theme at every size, with hands, cap and texts at a fixed
// time, and every digital theme with and without its date line, from the
// theme files under folder.
bool drawSheet(const QString& folder, const QString& pngPath);
