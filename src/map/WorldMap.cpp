#include "map/WorldMap.h"

#include <turbojpeg.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <bit>
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
#include "map/Resample.h"
#include "map/Shading.h"

namespace wc {

static_assert(std::endian::native == std::endian::little, "RGB32 rows are read as blue, green, red bytes");

std::string DayImageFatalMessage(const std::string& path) {
  return "This application has failed to start because " + path +
         " could not be loaded. Re-installing the application may fix this problem.";
}

// ---------------------------------------------------------------- layers

QImage DecodeJpegFile(const std::string& path) {
  const ReadResult file = ReadWholeFile(path);
  if (file.status != ReadStatus::Ok || file.bytes.empty()) return {};
  const auto* data = reinterpret_cast<const unsigned char*>(file.bytes.data());
  const auto size = static_cast<unsigned long>(file.bytes.size());

  tjhandle tj = tjInitDecompress();
  if (!tj) return {};
  QImage image;
  int w = 0, h = 0, subsamp = 0, colorspace = 0;
  // A picture larger than this is no map layer but a broken or hostile
  // file: the header alone must not buy gigabytes and minutes of decoding.
  if (tjDecompressHeader3(tj, data, size, &w, &h, &subsamp, &colorspace) == 0 && w > 0 && h > 0 &&
      w <= kMaxLayerWidth && h <= kMaxLayerHeight) {
    image = QImage(w, h, QImage::Format_RGB32);
    // BGRA on a little-endian machine is RGB32's memory layout; the decoder
    // writes 0xFF into the fourth byte, as RGB32 requires.
    // A warning (a slightly damaged file) still leaves a whole picture.
    if (image.isNull() ||
        (tjDecompress2(tj, data, size, image.bits(), w, static_cast<int>(image.bytesPerLine()), h, TJPF_BGRA,
                       TJFLAG_LIMITSCANS) != 0 &&
         tjGetErrorCode(tj) != TJERR_WARNING)) {
      image = QImage();
    }
  }
  tjDestroy(tj);
  return image;
}

namespace {

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

bool LoadMapImage(const std::string& path, QImage& layer, int view) {
  QImage img = DecodeJpegFile(path);
  if (img.isNull()) return false;
  if (img.width() != kBaseMapWidth || img.height() != kBaseMapHeight) {
    QImage scaled(kBaseMapWidth, kBaseMapHeight, QImage::Format_RGB32);
    ResampleBitmap(img, scaled);
    img = std::move(scaled);
  }
  if (const int k = ViewRotation(view, kBaseMapWidth); k != 0) RotateRight(img, k);
  layer = std::move(img);
  return true;
}

// ---------------------------------------------------------------- engine

WorldMap::WorldMap(std::string programFolder)
    : folder_(std::move(programFolder)),
      dayPath_(folder_ + "day.jpg"),
      nightPath_(folder_ + "night.jpg"),
      format_([](std::string_view pattern, TDateTime t) { return FormatDateTime(pattern, t); }),
      utcOffset_([] { return UtcOffsetDays(); }) {}

WorldMap::WorldMap() : WorldMap(ProgramFolder()) {}
WorldMap::~WorldMap() = default;
WorldMap::WorldMap(WorldMap&&) noexcept = default;
WorldMap& WorldMap::operator=(WorldMap&&) noexcept = default;

void WorldMap::RebuildLayersIfNeeded() {
  if (!dayLayer_.isNull() && keyView_ == view_ && keyNight_ == nightShading_) return;
  // The two pictures decode side by side; both are ready before this returns.
  QImage night;
  std::future<bool> nightLoaded;
  if (nightShading_) {
    nightLoaded = std::async(std::launch::async, [&] { return LoadMapImage(nightPath_, night, view_); });
  }
  const bool dayLoaded = LoadMapImage(dayPath_, dayLayer_, view_);
  const bool nightOk = nightLoaded.valid() && nightLoaded.get();
  if (!dayLoaded) {
    dayLayer_ = QImage();
    throw MapFatalError(DayImageFatalMessage(dayPath_));
  }
  // Without a night picture shading just goes off for this run; the stored
  // setting is the owner's and stays as the user chose it.
  if (nightShading_ && !nightOk) nightShading_ = false;
  nightLayer_ = nightShading_ ? std::move(night) : QImage();
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

// ShadedPixel results of the twilight band, remembered by colour: the band
// repeats the same ocean and ice colours many times.
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

// The result row by row from the two layers: day and night runs are copied
// in one go, twilight pixels shaded one by one.
void ComposeRows(QImage& result, const QImage& day, const QImage& night, const IlluminationMask& mask) {
  TwilightCache cache;
  const int w = result.width();
  for (int r = 0; r < result.height(); ++r) {
    const std::uint8_t* m = mask.row(r + IlluminationMask::kMargin);
    QRgb* o = reinterpret_cast<QRgb*>(result.scanLine(r));
    const QRgb* d = reinterpret_cast<const QRgb*>(day.constScanLine(r));
    const QRgb* n = reinterpret_cast<const QRgb*>(night.constScanLine(r));
    for (int x = 0; x < w;) {
      const std::uint8_t v = m[x];
      if (v == IlluminationMask::kTwilight) {
        o[x] = cache.Shade(d[x], n[x]);
        ++x;
        continue;
      }
      int e = x + 1;
      while (e < w && m[e] == v) ++e;
      std::memcpy(o + x, (v == IlluminationMask::kNight ? n : d) + x,
                  sizeof(QRgb) * static_cast<std::size_t>(e - x));
      x = e;
    }
  }
}

struct BusyGuard {
  bool& flag;
  explicit BusyGuard(bool& f) : flag(f) { flag = true; }
  ~BusyGuard() { flag = false; }
};

}  // namespace

void WorldMap::ComposeBaseMap(QImage& target, bool& ready, TDateTime localNow) {
  ComposeBaseMapUtc(target, ready, localNow + utcOffset_());
}

void WorldMap::ComposeBaseMapUtc(QImage& target, bool& ready, TDateTime utc) {
  BusyGuard busy(busy_);
  sun_ = ComputeSunPosition(utc);

  // The mask depends on the sun and the view only; when the layers are to be
  // decoded first, it is drawn meanwhile.
  const bool rebuild = dayLayer_.isNull() || keyView_ != view_ || keyNight_ != nightShading_;
  std::future<bool> maskDrawn;
  auto drawMask = [this] {
    try {
      if (!mask_) mask_ = std::make_unique<IlluminationMask>(kBaseMapWidth, kBaseMapHeight);
      mask_->Draw(sun_, view_);
      return true;
    } catch (const std::exception&) {
      return false;  // no memory for it: this picture stays unshaded
    }
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

  // Composed in place: the target's memory is reused from the last time, and
  // nothing reads it until ready is set again.
  ready = false;
  if (target.size() != dayLayer_.size() || target.format() != QImage::Format_RGB32) {
    target = QImage(dayLayer_.size(), QImage::Format_RGB32);
  }
  if (nightShading_ && maskOk) {
    ComposeRows(target, dayLayer_, nightLayer_, *mask_);
  } else {
    std::memcpy(target.bits(), dayLayer_.constBits(), static_cast<std::size_t>(dayLayer_.sizeInBytes()));
  }
  ready = true;
}

// ---------------------------------------------------------------- overlay

namespace {

QImage LoadIcon(const std::string& path) {
  QImage icon(QString::fromStdString(path));
  if (icon.isNull()) throw MapError("Cannot open file \"" + path + "\".");
  return icon;
}

// Text with its cell's top-left corner at (x, y).
void TextOut(QPainter& p, int x, int y, const QString& s) { p.drawText(x, y + p.fontMetrics().ascent(), s); }

int ScreenWorkAreaWidth(int fallback) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return fallback;
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().width() : fallback;
}

}  // namespace

void WorldMap::DrawMapOverlay(QImage& image, const QImage& baseMap, bool showTimes, const MapFont& cityFont,
                              bool forWallpaper, TDateTime localNow) const {
  if (image.isNull()) return;
  ResampleBitmap(baseMap, image);
  const int w = image.width();
  const Projection proj(w, image.height(), view_);
  const int workArea = overlay_.workAreaWidth > 0 ? overlay_.workAreaWidth : ScreenWorkAreaWidth(w);
  const int margin = WorkAreaMargin(w, workArea);
  const double utcOffset = utcOffset_();

  QPainter p(&image);

  if (overlay_.showDateLine) {
    p.setPen(QPen(QColor(255, 0, 0), 1));
    for (const auto& line : DateLinePolylines(view_)) {
      QPolygon poly;
      for (const LatLonPoint& pt : line) poly << QPoint(proj.LonToX(pt.lon), proj.LatToY(pt.lat));
      p.drawPolyline(poly);
    }
  }

  {
    const TDateTime when = overlay_.showUtc ? localNow + utcOffset : localNow;
    const std::string text =
        showTimes ? format_(overlay_.mapTimeFormat + " dd MMMM, yyyy", when) : format_("dd MMMM, yyyy", when);
    const MapFont& font = forWallpaper ? wallpaperDateFont_ : windowDateFont_;
    const QString s = QString::fromStdString(text);
    p.setFont(font.font);
    const int x = CaptionX(overlay_.datePosition, w, margin, p.fontMetrics().horizontalAdvance(s));
    p.setPen(Qt::black);
    TextOut(p, x + 1, 11, s);
    p.setPen(font.color);
    TextOut(p, x, 10, s);
  }

  if (!cities_[0].name.empty()) {
    p.setFont(cityFont.font);
    const QFontMetrics fm = p.fontMetrics();
    const int th = fm.height();
    const std::string timePattern =
        overlay_.showDate ? "ddd d, " + overlay_.mapTimeFormat : overlay_.mapTimeFormat;
    const QImage dot = LoadIcon(folder_ + "dot.ico");
    for (const TCities& c : cities_) {
      if (c.name.empty()) break;
      QString timeText;
      if (showTimes)
        timeText = QString::fromStdString(format_(timePattern, CityLocalTime(c, localNow, utcOffset)));
      const int x = proj.LonToX(c.lon);
      const int y = proj.LatToY(c.lat);
      p.drawImage(QPoint(x - 1, y - 1), dot);
      const QString name = QString::fromStdString(c.name);
      const LabelPlacement at = PlaceCityLabels(x, y, c.lat, c.lon, fm.horizontalAdvance(name),
                                                fm.horizontalAdvance(timeText), th, showTimes, w);
      p.setPen(Qt::black);
      TextOut(p, at.nameX + 1, at.y + 3, name);
      if (showTimes) TextOut(p, at.timeX + 1, at.y + th + 1, timeText);
      p.setPen(cityFont.color);
      TextOut(p, at.nameX, at.y + 2, name);
      if (showTimes) TextOut(p, at.timeX, at.y + th, timeText);
    }
  }

  if (nightShading_) {
    p.drawImage(QPoint(proj.LonToX(RadToDeg(sun_.longitude)), proj.LatToY(RadToDeg(sun_.declination))),
                LoadIcon(folder_ + "sun1.ico"));
  }
}

}  // namespace wc
