// The verifier's text and list helpers, the GEOMS type names and the SI table.
#include <gtest/gtest.h>

#include "hdfverify/geoms_types.h"
#include "hdfverify/si_conversion.h"
#include "hdfverify/text_utils.h"

namespace hdfverify {
namespace {

using Pieces = std::vector<std::string>;

TEST(VerifierSplitString, KeepsInnerAndLeadingEmptyPiecesButNoTrailingOne) {
  EXPECT_EQ(splitString("a,b,,c", ','), (Pieces{"a", "b", "", "c"}));
  EXPECT_EQ(splitString("a,b,", ','), (Pieces{"a", "b"}));
  EXPECT_EQ(splitString(",a", ','), (Pieces{"", "a"}));
  EXPECT_EQ(splitString("", ','), Pieces{});
  EXPECT_EQ(splitString("\n", '\n'), Pieces{""});
  EXPECT_EQ(splitString("abc", ','), Pieces{"abc"});
}

TEST(VerifierTrimString, DropsBlanksTabsAndLineEndsOnlyAtTheEnds) {
  EXPECT_EQ(trimString(" \t\r\n a b \n\r\t "), "a b");
  EXPECT_EQ(trimString("   "), "");
  EXPECT_EQ(trimString(""), "");
}

TEST(VerifierEqualsIgnoreCase, NeedsEqualLength) {
  EXPECT_TRUE(equalsIgnoreCase("GEOMS.csv", "geoms.CSV"));
  EXPECT_FALSE(equalsIgnoreCase("abc", "abcd"));
  EXPECT_TRUE(equalsIgnoreCase("", ""));
}

TEST(VerifierEqualsIgnoreCaseN, ComparesAPrefixAndTheEndOfAShortText) {
  EXPECT_TRUE(equalsIgnoreCaseN("GEOMS-TE-LIDAR-O3-005.csv", "geoms-te-lidar-o3-005", 21));
  EXPECT_FALSE(equalsIgnoreCaseN("GEOMS", "GEOMS-TE", 8));
  EXPECT_TRUE(equalsIgnoreCaseN("abc", "abc", 10));
  EXPECT_TRUE(equalsIgnoreCaseN("abc", "xyz", 0));
  EXPECT_TRUE(equalsIgnoreCaseN("abc", "xyz", -3));
}

TEST(VerifierLists, ExactComparison) {
  std::vector<std::string> list = {"ALTITUDE", "DATETIME", "ALTITUDE"};
  EXPECT_EQ(indexInList(list, "ALTITUDE"), 0);
  EXPECT_EQ(indexInList(list, "DATETIME"), 1);
  EXPECT_EQ(indexInList(list, "datetime"), -1);
  EXPECT_EQ(indexInList(list, "DATETIME "), -1);
  EXPECT_TRUE(isInList(list, "DATETIME"));
  EXPECT_FALSE(isInList({}, ""));
  EXPECT_EQ(countChar("a;b;;c", ';'), 3);
}

TEST(VerifierGeomsTypes, NamesAndNumberTypes) {
  EXPECT_EQ(geomsTypeToHdf("STRING"), 4);
  EXPECT_EQ(geomsTypeToHdf("REAL"), 5);
  EXPECT_EQ(geomsTypeToHdf("DOUBLE"), 6);
  EXPECT_EQ(geomsTypeToHdf("BYTE"), 21);
  EXPECT_EQ(geomsTypeToHdf("SHORT"), 22);
  EXPECT_EQ(geomsTypeToHdf("INTEGER"), 24);
  EXPECT_EQ(geomsTypeToHdf("real"), -1);
  EXPECT_EQ(geomsTypeToHdf(""), -1);
  EXPECT_EQ(hdfTypeToGeoms(5), "REAL");
  EXPECT_EQ(hdfTypeToGeoms(24), "INTEGER");
  EXPECT_EQ(hdfTypeToGeoms(3), "UNKNOWN_GEOMS_TYPE");
}

TEST(VerifierSiConversion, EveryRowOfTheTable) {
  const std::pair<const char*, const char*> rows[] = {
      {"%", "0.0;0.01;1"},
      {"1", "0.0;1.0;1"},
      {"deg", "0.0;1.74533E-2;rad"},
      {"DU", "0.0;4.4614E-4;mol m-2"},
      {"h", "0.0;3600.0;s"},
      {"hPa", "0.0;1.0E2;kg m-1 s-2"},
      {"K", "0.0;1.0;K"},
      {"km", "0.0;1.0E3;m"},
      {"km-1", "0.0;1.0E-3;m-1"},
      {"km-2", "0.0;1.0E-6;m-2"},
      {"m", "0.0;1.0;m"},
      {"m-1", "0.0;1.0;m-1"},
      {"m-1 sr-1", "0.0;1.0;sr-1 m-1"},
      {"MJD2K", "0.0;86400.0;s"},
      {"Ymolec cm-2", "0.0;1.66054E4;mol m-2"},
      {"Zmolec cm-2", "0.0;1.66054E1;mol m-2"},
      {"Emolec cm-2", "0.0;1.66054E-2;mol m-2"},
      {"Pmolec cm-2", "0.0;1.66054E-5;mol m-2"},
      {"Tmolec cm-2", "0.0;1.66054E-8;mol m-2"},
      {"Gmolec cm-2", "0.0;1.66054E-11;mol m-2"},
      {"Mmolec cm-2", "0.0;1.66054E-14;mol m-2"},
      {"kmolec cm-2", "0.0;1.66054E-17;mol m-2"},
      {"molec cm-2", "0.0;1.66054E-20;mol m-2"},
      {"mmolec cm-2", "0.0;1.66054E-23;mol m-2"},
      {"umolec cm-2", "0.0;1.66054E-26;mol m-2"},
      {"nmolec cm-2", "0.0;1.66054E-29;mol m-2"},
      {"pmolec cm-2", "0.0;1.66054E-32;mol m-2"},
      {"fmolec cm-2", "0.0;1.66054E-35;mol m-2"},
      {"amolec cm-2", "0.0;1.66054E-38;mol m-2"},
      {"zmolec cm-2", "0.0;1.66054E-41;mol m-2"},
      {"ymolec cm-2", "0.0;1.66054E-44;mol m-2"},
      {"molec m-3", "0.0;1.66054E-24;mol m-3"},
      {"m s-1", "0.0;1.0;m s-1"},
      {"nm", "0.0;1.0E-9;m"},
      {"Np", "0.0;1.0;1"},
      {"ppmv", "0.0;1.0E-6;1"},
      {"ppbv", "0.0;1.0E-9;1"},
      {"pptv", "0.0;1.0E-12;1"},
      {"ppmv2", "0.0;1.0E-12;1"},
      {"ppbv2", "0.0;1.0E-18;1"},
      {"pptv2", "0.0;1.0E-24;1"},
      {"s", "0.0;1.0;s"},
      {"sr", "0.0;1.0;sr"},
  };
  for (const auto& [unit, expected] : rows) EXPECT_EQ(siConversionFor(unit), expected) << unit;
}

TEST(VerifierSiConversion, CaseCountsAndUnknownUnitsGiveOneBlank) {
  EXPECT_NE(siConversionFor("Mmolec cm-2"), siConversionFor("mmolec cm-2"));
  for (const char* unit : {"KM", "Km", "DEG", " km", "km ", "", "[empty]", "furlong"}) {
    EXPECT_EQ(siConversionFor(unit), " ") << '"' << unit << '"';
  }
  EXPECT_EQ(siConversionFor("ppmv2"), siConversionFor("pptv"));
  EXPECT_EQ(siConversionFor("Np"), siConversionFor("1"));
}

TEST(VerifierEscaping, FileTextIsMadeSafeForThePage) { EXPECT_EQ(esc("a<b>&c"), "a&lt;b&gt;&amp;c"); }

}  // namespace
}  // namespace hdfverify
