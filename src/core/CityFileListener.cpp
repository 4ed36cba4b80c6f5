// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CityFileListener.h"

#include <algorithm>
#include <vector>

#include "CityDocument.h"
#include "CityFile.h"

namespace wc {

namespace {
std::vector<CityFileListener*>& Listeners() {
  static std::vector<CityFileListener*> listeners;
  return listeners;
}
}  // namespace

CityFileListener::CityFileListener(std::function<void()> citiesSaved) : citiesSaved_(std::move(citiesSaved)) {
  Listeners().push_back(this);
}

CityFileListener::~CityFileListener() { std::erase(Listeners(), this); }

FileResult SaveCityDatabase(const CityDocument& doc) {
  FileResult r = doc.save(CityDataPath());
  if (!r.ok) return r;
  // A listener may close its window, and with it itself, while being told.
  const std::vector<CityFileListener*> listeners = Listeners();
  for (CityFileListener* l : listeners)
    if (std::find(Listeners().begin(), Listeners().end(), l) != Listeners().end()) l->citiesSaved_();
  return r;
}

}  // namespace wc
