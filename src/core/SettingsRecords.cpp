// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SettingsRecords.h"

#include <algorithm>

#include "ByteOrder.h"
#include "Text.h"

namespace wc {

namespace {

// LOGFONTW field offsets within the font record.
constexpr std::size_t kHeightAt = 4;
constexpr std::size_t kBytesAt = 24;  // italic .. pitchAndFamily
constexpr std::size_t kFaceAt = 32;

}  // namespace

std::string FontRecord::face() const {
  const std::u16string_view v(faceName.data(), faceName.size());
  return Utf16ToUtf8(v.substr(0, v.find(u'\0')));
}

void FontRecord::setFace(std::string_view utf8) {
  std::u16string w = Utf8ToUtf16(utf8);
  if (w.size() > kFaceChars - 1) {
    w.resize(kFaceChars - 1);
    if (w.back() >= 0xD800 && w.back() <= 0xDBFF) w.pop_back();  // half a surrogate pair
  }
  faceName.fill(u'\0');
  std::copy(w.begin(), w.end(), faceName.begin());
}

std::array<std::uint8_t, FontRecord::kSize> FontRecord::encode() const {
  std::array<std::uint8_t, kSize> b{};
  PutLe32(&b[0], colour);
  const std::int32_t ints[] = {height, width, escapement, orientation, weight};
  for (std::size_t i = 0; i < 5; ++i) PutLe32(&b[kHeightAt + 4 * i], static_cast<std::uint32_t>(ints[i]));
  const std::uint8_t bytes[] = {italic,       underline,     strikeOut, charSet,
                                outPrecision, clipPrecision, quality,   pitchAndFamily};
  std::copy(std::begin(bytes), std::end(bytes), b.begin() + kBytesAt);
  for (std::size_t i = 0; i < kFaceChars; ++i) PutLe16(&b[kFaceAt + 2 * i], faceName[i]);
  return b;
}

std::optional<FontRecord> FontRecord::decode(std::span<const std::uint8_t> b) {
  if (b.size() != kSize) return std::nullopt;
  FontRecord f;
  f.colour = GetLe32(&b[0]);
  std::int32_t* ints[] = {&f.height, &f.width, &f.escapement, &f.orientation, &f.weight};
  for (std::size_t i = 0; i < 5; ++i) *ints[i] = GetLe32Signed(&b[kHeightAt + 4 * i]);
  std::uint8_t* bytes[] = {&f.italic,       &f.underline,     &f.strikeOut, &f.charSet,
                           &f.outPrecision, &f.clipPrecision, &f.quality,   &f.pitchAndFamily};
  for (std::size_t i = 0; i < 8; ++i) *bytes[i] = b[kBytesAt + i];
  for (std::size_t i = 0; i < kFaceChars; ++i) f.faceName[i] = GetLe16(&b[kFaceAt + 2 * i]);
  return f;
}

std::array<std::uint8_t, PlacementRecord::kSize> PlacementRecord::encode() const {
  std::array<std::uint8_t, kSize> b{};
  b[0] = state;
  std::copy(reserved.begin(), reserved.end(), b.begin() + 1);
  PutLe32(&b[4], static_cast<std::uint32_t>(top));
  PutLe32(&b[8], static_cast<std::uint32_t>(left));
  PutLe32(&b[12], static_cast<std::uint32_t>(width));
  PutLe32(&b[16], static_cast<std::uint32_t>(height));
  return b;
}

std::optional<PlacementRecord> PlacementRecord::decode(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > kSize) return std::nullopt;
  std::array<std::uint8_t, kSize> b{};
  std::copy(bytes.begin(), bytes.end(), b.begin());
  PlacementRecord p;
  p.state = b[0];
  std::copy(b.begin() + 1, b.begin() + 4, p.reserved.begin());
  p.top = GetLe32Signed(&b[4]);
  p.left = GetLe32Signed(&b[8]);
  p.width = GetLe32Signed(&b[12]);
  p.height = GetLe32Signed(&b[16]);
  return p;
}

}  // namespace wc
