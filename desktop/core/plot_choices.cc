#include "desktop/core/plot_choices.h"

#include "desktop/core/shared_state.h"
#include "platform/calendar.h"
#include "platform/message_box.h"
#include "platform/text.h"

namespace {

const char kIntegersExpected[] = "Integer values expected ...";

const char* shortMonthName(int month) {
  switch (month) {
    case 2: return "Feb";
    case 4: return "Apr";
    case 6: return "Jun";
    case 9: return "Sep";
    case 11: return "Nov";
    default: return "";
  }
}

bool inRange(int value, int low, int high) { return value >= low && value <= high; }

void refuse(const char* text, const char* caption) { platform::showMessageBox(text, caption); }

}  // namespace

bool isDigitsText(const std::string& text) {
  for (char c : text) {
    if (c == ' ') continue;
    if ((c < '0' || c > '9') && c != '-') return false;
  }
  return true;
}

bool validateStartEndUtc(int sy, int sm, int sd, int sh, int smin, int ey, int em, int ed, int eh, int emin) {
  std::string message;
  if (!inRange(sy, 1990, 2030) || !inRange(ey, 1990, 2030))
    message += platform::formatText("Error: Start Year(%d) and End Year(%d)\nMUST be in the range of 1990 - 2030.\n", sy, ey);
  if (!inRange(sm, 1, 12) || !inRange(em, 1, 12))
    message += platform::formatText("Error: Start Month(%d) and End Month(%d)\nMUST be in the range of 01 - 12.\n", sm, em);
  if (!inRange(sd, 1, 31) || !inRange(ed, 1, 31))
    message += platform::formatText("Error: Start Day(%d) and End Day(%d)\nMUST be in the range of 01 - 31.\n", sd, ed);
  if (!inRange(sh, 0, 23) || !inRange(eh, 0, 23))
    message += platform::formatText("Error: Start Hour(%d) and End Hour(%d)\nMUST be in the range of 00 - 23.\n", sh, eh);
  if (!inRange(smin, 0, 59) || !inRange(emin, 0, 59))
    message += platform::formatText("Error: Start Minute(%d) and End Minute(%d)\nMUST be in the range of 00 - 59.\n", smin, emin);
  if (!message.empty()) {
    platform::showMessageBox(message, "Start/End UTC Values Out of Range ...");
    return false;
  }

  bool startLeap = platform::isLeapYear(sy);
  bool endLeap = platform::isLeapYear(ey);
  auto hasThirtyDays = [](int month) { return month == 4 || month == 6 || month == 9 || month == 11; };
  if (sd == 31 && hasThirtyDays(sm))
    message += platform::formatText("Error Start Month/Day: For \"%s\" the Day value can NOT be 31.\n", shortMonthName(sm));
  if (ed == 31 && hasThirtyDays(em))
    message += platform::formatText("Error End Month/Day: For \"%s\" the Day value can NOT be 31.\n", shortMonthName(em));
  if (sm == 2 && sd >= 29 && !startLeap)
    message += platform::formatText("Error Start Month/Day: For \"%s\" (non-leap year) the Day value can NOT be %d.\n", "Feb", sd);
  if (em == 2 && ed >= 29 && !endLeap)
    message += platform::formatText("Error End Month/Day: For \"%s\" (non-leap year) the Day value can NOT be %d.\n", "Feb", ed);
  if (sm == 2 && sd >= 30 && startLeap)
    message += platform::formatText("Error Start Month/Day: For \"%s\" (leap year) the Day value can NOT be %d.\n", "Feb", sd);
  if (em == 2 && ed >= 30 && endLeap)
    message += platform::formatText("Error End Month/Day: For \"%s\" (leap year) the Day value can NOT be %d.\n", "Feb", ed);
  if (!message.empty()) {
    platform::showMessageBox(message, "Start/End UTC Values Out of Range  ...");
    return false;
  }

  int startDate = sy * 10000 + sm * 100 + sd;
  int endDate = ey * 10000 + em * 100 + ed;
  if (endDate > startDate) return true;
  if (endDate == startDate && eh * 60 + emin > sh * 60 + smin) return true;
  platform::showMessageBox(
      platform::formatText("Error Start/End UTC (YYYYMMDDhhmm): Start Date/Time MUST be LESS_THAN End Date/Time\n\n "
                           "Start = %04d%02d%02d%02d%02d\n Stop = %04d%02d%02d%02d%02d",
                           sy, sm, sd, sh, smin, ey, em, ed, eh, emin),
      "Start/End UTC Values Out of Range ...");
  return false;
}

ChoiceVerdict checkPlotChoices(PlotChoices& c) {
  ChoiceVerdict verdict;
  if (!isDigitsText(c.yMin) || !isDigitsText(c.yMax) || !isDigitsText(c.xMin) || !isDigitsText(c.xMax)) {
    refuse("Y and X Axes Values: Min/Max values must all be integers.", kIntegersExpected);
    return verdict;
  }
  if (!c.allProfiles && c.byNumber) {
    if (!isDigitsText(c.prfMin) || !isDigitsText(c.prfMax)) {
      refuse("Profiles To Plot: Start/End index value can NOT be LESS_THAN zero.", kIntegersExpected);
      return verdict;
    }
    int start = platform::leadingLong(c.prfMin);
    if (start < 0) {
      start = 0;
      c.prfMin = "0";
    }
    int end = platform::leadingLong(c.prfMax);
    if (end > 10000) {
      c.prfMax = "10000";
      platform::showMessageBox(" Please note >> Profiles To Plot End value is set to Max = 10000 ", kApplicationTitle,
                               platform::BoxIcon::Information);
      end = 10000;
    }
    if (start >= end) {
      refuse("Profiles To Plot: End value must be greater than Start value.", "Out of Range Value ...");
      return verdict;
    }
    verdict.startProfile = start;
    verdict.endProfile = end;
  } else if (!c.allProfiles && c.byTime) {
    for (const std::string* group : {c.start, c.end}) {
      for (int i = 0; i < 5; ++i) {
        if (!isDigitsText(group[i])) {
          refuse("Profiles To Plot: Start Date/Times MUST be set to [positive] integers.", kIntegersExpected);
          return verdict;
        }
      }
    }
    int s[5], e[5];
    for (int i = 0; i < 5; ++i) {
      s[i] = platform::leadingLong(c.start[i]);
      e[i] = platform::leadingLong(c.end[i]);
    }
    if (!validateStartEndUtc(s[0], s[1], s[2], s[3], s[4], e[0], e[1], e[2], e[3], e[4])) return verdict;
    verdict.hasTimeWindow = true;
    verdict.startStamp = platform::formatText("%04d%02d%02d%02d%02d00", s[0], s[1], s[2], s[3], s[4]);
    verdict.endStamp = platform::formatText("%04d%02d%02d%02d%02d00", e[0], e[1], e[2], e[3], e[4]);
  }
  verdict.accepted = true;
  return verdict;
}
