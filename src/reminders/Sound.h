// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Event sounds: a wave file played once, in the background.

#include <QString>

namespace wc {

// Plays the wave file once without waiting for it; a new sound stops the one
// still playing, as the system's event-sound call does. A file that is
// missing or cannot be played gives silence: no fallback sound, no message.
void PlayWaveAsync(const QString& path);

}  // namespace wc
