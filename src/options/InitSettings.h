#pragma once
// The start-up loader of the stored settings: fills the loaded city table and
// applies every stored setting to the main window. It runs right after the
// main window is created and again before each showing of the options dialog.

namespace wc {

class TWorldClock;

// Fills the loaded city table from the per-user citydata.dat; a damaged file
// is reported (and set aside) and the program goes on without cities.
void LoadCityData(TWorldClock& w);

void InitSettings(TWorldClock& w);

}  // namespace wc
