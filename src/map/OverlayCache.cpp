// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/OverlayCache.h"

#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "map/LargeBuffer.h"
#include "map/Resample.h"

namespace wc {

namespace {

constexpr std::size_t kScaledKept = 3;  // the window, the wallpaper and one size change
constexpr std::size_t kTargetsKept = 4;
constexpr std::size_t kFontsKept = 6;
// What a moving terminator changes in a row: a span where it rises and one
// where it sets, with room to spare.
constexpr int kSpansPerRow = 8;

template <typename T>
T& LeastRecentlyUsed(std::vector<T>& items) {
  return *std::min_element(items.begin(), items.end(),
                           [](const T& a, const T& b) { return a.lastUse < b.lastUse; });
}

void CopyArea(const QImage& from, std::uint8_t* to, qsizetype toStride, const QRect& r) {
  const std::size_t bytes = static_cast<std::size_t>(r.width()) * 4;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    std::memcpy(to + static_cast<qsizetype>(y) * toStride + static_cast<qsizetype>(r.left()) * 4,
                from.constScanLine(y) + static_cast<qsizetype>(r.left()) * 4, bytes);
  }
}

void CopySpans(const QImage& from, std::uint8_t* to, qsizetype toStride, const RowSpans& spans) {
  for (int y = 0; y < spans.rows(); ++y) {
    for (const ColumnSpan& c : spans.row(y)) {
      std::memcpy(to + static_cast<qsizetype>(y) * toStride + static_cast<qsizetype>(c.begin) * 4,
                  from.constScanLine(y) + static_cast<qsizetype>(c.begin) * 4,
                  static_cast<std::size_t>(c.end - c.begin) * 4);
    }
  }
}

}  // namespace

// ---------------------------------------------------------------- base map changes

void BaseMapChanges::Prepare(int rows) {
  if (steps_.size() == kKept) return;
  steps_.resize(kKept);
  for (Step& s : steps_) s.spans.Reserve(rows, kSpansPerRow * rows);
  next_.Reserve(rows, kSpansPerRow * rows);
  united_.Reserve(rows, kSpansPerRow * rows);
  scratch_.Reserve(rows, kSpansPerRow * rows);
}

RowSpans& BaseMapChanges::Next() { return next_; }

void BaseMapChanges::Record(qint64 from, qint64 to) {
  if (steps_.size() < kKept) {
    steps_.emplace_back();
  } else {
    std::rotate(steps_.begin(), steps_.begin() + 1, steps_.end());  // the oldest is overwritten
  }
  Step& s = steps_.back();
  std::swap(s.spans, next_);  // and its memory is the next step's
  s.from = from;
  s.to = to;
}

void BaseMapChanges::Forget() {
  for (Step& s : steps_) s.from = s.to = 0;
}

const RowSpans* BaseMapChanges::Between(qint64 from, qint64 to) const {
  if (from == 0 || to == 0) return nullptr;
  // Back from the newest step that ends at `to` to the one that starts at `from`.
  auto step = std::find_if(steps_.rbegin(), steps_.rend(), [&](const Step& s) { return s.to == to; });
  const RowSpans* result = nullptr;
  for (; step != steps_.rend() && step->to == to; ++step) {
    if (!result) {
      result = &step->spans;
    } else {
      scratch_.Unite(*result, step->spans);
      std::swap(scratch_, united_);
      result = &united_;
    }
    if (step->from == from) return result;
    to = step->from;
  }
  return nullptr;
}

// ---------------------------------------------------------------- scaled base maps

ScaledBaseMaps::Scaled& ScaledBaseMaps::ScaledFor(const QImage& baseMap, QSize size,
                                                  const BaseMapChanges* changes) {
  const qint64 base = baseMap.cacheKey();
  for (Scaled& s : scaled_) {
    if (s.baseKey == base && s.image.size() == size) {
      s.lastUse = clock_;
      return s;
    }
  }
  // A stale copy of the same size is rescaled in its own memory.
  auto same =
      std::find_if(scaled_.begin(), scaled_.end(), [&](const Scaled& s) { return s.image.size() == size; });
  Scaled* s = nullptr;
  if (same != scaled_.end()) {
    s = &*same;
  } else if (scaled_.size() < kScaledKept) {
    s = &scaled_.emplace_back();
  } else {
    s = &LeastRecentlyUsed(scaled_);
  }
  const RowSpans* changed = changes && s->image.size() == size ? changes->Between(s->baseKey, base) : nullptr;
  const qint64 from = s->baseKey;
  s->baseKey = 0;
  s->updatedFrom = 0;
  if (changed && baseMap.format() == QImage::Format_RGB32) {
    ResampleBitmapChanged(baseMap, s->image, *changed, s->written);
    s->updatedFrom = from;
  } else {
    ReuseImage(s->image, size.width(), size.height());
    if (s->image.isNull()) throw std::bad_alloc();
    ResampleBitmap(baseMap, s->image);
    s->written.Reserve(size.height(), kSpansPerRow * size.height());
  }
  s->baseKey = base;
  s->lastUse = clock_;
  return *s;
}

void ScaledBaseMaps::Restore(QImage& target, const QImage& baseMap, const BaseMapChanges* changes) {
  ++clock_;
  matched_ = -1;
  if (target.format() != QImage::Format_RGB32) target = target.convertToFormat(QImage::Format_RGB32);
  const qint64 drawn = target.cacheKey();  // read before anything touches the target
  const Scaled& s = ScaledFor(baseMap, target.size(), changes);
  // The target as the last drawing left it: its record is reused, and when the
  // base map and size are the same only what that drawing covered is copied.
  for (std::size_t i = 0; i < targets_.size(); ++i) {
    const Target& t = targets_[i];
    if (t.drawnKey != drawn) continue;
    matched_ = static_cast<int>(i);
    if (t.size != target.size()) break;
    // Drawn over the same base map, or over the one the scaled copy was
    // last brought up to date from.
    const bool same = t.baseKey == s.baseKey,
               updated = !same && s.updatedFrom != 0 && t.baseKey == s.updatedFrom;
    if (same || updated) {
      std::uint8_t* bits = target.bits();
      for (const QRect& r : t.areas) CopyArea(s.image, bits, target.bytesPerLine(), r);
      if (updated) CopySpans(s.image, bits, target.bytesPerLine(), s.written);
      return;
    }
    break;
  }
  std::uint8_t* bits = target.bits();
  if (target.bytesPerLine() == s.image.bytesPerLine()) {
    std::memcpy(bits, s.image.constBits(), static_cast<std::size_t>(s.image.sizeInBytes()));
  } else {
    CopyArea(s.image, bits, target.bytesPerLine(), s.image.rect());
  }
}

void ScaledBaseMaps::Drawn(const QImage& target, const QImage& baseMap, std::vector<QRect>& areas) {
  const QRect bounds = target.rect();
  std::erase_if(areas, [&](QRect& r) {
    r = r.intersected(bounds);
    return r.isEmpty();
  });
  Target* t = nullptr;
  if (matched_ >= 0) {
    t = &targets_[static_cast<std::size_t>(matched_)];
  } else {
    targets_.reserve(kTargetsKept);
    t = targets_.size() < kTargetsKept ? &targets_.emplace_back() : &LeastRecentlyUsed(targets_);
  }
  matched_ = -1;
  t->drawnKey = target.cacheKey();
  t->baseKey = baseMap.cacheKey();
  t->size = target.size();
  t->areas.assign(areas.begin(), areas.end());  // into memory kept from the last time
  t->lastUse = clock_;
}

// ---------------------------------------------------------------- texts

namespace {

bool NeedsDirectDrawing(const QString& s) {
  return std::any_of(s.begin(), s.end(), [](QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
  });
}

LaidOutText Layout(const QFont& font, const QPaintDevice& device, Qt::LayoutDirection direction,
                   const QString& text) {
  auto* dev = const_cast<QPaintDevice*>(&device);
  const QFontMetrics fm(font, dev);
  LaidOutText t;
  t.text = text;
  t.ascent = fm.ascent();
  t.advance = fm.horizontalAdvance(text);
  // The pixels glyphs may reach (slanted and overhanging ones too), with a
  // margin for their smoothed edges.
  t.cell = QRect(0, 0, t.advance, fm.height())
               .united(fm.boundingRect(text).translated(0, t.ascent))
               .adjusted(-2, -2, 2, 2);
  t.direct = NeedsDirectDrawing(text);
  if (!t.direct) {
    // The same shaping as QPainter::drawText, once.
    QTextLayout layout(text, font, dev);
    QTextOption option;
    option.setTextDirection(direction);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    t.runs = layout.glyphRuns();
    t.baselineShift = t.ascent - line.ascent();
  }
  return t;
}

}  // namespace

void TextLayouts::Begin() {
  ++drawing_;
  missing_.clear();
}

int TextLayouts::FontOf(const QFont& font, const QPaintDevice& device, Qt::LayoutDirection direction) {
  const int dpiX = device.logicalDpiX(), dpiY = device.logicalDpiY();
  auto f = std::find_if(fonts_.begin(), fonts_.end(), [&](const Font& c) {
    return c.dpiX == dpiX && c.dpiY == dpiY && c.direction == direction && c.font == font;
  });
  if (f == fonts_.end()) {
    if (fonts_.size() < kFontsKept) {
      f = fonts_.emplace(fonts_.end());
    } else {
      f = fonts_.begin() + (&LeastRecentlyUsed(fonts_) - fonts_.data());
      f->texts.clear();
    }
    f->font = font;
    f->dpiX = dpiX;
    f->dpiY = dpiY;
    f->direction = direction;
  }
  f->lastUse = drawing_;
  return static_cast<int>(f - fonts_.begin());
}

void TextLayouts::Want(int font, const QString& text) {
  Font& f = fonts_[static_cast<std::size_t>(font)];
  const auto it = f.texts.find(text);
  if (it != f.texts.end()) {
    it->second.lastUse = drawing_;
  } else {
    missing_.emplace_back(font, text);
  }
}

void TextLayouts::LayOut(const QPaintDevice& device) {
  // City times change every minute: the last minute's are of no more use.
  for (Font& f : fonts_) {
    if (f.lastUse == drawing_) {
      std::erase_if(f.texts, [&](const auto& entry) { return entry.second.lastUse != drawing_; });
    }
  }
  for (const auto& [font, text] : missing_) Get(font, text, device);
  missing_.clear();
}

const LaidOutText& TextLayouts::Get(int font, const QString& text, const QPaintDevice& device) {
  Font& f = fonts_[static_cast<std::size_t>(font)];
  auto [it, added] = f.texts.try_emplace(text);
  if (added) it->second.laidOut = Layout(f.font, device, f.direction, text);
  it->second.lastUse = drawing_;
  return it->second.laidOut;
}

void TextLayouts::Draw(QPainter& p, const LaidOutText& t, int x, int y) {
  if (t.direct) {
    p.drawText(x, y + t.ascent, t.text);
    return;
  }
  const QPointF origin(x, y + t.baselineShift);
  for (const QGlyphRun& run : t.runs) p.drawGlyphRun(origin, run);
}

// ---------------------------------------------------------------- icons

const QImage& IconFiles::Get(const std::string& path, qreal devicePixelRatio) {
  namespace fs = std::filesystem;
  static const QImage kNone;
  std::error_code ec;
  const fs::path p(path);
  const auto stamp = fs::last_write_time(p, ec);
  const auto size = ec ? std::uintmax_t{0} : fs::file_size(p, ec);
  auto e = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& c) { return c.path == path; });
  if (ec) {
    if (e != entries_.end()) entries_.erase(e);
    return kNone;
  }
  const std::int64_t ticks = stamp.time_since_epoch().count();
  if (e == entries_.end()) {
    e = entries_.emplace(entries_.end());
    e->path = path;
  }
  if (e->stamp != ticks || e->size != static_cast<std::int64_t>(size) || e->pictures.empty()) {
    e->pictures.clear();
    QImageReader reader(QString::fromStdString(path));
    for (int i = 0, n = std::max(1, reader.imageCount()); i < n; ++i) {
      if (i > 0 && !reader.jumpToImage(i)) break;
      QImage picture = reader.read();
      if (!picture.isNull()) e->pictures.push_back(std::move(picture));
    }
    std::stable_sort(e->pictures.begin(), e->pictures.end(),
                     [](const QImage& a, const QImage& b) { return a.width() < b.width(); });
    e->stamp = ticks;
    e->size = static_cast<std::int64_t>(size);
  }
  if (e->pictures.empty()) return kNone;
  // The smallest picture at least as large as the screen wants, else the largest.
  const int own = e->pictures.front().width();
  const double wanted = own * devicePixelRatio;
  auto chosen = std::find_if(e->pictures.begin(), e->pictures.end(),
                             [&](const QImage& i) { return i.width() >= wanted - 0.01; });
  if (chosen == e->pictures.end()) --chosen;
  chosen->setDevicePixelRatio(static_cast<qreal>(chosen->width()) / own);
  return *chosen;
}

}  // namespace wc
