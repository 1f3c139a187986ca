#include "scanner/file_kind.h"

#include "scanner/data_lines.h"

namespace {

using enum ScanCode;

constexpr uint32_t lineSet(std::initializer_list<int> lines) {
  uint32_t set = 0;
  for (int k : lines) set |= 1u << k;
  return set;
}

constexpr GenHeaderLineSpec kProfileHeader[24] = {
    {18, "", 1, ProfileGenHeaderLine1, "NUMBER|GENERAL HEADER|LINES|"},
    {kTextValue, "V1.0", 1, ProfileGenHeaderLine2, "PARVIX|FORMAT VERSION|PROFILE DATA|"},
    {0, "", 0, ProfileGenHeaderLine3, "NUMBER|PROFILES|FILE|"},
    {14, "", 1, ProfileGenHeaderLine4, "NUMBER|DATA COLUMNS|ALL PROFILES|"},
    {kTextValue, "ALT, m, Altitude Above sea level (center of sampling bin)", 2, ProfileGenHeaderLine5,
     "ALT, M,|ALTITUDE ABOVE SEA LEVEL|COLUMN 1|"},
    {kTextValue, "O3ND, molec.m-3, Ozone Number Density (measured)", 2, ProfileGenHeaderLine6,
     "O3ND, MOLEC.M-3,|OZONE NUMBER DENSITY|COLUMN 2|"},
    {kTextValue, "O3NDUncert, molec.m-3, Ozone Number Density Combined Standard Uncertainty", 2, ProfileGenHeaderLine7,
     "O3NDUNCERT, MOLEC.M-3,|OZONE NUMBER DENSITY COMBINED STANDARD UNCERTAINTY|COLUMN 3|"},
    {kTextValue, "O3NDResol, m, Ozone Number Density Standardized Vertical Resolution", 2, ProfileGenHeaderLine8,
     "O3NDRESOL, M,|OZONE NUMBER DENSITY STANDARDIZED VERTICAL RESOLUTION|COLUMN 4|"},
    {kTextValue, "Precision, %, Measurement Precision", 2, ProfileGenHeaderLine9,
     "PRECISION, %,|MEASUREMENT PRECISION|COLUMN 5|"},
    {kTextValue, "ChRange, #, Channel Range (1.0 to N.0, nearest-field to farthest-field)", 2, ProfileGenHeaderLine10,
     "CHRANGE, #,|CHANNEL RANGE|COLUMN 6|"},
    {kTextValue, "O3MR, ppbv, Ozone Mixing Ratio (derived)", 2, ProfileGenHeaderLine11,
     "O3MR, PPBV,|OZONE MIXING RATIO|COLUMN 7|"},
    {kTextValue, "O3MRUncert, ppbv, Ozone Mixing Ratio Combined Standard Uncertainty", 2, ProfileGenHeaderLine12,
     "O3MRUNCERT, PPBV,|OZONE MIXING RATIO COMBINED STANDARD UNCERTAINTY|COLUMN 8|"},
    {kTextValue, "Press, hPa, Air Pressure used to derive Ozone Mixing Ratio", 2, ProfileGenHeaderLine13,
     "PRESS, HPA,|AIR PRESSURE USED TO DERIVE OZONE MIXING RATIO|COLUMN 9|"},
    {kTextValue, "PressUncert, hPa, Air Pressure Standard Uncertainty", 2, ProfileGenHeaderLine14,
     "PRESSUNCERT, HPA,|AIR PRESSURE STANDARD UNCERTAINTY|COLUMN 10|"},
    {kTextValue, "Temp, K, Air Temperature used to derive Ozone Mixing Ratio", 2, ProfileGenHeaderLine15,
     "TEMP, K,|AIR TEMPERATURE USED TO DERIVE OZONE MIXING RATIO|COLUMN 11|"},
    {kTextValue, "TempUncert, K, Air Temperature Ratio Standard Uncertainty", 2, ProfileGenHeaderLine16,
     "TEMPUNCERT, K,|AIR TEMPERATURE RATIO STANDARD UNCERTAINTY|COLUMN 12|"},
    {kTextValue, "AirND, molec.m-3, Air Number Density used to derive Ozone Mixing Ratio", 2, ProfileGenHeaderLine17,
     "AIRND, MOLEC.M-3,|AIR NUMBER DENSITY USED TO DERIVE OZONE MIXING RATIO|COLUMN 13|"},
    {kTextValue, "AirNDUncert, molec.m-3, Air Number Density Standard Uncertainty", 2, ProfileGenHeaderLine18,
     "AIRNDUNCERT, MOLEC.M-3,|AIR NUMBER DENSITY STANDARD UNCERTAINTY|COLUMN 14|"},
    {0, "", 0, ProfileGenHeaderLine19, "MISSING|DATA|VALUES|", true},
    {0, "", 0, ProfileGenHeaderLine20, "NUMBER|GENERAL|COMMENTS LINES|"},
    {kTextValue, "USER TEXT", 2, ProfileGenHeaderLine21, "INSTRUMENT|NAME|????|"},
    {kTextValue, "USER TEXT", 2, ProfileGenHeaderLine22, "PI|CONTACT|INFO|"},
    {kTextValue, "USER TEXT", 2, ProfileGenHeaderLine23, "SITE|NAME|????|"},
    {kTextValue, "USER TEXT", 2, ProfileGenHeaderLine24, "LONGITUDE|LATITUDE|ELEVATION|"},
};

constexpr GenHeaderLineSpec kSurfaceHeader[21] = {
    {15, "", 1, SurfaceGenHeaderLine1, "NUMBER|GENERAL HEADER|LINES|"},
    {kTextValue, "V1.0", 1, SurfaceGenHeaderLine2, "PARVIX|FORMAT VERSION|SURFACE DATA|"},
    {0, "", 0, SurfaceGenHeaderLine3, "NUMBER|RECORDS|FILE|"},
    {11, "", 1, SurfaceGenHeaderLine4, "NUMBER|DATA COLUMNS|FOR ALL|"},
    {kTextValue, "StartTime, s, Time at start of measurement, elapsed since 00:00:00 UT same day", 2,
     SurfaceGenHeaderLine5, "STARTTIME, S,|TIME AT START OF MEASUREMENT|COLUMN 1|"},
    {kTextValue, "EndTime, s, Time at end of measurement, elapsed since 00:00:00 UT same day", 2, SurfaceGenHeaderLine6,
     "ENDTIME, S,|TIME AT END OF MEASUREMENT|COLUMN 2|"},
    {kTextValue, "MeanTime, s, Weighted average time of measurement, elapsed since 00:00:00 UT same day", 2,
     SurfaceGenHeaderLine7, "MEANTIME,|S, WEIGHTED AVERAGE TIME OF MEASUREMENT|COLUMN 3|"},
    {kTextValue, "O3MR, ppbv, Surface Ozone mixing ratio (measured)", 2, SurfaceGenHeaderLine8,
     "O3MR, PPBV,|SURFACE OZONE MIXING RATIO|COLUMN 4|"},
    {kTextValue, "O3MRUncert, ppbv, Surface Ozone mixing ratio uncertainty", 2, SurfaceGenHeaderLine9,
     "O3MRUNCERT, PPBV,|SURFACE OZONE MIXING RATIO UNCERTAINTY|COLUMN 5|"},
    {kTextValue, "Precision, %, Measurement Precision", 2, SurfaceGenHeaderLine10,
     "PRECISION, %,|MEASUREMENT PRECISION|COLUMN 6|"},
    {kTextValue, "Press, hPa, Surface Pressure", 2, SurfaceGenHeaderLine11, "PRESS, HPA,|SURFACE PRESSURE|COLUMN 7|"},
    {kTextValue, "Temp, K, Surface Temperature", 2, SurfaceGenHeaderLine12, "TEMP, K,|SURFACE TEMPERATURE |COLUMN 8|"},
    {kTextValue, "RH, %RH, Surface Relative Humidity with respect to water", 2, SurfaceGenHeaderLine13,
     "RH, %RH,|SURFACE RELATIVE HUMIDITY|COLUMN 9|"},
    {kTextValue, "WndSpd, m/s, Surface Wind Speed", 2, SurfaceGenHeaderLine14,
     "WNDSPD, M/S,|SURFACE WIND SPEED|COLUMN 10|"},
    {kTextValue, "WndDir, deg, Surface Wind Direction, clockwise degrees from north", 2, SurfaceGenHeaderLine15,
     "WNDDIR, DEG,|SURFACE WIND DIRECTION|COLUMN 11|"},
    {0, "", 0, SurfaceGenHeaderLine16, "MISSING|DATA|VALUES|", true},
    {0, "", 0, SurfaceGenHeaderLine17, "NUMBER|GENERAL|COMMENTS LINES|"},
    {kTextValue, "USER TEXT", 2, SurfaceGenHeaderLine18, "INSTRUMENT|NAME|????|"},
    {kTextValue, "USER TEXT", 2, SurfaceGenHeaderLine19, "PI|CONTACT|INFO|"},
    {kTextValue, "USER TEXT", 2, SurfaceGenHeaderLine20, "SITE|NAME|????|"},
    {kTextValue, "USER TEXT", 2, SurfaceGenHeaderLine21, "LONGITUDE|LATITUDE|ELEVATION|"},
};

constexpr BlockLineSpec kProfileLines[11] = {
    {ProfileHeaderLine1, "NUMBER|HEADER|LINES|"},
    {ProfileHeaderLine2, "NUMBER|DATA|LINES|"},
    {ProfileHeaderLine3, "DATA|PROCESSING|DATE|"},
    {ProfileHeaderLine4, "DATA|PROCESSING|VERSION|"},
    {ProfileHeaderLine5, "RESULT|NOMINAL|FAIR|"},
    {ProfileHeaderLine6, "DATE|TIME|START|"},
    {ProfileHeaderLine7, "DATE|TIME|END|"},
    {ProfileHeaderLine8, "DATE|TIME|MEAN|"},
    {ProfileHeaderLine9, "SOURCE|PRESS|TEMP|"},
    {ProfileHeaderLine10, "SOURCE|DATE|TIME|"},
    {ProfileHeaderLine11, "SOURCE LONGITUDE|LATITUDE|ELEVATION|"},
};

constexpr BlockLineSpec kRecordLines[8] = {
    {RecordHeaderLine1, "NUMBER|HEADER|LINES|"},
    {RecordHeaderLine2, "NUMBER|DATA|LINES|"},
    {RecordHeaderLine3, "DATA|PROCESSING|DATE|"},
    {RecordHeaderLine4, "DATA|PROCESSING|VERSION|"},
    {RecordHeaderLine5, "RESULT|NOMINAL|FAIR|"},
    {RecordHeaderLine6, "DATE|TIME|START|"},
    {RecordHeaderLine7, "DATE|TIME|END|"},
    {RecordHeaderLine8, "SOURCE|PRESSURE|TEMPERATURE|"},
};

}  // namespace

constexpr FileKind kProfileKind = {
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
    .beginLineCode = ScanCode::ProfileBeginLine,
    .tooFewBlockHeaderLinesCode = ScanCode::TooFewProfileHeaderLines,
    .dateTimeLines = lineSet({2, 5, 6, 7, 9}),
    .upperCaseBlockLine = 10,
    .blockCoordinatesLine = 10,
    .dataLineRules = DataLineRules::Profile,
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

constexpr FileKind kSurfaceKind = {
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
    .beginLineCode = ScanCode::RecordBeginLine,
    .tooFewBlockHeaderLinesCode = ScanCode::TooFewRecordHeaderLines,
    .dateTimeLines = lineSet({2, 5, 6}),
    .upperCaseBlockLine = 7,
    .blockCoordinatesLine = std::nullopt,
    .dataLineRules = DataLineRules::Record,
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

bool FileKind::checkData(ScanSession& scan, LineSource& lines, ReportSink& report, int block) const {
  return dataLineRules == DataLineRules::Profile ? checkProfileData(scan, lines, report, block)
                                                 : checkRecordData(scan, lines, report, block);
}
