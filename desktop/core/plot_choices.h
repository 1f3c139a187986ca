// The checks Replot runs on the plot window's choices before it starts the plot
// program: integer fields, the profile index window and the UTC date-time
// window. Each refusal is shown in a message box.
#pragma once

#include <string>

#include "desktop/core/plot_control_defaults.h"

// True when every character other than the blank is one of "0123456789-"; an
// empty or all-blank text is true. Only the characters are checked, not the form.
bool isDigitsText(const std::string& text);

// Checks a start and an end date-time: the ranges, the month lengths (Gregorian
// leap years) and that the start lies before the end. On false it has shown its box.
bool validateStartEndUtc(int startYear, int startMonth, int startDay, int startHour, int startMinute, int endYear,
                         int endMonth, int endDay, int endHour, int endMinute);

// The plot window's choices as Replot reads them. checkPlotChoices may rewrite
// prfMin and prfMax (a negative start becomes "0", an end over 10000 "10000"),
// as the window then shows them. Each choice starts as the window's control does.
struct PlotChoices {
  std::string yMin = kPlotControlDefaults.yMin, yMax = kPlotControlDefaults.yMax;
  std::string xMin = kPlotControlDefaults.xMin, xMax = kPlotControlDefaults.xMax;
  bool allProfiles = kPlotControlDefaults.allProfiles;  // "ALL Profiles"
  bool byNumber = kPlotControlDefaults.byNumber;        // " Profiles::Num"
  bool byTime = kPlotControlDefaults.byTime;            // "Times::UTC"
  std::string prfMin = kPlotControlDefaults.prfMin, prfMax = kPlotControlDefaults.prfMax;
  // Year, month, day, hour, minute of the start and of the end.
  std::string start[5] = {kPlotControlDefaults.start[0], kPlotControlDefaults.start[1], kPlotControlDefaults.start[2],
                          kPlotControlDefaults.start[3], kPlotControlDefaults.start[4]};
  std::string end[5] = {kPlotControlDefaults.end[0], kPlotControlDefaults.end[1], kPlotControlDefaults.end[2],
                        kPlotControlDefaults.end[3], kPlotControlDefaults.end[4]};
};

struct ChoiceVerdict {
  bool accepted = false;
  int startProfile = 0;
  int endProfile = 10000;
  bool hasTimeWindow = false;  // the date-time fields give the stamps below
  std::string startStamp, endStamp;
};

// Runs the axis check and the profile-selection checks in Replot's order.
ChoiceVerdict checkPlotChoices(PlotChoices& choices);
