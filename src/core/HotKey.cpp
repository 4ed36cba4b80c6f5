// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HotKey.h"

#include <array>

namespace wc {

namespace {

struct VirtualKeyInfo {
  std::uint8_t vk;
  std::uint32_t keysym;
  const char* name;
};

// Keys a hot-key field can record, besides the letters, digits and function
// keys handled in code below. Punctuation follows the US layout, as the
// virtual-key codes do.
constexpr std::array kKeys{
    VirtualKeyInfo{0x08, 0xFF08, "Backspace"},
    VirtualKeyInfo{0x09, 0xFF09, "Tab"},
    VirtualKeyInfo{0x0C, 0xFF0B, "Clear"},
    VirtualKeyInfo{0x0D, 0xFF0D, "Enter"},
    VirtualKeyInfo{0x13, 0xFF13, "Pause"},
    VirtualKeyInfo{0x14, 0xFFE5, "Caps Lock"},
    VirtualKeyInfo{0x1B, 0xFF1B, "Esc"},
    VirtualKeyInfo{0x20, 0x0020, "Space"},
    VirtualKeyInfo{0x21, 0xFF55, "Page Up"},
    VirtualKeyInfo{0x22, 0xFF56, "Page Down"},
    VirtualKeyInfo{0x23, 0xFF57, "End"},
    VirtualKeyInfo{0x24, 0xFF50, "Home"},
    VirtualKeyInfo{0x25, 0xFF51, "Left"},
    VirtualKeyInfo{0x26, 0xFF52, "Up"},
    VirtualKeyInfo{0x27, 0xFF53, "Right"},
    VirtualKeyInfo{0x28, 0xFF54, "Down"},
    VirtualKeyInfo{0x2C, 0xFF61, "Print Screen"},
    VirtualKeyInfo{0x2D, 0xFF63, "Insert"},
    VirtualKeyInfo{0x2E, 0xFFFF, "Delete"},
    VirtualKeyInfo{0x5D, 0xFF67, "Menu"},
    VirtualKeyInfo{0x6A, 0xFFAA, "Num *"},
    VirtualKeyInfo{0x6B, 0xFFAB, "Num +"},
    VirtualKeyInfo{0x6D, 0xFFAD, "Num -"},
    VirtualKeyInfo{0x6E, 0xFFAE, "Num Del"},
    VirtualKeyInfo{0x6F, 0xFFAF, "Num /"},
    VirtualKeyInfo{0x90, 0xFF7F, "Num Lock"},
    VirtualKeyInfo{0x91, 0xFF14, "Scroll Lock"},
    VirtualKeyInfo{0xAD, 0x1008FF12, "Mute"},
    VirtualKeyInfo{0xAE, 0x1008FF11, "Volume Down"},
    VirtualKeyInfo{0xAF, 0x1008FF13, "Volume Up"},
    VirtualKeyInfo{0xB0, 0x1008FF17, "Next Track"},
    VirtualKeyInfo{0xB1, 0x1008FF16, "Previous Track"},
    VirtualKeyInfo{0xB2, 0x1008FF15, "Stop"},
    VirtualKeyInfo{0xB3, 0x1008FF14, "Play/Pause"},
    VirtualKeyInfo{0xBA, 0x003B, ";"},
    VirtualKeyInfo{0xBB, 0x003D, "="},
    VirtualKeyInfo{0xBC, 0x002C, ","},
    VirtualKeyInfo{0xBD, 0x002D, "-"},
    VirtualKeyInfo{0xBE, 0x002E, "."},
    VirtualKeyInfo{0xBF, 0x002F, "/"},
    VirtualKeyInfo{0xC0, 0x0060, "`"},
    VirtualKeyInfo{0xDB, 0x005B, "["},
    VirtualKeyInfo{0xDC, 0x005C, "\\"},
    VirtualKeyInfo{0xDD, 0x005D, "]"},
    VirtualKeyInfo{0xDE, 0x0027, "'"},
};

const VirtualKeyInfo* Find(std::uint8_t vk) {
  for (const auto& k : kKeys)
    if (k.vk == vk) return &k;
  return nullptr;
}

}  // namespace

std::string HotKeyRegistrationName(HotKeyValue v) { return "HotKeyManagerHotKey" + std::to_string(v); }

unsigned HotKeyWindowsModifiers(HotKeyValue v) {
  unsigned m = 0;
  if (v & kHotKeyAlt) m |= 1;
  if (v & kHotKeyCtrl) m |= 2;
  if (v & kHotKeyShift) m |= 4;
  if (v & kHotKeyWin) m |= 8;
  return m;
}

HotKeyValue HotKeyFromWindows(unsigned virtualKey, unsigned windowsModifiers) {
  HotKeyValue v = virtualKey & 0xFF;
  if (windowsModifiers & 4) v += kHotKeyShift;
  if (windowsModifiers & 2) v += kHotKeyCtrl;
  if (windowsModifiers & 1) v += kHotKeyAlt;
  if (windowsModifiers & 8) v += kHotKeyWin;
  return v;
}

std::uint32_t VirtualKeyToKeySym(std::uint8_t vk) {
  if (vk >= 'A' && vk <= 'Z') return static_cast<std::uint32_t>(vk - 'A' + 'a');  // the unshifted symbol
  if (vk >= '0' && vk <= '9') return vk;
  if (vk >= 0x60 && vk <= 0x69) return 0xFFB0u + (vk - 0x60u);  // KP_0 ... KP_9
  if (vk >= 0x70 && vk <= 0x87) return 0xFFBEu + (vk - 0x70u);  // F1 ... F24
  const VirtualKeyInfo* k = Find(vk);
  return k ? k->keysym : 0;
}

std::string VirtualKeyName(std::uint8_t vk) {
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, static_cast<char>(vk));
  if (vk >= 0x60 && vk <= 0x69) return "Num " + std::to_string(vk - 0x60);
  if (vk >= 0x70 && vk <= 0x87) return "F" + std::to_string(vk - 0x70 + 1);
  const VirtualKeyInfo* k = Find(vk);
  return k ? k->name : std::string();
}

std::string HotKeyText(HotKeyValue v) {
  if (v == 0) return "None";
  std::string s;
  if (v & kHotKeyWin) s += "Win + ";
  if (v & kHotKeyCtrl) s += "Ctrl + ";
  if (v & kHotKeyShift) s += "Shift + ";
  if (v & kHotKeyAlt) s += "Alt + ";
  const std::uint8_t vk = HotKeyVirtualKey(v);
  if (vk == 0) return s;  // modifiers held, no key yet
  std::string name = VirtualKeyName(vk);
  if (name.empty()) name = "Key " + std::to_string(vk);
  return s + name;
}

}  // namespace wc
