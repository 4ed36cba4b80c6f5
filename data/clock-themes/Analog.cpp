// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <functional>

#include "Art.h"
#include "Themes.h"

using art::Rgba;

namespace {

constexpr double kPi = 3.14159265358979323846;
// Light from the upper left, slightly in front: every bevel, groove and
// shadow of the set agrees with it.
constexpr double kLx = -0.46, kLy = -0.64, kLz = 0.61;
const double kLightAngle = std::atan2(kLy, kLx);

QColor c(const char* hex) { return QColor(QString::fromLatin1(hex)); }

struct Metal {
  Rgba dark, light;
};

Metal metalOf(Bezel b, const QColor& tint) {
  switch (b) {
    case Bezel::Gold:
      return {art::rgba(c("#7a5a1c")), art::rgba(c("#fff2c0"))};
    case Bezel::RoseGold:
      return {art::rgba(c("#8a4e40")), art::rgba(c("#ffe4da"))};
    case Bezel::Gunmetal:
      return {art::rgba(c("#1f2124")), art::rgba(c("#9aa0a8"))};
    case Bezel::Steel:
    default:
      return {art::rgba(tint.darker(230)), art::rgba(c("#f7f9fb"))};
  }
}

// Normal of a ring that is domed across its width; p runs 0 (outer edge) to 1
// (inner edge), (ux, uy) is the outward radial direction.
void domeNormal(double p, double ux, double uy, double steepness, double& nx, double& ny, double& nz) {
  const double s = std::cos(kPi * p) * steepness;
  nx = ux * s;
  ny = uy * s;
  nz = 1;
  const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
  nx /= len;
  ny /= len;
  nz /= len;
}

Rgba bezelAt(const AnalogTheme& t, double r, double th) {
  const double rd = 100 - t.bezel.width;
  const double p = art::clamp01((100 - r) / t.bezel.width);
  const double ux = std::cos(th), uy = std::sin(th);
  const bool metal = t.bezel.kind == Bezel::Steel || t.bezel.kind == Bezel::Gold ||
                     t.bezel.kind == Bezel::RoseGold || t.bezel.kind == Bezel::Gunmetal;
  double nx, ny, nz;
  domeNormal(p, ux, uy, metal ? 1.1 : 0.9, nx, ny, nz);
  const double diffuse = nx * kLx + ny * kLy + nz * kLz - kLz;        // 0 on a flat surface
  const double rz = 2 * (nx * kLx + ny * kLy + nz * kLz) * nz - kLz;  // reflected light toward the viewer
  const double specular = std::pow(std::max(0.0, rz), 24);
  Rgba col;
  if (metal) {
    const Metal m = metalOf(t.bezel.kind, t.bezel.color);
    // Turned metal: concentric grain, and the light caught in two opposite wedges.
    const double wedge = std::pow(0.5 + 0.5 * std::cos(2 * (th - kLightAngle)), 2.2);
    const double grain =
        (art::noise(r * 9, th * 2, 11) - 0.5) * 0.16 + (art::noise(r * 40, th * 1.3, 12) - 0.5) * 0.08;
    const double k = art::clamp01(0.22 + 0.5 * wedge + 1.4 * diffuse + grain);
    col = art::mix(m.dark, m.light, k);
    col = art::shade(col, 0.5 * specular);
  } else if (t.bezel.kind == Bezel::Wood) {
    const double w = r * 1.1 + 5 * art::fbm(ux * 1.6 + 3, uy * 1.6 + 3, 21, 4);
    const double ring = std::pow(0.5 + 0.5 * std::sin(w * 2.2), 2);
    const double fibre = (art::noise(r * 3, th * 60, 22) - 0.5) * 0.12;
    col = art::mix(art::rgba(c("#6e3f20")), art::rgba(c("#3a1d0c")), art::clamp01(ring * 0.7 + 0.15 + fibre));
    col = art::shade(col, 1.0 * diffuse);
    col = art::shade(col, 0.35 * specular);
  } else {
    Rgba base = art::rgba(t.bezel.color);
    if (t.bezel.kind == Bezel::Rainbow) {
      const double hue = std::fmod((th + kPi / 2) / (2 * kPi) + 1.0, 1.0);
      base = art::rgba(QColor::fromHsvF(static_cast<float>(hue), 0.78f, 0.96f));
    }
    const double gloss = t.bezel.kind == Bezel::Gloss ? 0.9 : 0.45;
    col = art::shade(base, 1.1 * diffuse);
    col = art::shade(col, gloss * specular);
  }
  // A dark lip where the bezel meets the dial, and a soft outer rim that
  // separates the clock from any desktop.
  col = art::shade(col, -0.45 * (1 - art::smoothstep(0, 0.9, r - rd)));
  col = art::shade(col, -0.5 * art::smoothstep(98.6, 100, r));
  return col;
}

Rgba dialAt(const AnalogTheme& t, double u, double v, double r, double th) {
  const double rd = 100 - t.bezel.width;
  const double q = r / rd;
  Rgba col = art::mix(art::rgba(t.dial.centre), art::rgba(t.dial.edge), std::pow(q, 1.6));
  // Brighter toward the light.
  col = art::shade(col, 0.06 * (-(u - 100) * kLx - (v - 100) * kLy) / rd);
  switch (t.dial.kind) {
    case Dial::Sunburst: {
      const double sheen = 0.13 * std::cos(2 * (th - kLightAngle - kPi / 2));
      const double streak =
          (art::noise(th * 90, 0.5, 31) - 0.5) * 0.12 + (art::noise(th * 320, r * 0.04, 32) - 0.5) * 0.08;
      col = art::shade(col, (sheen + streak) * art::smoothstep(4, 30, r));
      break;
    }
    case Dial::Opaline:
      col = art::shade(col, 0.05 * (1 - q * q) + (art::noise(u * 1.5, v * 1.5, 41) - 0.5) * 0.025);
      break;
    case Dial::Matte:
      col = art::shade(col, (art::noise(u * 3.1, v * 3.1, 51) - 0.5) * 0.05);
      break;
    case Dial::Guilloche: {
      const double wave = std::sin(r * 1.55 + 1.6 * std::sin(th * 16));
      const double fade = art::smoothstep(6, 22, r) * (1 - art::smoothstep(rd - 22, rd - 14, r));
      col = art::shade(col, 0.085 * wave * fade);
      break;
    }
    case Dial::Wood: {
      // A flat-sawn board cut at a slant to the log: the growth rings meet
      // the face as nested arches.
      const double warp = 7 * art::fbm(u * 0.018, v * 0.018, 61, 4);
      const double ring = std::hypot(v - 112, (u + 45) * 0.17) + warp;
      const double f = ring / 7.5 - std::floor(ring / 7.5);
      const double late = art::smoothstep(0.62, 0.86, f) * (1 - art::smoothstep(0.9, 1.0, f));
      const double fibre =
          (art::noise(u * 0.05, v * 1.4, 63) - 0.5) * 0.22 + (art::noise(u * 0.4, v * 4.5, 64) - 0.5) * 0.1;
      const double tone = (art::fbm(u * 0.012, v * 0.02, 65, 3) - 0.5) * 0.25;
      col = art::mix(col, art::rgba(t.dial.edge.darker(150)), art::clamp01(late * 0.5 + fibre * 0.8 + 0.1));
      col = art::shade(col, tone);
      col = art::shade(col, -0.18 * std::pow(q, 3));
      break;
    }
    case Dial::Plain:
      break;
  }
  // The bezel casts a soft shadow onto the dial on the side of the light.
  const double toLight = std::max(0.0, std::cos(th) * kLx + std::sin(th) * kLy) / std::hypot(kLx, kLy);
  const double width = 1.2 + 4.5 * toLight;
  col = art::shade(col, -0.42 * (1 - art::smoothstep(0, width, rd - r)));
  return col;
}

QImage faceBase(const AnalogTheme& t, int size) {
  return art::render(size, 4, [&](double u, double v) {
    const double dx = u - 100, dy = v - 100;
    const double r = std::hypot(dx, dy);
    if (r > 100) return Rgba{0, 0, 0, 0};
    const double th = std::atan2(dy, dx);
    return r > 100 - t.bezel.width ? bezelAt(t, r, th) : dialAt(t, u, v, r, th);
  });
}

QPainterPath textPath(const QString& family, int weight, double pixelSize, const QString& text) {
  QFont f(family);
  f.setPixelSize(100);
  f.setWeight(static_cast<QFont::Weight>(weight));
  f.setHintingPreference(QFont::PreferNoHinting);
  QPainterPath p;
  p.addText(0, 0, f, text);
  return QTransform::fromScale(pixelSize / 100, pixelSize / 100).map(p);
}

// Centres a glyph path on (0, 0), by its outline box (digits have no descenders).
QPainterPath centred(const QPainterPath& p) {
  const QRectF b = p.boundingRect();
  return p.translated(-b.center());
}

const char* kRoman[12] = {"XII", "I", "II", "III", "IIII", "V", "VI", "VII", "VIII", "IX", "X", "XI"};

class FacePainter {
 public:
  // size: the face's size in the clock's pixels; scale: image pixels per clock pixel.
  FacePainter(const AnalogTheme& t, int size, int scale, QImage& img)
      : t_(t), size_(size), pixels_(size * scale), p_(&img) {
    p_.setRenderHint(QPainter::Antialiasing);
    p_.scale(pixels_ / 200.0, pixels_ / 200.0);
    p_.translate(100, 100);
    rd_ = 100 - t.bezel.width;
  }

  void paint() {
    QPainterPath dial;
    dial.addEllipse(QPointF(0, 0), rd_, rd_);
    p_.setClipPath(dial);
    track();
    markers();
    numerals();
  }

 private:
  // Device pixels in face units: fine lines keep a visible width on small faces.
  double dev(double px) const { return px * 200.0 / pixels_; }
  double atLeast(double units, double px) const { return std::max(units, dev(px)); }
  // A small face keeps the four cardinal numerals only: twelve would crowd
  // the city name, whose text does not shrink with the face.
  bool numeralAt(int h) const {
    if (size_ <= 100 && t_.numerals.kind != Numerals::None && h % 3 != 0) return false;
    switch (t_.numerals.kind) {
      case Numerals::Arabic:
      case Numerals::Roman:
      case Numerals::RomanRadial:
        return true;
      case Numerals::Arabic4:
        return h % 3 == 0;
      case Numerals::None:
        return false;
    }
    return false;
  }
  double trackOuter() const { return rd_ - 3.2; }

  void radialLine(double angleDeg, double r0, double r1, double width, const QColor& col,
                  Qt::PenCapStyle cap) {
    p_.save();
    p_.rotate(angleDeg);
    p_.setPen(QPen(col, width, Qt::SolidLine, cap));
    p_.drawLine(QPointF(0, -r0), QPointF(0, -r1));
    p_.restore();
  }

  void track() {
    const double ro = trackOuter();
    QColor ink = t_.ink;
    switch (t_.track) {
      case Track::None:
        break;
      case Track::Ticks:
        for (int i = 0; i < 60; ++i) {
          if (i % 5 == 0 && t_.markers != Markers::None) continue;
          const bool hour = i % 5 == 0;
          QColor col = ink;
          if (!hour) col.setAlphaF(0.75f);
          radialLine(i * 6, ro, ro - (hour ? 8.0 : 4.0), hour ? atLeast(2.4, 1.0) : atLeast(0.9, 0.6), col,
                     Qt::FlatCap);
        }
        break;
      case Track::Railway: {
        const double ri = ro - 4.6;
        p_.setPen(QPen(ink, atLeast(0.7, 0.55)));
        p_.setBrush(Qt::NoBrush);
        p_.drawEllipse(QPointF(0, 0), ro, ro);
        p_.drawEllipse(QPointF(0, 0), ri, ri);
        for (int i = 0; i < 60; ++i)
          radialLine(i * 6, ro, ri, i % 5 == 0 ? atLeast(1.5, 0.8) : atLeast(0.7, 0.5), ink, Qt::FlatCap);
        break;
      }
      case Track::Dots:
        p_.setPen(Qt::NoPen);
        p_.setBrush(ink);
        for (int i = 0; i < 60; ++i) {
          if (i % 5 == 0) continue;
          const double a = i * 6 * kPi / 180;
          const double rr = ro - 2.2;
          p_.drawEllipse(QPointF(std::sin(a) * rr, -std::cos(a) * rr), atLeast(0.85, 0.5),
                         atLeast(0.85, 0.5));
        }
        break;
    }
  }

  void appliedBaton(double angleDeg, double r0, double len, double w, const QColor& metal) {
    p_.save();
    p_.rotate(angleDeg);
    const QRectF rect(-w / 2, -r0, w, len);
    // Shadow toward the lower right, in face coordinates.
    p_.save();
    p_.rotate(-angleDeg);
    p_.translate(0.7, 1.0);
    p_.rotate(angleDeg);
    p_.setPen(Qt::NoPen);
    p_.setBrush(QColor(0, 0, 0, 90));
    p_.drawRoundedRect(rect.adjusted(-0.3, -0.3, 0.3, 0.3), 0.8, 0.8);
    p_.restore();
    // Facets catch the light by their direction: a gradient across the baton,
    // turned back into face coordinates.
    const double a = angleDeg * kPi / 180;
    const QPointF across(std::cos(a), std::sin(a));  // local x in face coordinates
    const bool leftLit = across.x() * kLx + across.y() * kLy < 0;
    QLinearGradient g(QPointF(-w / 2, 0), QPointF(w / 2, 0));
    g.setColorAt(0, leftLit ? metal.lighter(150) : metal.darker(150));
    g.setColorAt(0.5, metal);
    g.setColorAt(1, leftLit ? metal.darker(150) : metal.lighter(150));
    p_.setBrush(g);
    p_.setPen(QPen(metal.darker(220), atLeast(0.35, 0.3)));
    p_.drawRoundedRect(rect, 0.8, 0.8);
    p_.restore();
  }

  void markers() {
    const double ro = trackOuter() - (t_.track == Track::None ? 0 : 5.5);
    for (int h = 0; h < 12; ++h) {
      if (numeralAt(h) && t_.markers != Markers::Rainbow) continue;
      const double deg = h * 30;
      const bool major = h % 3 == 0;
      const double a = deg * kPi / 180;
      Markers style = t_.markers;
      if (style == Markers::None && t_.numerals.kind != Numerals::None) style = Markers::Batons;
      switch (style) {
        case Markers::None:
          break;
        case Markers::Batons: {
          QColor col = h == 0 && t_.accent.isValid() ? t_.accent : t_.ink;
          const double w = major ? atLeast(4.0, 1.6) : atLeast(2.8, 1.2);
          if (h == 0 && t_.accent.isValid()) {
            QPolygonF tri;
            tri << QPointF(-5.5, -ro) << QPointF(5.5, -ro) << QPointF(0, -ro + 12);
            p_.setPen(Qt::NoPen);
            p_.setBrush(col);
            p_.drawPolygon(tri);
          } else if (h == 0) {
            radialLine(deg, ro, ro - 15, atLeast(6.5, 2.2), col, Qt::FlatCap);
          } else {
            radialLine(deg, ro, ro - (major ? 14 : 11), w, col, Qt::FlatCap);
          }
          break;
        }
        case Markers::Applied:
          if (h == 0) {
            appliedBaton(deg - 2.6, ro, 15, 4.2, t_.ink);
            appliedBaton(deg + 2.6, ro, 15, 4.2, t_.ink);
          } else {
            appliedBaton(deg, ro, major ? 15 : 12.5, major ? 5.0 : 4.0, t_.ink);
          }
          break;
        case Markers::Dots: {
          const double rr = major ? 4.3 : 3.1;
          const QPointF at(std::sin(a) * (ro - 5), -std::cos(a) * (ro - 5));
          p_.setPen(Qt::NoPen);
          p_.setBrush(QColor(0, 0, 0, 80));
          p_.drawEllipse(at + QPointF(0.6, 0.9), rr, rr);
          QRadialGradient g(at + QPointF(-rr * 0.35, -rr * 0.35), rr * 1.4);
          g.setColorAt(0, t_.ink.lighter(140));
          g.setColorAt(1, t_.ink.darker(125));
          p_.setBrush(g);
          p_.drawEllipse(at, rr, rr);
          break;
        }
        case Markers::Diamonds: {
          p_.save();
          p_.rotate(deg);
          const double len = major ? 14 : 11, w = major ? 6.0 : 4.6;
          QPolygonF d;
          d << QPointF(0, -ro) << QPointF(w / 2, -ro + len / 2) << QPointF(0, -ro + len)
            << QPointF(-w / 2, -ro + len / 2);
          p_.setPen(Qt::NoPen);
          p_.setBrush(t_.ink);
          p_.drawPolygon(d);
          // Faceted: one half in the light.
          QPolygonF half;
          half << QPointF(0, -ro) << QPointF(-w / 2, -ro + len / 2) << QPointF(0, -ro + len);
          p_.setBrush(QColor(255, 255, 255, 70));
          p_.drawPolygon(half);
          p_.restore();
          break;
        }
        case Markers::Rainbow: {
          const QColor hue = QColor::fromHsvF(static_cast<float>(h / 12.0), 0.82f, 0.95f);
          const double rr = major ? 5.2 : 4.0;
          const double at = numeralAt(h) ? ro - 1.5 : ro - 5;
          if (numeralAt(h)) break;
          p_.setPen(Qt::NoPen);
          p_.setBrush(hue);
          p_.drawEllipse(QPointF(std::sin(a) * at, -std::cos(a) * at), rr, rr);
          break;
        }
      }
    }
  }

  void numerals() {
    if (t_.numerals.kind == Numerals::None) return;
    p_.setPen(Qt::NoPen);
    for (int h = 0; h < 12; ++h) {
      if (!numeralAt(h)) continue;
      const bool roman = t_.numerals.kind == Numerals::Roman || t_.numerals.kind == Numerals::RomanRadial;
      QString text = roman ? QString::fromLatin1(kRoman[h]) : QString::number(h == 0 ? 12 : h);
      if (t_.numerals.kind == Numerals::Roman && h == 4) text = QStringLiteral("IV");
      QPainterPath glyphs = centred(textPath(t_.numerals.font, t_.numerals.weight, t_.numerals.size, text));
      const double a = h * 30 * kPi / 180;
      QTransform m;
      if (t_.numerals.kind == Numerals::RomanRadial) {
        m.rotate(h * 30);
        m.translate(0, -t_.numerals.radius);
      } else {
        m.translate(std::sin(a) * t_.numerals.radius, -std::cos(a) * t_.numerals.radius);
      }
      const QPainterPath placed = m.map(glyphs);
      p_.setBrush(QColor(0, 0, 0, t_.text.white ? 70 : 38));
      p_.drawPath(placed.translated(0.5, 0.8));
      p_.setBrush(t_.ink);
      p_.drawPath(placed);
    }
  }

  const AnalogTheme& t_;
  int size_, pixels_;
  QPainter p_;
  double rd_ = 90;
};

// Hand geometry, in rotation-canvas pixels: x across the hand, y from the
// pivot toward the tip (down in the image).
struct HandShape {
  QPainterPath body;
  QPainterPath inlay;
  double reach = 0, tail = 0, half = 0;
};

HandShape shapeOf(Hand style, double len, double w, double tail) {
  HandShape s;
  s.reach = len;
  s.tail = tail;
  s.half = w / 2;
  QPainterPath& p = s.body;
  const double h = w / 2;
  switch (style) {
    case Hand::Baton: {
      p.addRoundedRect(QRectF(-h, -tail, w, len + tail - w * 0.55), h * 0.5, h * 0.5);
      QPainterPath tip;
      tip.moveTo(-h, len - w * 0.9);
      tip.lineTo(h, len - w * 0.9);
      tip.lineTo(0, len);
      tip.closeSubpath();
      p = p.united(tip);
      s.inlay.addRoundedRect(QRectF(-h * 0.42, len * 0.28, w * 0.42, len * 0.58), h * 0.2, h * 0.2);
      break;
    }
    case Hand::Dauphine:
      p.moveTo(0, -tail);
      p.lineTo(h, len * 0.1);
      p.lineTo(0, len);
      p.lineTo(-h, len * 0.1);
      p.closeSubpath();
      break;
    case Hand::Leaf: {
      const double stem = w * 0.16;
      p.moveTo(-stem, -tail);
      p.lineTo(stem, -tail);
      p.lineTo(stem, len * 0.12);
      p.cubicTo(QPointF(h * 1.15, len * 0.3), QPointF(h * 1.05, len * 0.7), QPointF(0, len));
      p.cubicTo(QPointF(-h * 1.05, len * 0.7), QPointF(-h * 1.15, len * 0.3), QPointF(-stem, len * 0.12));
      p.closeSubpath();
      break;
    }
    case Hand::Sword:
      p.moveTo(-h * 0.35, -tail);
      p.lineTo(h * 0.35, -tail);
      p.lineTo(h * 0.35, len * 0.05);
      p.lineTo(h, len * 0.2);
      p.lineTo(h * 0.18, len * 0.97);
      p.lineTo(0, len);
      p.lineTo(-h * 0.18, len * 0.97);
      p.lineTo(-h, len * 0.2);
      p.lineTo(-h * 0.35, len * 0.05);
      p.closeSubpath();
      s.inlay.moveTo(0, len * 0.26);
      s.inlay.lineTo(h * 0.45, len * 0.3);
      s.inlay.lineTo(0, len * 0.86);
      s.inlay.lineTo(-h * 0.45, len * 0.3);
      s.inlay.closeSubpath();
      break;
    case Hand::Spade: {
      const double shaft = std::max(2.2, w * 0.26);
      p.addRect(QRectF(-shaft / 2, -tail, shaft, len * 0.62 + tail));
      QPainterPath head;
      const double top = len * 0.56, bottom = len * 0.84;
      head.moveTo(0, top);
      head.cubicTo(QPointF(h * 1.3, top + (bottom - top) * 0.1),
                   QPointF(h * 1.25, bottom - (bottom - top) * 0.2), QPointF(0, bottom));
      head.cubicTo(QPointF(-h * 1.25, bottom - (bottom - top) * 0.2),
                   QPointF(-h * 1.3, top + (bottom - top) * 0.1), QPointF(0, top));
      QPainterPath tip;
      tip.moveTo(-shaft / 2, bottom - 2);
      tip.lineTo(shaft / 2, bottom - 2);
      tip.lineTo(0.4, len);
      tip.lineTo(-0.4, len);
      tip.closeSubpath();
      p = p.united(head).united(tip);
      break;
    }
    case Hand::Stick:
      p.addRoundedRect(QRectF(-h, -tail, w, len + tail), h, h);
      break;
    case Hand::Arrow: {
      const double shaft = w * 0.5;
      p.addRoundedRect(QRectF(-shaft / 2, -tail, shaft, len * 0.74 + tail), shaft / 2, shaft / 2);
      QPainterPath head;
      head.moveTo(0, len);
      head.lineTo(h * 1.25, len * 0.7);
      head.lineTo(0, len * 0.76);
      head.lineTo(-h * 1.25, len * 0.7);
      head.closeSubpath();
      p = p.united(head);
      s.inlay.addRoundedRect(QRectF(-shaft * 0.25, len * 0.2, shaft * 0.5, len * 0.5), shaft * 0.2,
                             shaft * 0.2);
      s.half = h * 1.25;
      break;
    }
  }
  // Every hand meets the others in a round hub under the cap.
  // The cap is not scaled with the face, so the hub stays within its 8 pixels.
  const double hubR = std::clamp(h * 0.9, 4.5, 5.5);
  QPainterPath hub;
  hub.addEllipse(QPointF(0, 0), hubR, hubR);
  p = p.united(hub);
  s.half = std::max(s.half, hubR);
  return s;
}

// The pivot (tx, ty) is given in the hand's 1x pixels; a scaled image keeps
// it at scale times that point, so both resolutions turn about one place.
HandImage toImage(const HandShape& s, int scale, const std::function<void(QPainter&)>& draw) {
  const int margin = 6;
  HandImage out;
  const int w = 2 * static_cast<int>(std::ceil(s.half + margin));
  out.tx = w / 2;
  out.ty = static_cast<int>(std::ceil(s.tail + margin));
  const int h = out.ty + static_cast<int>(std::ceil(s.reach + margin));
  QImage hand(w * scale, h * scale, QImage::Format_ARGB32_Premultiplied);
  hand.fill(Qt::transparent);
  {
    QPainter p(&hand);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(out.tx * scale, out.ty * scale);
    p.scale(scale, scale);
    draw(p);
  }
  // A soft halo lifts the hand off any dial; it is round, so it stays right
  // at every angle the hand is turned to.
  QImage img = art::shadowOf(hand, 2 * scale, Qt::black, 0.55);
  {
    QPainter p(&img);
    p.drawImage(0, 0, hand);
  }
  out.image = img;
  return out;
}

double dialRadius(const AnalogTheme& t) { return 100 - t.bezel.width; }

}  // namespace

QImage paintFace(const AnalogTheme& t, int size, int scale) {
  QImage img = faceBase(t, size * scale);
  FacePainter(t, size, scale, img).paint();
  return img;
}

HandImage paintHand(const AnalogTheme& t, int which, int scale) {
  constexpr double kCanvas = 1.4;  // rotation-canvas pixels per large-face pixel
  const double rd = dialRadius(t);
  if (which == 2) {
    const double len = (rd - 4) * kCanvas, tail = 30;
    HandShape s;
    s.reach = len;
    s.tail = tail;
    s.half = 7;
    const QColor col = t.second.color;
    return toImage(s, scale, [&](QPainter& p) {
      p.setPen(Qt::NoPen);
      p.setBrush(col);
      QPainterPath needle;
      needle.moveTo(-1.6, -tail * 0.75);
      needle.lineTo(1.6, -tail * 0.75);
      needle.lineTo(0.9, len);
      needle.lineTo(-0.9, len);
      needle.closeSubpath();
      p.drawPath(needle);
      p.drawEllipse(QPointF(0, 0), 4.6, 4.6);
      // Counterweight.
      p.drawRoundedRect(QRectF(-3.2, -tail, 6.4, tail * 0.45), 3.2, 3.2);
      if (t.second.kind == Second::Lollipop) {
        p.setPen(QPen(col, 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(0, len * 0.8), 5.2, 5.2);
      } else if (t.second.kind == Second::Arrow) {
        QPolygonF head;
        head << QPointF(0, len + 1) << QPointF(4.6, len - 13) << QPointF(-4.6, len - 13);
        p.drawPolygon(head);
      }
    });
  }
  const double minute = (rd - 7) * kCanvas;
  const double len = which == 0 ? minute * 0.64 : minute;
  double width = which == 0 ? 12.5 : 9.5;
  if (t.hands.kind == Hand::Stick) width += 1.5;
  if (t.hands.kind == Hand::Dauphine || t.hands.kind == Hand::Leaf) width += 3;
  if (t.hands.kind == Hand::Spade) width += which == 0 ? 4 : 2;
  const HandShape s = shapeOf(t.hands.kind, len, width, which == 0 ? 14 : 20);
  return toImage(s, scale, [&](QPainter& p) {
    const QColor fill = t.hands.fill;
    if (t.hands.kind == Hand::Dauphine) {
      // Two facets split along the axis: one lit, one in shade.
      p.setPen(Qt::NoPen);
      p.setBrush(fill.darker(135));
      p.drawPath(s.body);
      QPainterPath left;
      left.addRect(QRectF(-s.half - 1, -s.tail - 1, s.half + 1, s.reach + s.tail + 2));
      p.setBrush(fill.lighter(118));
      p.drawPath(s.body.intersected(left));
    } else {
      QLinearGradient g(QPointF(-s.half, 0), QPointF(s.half, 0));
      g.setColorAt(0, fill.lighter(125));
      g.setColorAt(0.5, fill);
      g.setColorAt(1, fill.darker(125));
      p.setPen(Qt::NoPen);
      p.setBrush(g);
      p.drawPath(s.body);
    }
    if (t.hands.edge.isValid()) {
      p.setPen(QPen(t.hands.edge, 1.1));
      p.setBrush(Qt::NoBrush);
      p.drawPath(s.body);
    }
    if (t.hands.inlay.isValid() && !s.inlay.isEmpty()) {
      p.setPen(Qt::NoPen);
      p.setBrush(t.hands.inlay);
      p.drawPath(s.inlay);
    }
  });
}

QImage paintCap(const AnalogTheme& t, int scale) {
  // Drawn at its own size on every face: small enough for the 100-pixel one.
  QImage img(10 * scale, 10 * scale, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);
  const QPointF centre(5, 5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawEllipse(centre + QPointF(0.25, 0.4), 4.6, 4.6);
  QRadialGradient g(centre + QPointF(-1.3, -1.5), 5.5);
  g.setColorAt(0, t.cap.lighter(170));
  g.setColorAt(0.45, t.cap);
  g.setColorAt(1, t.cap.darker(170));
  p.setBrush(g);
  p.setPen(QPen(t.cap.darker(230), 0.6));
  p.drawEllipse(centre, 3.9, 3.9);
  return img;
}

const std::vector<AnalogTheme>& analogThemes() {
  const QColor none;
  // clang-format off
  static const std::vector<AnalogTheme> themes = {
    {.name = "Blue Steel 1", .stem = "bluesteel1",
     .bezel = {Bezel::Steel, c("#9aa3ad"), 11}, .dial = {Dial::Sunburst, c("#2f63b5"), c("#0f2c63")},
     .numerals = {Numerals::None, "", 400, 0, 0}, .ink = c("#dfe6ee"), .markers = Markers::Applied, .track = Track::Ticks,
     .hands = {Hand::Dauphine, c("#d9dfe6"), none, none}, .second = {Second::Needle, c("#e6ebf0")}, .cap = c("#c9d0d8"),
     .text = {true, 60, 124}},
    {.name = "Blue Steel 2", .stem = "bluesteel2",
     .bezel = {Bezel::Steel, c("#8d96a0"), 8}, .dial = {Dial::Opaline, c("#f6f7f9"), c("#d6dbe2")},
     .numerals = {Numerals::Arabic, "Liberation Serif", 400, 21, 67}, .ink = c("#1c2c55"), .markers = Markers::None, .track = Track::Railway,
     .hands = {Hand::Leaf, c("#2a4fb8"), c("#0f2263"), none}, .second = {Second::Needle, c("#2a4fb8")}, .cap = c("#2a4fb8"),
     .text = {false, 66, 120}},
    {.name = "Retro Green", .stem = "retrogreen",
     .bezel = {Bezel::Enamel, c("#eee3c4"), 12}, .dial = {Dial::Plain, c("#587a30"), c("#344f1b")},
     .numerals = {Numerals::Arabic4, "DejaVu Sans", 700, 26, 61}, .ink = c("#f4ecd2"), .markers = Markers::Dots, .track = Track::Dots,
     .hands = {Hand::Stick, c("#f4ecd2"), c("#26331a"), none}, .second = {Second::Lollipop, c("#ef7a1a")}, .cap = c("#ef7a1a"),
     .text = {true, 62, 122}},
    {.name = "Retro Red", .stem = "retrored",
     .bezel = {Bezel::Gloss, c("#c62a2a"), 13}, .dial = {Dial::Plain, c("#fcf4e2"), c("#eee0bf")},
     .numerals = {Numerals::Arabic, "DejaVu Sans Condensed", 700, 18, 64}, .ink = c("#262626"), .markers = Markers::None, .track = Track::Ticks,
     .hands = {Hand::Stick, c("#1f1f1f"), none, none}, .second = {Second::Needle, c("#d32f2f")}, .cap = c("#d32f2f"),
     .text = {false, 66, 120}},
    {.name = "Fresh", .stem = "fresh",
     .bezel = {Bezel::Enamel, c("#8cc84b"), 7}, .dial = {Dial::Plain, c("#ffffff"), c("#e6f5ec")},
     .numerals = {Numerals::Arabic4, "DejaVu Sans", 400, 26, 68}, .ink = c("#12897a"), .markers = Markers::Dots, .track = Track::Dots,
     .hands = {Hand::Baton, c("#12897a"), none, none}, .second = {Second::Lollipop, c("#7cb82f")}, .cap = c("#7cb82f"),
     .text = {false, 62, 122}},
    {.name = "Stylish Red", .stem = "stylishred",
     .bezel = {Bezel::Gloss, c("#1a1a1a"), 9}, .dial = {Dial::Plain, c("#242427"), c("#070708")},
     .numerals = {Numerals::None, "", 400, 0, 0}, .ink = c("#e23b3b"), .markers = Markers::Batons, .track = Track::Ticks,
     .hands = {Hand::Sword, c("#eeeeee"), c("#6b6b6b"), none}, .second = {Second::Needle, c("#ff3b30")}, .cap = c("#ff3b30"),
     .text = {true, 60, 124}, .accent = c("#ffffff")},
    {.name = "Simple Blue", .stem = "simpleblue",
     .bezel = {Bezel::Enamel, c("#1f66c1"), 7}, .dial = {Dial::Plain, c("#ffffff"), c("#edf2fa")},
     .numerals = {Numerals::Arabic, "Liberation Sans", 400, 20, 70}, .ink = c("#1f66c1"), .markers = Markers::None, .track = Track::Ticks,
     .hands = {Hand::Baton, c("#163f78"), none, none}, .second = {Second::Needle, c("#3d9bf0")}, .cap = c("#163f78"),
     .text = {false, 66, 120}},
    {.name = "Vibrant", .stem = "vibrant",
     .bezel = {Bezel::Rainbow, c("#ffffff"), 10}, .dial = {Dial::Plain, c("#ffffff"), c("#f2f2f2")},
     .numerals = {Numerals::Arabic4, "DejaVu Sans", 700, 25, 63}, .ink = c("#2b2b2b"), .markers = Markers::Rainbow, .track = Track::None,
     .hands = {Hand::Baton, c("#2b2b2b"), none, none}, .second = {Second::Needle, c("#e91e63")}, .cap = c("#e91e63"),
     .text = {false, 62, 122}},
    {.name = "Blue Gray", .stem = "bluegray",
     .bezel = {Bezel::Enamel, c("#5d6d80"), 9}, .dial = {Dial::Matte, c("#5a6c82"), c("#38475a")},
     .numerals = {Numerals::Arabic4, "DejaVu Sans Condensed", 400, 26, 64}, .ink = c("#e3e9f0"), .markers = Markers::Batons, .track = Track::Ticks,
     .hands = {Hand::Baton, c("#e8edf3"), c("#2b3644"), none}, .second = {Second::Needle, c("#8ec5ff")}, .cap = c("#dfe6ee"),
     .text = {true, 62, 122}},
    {.name = "Black Gray", .stem = "blackgray",
     .bezel = {Bezel::Gunmetal, c("#4a4d52"), 10}, .dial = {Dial::Plain, c("#232427"), c("#0b0b0c")},
     .numerals = {Numerals::Arabic, "DejaVu Sans", 700, 19, 66}, .ink = c("#e4e7ea"), .markers = Markers::None, .track = Track::Ticks,
     .hands = {Hand::Baton, c("#8c9199"), none, c("#f2f2f2")}, .second = {Second::Needle, c("#c8ccd0")}, .cap = c("#6d7178"),
     .text = {true, 66, 120}},
    {.name = "Gray", .stem = "gray",
     .bezel = {Bezel::Enamel, c("#b9b9b9"), 8}, .dial = {Dial::Plain, c("#f0f0f0"), c("#d4d4d4")},
     .numerals = {Numerals::None, "", 400, 0, 0}, .ink = c("#4d4d4d"), .markers = Markers::Batons, .track = Track::Ticks,
     .hands = {Hand::Baton, c("#3a3a3a"), none, none}, .second = {Second::Lollipop, c("#7a7a7a")}, .cap = c("#3a3a3a"),
     .text = {false, 60, 124}},
    {.name = "Gray Orange", .stem = "grayorange",
     .bezel = {Bezel::Gunmetal, c("#3c3f44"), 10}, .dial = {Dial::Matte, c("#3d4045"), c("#24262a")},
     .numerals = {Numerals::Arabic, "DejaVu Sans", 700, 18, 63}, .ink = c("#f2f2f2"), .markers = Markers::None, .track = Track::Ticks,
     .hands = {Hand::Arrow, c("#d9dbde"), none, c("#ff8f00")}, .second = {Second::Arrow, c("#ff8f00")}, .cap = c("#ff8f00"),
     .text = {true, 66, 120}, .accent = c("#ff8f00")},
    {.name = "Deep Pink", .stem = "deeppink",
     .bezel = {Bezel::RoseGold, c("#c98b7a"), 9}, .dial = {Dial::Sunburst, c("#e0307a"), c("#8a0f4e")},
     .numerals = {Numerals::None, "", 400, 0, 0}, .ink = c("#ffe6f0"), .markers = Markers::Diamonds, .track = Track::Dots,
     .hands = {Hand::Dauphine, c("#f3cdbf"), none, none}, .second = {Second::Needle, c("#ffffff")}, .cap = c("#e9b3a2"),
     .text = {true, 60, 124}},
    {.name = "Forest Green", .stem = "forestgreen",
     .bezel = {Bezel::Gold, c("#c9a44c"), 10}, .dial = {Dial::Matte, c("#2f6140"), c("#163a24")},
     .numerals = {Numerals::Roman, "Liberation Serif", 400, 19, 67}, .ink = c("#e6c878"), .markers = Markers::None, .track = Track::Railway,
     .hands = {Hand::Leaf, c("#e9c970"), c("#7a5a1c"), none}, .second = {Second::Needle, c("#e9c970")}, .cap = c("#d9b55a"),
     .text = {true, 66, 120}},
    {.name = "Orange", .stem = "orange",
     .bezel = {Bezel::Enamel, c("#2b2b2b"), 9}, .dial = {Dial::Plain, c("#ffae3d"), c("#f27405")},
     .numerals = {Numerals::Arabic, "DejaVu Sans", 700, 20, 66}, .ink = c("#1d1d1d"), .markers = Markers::None, .track = Track::Ticks,
     .hands = {Hand::Baton, c("#1d1d1d"), none, none}, .second = {Second::Needle, c("#ffffff")}, .cap = c("#1d1d1d"),
     .text = {false, 66, 120}},
    {.name = "Violet", .stem = "violet",
     .bezel = {Bezel::Steel, c("#a7a2b3"), 9}, .dial = {Dial::Guilloche, c("#7a48b0"), c("#3b1c63")},
     .numerals = {Numerals::None, "", 400, 0, 0}, .ink = c("#e3e0ea"), .markers = Markers::Dots, .track = Track::Ticks,
     .hands = {Hand::Leaf, c("#e6e3ee"), c("#5a5566"), none}, .second = {Second::Needle, c("#d9b8ff")}, .cap = c("#cfcad9"),
     .text = {true, 60, 124}},
    {.name = "Classic", .stem = "classic",
     .bezel = {Bezel::Gold, c("#c9a44c"), 9}, .dial = {Dial::Opaline, c("#fdf8ea"), c("#eee3c6")},
     .numerals = {Numerals::RomanRadial, "Liberation Serif", 400, 17, 72}, .ink = c("#1a1a1a"), .markers = Markers::None, .track = Track::Railway,
     .hands = {Hand::Spade, c("#141414"), none, none}, .second = {Second::Needle, c("#1d3f99")}, .cap = c("#c9a44c"),
     .text = {false, 66, 120}},
    {.name = "Wooden", .stem = "wooden",
     .bezel = {Bezel::Wood, c("#5a3218"), 11}, .dial = {Dial::Wood, c("#e2b57a"), c("#c48e4f")},
     .numerals = {Numerals::Arabic, "Liberation Serif", 700, 21, 64}, .ink = c("#3a2210"), .markers = Markers::None, .track = Track::Dots,
     .hands = {Hand::Sword, c("#2e1f13"), c("#140b05"), none}, .second = {Second::Needle, c("#9e1c1c")}, .cap = c("#c9a44c"),
     .text = {false, 66, 120}},
  };
  // clang-format on
  return themes;
}
