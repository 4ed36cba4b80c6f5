// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// How a change made in the manager reaches the rest of the program during a
// run. The loaded city table keeps what start-up read (its users see the
// change at the next start); every window that offers cities reads the file
// itself when it opens, so it sees the manager's last save at once. A window
// that stays open meanwhile (the clock set-up dialogs) keeps a
// CityFileListener and reads the file again when it is told.

#include <functional>

#include "AtomicFile.h"

namespace wc {

class CityDocument;

class CityFileListener {
 public:
  explicit CityFileListener(std::function<void()> citiesSaved);
  ~CityFileListener();
  CityFileListener(const CityFileListener&) = delete;
  CityFileListener& operator=(const CityFileListener&) = delete;

 private:
  friend FileResult SaveCityDatabase(const CityDocument& doc);
  std::function<void()> citiesSaved_;
};

// The manager's save: doc to CityDataPath(), then, when that worked, every
// CityFileListener is told (in the order they were made).
FileResult SaveCityDatabase(const CityDocument& doc);

}  // namespace wc
