// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The hot-key value: the one form a key combination is stored and passed in on
// every platform. The low byte is a Windows virtual-key code; the modifiers sit
// in the toolkit's shortcut bits. 0 means "no hot key".

#include <cstdint>
#include <string>

namespace wc {

using HotKeyValue = std::uint32_t;

inline constexpr HotKeyValue kHotKeyShift = 0x2000;
inline constexpr HotKeyValue kHotKeyCtrl = 0x4000;
inline constexpr HotKeyValue kHotKeyAlt = 0x8000;
inline constexpr HotKeyValue kHotKeyWin = 0x10000;
inline constexpr HotKeyValue kHotKeyModifiers = kHotKeyShift | kHotKeyCtrl | kHotKeyAlt | kHotKeyWin;

inline constexpr std::uint8_t HotKeyVirtualKey(HotKeyValue v) { return static_cast<std::uint8_t>(v & 0xFF); }
inline constexpr HotKeyValue HotKeyModifierBits(HotKeyValue v) { return v & kHotKeyModifiers; }

// The name every registration carries: "HotKeyManagerHotKey" + decimal value.
std::string HotKeyRegistrationName(HotKeyValue v);

// The Windows RegisterHotKey modifier flags of a value (MOD_ALT 1,
// MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8) and back.
unsigned HotKeyWindowsModifiers(HotKeyValue v);
HotKeyValue HotKeyFromWindows(unsigned virtualKey, unsigned windowsModifiers);

// The X11 key symbol of a virtual-key code (US layout for the punctuation
// keys); 0 when the code has no key on X11.
std::uint32_t VirtualKeyToKeySym(std::uint8_t virtualKey);

// The key's name as a hot-key field shows it ("A", "F5", "Num 3", "Page Up");
// empty for an unknown code.
std::string VirtualKeyName(std::uint8_t virtualKey);

// "Ctrl + Shift + C"; "None" for 0.
std::string HotKeyText(HotKeyValue v);

}  // namespace wc
