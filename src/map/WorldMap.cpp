#include "map/WorldMap.h"

#include <turbojpeg.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <bit>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/CityTime.h"
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
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  const std::vector<unsigned char> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (data.empty()) return {};

  tjhandle tj = tjInitDecompress();
  if (!tj) return {};
  QImage image;
  int w = 0, h = 0, subsamp = 0, colorspace = 0;
  if (tjDecompressHeader3(tj, data.data(), static_cast<unsigned long>(data.size()), &w, &h, &subsamp,
                          &colorspace) == 0 &&
      w > 0 && h > 0) {
    image = QImage(w, h, QImage::Format_RGB32);
    // BGRA on a little-endian machine is RGB32's memory layout; the decoder
    // writes 0xFF into the fourth byte, as RGB32 requires.
    if (image.isNull() ||
        tjDecompress2(tj, data.data(), static_cast<unsigned long>(data.size()), image.bits(), w,
                      static_cast<int>(image.bytesPerLine()), h, TJPF_BGRA, 0) != 0) {
      image = QImage();
    }
  }
  tjDestroy(tj);
  return image;
}

namespace {

// Columns 0 .. W-k-1 move to k .. W-1 and the rest wrap round to the front.
QImage RotateRight(const QImage& src, int k) {
  if (k == 0) return src;
  QImage out(src.size(), QImage::Format_RGB32);
  const int w = src.width();
  for (int y = 0; y < src.height(); ++y) {
    const QRgb* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    QRgb* d = reinterpret_cast<QRgb*>(out.scanLine(y));
    std::memcpy(d + k, s, sizeof(QRgb) * static_cast<std::size_t>(w - k));
    std::memcpy(d, s + (w - k), sizeof(QRgb) * static_cast<std::size_t>(k));
  }
  return out;
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
  layer = RotateRight(img, ViewRotation(view, kBaseMapWidth));
  return true;
}

// ---------------------------------------------------------------- engine

WorldMap::WorldMap(std::string programFolder)
    : folder_(std::move(programFolder)),
      dayPath_(folder_ + "day.jpg"),
      nightPath_(folder_ + "night.jpg"),
      baseMap_(kBaseMapWidth, kBaseMapHeight, QImage::Format_RGB32),
      utcOffset_([] { return UtcOffsetDays(); }) {
  baseMap_.fill(Qt::black);
}

WorldMap::WorldMap() : WorldMap(ProgramFolder()) {}

void WorldMap::RebuildLayersIfNeeded() {
  if (!dayLayer_.isNull() && keyView_ == view_ && keyNight_ == nightShading_) return;
  if (!LoadMapImage(dayPath_, dayLayer_, view_)) {
    dayLayer_ = QImage();
    throw MapFatalError(DayImageFatalMessage(dayPath_));
  }
  if (nightShading_) {
    if (!LoadMapImage(nightPath_, nightLayer_, view_)) {
      // Shading just goes off for this run; the stored setting is the
      // owner's and stays as the user chose it.
      nightShading_ = false;
      nightLayer_ = QImage();
    }
  } else {
    nightLayer_ = QImage();
  }
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

// ShadedPixel over whole rows; night runs are copied in one go.
void BlendNight(QImage& result, const QImage& night, const IlluminationMask& mask) {
  const int w = result.width();
  for (int r = 0; r < result.height(); ++r) {
    const std::uint8_t* m = mask.row(r + IlluminationMask::kMargin);
    QRgb* o = reinterpret_cast<QRgb*>(result.scanLine(r));
    const QRgb* n = reinterpret_cast<const QRgb*>(night.constScanLine(r));
    int x = 0;
    while (x < w) {
      if (m[x] == IlluminationMask::kNight) {
        int e = x + 1;
        while (e < w && m[e] == IlluminationMask::kNight) ++e;
        std::memcpy(o + x, n + x, sizeof(QRgb) * static_cast<std::size_t>(e - x));
        x = e;
      } else if (m[x] == IlluminationMask::kTwilight) {
        o[x] = ToQRgb(ShadedPixel(IlluminationMask::kTwilight, ToRgb(o[x]), ToRgb(n[x])));
        ++x;
      } else {
        ++x;
      }
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
  RebuildLayersIfNeeded();

  QImage result = dayLayer_.copy();
  if (nightShading_) {
    try {
      IlluminationMask mask(kBaseMapWidth, kBaseMapHeight);
      mask.Draw(sun_, view_);
      BlendNight(result, nightLayer_, mask);
    } catch (const std::exception&) {
      // Out of memory while shading: the picture as far as it got is shown.
    }
  }
  ready = false;
  target = std::move(result);
  ready = true;
}

// ---------------------------------------------------------------- overlay

std::string WorldMap::Format(std::string_view pattern, TDateTime t) const {
  if (!format_) throw MapError("WorldMap: no date/time formatter set");
  return format_(pattern, t);
}

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
        showTimes ? Format(overlay_.mapTimeFormat + " dd MMMM, yyyy", when) : Format("dd MMMM, yyyy", when);
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
        timeText = QString::fromStdString(Format(timePattern, CityLocalTime(c, localNow, utcOffset)));
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
