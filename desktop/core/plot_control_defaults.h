// The values the plot window's controls start with. The window is built with
// them; a new plot puts the axes, the curve and grid choices and the years back
// to them; the choices Replot reads start from them.
#pragma once

// The year of a date field not yet filled from a data file name: the date
// fields are filled from the file name while their year reads this.
inline constexpr int kUnfilledYear = 1900;

struct PlotControlDefaults {
  // Profile selection.
  bool allProfiles = true;  // "ALL Profiles"
  bool byNumber = false;    // " Profiles::Num"
  bool byTime = true;       // "Times::UTC"
  const char* prfMin = "0";
  const char* prfMax = "1000";
  // Year (kUnfilledYear), month, day, hour, minute of the start and of the end.
  const char* start[5] = {"1900", "01", "01", "00", "00"};
  const char* end[5] = {"1900", "01", "01", "23", "59"};
  // Altitude axis of both plots.
  const char* yMin = "0";
  const char* yMax = "12000";
  bool numberDensity = false;
  bool hideCurtainGrid = false;
  // Profile x axis and its curves.
  const char* xMin = "0";
  const char* xMax = "300";
  int exponentIndex = 18;  // "e+18" of "e+0" .. "e+25"
  bool median = true;
  bool quartiles = false;
  bool percentiles = false;
  bool hideProfileGrid = false;
};

inline constexpr PlotControlDefaults kPlotControlDefaults{};
