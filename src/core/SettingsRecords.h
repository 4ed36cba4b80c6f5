// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The two binary records of the settings store, with their byte layouts
// fixed here (little-endian, no padding) rather than by any compiler's idea of
// a struct.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace wc {

// A font with its colour: 4 bytes of colour (red in the low byte) followed by
// a LOGFONTW (92 bytes).
struct FontRecord {
  static constexpr std::size_t kSize = 96;
  static constexpr std::size_t kFaceChars = 32;

  std::uint32_t colour = 0;
  std::int32_t height = 0;
  std::int32_t width = 0;
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  std::int32_t weight = 0;
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strikeOut = 0;
  std::uint8_t charSet = 0;
  std::uint8_t outPrecision = 0;
  std::uint8_t clipPrecision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitchAndFamily = 0;
  std::array<char16_t, kFaceChars> faceName{};  // NUL-padded

  // The face name up to its NUL, as UTF-8.
  std::string face() const;
  // Cut to 31 UTF-16 units so that a NUL always ends it.
  void setFace(std::string_view utf8);

  std::array<std::uint8_t, kSize> encode() const;
  // Only a value of exactly 96 bytes is a font.
  static std::optional<FontRecord> decode(std::span<const std::uint8_t> bytes);

  bool operator==(const FontRecord&) const = default;
};

enum class WindowState : std::uint8_t { Normal = 0, Minimized = 1, Maximized = 2 };

// A window's placement: state byte, three zero bytes, then top, left, width
// and height in screen pixels.
struct PlacementRecord {
  static constexpr std::size_t kSize = 20;

  std::uint8_t state = 0;  // a WindowState, kept as stored
  std::array<std::uint8_t, 3> reserved{};
  std::int32_t top = 0;
  std::int32_t left = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;

  std::array<std::uint8_t, kSize> encode() const;
  // A shorter value is read as far as it goes, the rest counting as zero; a
  // longer one is not a placement.
  static std::optional<PlacementRecord> decode(std::span<const std::uint8_t> bytes);

  bool operator==(const PlacementRecord&) const = default;
};

}  // namespace wc
