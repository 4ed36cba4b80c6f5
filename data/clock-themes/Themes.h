// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The analog and digital clock themes, drawn by code. The file conventions
// they follow are given at the top of main.cpp.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <vector>

enum class Bezel { Steel, Gold, RoseGold, Gunmetal, Gloss, Enamel, Rainbow, Wood };
enum class Dial { Plain, Sunburst, Opaline, Matte, Guilloche, Wood };
enum class Numerals { None, Arabic, Arabic4, Roman, RomanRadial };
enum class Markers { None, Batons, Applied, Dots, Diamonds, Rainbow };
enum class Track { None, Ticks, Railway, Dots };
enum class Hand { Baton, Dauphine, Leaf, Sword, Spade, Stick, Arrow };
enum class Second { Needle, Lollipop, Arrow };

struct AnalogTheme {
  QString name;  // menu caption and face file name
  QString stem;  // hand and cap images: <stem>-hour.png, ...
  struct {
    Bezel kind;
    QColor color;
    double width;  // large-face pixels
  } bezel;
  struct {
    Dial kind;
    QColor centre, edge;
  } dial;
  struct {
    Numerals kind;
    QString font;
    int weight;
    double size, radius;  // large-face pixels
  } numerals;
  QColor ink;  // numerals, markers, track
  Markers markers;
  Track track;
  struct {
    Hand kind;
    QColor fill, edge, inlay;  // an invalid colour: none
  } hands;
  struct {
    Second kind;
    QColor color;
  } second;
  QColor cap;
  struct {
    bool white;
    int city, date;  // TYCity, TYDate
  } text;
  QColor accent = {};  // an optional second ink: the 12 marker, a ring
};

struct DigitalTheme {
  QString name;
  QColor top, bottom;       // body gradient
  QColor panel, panelEdge;  // the recessed time window
  QColor city, time, date;  // label colours
  bool brushed = false;     // brushed metal instead of lacquer
};

struct HandImage {
  QImage image;
  int tx = 0, ty = 0;
};

const std::vector<AnalogTheme>& analogThemes();
const std::vector<DigitalTheme>& digitalThemes();

// scale: image pixels per clock pixel, 1, or 2 for the "@2x" files that
// screens of twice the density show.
QImage paintFace(const AnalogTheme& t, int size, int scale = 1);
HandImage paintHand(const AnalogTheme& t, int which, int scale = 1);  // 0 hour, 1 minute, 2 second
QImage paintCap(const AnalogTheme& t, int scale = 1);
QImage paintDigital(const DigitalTheme& t, bool small, int scale = 1);
