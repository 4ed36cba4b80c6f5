// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The planner's way to pick a city of the database. One function, so that
// the program's shared city filter box can take its place in one change.

#include <QWidget>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/City.h"

namespace wc {

// A modal chooser over the given cities, starting on ownCity; the names in
// taken are not offered. Nothing when the user cancels.
std::optional<std::string> ChoosePlannerCity(QWidget* parent, std::span<const CityEntry> cities,
                                             std::string_view ownCity, const std::vector<std::string>& taken);

}  // namespace wc
