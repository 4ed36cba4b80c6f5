// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the map overlay keeps from one drawing to the next. The base map
// changes every five minutes, the texts on it every minute: so the scaled
// base map is kept per size, a redraw copies back only the areas the last
// drawing covered, and each text is laid out once per font.

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "map/RowSpans.h"

class QPainter;

namespace wc {

// What the last few compositions changed in the base map: spans per row,
// from the picture with one cacheKey to the one with the next.
class BaseMapChanges {
 public:
  // Memory for every step of a picture of `rows` rows, taken at once.
  void Prepare(int rows);
  // Spans to fill for the composition under way; Record commits them.
  RowSpans& Next();
  void Record(qint64 from, qint64 to);
  // A picture made whole: nothing leads to it from an earlier one.
  void Forget();
  // What changed from the picture `from` to the picture `to`, through the
  // steps recorded; null when that is not known.
  const RowSpans* Between(qint64 from, qint64 to) const;

 private:
  struct Step {
    qint64 from = 0, to = 0;
    RowSpans spans;
  };
  static constexpr std::size_t kKept = 4;
  std::vector<Step> steps_;  // oldest first
  RowSpans next_;
  mutable RowSpans united_, scratch_;
};

class ScaledBaseMaps {
 public:
  // Puts baseMap, scaled to target's size, into target: only the areas of
  // the last drawing when target still holds exactly that drawing over the
  // same base map, all of it otherwise (rescaling the base map only when no
  // scaled copy of it is kept). With the base map's changes, a scaled copy
  // of an earlier base map is brought up to date only where it changed, and
  // so is a target drawn over that earlier one.
  void Restore(QImage& target, const QImage& baseMap, const BaseMapChanges* changes = nullptr);
  // After drawing over target: the areas drawn (in target's pixels), clipped
  // to it in place.
  void Drawn(const QImage& target, const QImage& baseMap, std::vector<QRect>& areas);

 private:
  struct Scaled {
    QImage image;
    qint64 baseKey = 0;
    // When it was last brought up to date in part: from which base map, and
    // what it rewrote.
    qint64 updatedFrom = 0;
    RowSpans written;
    std::uint64_t lastUse = 0;
  };
  struct Target {
    qint64 drawnKey = 0;  // the target's cacheKey right after the drawing
    qint64 baseKey = 0;
    QSize size;
    std::vector<QRect> areas;
    std::uint64_t lastUse = 0;
  };
  Scaled& ScaledFor(const QImage& baseMap, QSize size, const BaseMapChanges* changes);

  std::vector<Scaled> scaled_;
  std::vector<Target> targets_;
  int matched_ = -1;  // the target Restore found as it was left
  std::uint64_t clock_ = 0;
};

// A text laid out in a font: drawn at the same pixels as QPainter::drawText,
// with its advance as QFontMetrics gives it.
struct LaidOutText {
  QList<QGlyphRun> runs;
  double baselineShift = 0;  // from the cell's top-left to the runs' origin
  int ascent = 0;
  int advance = 0;
  QRect cell;  // the pixels it may touch, from the cell's top-left
  // Texts with control characters keep their own drawing path.
  bool direct = false;
  QString text;
};

// A drawing names its texts first (Begin, FontOf, Want), has them laid out
// at once (LayOut), then draws them (Get, Draw). A font keeps the texts of its
// last drawing only, and those it no longer needs are dropped before the new
// ones are laid out, so that these reuse their memory.
class TextLayouts {
 public:
  void Begin();
  // A handle for font on device (whose resolution sizes a font given in
  // points), for a painter of that layout direction.
  int FontOf(const QFont& font, const QPaintDevice& device, Qt::LayoutDirection direction);
  void Want(int font, const QString& text);
  void LayOut(const QPaintDevice& device);
  // The layout of a text of this drawing (laid out now if it was not
  // wanted); valid until the next Begin.
  const LaidOutText& Get(int font, const QString& text, const QPaintDevice& device);
  // Draws with its cell's top-left corner at (x, y) in the painter's pen.
  static void Draw(QPainter& p, const LaidOutText& t, int x, int y);

 private:
  struct Laid {
    LaidOutText laidOut;
    std::uint64_t lastUse = 0;
  };
  struct Font {
    QFont font;
    int dpiX = 0, dpiY = 0;
    Qt::LayoutDirection direction = Qt::LeftToRight;
    std::unordered_map<QString, Laid> texts;
    std::uint64_t lastUse = 0;
  };
  std::vector<Font> fonts_;
  std::vector<std::pair<int, QString>> missing_;
  std::uint64_t drawing_ = 0;
};

// Icons read from their file, again only when the file changed. An icon
// file may hold its picture at several sizes: the smallest is the icon's own
// size, the others are for screens of a higher pixel ratio.
class IconFiles {
 public:
  // The picture for a screen of this pixel ratio, carrying the ratio that
  // draws it at the icon's own size. Null when the file cannot be read.
  const QImage& Get(const std::string& path, qreal devicePixelRatio = 1);

 private:
  struct Entry {
    std::string path;
    std::int64_t stamp = 0, size = -1;
    std::vector<QImage> pictures;  // smallest first
  };
  std::vector<Entry> entries_;
};

}  // namespace wc
