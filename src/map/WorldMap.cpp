// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/WorldMap.h"

#include <turbojpeg.h>

#ifdef __linux__
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <future>
#include <vector>

#include "core/AtomicFile.h"
#include "core/CityTime.h"
#include "core/FormatDateTime.h"
#include "core/Paths.h"
#include "map/Hsl.h"
#include "map/IlluminationMask.h"
#include "map/LargeBuffer.h"
#include "map/OverlayCache.h"
#include "map/Resample.h"
#include "map/Shading.h"

namespace wc {

static_assert(std::endian::native == std::endian::little, "RGB32 rows are read as blue, green, red bytes");

std::string DayImageFatalMessage(const std::string& path) {
  return "This application has failed to start because " + path +
         " could not be loaded. Re-installing the application may fix this problem.";
}

// ---------------------------------------------------------------- layers

namespace {

// A JPEG file's bytes, read into a block of their own (a whole file's worth
// of fresh heap pages would cost a fault each).
class JpegBytes {
 public:
  explicit JpegBytes(const std::string& path) {
#ifdef __linux__
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 &&
        block_.reserve(static_cast<std::size_t>(st.st_size))) {
      std::size_t got = 0;
      while (got < block_.size()) {
        const ssize_t n = ::read(fd, block_.data() + got, block_.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
      }
      size_ = got;  // a file that shrank meanwhile decodes as far as it goes
      data_ = block_.data();
    }
    ::close(fd);
#else
    ReadResult file = ReadWholeFile(path);
    if (file.status != ReadStatus::Ok) return;
    read_ = std::move(file.bytes);
    data_ = reinterpret_cast<const unsigned char*>(read_.data());
    size_ = read_.size();
#endif
  }

  const unsigned char* data() const { return data_; }
  unsigned long size() const { return static_cast<unsigned long>(size_); }

 private:
#ifdef __linux__
  LargeBuffer block_;
#else
  std::string read_;
#endif
  const unsigned char* data_ = nullptr;
  std::size_t size_ = 0;
};

// Decodes path into the image that into(width, height) returns, which makes
// it that size. False when the file cannot be read or decoded; the image may
// then hold part of a picture.
template <typename Into>
bool DecodeJpeg(const std::string& path, Into into) {
  const JpegBytes file(path);
  if (file.size() == 0) return false;
  tjhandle tj = tjInitDecompress();
  if (!tj) return false;
  bool ok = false;
  int w = 0, h = 0, subsamp = 0, colorspace = 0;
  // A picture larger than this is no map layer but a broken or hostile
  // file: the header alone must not buy gigabytes and minutes of decoding.
  if (tjDecompressHeader3(tj, file.data(), file.size(), &w, &h, &subsamp, &colorspace) == 0 && w > 0 &&
      h > 0 && w <= kMaxLayerWidth && h <= kMaxLayerHeight) {
    QImage& image = into(w, h);
    // BGRA on a little-endian machine is RGB32's memory layout; the decoder
    // writes 0xFF into the fourth byte, as RGB32 requires.
    // A warning (a slightly damaged file) still leaves a whole picture.
    ok = !image.isNull() &&
         (tjDecompress2(tj, file.data(), file.size(), image.bits(), w, static_cast<int>(image.bytesPerLine()),
                        h, TJPF_BGRA, TJFLAG_LIMITSCANS) == 0 ||
          tjGetErrorCode(tj) == TJERR_WARNING);
  }
  tjDestroy(tj);
  return ok;
}

// Columns 0 .. W-k-1 move to k .. W-1 and the rest wrap round to the front,
// in place.
void RotateRight(QImage& img, int k) {
  const int w = img.width();
  std::vector<QRgb> tail(static_cast<std::size_t>(k));
  for (int y = 0; y < img.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    std::memcpy(tail.data(), row + (w - k), sizeof(QRgb) * tail.size());
    std::memmove(row + k, row, sizeof(QRgb) * static_cast<std::size_t>(w - k));
    std::memcpy(row, tail.data(), sizeof(QRgb) * tail.size());
  }
}

}  // namespace

QImage DecodeJpegFile(const std::string& path) {
  QImage image;
  const bool ok = DecodeJpeg(path, [&](int w, int h) -> QImage& {
    image = NewLargeImage(w, h);
    return image;
  });
  return ok ? image : QImage();
}

namespace {

// Decodes path into layer at the working size, not yet rotated for a view.
bool DecodeLayer(const std::string& path, QImage& layer) {
  // A picture of the working size is decoded straight into the layer's own
  // memory; any other is decoded aside and scaled into it.
  QImage other;
  const bool ok = DecodeJpeg(path, [&](int w, int h) -> QImage& {
    QImage& into = w == kBaseMapWidth && h == kBaseMapHeight ? layer : other;
    ReuseImage(into, w, h);
    return into;
  });
  if (!ok) return false;
  if (!other.isNull()) {
    ReuseImage(layer, kBaseMapWidth, kBaseMapHeight);
    if (layer.isNull()) return false;
    ResampleBitmap(other, layer);
  }
  return true;
}

void RotateForView(QImage& layer, int view) {
  if (const int k = ViewRotation(view, kBaseMapWidth); k != 0) RotateRight(layer, k);
}

}  // namespace

bool LoadMapImage(const std::string& path, QImage& layer, int view) {
  if (!DecodeLayer(path, layer)) return false;
  RotateForView(layer, view);
  return true;
}

// ---------------------------------------------------------------- engine

WorldMap::WorldMap(std::string programFolder)
    : folder_(std::move(programFolder)),
      dayPath_(folder_ + "day.jpg"),
      nightPath_(folder_ + "night.jpg"),
      format_([](std::string_view pattern, DateTime t) { return FormatDateTime(pattern, t); }),
      utcOffset_([] { return UtcOffsetDays(); }) {}

WorldMap::WorldMap() : WorldMap(ProgramFolder()) {}
WorldMap::~WorldMap() = default;
WorldMap::WorldMap(WorldMap&&) noexcept = default;
WorldMap& WorldMap::operator=(WorldMap&&) noexcept = default;

// Both pictures decoded on another thread, before any view is known.
struct WorldMap::EarlyLayers {
  QImage day, night;
  bool dayOk = false, nightOk = false;
  std::future<void> done;
};

void WorldMap::StartLoadingLayers() {
  if (early_ || !dayLayer_.isNull()) return;
  auto early = std::make_unique<EarlyLayers>();
  EarlyLayers* e = early.get();
  try {
    e->done = std::async(std::launch::async, [e, day = dayPath_, night = nightPath_] {
      std::future<bool> nightOk =
          std::async(std::launch::async, [e, night] { return DecodeLayer(night, e->night); });
      e->dayOk = DecodeLayer(day, e->day);
      e->nightOk = nightOk.get();
    });
  } catch (const std::exception&) {
    return;  // no thread to be had: the first composition decodes them itself
  }
  early_ = std::move(early);
}

void WorldMap::RebuildLayersIfNeeded() {
  if (!dayLayer_.isNull() && keyView_ == view_ && keyNight_ == nightShading_) return;
  bool dayLoaded = false, nightOk = false;
  if (early_) {
    // The pictures decoded since start-up, turned for the view now known.
    const std::unique_ptr<EarlyLayers> early = std::move(early_);
    try {
      early->done.get();
    } catch (const std::exception&) {
      early->dayOk = early->nightOk = false;
    }
    dayLoaded = early->dayOk;
    if (dayLoaded) {
      dayLayer_ = std::move(early->day);
      RotateForView(dayLayer_, view_);
    }
    nightOk = nightShading_ && early->nightOk;
    if (nightOk) {
      nightLayer_ = std::move(early->night);
      RotateForView(nightLayer_, view_);
    }
  } else {
    // The two pictures decode side by side, each into the memory of its
    // layer; both are ready before this returns.
    std::future<bool> nightLoaded;
    if (nightShading_) {
      nightLoaded =
          std::async(std::launch::async, [this] { return LoadMapImage(nightPath_, nightLayer_, view_); });
    }
    dayLoaded = LoadMapImage(dayPath_, dayLayer_, view_);
    nightOk = nightLoaded.valid() && nightLoaded.get();
  }
  if (!dayLoaded) {
    dayLayer_ = QImage();
    throw MapFatalError(DayImageFatalMessage(dayPath_));
  }
  // Without a night picture shading just goes off for this run; the stored
  // setting is the owner's and stays as the user chose it.
  if (nightShading_ && !nightOk) nightShading_ = false;
  if (!nightShading_) nightLayer_ = QImage();
  keyView_ = view_;
  keyNight_ = nightShading_;
  ++layerBuilds_;
}

namespace {

Rgb ToRgb(QRgb p) {
  return {static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
          static_cast<std::uint8_t>(qBlue(p))};
}
QRgb ToQRgb(Rgb c) { return qRgb(c.r, c.g, c.b); }

}  // namespace

// ShadedPixel results of the twilight band, remembered by colour: the band
// repeats the same ocean and ice colours many times, and from one composition
// to the next.
class TwilightCache {
 public:
  QRgb Shade(QRgb day, QRgb night) {
    // The result depends on the night colour alone where it shows through,
    // else on the day colour alone.
    const std::uint32_t key = NightShowsThroughTwilight(ToRgb(night)) ? (night & 0xFFFFFFu) | 0x1000000u
                                                                      : (day & 0xFFFFFFu) | 0x2000000u;
    Entry& e = entries_[(key * 2654435761u) >> (32 - kBits)];
    if (e.key != key) {
      e.key = key;
      e.value = ToQRgb(ShadedPixel(IlluminationMask::kTwilight, ToRgb(day), ToRgb(night)));
    }
    return e.value;
  }

 private:
  static constexpr int kBits = 13;
  struct Entry {
    std::uint32_t key = 0;  // never a valid key: those carry bit 24 or 25
    QRgb value = 0;
  };
  std::vector<Entry> entries_ = std::vector<Entry>(std::size_t{1} << kBits);
};

namespace {

// One past the run of mask values equal to m[x], eight at a time through the
// long day and night runs.
int RunEnd(const std::uint8_t* m, int x, int w) {
  const std::uint64_t run = 0x0101010101010101u * m[x];
  int e = x + 1;
  for (std::uint64_t word; e + 8 <= w; e += 8) {
    std::memcpy(&word, m + e, 8);
    if (word != run) break;
  }
  while (e < w && m[e] == m[x]) ++e;
  return e;
}

// Columns x0 .. x1 - 1 of a result row from the two layers: day and night
// runs are copied in one go, twilight pixels shaded one by one. The result
// may be the day layer itself.
void ComposeSpan(QRgb* o, const QRgb* d, const QRgb* n, const std::uint8_t* m, int x0, int x1,
                 TwilightCache& cache) {
  for (int x = x0; x < x1;) {
    const std::uint8_t v = m[x];
    if (v == IlluminationMask::kTwilight) {
      o[x] = cache.Shade(d[x], n[x]);
      ++x;
      continue;
    }
    const int e = RunEnd(m, x, x1);
    const QRgb* from = (v == IlluminationMask::kNight ? n : d) + x;
    if (from != o + x) std::memcpy(o + x, from, sizeof(QRgb) * static_cast<std::size_t>(e - x));
    x = e;
  }
}

// The whole result, or (with `spans`) only those columns of each row.
void ComposeRows(QImage& result, const QImage& day, const QImage& night, const IlluminationMask& mask,
                 TwilightCache& cache, const RowSpans* spans = nullptr) {
  for (int r = 0; r < result.height(); ++r) {
    if (spans && spans->row(r).empty()) continue;
    const std::uint8_t* m = mask.row(r);
    QRgb* o = reinterpret_cast<QRgb*>(result.scanLine(r));
    const QRgb* d = reinterpret_cast<const QRgb*>(day.constScanLine(r));
    const QRgb* n = reinterpret_cast<const QRgb*>(night.constScanLine(r));
    if (!spans) {
      ComposeSpan(o, d, n, m, 0, result.width(), cache);
      continue;
    }
    for (const ColumnSpan& c : spans->row(r)) ComposeSpan(o, d, n, m, c.begin, c.end, cache);
  }
}

struct BusyGuard {
  bool& flag;
  explicit BusyGuard(bool& f) : flag(f) { flag = true; }
  ~BusyGuard() { flag = false; }
};

}  // namespace

void WorldMap::ComposeBaseMap(QImage& target, bool& ready, DateTime localNow) {
  ComposeBaseMapUtc(target, ready, localNow + utcOffset_());
}

void WorldMap::ComposeBaseMapUtc(QImage& target, bool& ready, DateTime utc) {
  BusyGuard busy(busy_);
  sun_ = ComputeSunPosition(utc);
  if (!changes_) changes_ = std::make_unique<BaseMapChanges>();

  const bool rebuild = dayLayer_.isNull() || keyView_ != view_ || keyNight_ != nightShading_;
  // The target as the last composition left it, over the same layers.
  const bool inPlace = keepLayers_ && !rebuild && composedKey_ != 0 && target.cacheKey() == composedKey_;
  if (inPlace && !nightShading_) {
    ready = true;  // the day picture, as it is
    return;
  }
  if (nightShading_) std::swap(mask_, lastMask_);  // the last composition's is kept to compare

  // The mask depends on the sun and the view only; when the layers are to be
  // decoded first, it is drawn meanwhile.
  std::future<bool> maskDrawn;
  auto drawMask = [this] {
    try {
      if (!mask_) mask_ = std::make_unique<IlluminationMask>(kBaseMapWidth, kBaseMapHeight);
      mask_->Draw(sun_, view_);
    } catch (const std::exception&) {
      return false;  // no memory for it: this picture stays unshaded
    }
    try {
      // The next composition's too, so that a steady one touches no fresh
      // memory; failing that, the next one asks for it again.
      if (!lastMask_) lastMask_ = std::make_unique<IlluminationMask>(kBaseMapWidth, kBaseMapHeight);
    } catch (const std::exception&) {
    }
    return true;
  };
  if (nightShading_ && rebuild) maskDrawn = std::async(std::launch::async, drawMask);
  try {
    RebuildLayersIfNeeded();
  } catch (...) {
    if (maskDrawn.valid()) maskDrawn.wait();
    throw;
  }
  bool maskOk = false;
  if (nightShading_) maskOk = maskDrawn.valid() ? maskDrawn.get() : drawMask();
  if (maskOk && !twilight_) twilight_ = std::make_unique<TwilightCache>();

  if (inPlace && composedShaded_ && maskOk && lastMask_) {
    // Only where the mask changed: every other pixel would come out as it is.
    RowSpans& changed = changes_->Next();
    mask_->ChangedSince(*lastMask_, changed);
    if (changed.empty()) {
      ready = true;
      return;
    }
    const qint64 from = composedKey_;
    composedKey_ = 0;  // until it is whole again
    ready = false;
    ComposeRows(target, dayLayer_, nightLayer_, *mask_, *twilight_, &changed);
    ready = true;
    composedKey_ = target.cacheKey();
    changes_->Record(from, composedKey_);
    return;
  }

  changes_->Forget();
  changes_->Prepare(kBaseMapHeight);
  composedKey_ = 0;
  ready = false;
  if (!keepLayers_) {
    // Composed in the day layer itself, which then becomes the target; the
    // next composition decodes the pictures anew.
    if (nightShading_ && maskOk) ComposeRows(dayLayer_, dayLayer_, nightLayer_, *mask_, *twilight_);
    target = std::move(dayLayer_);
    dayLayer_ = QImage();
    nightLayer_ = QImage();
    ready = true;
    return;
  }
  // Composed in place: the target's memory is reused from the last time, and
  // nothing reads it until ready is set again.
  ReuseImage(target, dayLayer_.width(), dayLayer_.height());
  if (target.isNull()) throw std::bad_alloc();
  if (nightShading_ && maskOk) {
    ComposeRows(target, dayLayer_, nightLayer_, *mask_, *twilight_);
  } else {
    std::memcpy(target.bits(), dayLayer_.constBits(), static_cast<std::size_t>(dayLayer_.sizeInBytes()));
  }
  ready = true;
  composedKey_ = target.cacheKey();
  composedShaded_ = nightShading_ && maskOk;
}

// ---------------------------------------------------------------- overlay

MapFont OverlayFontFor(const MapFont& font, int pictureWidth, int screenWidth) {
  if (pictureWidth <= 0 || screenWidth <= 0 || pictureWidth >= screenWidth) return font;
  const double scale = std::max(kSmallestOverlayScale, static_cast<double>(pictureWidth) / screenWidth);
  MapFont out = font;
  if (font.font.pixelSize() > 0)
    out.font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.font.pixelSize() * scale))));
  else if (font.font.pointSizeF() > 0)
    out.font.setPointSizeF(font.font.pointSizeF() * scale);
  return out;
}

struct WorldMap::OverlayState {
  ScaledBaseMaps scaled;
  TextLayouts texts;
  IconFiles icons;
  // Of the drawing under way, in memory kept from the last one.
  std::vector<QRect> areas;  // what it covers
  std::vector<QString> names, times;
};

namespace {

int ScreenWorkAreaWidth(int fallback) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return fallback;
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().width() : fallback;
}

}  // namespace

const QImage& WorldMap::Icon(const std::string& name, qreal devicePixelRatio) const {
  const std::string path = folder_ + name;
  const QImage& icon = overlayState_->icons.Get(path, devicePixelRatio);
  if (icon.isNull()) throw MapError("Cannot open file \"" + path + "\".");
  return icon;
}

void WorldMap::DrawMapOverlay(QImage& image, const QImage& baseMap, bool showTimes, const MapFont& cityFont,
                              bool forWallpaper, DateTime localNow) const {
  if (image.isNull()) return;
  if (!overlayState_) overlayState_ = std::make_unique<OverlayState>();
  OverlayState& state = *overlayState_;
  // The scaled base map, or only the parts of it the last drawing covered.
  state.scaled.Restore(image, baseMap, changes_.get());

  // A picture for a 2x screen has twice the pixels of its size on the screen:
  // everything is placed in screen units and drawn at the picture's own
  // resolution, so text and coastlines are as sharp as the rest of the window.
  const qreal scale = image.devicePixelRatio();
  const int w = qRound(image.width() / scale);
  const Projection proj(w, qRound(image.height() / scale), view_);
  const int workArea = overlay_.workAreaWidth > 0 ? overlay_.workAreaWidth : ScreenWorkAreaWidth(w);
  const int margin = WorkAreaMargin(w, workArea);
  const double utcOffset = utcOffset_();
  const MapFont& dateFont = forWallpaper ? wallpaperDateFont_ : windowDateFont_;

  QPainter p(&image);

  // Every text first, so that they are laid out together.
  TextLayouts& texts = state.texts;
  texts.Begin();
  const int captionFont = texts.FontOf(dateFont.font, image, p.layoutDirection());
  const int labelFont = texts.FontOf(cityFont.font, image, p.layoutDirection());
  const DateTime when = overlay_.showUtc ? localNow + utcOffset : localNow;
  const QString caption = QString::fromStdString(
      showTimes ? format_(overlay_.mapTimeFormat + " dd MMMM, yyyy", when) : format_("dd MMMM, yyyy", when));
  texts.Want(captionFont, caption);
  state.names.clear();
  state.times.clear();
  const std::string timePattern =
      overlay_.showDate ? "ddd d, " + overlay_.mapTimeFormat : overlay_.mapTimeFormat;
  for (const Cities& c : cities_) {
    if (c.name.empty()) break;
    state.names.push_back(QString::fromStdString(c.name));
    texts.Want(labelFont, state.names.back());
    if (showTimes) {
      state.times.push_back(
          QString::fromStdString(format_(timePattern, CityLocalTime(c, localNow, utcOffset))));
      texts.Want(labelFont, state.times.back());
    }
  }
  texts.LayOut(image);

  std::vector<QRect>& areas = state.areas;
  areas.clear();
  // A text with its shadow one pixel right and down.
  auto drawn = [&](const LaidOutText& t, int x, int y) {
    areas.push_back(t.cell.translated(x, y).adjusted(0, 0, 1, 1));
  };

  if (overlay_.showDateLine) {
    p.setPen(QPen(QColor(255, 0, 0), 1));
    for (const auto& line : DateLinePolylines(view_)) {
      QPolygon poly;
      for (const LatLonPoint& pt : line) {
        poly << QPoint(proj.LonToX(pt.lon), proj.LatToY(pt.lat));
        const QPoint& end = poly.back();
        const QPoint& start = poly.size() > 1 ? poly[poly.size() - 2] : end;
        areas.push_back(QRect(start, end).normalized().adjusted(-1, -1, 1, 1));
      }
      p.drawPolyline(poly);
    }
  }

  {
    p.setFont(dateFont.font);
    const LaidOutText& t = texts.Get(captionFont, caption, image);
    const int x = CaptionX(overlay_.datePosition, w, margin, t.advance);
    p.setPen(Qt::black);
    TextLayouts::Draw(p, t, x + 1, 11);
    p.setPen(dateFont.color);
    TextLayouts::Draw(p, t, x, 10);
    drawn(t, x, 10);
  }

  if (!state.names.empty()) {
    p.setFont(cityFont.font);
    const int th = QFontMetrics(cityFont.font, &image).height();
    const QImage& dot = Icon("dot.ico", scale);
    const QSize dotSize = dot.deviceIndependentSize().toSize();
    for (std::size_t i = 0; i < state.names.size(); ++i) {
      const Cities& c = cities_[i];
      const LaidOutText* time = showTimes ? &texts.Get(labelFont, state.times[i], image) : nullptr;
      const int x = proj.LonToX(c.lon.degrees);
      const int y = proj.LatToY(c.lat);
      p.drawImage(QPoint(x - 1, y - 1), dot);
      areas.push_back(QRect(QPoint(x - 1, y - 1), dotSize));
      const LaidOutText& name = texts.Get(labelFont, state.names[i], image);
      const LabelPlacement at =
          PlaceCityLabels(x, y, c.lat, c.lon.degrees, name.advance, time ? time->advance : 0, th, showTimes,
                          w, qRound(image.height() / scale));
      p.setPen(Qt::black);
      TextLayouts::Draw(p, name, at.nameX + 1, at.y + 3);
      if (time) TextLayouts::Draw(p, *time, at.timeX + 1, at.y + th + 1);
      p.setPen(cityFont.color);
      TextLayouts::Draw(p, name, at.nameX, at.y + 2);
      drawn(name, at.nameX, at.y + 2);
      if (time) {
        TextLayouts::Draw(p, *time, at.timeX, at.y + th);
        drawn(*time, at.timeX, at.y + th);
      }
    }
  }

  if (nightShading_) {
    const QImage& sun = Icon("sun1.ico", scale);
    const QSizeF size = sun.deviceIndependentSize();
    // Centred on the sub-solar point to the picture's own pixel (half a
    // point on a 2x screen); near a side edge it shows on both sides.
    auto toPixel = [scale](double v) { return std::floor(v * scale + 0.5) / scale; };
    const QPointF at(toPixel(proj.LonToXExact(RadToDeg(sun_.longitude)) - size.width() / 2),
                     toPixel(proj.LatToYExact(RadToDeg(sun_.declination)) - size.height() / 2));
    for (const int shift : {-w, 0, w}) {
      const QRectF where(at + QPointF(shift, 0), size);
      if (where.right() <= 0 || where.left() >= w) continue;
      p.drawImage(where.topLeft(), sun);
      areas.push_back(where.toAlignedRect());
    }
  }
  p.end();
  if (scale != 1.0) {
    for (QRect& r : areas) r = QRectF(QPointF(r.topLeft()) * scale, QSizeF(r.size()) * scale).toAlignedRect();
  }
  state.scaled.Drawn(image, baseMap, areas);
}

}  // namespace wc
