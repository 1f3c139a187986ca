#include "scanner/scan_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(ScanText, TrimBlanks) {
  EXPECT_EQ(trimBlanks("  V1.0  "), "V1.0");
  EXPECT_EQ(trimBlanks("a b"), "a b");
  EXPECT_EQ(trimBlanks("\tx\t "), "\tx\t");  // tabs stay
  EXPECT_EQ(trimBlanks(""), "");
  EXPECT_EQ(trimBlanks("     "), "");
}

TEST(ScanText, ToUpperTextStopsAtNul) {
  EXPECT_EQ(toUpperText("abc; Number of x"), "ABC; NUMBER OF X");
  EXPECT_EQ(toUpperText("ab\0cd"s), "AB");
  EXPECT_EQ(toUpperText("\xe9t\xe9"), "\xe9T\xe9");  // bytes above 0x7F stay
}

TEST(ScanText, IntegerText) {
  EXPECT_TRUE(isIntegerText(" 18 "));
  EXPECT_TRUE(isIntegerText("+18"));
  EXPECT_TRUE(isIntegerText("18e5"));
  EXPECT_TRUE(isIntegerText("\t-3\r"));
  EXPECT_TRUE(isIntegerText(""));
  EXPECT_FALSE(isIntegerText("abc"));
  EXPECT_FALSE(isIntegerText("1.5"));
  EXPECT_FALSE(isIntegerText("1\0"s));
  EXPECT_TRUE(isIntegerText(std::string(126, '1')));
  EXPECT_FALSE(isIntegerText(std::string(127, '1')));
  EXPECT_FALSE(isIntegerText(std::string(200, ' ')));  // the length counts the blanks
}

TEST(ScanText, FloatText) {
  EXPECT_TRUE(isFloatText("1.2.3"));
  EXPECT_TRUE(isFloatText("-9.5e+3"));
  EXPECT_TRUE(isFloatText(""));
  EXPECT_FALSE(isFloatText("12a"));
  EXPECT_FALSE(isFloatText("nan"));
  EXPECT_TRUE(isFloatText(std::string(126, '5') + "   "));  // blanks do not count
  EXPECT_FALSE(isFloatText(std::string(127, '5')));
}

TEST(ScanText, LonLatAlt) {
  struct Case {
    const char* text;
    bool passes;
  };
  const Case cases[] = {
      {"-76.3, 37.1, 10", true},   {"360, -90, -200", true},  {"-180, 90, 5000", true},
      {"-181, 37.1, 10", false},   {"-76.3, 95, 10", false},  {"-76.3, 37.1, 6000", false},
      {"-76.3,,37.1,,10", true},   // runs of commas separate once
      {"-76.3, 37.1", false},      // elevation missing
      {"-76.3, abc, 10", false},   // not a number
      {"-76.3,  , 10", false},     // blank item
      {"", false},
  };
  for (const Case& c : cases) {
    // Start far outside every range: a missing item must not pass on an old value.
    double lon = 1000, lat = 1000, elev = 1000;
    EXPECT_EQ(checkLonLatAlt(c.text, lon, lat, elev), c.passes) << c.text;
  }
  double lon = 0, lat = 0, elev = 0;
  ASSERT_TRUE(checkLonLatAlt("-76.3, 37.1, 10 ", lon, lat, elev));
  EXPECT_DOUBLE_EQ(lon, -76.3);
  EXPECT_DOUBLE_EQ(lat, 37.1);
  EXPECT_DOUBLE_EQ(elev, 10);
  // A missing item keeps no earlier value alive: the line fails.
  lon = lat = elev = 0;
  EXPECT_FALSE(checkLonLatAlt("-76.3, 37.1", lon, lat, elev));
}

TEST(ScanText, NearlyEqual) {
  EXPECT_TRUE(nearlyEqual(-9999, -9999.0000005));
  EXPECT_FALSE(nearlyEqual(-9999, -9999.00001));
  EXPECT_TRUE(nearlyEqual(30, 30));
}

TEST(ScanText, HeaderValueAndComment) {
  EXPECT_EQ(headerValue("18 ; NUMBER;X"), "18 ");
  EXPECT_EQ(headerComment("18 ; NUMBER;X"), "; NUMBER;X");
  EXPECT_EQ(headerValue("NO SEMICOLON"), "NO SEMICOLON");
  EXPECT_EQ(headerComment("NO SEMICOLON"), "");
}

}  // namespace
