#include <gtest/gtest.h>

#include "desktop/core/plot_choices.h"
#include "tests/desktop/core/desktop_fixture.h"

namespace {

using platform::BoxIcon;

TEST(DesktopIsDigitsText, ChecksCharactersNotForm) {
  const std::pair<const char*, bool> cases[] = {
      {"", true},     {"   ", true}, {"123", true},  {" 12 ", true}, {"-5", true},  {"1-2", true},
      {"--", true},   {"1.5", false}, {"1e5", false}, {"+3", false},  {"a", false}, {"12\t", false},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(isDigitsText(text), expected) << "'" << text << "'";
}

class DesktopUtcCheck : public DesktopTest {
 protected:
  bool check(int sy, int sm, int sd, int sh, int smin, int ey, int em, int ed, int eh, int emin) {
    return validateStartEndUtc(sy, sm, sd, sh, smin, ey, em, ed, eh, emin);
  }
  std::string onlyText() const { return boxes.boxes.size() == 1 ? boxes.boxes[0].text : "<" + std::to_string(boxes.boxes.size()) + " boxes>"; }
  std::string onlyCaption() const { return boxes.boxes.size() == 1 ? boxes.boxes[0].caption : ""; }
};

TEST_F(DesktopUtcCheck, ValidWindowPassesWithoutBox) {
  EXPECT_TRUE(check(2018, 3, 15, 0, 0, 2018, 3, 17, 23, 59));
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DesktopUtcCheck, RangeLinesInOrderWithStartValueFirst) {
  EXPECT_FALSE(check(1989, 13, 0, 24, 60, 2018, 1, 1, 0, 0));
  EXPECT_EQ(onlyText(),
            "Error: Start Year(1989) and End Year(2018)\nMUST be in the range of 1990 - 2030.\n"
            "Error: Start Month(13) and End Month(1)\nMUST be in the range of 01 - 12.\n"
            "Error: Start Day(0) and End Day(1)\nMUST be in the range of 01 - 31.\n"
            "Error: Start Hour(24) and End Hour(0)\nMUST be in the range of 00 - 23.\n"
            "Error: Start Minute(60) and End Minute(0)\nMUST be in the range of 00 - 59.\n");
  EXPECT_EQ(onlyCaption(), "Start/End UTC Values Out of Range ...");
  EXPECT_EQ(boxes.boxes[0].icon, BoxIcon::Error);
}

TEST_F(DesktopUtcCheck, BadMonthGivesOnlyTheRangeLine) {
  EXPECT_FALSE(check(2018, 1, 1, 0, 0, 2018, 13, 1, 0, 0));
  EXPECT_EQ(onlyText(), "Error: Start Month(1) and End Month(13)\nMUST be in the range of 01 - 12.\n");
}

TEST_F(DesktopUtcCheck, ThirtyDayMonths) {
  EXPECT_FALSE(check(2018, 1, 1, 0, 0, 2018, 4, 31, 0, 0));
  EXPECT_EQ(onlyText(), "Error End Month/Day: For \"Apr\" the Day value can NOT be 31.\n");
  EXPECT_EQ(onlyCaption(), "Start/End UTC Values Out of Range  ...");
  boxes.boxes.clear();
  EXPECT_FALSE(check(2018, 6, 31, 0, 0, 2018, 11, 31, 0, 0));
  EXPECT_EQ(onlyText(),
            "Error Start Month/Day: For \"Jun\" the Day value can NOT be 31.\n"
            "Error End Month/Day: For \"Nov\" the Day value can NOT be 31.\n");
  boxes.boxes.clear();
  EXPECT_FALSE(check(2018, 9, 31, 0, 0, 2018, 10, 31, 0, 0));
  EXPECT_EQ(onlyText(), "Error Start Month/Day: For \"Sep\" the Day value can NOT be 31.\n");
}

TEST_F(DesktopUtcCheck, FebruaryAndLeapYears) {
  EXPECT_FALSE(check(2019, 2, 29, 0, 0, 2019, 3, 1, 0, 0));
  EXPECT_EQ(onlyText(), "Error Start Month/Day: For \"Feb\" (non-leap year) the Day value can NOT be 29.\n");
  boxes.boxes.clear();

  EXPECT_TRUE(check(2020, 2, 29, 0, 0, 2020, 3, 1, 0, 0));
  EXPECT_TRUE(check(2000, 2, 29, 0, 0, 2000, 3, 1, 0, 0));  // divisible by 400
  EXPECT_TRUE(boxes.boxes.empty());

  EXPECT_FALSE(check(2020, 2, 30, 0, 0, 2020, 3, 1, 0, 0));
  EXPECT_EQ(onlyText(), "Error Start Month/Day: For \"Feb\" (leap year) the Day value can NOT be 30.\n");
  boxes.boxes.clear();

  EXPECT_FALSE(check(2018, 1, 1, 0, 0, 2030, 2, 29, 0, 0));  // 2030 is no leap year
  EXPECT_EQ(onlyText(), "Error End Month/Day: For \"Feb\" (non-leap year) the Day value can NOT be 29.\n");
  boxes.boxes.clear();

  EXPECT_FALSE(check(2020, 1, 1, 0, 0, 2020, 2, 31, 0, 0));
  EXPECT_EQ(onlyText(), "Error End Month/Day: For \"Feb\" (leap year) the Day value can NOT be 31.\n");
}

TEST_F(DesktopUtcCheck, OrderCheck) {
  EXPECT_FALSE(check(2018, 3, 15, 10, 0, 2018, 3, 15, 10, 0));
  EXPECT_EQ(onlyText(),
            "Error Start/End UTC (YYYYMMDDhhmm): Start Date/Time MUST be LESS_THAN End Date/Time\n\n"
            " Start = 201803151000\n Stop = 201803151000");
  EXPECT_EQ(onlyCaption(), "Start/End UTC Values Out of Range ...");
  boxes.boxes.clear();
  EXPECT_TRUE(check(2018, 3, 15, 10, 0, 2018, 3, 15, 10, 1));
  EXPECT_FALSE(check(2018, 3, 16, 0, 0, 2018, 3, 15, 23, 59));
  EXPECT_TRUE(check(2018, 3, 15, 23, 59, 2018, 3, 16, 0, 0));
}

class DesktopChoiceCheck : public DesktopTest {
 protected:
  PlotChoices choices() {
    PlotChoices c;
    c.yMin = "0";
    c.yMax = "12000";
    c.xMin = "0";
    c.xMax = "300";
    return c;
  }
};

TEST_F(DesktopChoiceCheck, DefaultsPass) {
  PlotChoices c = choices();
  ChoiceVerdict v = checkPlotChoices(c);
  EXPECT_TRUE(v.accepted);
  EXPECT_EQ(v.startProfile, 0);
  EXPECT_EQ(v.endProfile, 10000);
  EXPECT_FALSE(v.hasTimeWindow);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DesktopChoiceCheck, AxisFieldsMustBeIntegers) {
  for (int field = 0; field < 4; ++field) {
    PlotChoices c = choices();
    std::string* fields[] = {&c.yMin, &c.yMax, &c.xMin, &c.xMax};
    *fields[field] = "1.5";
    boxes.boxes.clear();
    EXPECT_FALSE(checkPlotChoices(c).accepted);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Y and X Axes Values: Min/Max values must all be integers.");
    EXPECT_EQ(boxes.boxes[0].caption, "Integer values expected ...");
  }
}

TEST_F(DesktopChoiceCheck, ProfileIndexWindow) {
  PlotChoices c = choices();
  c.allProfiles = false;
  c.byNumber = true;
  c.byTime = false;
  c.prfMin = "-3";
  c.prfMax = "20000";
  ChoiceVerdict v = checkPlotChoices(c);
  EXPECT_TRUE(v.accepted);
  EXPECT_EQ(v.startProfile, 0);
  EXPECT_EQ(v.endProfile, 10000);
  EXPECT_EQ(c.prfMin, "0");
  EXPECT_EQ(c.prfMax, "10000");
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, " Please note >> Profiles To Plot End value is set to Max = 10000 ");
  EXPECT_EQ(boxes.boxes[0].icon, BoxIcon::Information);

  boxes.boxes.clear();
  c.prfMin = "500";
  c.prfMax = "500";
  EXPECT_FALSE(checkPlotChoices(c).accepted);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Profiles To Plot: End value must be greater than Start value.");
  EXPECT_EQ(boxes.boxes[0].caption, "Out of Range Value ...");

  boxes.boxes.clear();
  c.prfMin = "1.0";
  EXPECT_FALSE(checkPlotChoices(c).accepted);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Profiles To Plot: Start/End index value can NOT be LESS_THAN zero.");
  EXPECT_EQ(boxes.boxes[0].caption, "Integer values expected ...");

  boxes.boxes.clear();
  c.prfMin = "20";
  c.prfMax = "700";
  v = checkPlotChoices(c);
  EXPECT_TRUE(v.accepted);
  EXPECT_EQ(v.startProfile, 20);
  EXPECT_EQ(v.endProfile, 700);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DesktopChoiceCheck, TimeWindow) {
  PlotChoices c = choices();
  c.allProfiles = false;
  c.byNumber = false;
  c.byTime = true;
  const std::string start[5] = {"2018", "03", "15", "06", "30"};
  const std::string end[5] = {"2018", "03", "17", "12", "05"};
  for (int i = 0; i < 5; ++i) {
    c.start[i] = start[i];
    c.end[i] = end[i];
  }
  ChoiceVerdict v = checkPlotChoices(c);
  EXPECT_TRUE(v.accepted);
  EXPECT_TRUE(v.hasTimeWindow);
  EXPECT_EQ(v.startStamp, "20180315063000");
  EXPECT_EQ(v.endStamp, "20180317120500");
  EXPECT_EQ(v.startProfile, 0);
  EXPECT_EQ(v.endProfile, 10000);

  c.end[3] = "1a";
  EXPECT_FALSE(checkPlotChoices(c).accepted);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Profiles To Plot: Start Date/Times MUST be set to [positive] integers.");
  EXPECT_EQ(boxes.boxes[0].caption, "Integer values expected ...");

  boxes.boxes.clear();
  c.end[3] = "12";
  c.start[2] = "31";
  c.start[1] = "04";
  EXPECT_FALSE(checkPlotChoices(c).accepted);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Error Start Month/Day: For \"Apr\" the Day value can NOT be 31.\n");
}

TEST_F(DesktopChoiceCheck, AllProfilesIgnoresTheOtherFields) {
  PlotChoices c = choices();
  c.allProfiles = true;
  c.byNumber = true;
  c.prfMin = "x";
  EXPECT_TRUE(checkPlotChoices(c).accepted);
  EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
