#include "scanner/file_kind.h"

#include "scanner/data_lines.h"

namespace {

constexpr uint32_t lineSet(std::initializer_list<int> lines) {
  uint32_t set = 0;
  for (int k : lines) set |= 1u << k;
  return set;
}

const GenHeaderLineSpec kProfileHeader[24] = {
    {18, "", 1, 7, "NUMBER|GENERAL HEADER|LINES|"},
    {kTextValue, "V1.0", 1, 8, "PARVIX|FORMAT VERSION|PROFILE DATA|"},
    {0, "", 0, 9, "NUMBER|PROFILES|FILE|"},
    {14, "", 1, 10, "NUMBER|DATA COLUMNS|ALL PROFILES|"},
    {kTextValue, "ALT, m, Altitude Above sea level (center of sampling bin)", 2, 11,
     "ALT, M,|ALTITUDE ABOVE SEA LEVEL|COLUMN 1|"},
    {kTextValue, "O3ND, molec.m-3, Ozone Number Density (measured)", 2, 12,
     "O3ND, MOLEC.M-3,|OZONE NUMBER DENSITY|COLUMN 2|"},
    {kTextValue, "O3NDUncert, molec.m-3, Ozone Number Density Combined Standard Uncertainty", 2, 13,
     "O3NDUNCERT, MOLEC.M-3,|OZONE NUMBER DENSITY COMBINED STANDARD UNCERTAINTY|COLUMN 3|"},
    {kTextValue, "O3NDResol, m, Ozone Number Density Standardized Vertical Resolution", 2, 14,
     "O3NDRESOL, M,|OZONE NUMBER DENSITY STANDARDIZED VERTICAL RESOLUTION|COLUMN 4|"},
    {kTextValue, "Precision, %, Measurement Precision", 2, 15, "PRECISION, %,|MEASUREMENT PRECISION|COLUMN 5|"},
    {kTextValue, "ChRange, #, Channel Range (1.0 to N.0, nearest-field to farthest-field)", 2, 16,
     "CHRANGE, #,|CHANNEL RANGE|COLUMN 6|"},
    {kTextValue, "O3MR, ppbv, Ozone Mixing Ratio (derived)", 2, 17, "O3MR, PPBV,|OZONE MIXING RATIO|COLUMN 7|"},
    {kTextValue, "O3MRUncert, ppbv, Ozone Mixing Ratio Combined Standard Uncertainty", 2, 18,
     "O3MRUNCERT, PPBV,|OZONE MIXING RATIO COMBINED STANDARD UNCERTAINTY|COLUMN 8|"},
    {kTextValue, "Press, hPa, Air Pressure used to derive Ozone Mixing Ratio", 2, 19,
     "PRESS, HPA,|AIR PRESSURE USED TO DERIVE OZONE MIXING RATIO|COLUMN 9|"},
    {kTextValue, "PressUncert, hPa, Air Pressure Standard Uncertainty", 2, 20,
     "PRESSUNCERT, HPA,|AIR PRESSURE STANDARD UNCERTAINTY|COLUMN 10|"},
    {kTextValue, "Temp, K, Air Temperature used to derive Ozone Mixing Ratio", 2, 21,
     "TEMP, K,|AIR TEMPERATURE USED TO DERIVE OZONE MIXING RATIO|COLUMN 11|"},
    {kTextValue, "TempUncert, K, Air Temperature Ratio Standard Uncertainty", 2, 22,
     "TEMPUNCERT, K,|AIR TEMPERATURE RATIO STANDARD UNCERTAINTY|COLUMN 12|"},
    {kTextValue, "AirND, molec.m-3, Air Number Density used to derive Ozone Mixing Ratio", 2, 23,
     "AIRND, MOLEC.M-3,|AIR NUMBER DENSITY USED TO DERIVE OZONE MIXING RATIO|COLUMN 13|"},
    {kTextValue, "AirNDUncert, molec.m-3, Air Number Density Standard Uncertainty", 2, 24,
     "AIRNDUNCERT, MOLEC.M-3,|AIR NUMBER DENSITY STANDARD UNCERTAINTY|COLUMN 14|"},
    {0, "", 0, 25, "MISSING|DATA|VALUES|", true},
    {0, "", 0, 26, "NUMBER|GENERAL|COMMENTS LINES|"},
    {kTextValue, "USER TEXT", 2, 27, "INSTRUMENT|NAME|????|"},
    {kTextValue, "USER TEXT", 2, 28, "PI|CONTACT|INFO|"},
    {kTextValue, "USER TEXT", 2, 29, "SITE|NAME|????|"},
    {kTextValue, "USER TEXT", 2, 30, "LONGITUDE|LATITUDE|ELEVATION|"},
};

const GenHeaderLineSpec kSurfaceHeader[21] = {
    {15, "", 1, 32, "NUMBER|GENERAL HEADER|LINES|"},
    {kTextValue, "V1.0", 1, 33, "PARVIX|FORMAT VERSION|SURFACE DATA|"},
    {0, "", 0, 34, "NUMBER|RECORDS|FILE|"},
    {11, "", 1, 35, "NUMBER|DATA COLUMNS|FOR ALL|"},
    {kTextValue, "StartTime, s, Time at start of measurement, elapsed since 00:00:00 UT same day", 2, 36,
     "STARTTIME, S,|TIME AT START OF MEASUREMENT|COLUMN 1|"},
    {kTextValue, "EndTime, s, Time at end of measurement, elapsed since 00:00:00 UT same day", 2, 37,
     "ENDTIME, S,|TIME AT END OF MEASUREMENT|COLUMN 2|"},
    {kTextValue, "MeanTime, s, Weighted average time of measurement, elapsed since 00:00:00 UT same day", 2, 38,
     "MEANTIME,|S, WEIGHTED AVERAGE TIME OF MEASUREMENT|COLUMN 3|"},
    {kTextValue, "O3MR, ppbv, Surface Ozone mixing ratio (measured)", 2, 39,
     "O3MR, PPBV,|SURFACE OZONE MIXING RATIO|COLUMN 4|"},
    {kTextValue, "O3MRUncert, ppbv, Surface Ozone mixing ratio uncertainty", 2, 40,
     "O3MRUNCERT, PPBV,|SURFACE OZONE MIXING RATIO UNCERTAINTY|COLUMN 5|"},
    {kTextValue, "Precision, %, Measurement Precision", 2, 41, "PRECISION, %,|MEASUREMENT PRECISION|COLUMN 6|"},
    {kTextValue, "Press, hPa, Surface Pressure", 2, 42, "PRESS, HPA,|SURFACE PRESSURE|COLUMN 7|"},
    {kTextValue, "Temp, K, Surface Temperature", 2, 43, "TEMP, K,|SURFACE TEMPERATURE |COLUMN 8|"},
    {kTextValue, "RH, %RH, Surface Relative Humidity with respect to water", 2, 44,
     "RH, %RH,|SURFACE RELATIVE HUMIDITY|COLUMN 9|"},
    {kTextValue, "WndSpd, m/s, Surface Wind Speed", 2, 45, "WNDSPD, M/S,|SURFACE WIND SPEED|COLUMN 10|"},
    {kTextValue, "WndDir, deg, Surface Wind Direction, clockwise degrees from north", 2, 46,
     "WNDDIR, DEG,|SURFACE WIND DIRECTION|COLUMN 11|"},
    {0, "", 0, 47, "MISSING|DATA|VALUES|", true},
    {0, "", 0, 48, "NUMBER|GENERAL|COMMENTS LINES|"},
    {kTextValue, "USER TEXT", 2, 49, "INSTRUMENT|NAME|????|"},
    {kTextValue, "USER TEXT", 2, 50, "PI|CONTACT|INFO|"},
    {kTextValue, "USER TEXT", 2, 51, "SITE|NAME|????|"},
    {kTextValue, "USER TEXT", 2, 52, "LONGITUDE|LATITUDE|ELEVATION|"},
};

const BlockLineSpec kProfileLines[11] = {
    {63, "NUMBER|HEADER|LINES|"},
    {64, "NUMBER|DATA|LINES|"},
    {65, "DATA|PROCESSING|DATE|"},
    {66, "DATA|PROCESSING|VERSION|"},
    {67, "RESULT|NOMINAL|FAIR|"},
    {68, "DATE|TIME|START|"},
    {69, "DATE|TIME|END|"},
    {70, "DATE|TIME|MEAN|"},
    {71, "SOURCE|PRESS|TEMP|"},
    {72, "SOURCE|DATE|TIME|"},
    {73, "SOURCE LONGITUDE|LATITUDE|ELEVATION|"},
};

const BlockLineSpec kRecordLines[8] = {
    {79, "NUMBER|HEADER|LINES|"},
    {80, "NUMBER|DATA|LINES|"},
    {81, "DATA|PROCESSING|DATE|"},
    {82, "DATA|PROCESSING|VERSION|"},
    {83, "RESULT|NOMINAL|FAIR|"},
    {84, "DATE|TIME|START|"},
    {85, "DATE|TIME|END|"},
    {86, "SOURCE|PRESSURE|TEMPERATURE|"},
};

}  // namespace

const FileKind kProfileKind = {
    .generalHeader = kProfileHeader,
    .columns = 14,
    .lastColumnLine = 18,
    .commentCountLine = 20,
    .coordinatesLine = 24,
    .endsOnCommentFailure = false,
    .blockWord = "PROFILE",
    .blocksWord = "PROFILES",
    .blockLines = kProfileLines,
    .minimumBlockHeaderLines = 12,
    .beginLineCode = 62,
    .tooFewBlockHeaderLinesCode = 74,
    .dateTimeLines = lineSet({2, 5, 6, 7, 9}),
    .upperCaseBlockLine = 10,
    .blockCoordinatesLine = 10,
    .checkData = checkProfileData,
    .shortDataSection =
        "<br>Error Profile[%d] Data Section: There seem to be less data lines in this profile than what's reported in "
        "\"Profile's Header 2nd Line = %d\".\n",
    .scanningBanner = "<h2>Now Scanning Profile %d of %d ...</h2>\n",
    .passedBanner =
        "<font size ='+2' color='#339933'>Profile[%d] Header and Data Sections Successfully Verified!</font>\n",
    .failedBanner =
        "<br><font size ='+2' color='#FF0000'>Error(s) Found: Profile[%d] Did NOT Pass - see error message(s) "
        "below.</font>\n",
};

const FileKind kSurfaceKind = {
    .generalHeader = kSurfaceHeader,
    .columns = 11,
    .lastColumnLine = 15,
    .commentCountLine = 17,
    .coordinatesLine = 21,
    .endsOnCommentFailure = true,
    .blockWord = "RECORD",
    .blocksWord = "RECORDS",
    .blockLines = kRecordLines,
    .minimumBlockHeaderLines = 8,
    .beginLineCode = 78,
    .tooFewBlockHeaderLinesCode = 87,
    .dateTimeLines = lineSet({2, 5, 6}),
    .upperCaseBlockLine = 7,
    .blockCoordinatesLine = std::nullopt,
    .checkData = checkRecordData,
    .shortDataSection =
        "<br>Error RECORD[%d] Data Section: There seem to be less data lines in this RECORD than what was reported on "
        "\"RECORD's Header 2nd Line = %d\".\n",
    .scanningBanner = "<h2>Now Scanning Record %d of %d ...</h2>\n",
    .passedBanner =
        "<font size ='+2' color='#339933'>Record[%d] Header and Data Sections Successfully Verified!</font>\n",
    .failedBanner =
        "<br><font size ='+2' color='#FF0000'>Error(s) Found: Record[%d] Did NOT Pass - see error message(s) "
        "below.</font>\n",
};
