// A PROFILE file that the scanner passes plots with the meaning of its
// canonical spelling: for each spelling the scanner accepts, the test first
// scans the file (result 0), then runs the plot generator on it and compares
// its data files, its log and both scripts byte for byte with those of the
// canonical file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "platform/text.h"
#include "scanner/scanner.h"
#include "tests/plotgen/vantor_harness.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

using namespace plotgen_tests;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

using Lines = std::vector<std::string>;

// Three profiles of 12 altitudes; the second holds a negative mixing ratio
// (noise) and a number density at its missing-value flag.
std::string canonicalText() {
  std::vector<testing_support::ProfileBlock> blocks;
  for (int i = 0; i < 3; ++i) {
    std::string hour = "0" + std::to_string(i);
    testing_support::ProfileBlock b = testing_support::profileBlock(
        "2018-04-12, " + hour + ":00:00", "2018-04-12, " + hour + ":59:59", "2018-04-12, " + hour + ":30:00", 12);
    if (i == 1) {
      b.dataRows[5] = testing_support::profileDataRow(250, 1.2e18, -2.5);
      b.dataRows[7] = testing_support::profileDataRow(310, -9999, 45.0);
    }
    blocks.push_back(b);
  }
  return testing_support::profileFileText(blocks);
}

bool startsWithDigit(const std::string& line) { return !line.empty() && line[0] >= '0' && line[0] <= '9'; }
bool contains(const std::string& line, const char* text) { return line.find(text) != std::string::npos; }

// Lines that begin with "YYYY-MM-DD, hh:mm:ss": the five date-time lines of a block.
bool isStampLine(const std::string& line) { return startsWithDigit(line) && contains(line, "DATE, TIME"); }
// Lines whose value is a count: "N ; NUMBER OF ...".
bool isCountLine(const std::string& line) { return startsWithDigit(line) && contains(line, "NUMBER OF"); }
bool isDataLine(const std::string& line) {
  return startsWithDigit(line) && std::count(line.begin(), line.end(), ',') == 13;
}

// Applies fn to every line for which test holds.
void editLines(Lines& lines, bool (*test)(const std::string&), const std::function<void(std::string&)>& fn) {
  for (std::string& line : lines)
    if (test(line)) fn(line);
}

// Replaces every occurrence of from by to.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// The stamp line with its date and time separated by `between`.
std::function<void(std::string&)> dateTimeSeparator(const std::string& between) {
  return [between](std::string& line) { line.replace(10, 2, between); };
}

struct Spelling {
  std::string name;
  std::function<void(Lines&)> edit;
  std::string lineEnd = "\n";
};

const std::vector<Spelling>& spellings() {
  static const std::vector<Spelling> table = {
      {"canonical", [](Lines&) {}},
      {"a blank in the place of the comma between date and time",
       [](Lines& l) { editLines(l, isStampLine, dateTimeSeparator(" ")); }},
      {"two blanks between date and time", [](Lines& l) { editLines(l, isStampLine, dateTimeSeparator("  ")); }},
      {"a comma without blank between date and time",
       [](Lines& l) { editLines(l, isStampLine, dateTimeSeparator(",")); }},
      {"a blank before the comma between date and time",
       [](Lines& l) { editLines(l, isStampLine, dateTimeSeparator(" , ")); }},
      {"blanks in the place of every separator of the stamp",
       [](Lines& l) {
         editLines(l, isStampLine, [](std::string& line) {
           for (size_t i : {4, 7, 10, 11, 14, 17}) line[i] = ' ';
         });
       }},
      {"the leading 0 of the hour as a blank", [](Lines& l) {
         editLines(l, isStampLine, [](std::string& line) { line[12] = ' '; });
       }},
      {"the leading 0 of month, hour, minute and second dropped", [](Lines& l) {
         editLines(l, isStampLine, [](std::string& line) {
           line.erase(12, 1);
           line = replaced(replaced(line, "-04-", "-4-"), ":00", ":0");
         });
       }},
      {"tabs around the time", [](Lines& l) {
         editLines(l, isStampLine, [](std::string& line) { line = replaced(line.replace(10, 2, ",\t"), "  ;", "\t;"); });
       }},
      {"text after the seconds", [](Lines& l) {
         editLines(l, isStampLine, [](std::string& line) { line.insert(20, " UT"); });
       }},
      {"one blank before ';' in every other block", [](Lines& l) {
         int block = 0;
         for (std::string& line : l) {
           if (contains(line, "#BEGIN PROFILE")) ++block;
           if (block % 2 == 0 && isStampLine(line)) line = replaced(line, "  ;", " ;");
         }
       }},
      {"no blank before ';' on stamp lines", [](Lines& l) {
         editLines(l, isStampLine, [](std::string& line) { line = replaced(line, "  ;", ";"); });
       }},
      {"blanks and a tab before every count",
       [](Lines& l) {
         int n = 0;
         editLines(l, isCountLine, [&n](std::string& line) { line.insert(0, ++n % 2 ? " " : " \t "); });
       }},
      {"no blank between a count and ';'", [](Lines& l) {
         editLines(l, isCountLine, [](std::string& line) { line = replaced(replaced(line, "  ;", ";"), " ;", ";"); });
       }},
      {"signs before the counts", [](Lines& l) { editLines(l, isCountLine, [](std::string& line) { line.insert(0, "+"); }); }},
      {"missing values without blanks, one blank before the comment",
       [](Lines& l) { l[18] = replaced(replaced(l[18], ", ", ","), "  ;", " ;"); }},
      {"missing values with blanks and tabs around the commas, commas in the comment",
       [](Lines& l) {
         l[18] = replaced(replaced(l[18], ", ", " ,\t"), "  ; MISSING DATA VALUES", "; MISSING DATA VALUES, ONE PER COLUMN");
       }},
      {"missing values in exponent form", [](Lines& l) { l[18] = replaced(l[18], "-9999", "-9.999e3"); }},
      {"data lines without blanks after commas",
       [](Lines& l) { editLines(l, isDataLine, [](std::string& line) { line = replaced(line, ", ", ","); }); }},
      {"data lines with blanks before and after commas",
       [](Lines& l) { editLines(l, isDataLine, [](std::string& line) { line = replaced(line, ", ", " , "); }); }},
      {"data lines with tabs after commas",
       [](Lines& l) { editLines(l, isDataLine, [](std::string& line) { line = replaced(line, ", ", ",\t"); }); }},
      {"data lines with blanks at their start and end",
       [](Lines& l) { editLines(l, isDataLine, [](std::string& line) { line = "  " + line + "  "; }); }},
      {"two comment lines in a block", [](Lines& l) {
         for (size_t i = 0; i < l.size(); ++i) {
           if (l[i] == "Block comment: nominal run") {
             l.insert(l.begin() + static_cast<long>(i) + 1, "Block comment: second line");
             l[i - 11] = replaced(l[i - 11], "12  ;", "13  ;");
             break;
           }
         }
       }},
      {"CRLF line ends", [](Lines&) {}, "\r\n"},
      {"empty lines after the last block", [](Lines& l) { l.insert(l.end(), {"", "", "  ", ""}); }},
  };
  return table;
}

// What the plot generator wrote: the data files, the log and the scripts.
struct Outputs {
  int status = -1;
  std::string files[6];
};

const char* const kOutputNames[6] = {"curtain_data.dat", "profile_data.dat", "median_data.dat",
                                     "_CErr_.txt",       "gnuplot_input_1.txt", "gnuplot_input_2.txt"};

Outputs runIn(const std::string& folder, const std::string& args) {
  for (const char* name : kOutputNames) std::filesystem::remove(folder + "/" + name);
  Outputs out;
  out.status = runVantorIn(folder, words(args)).status;
  for (size_t i = 0; i < 6; ++i)
    out.files[i] = i == 3 ? logAfterStart(folder) : readFile(folder + "/" + kOutputNames[i]);
  return out;
}

// Every profile by index, with all lines of the profile plot; and a time
// window that holds the last two profiles, with number density.
const char* const kRuns[2] = {
    "ANY 0 1 true false 0 1000 20000000000000 20200000000000 false 0 300 100 12000 true true true true 0 0",
    "ANY 0 1 false true 0 1 20180412010000 20180412040000 true 0 3e+18 100 12000 true true false false 0 0",
};

// A folder with a stand-in gnuplot and a plot list naming one data file; no
// message box may show.
class PlotgenSpellings : public testing::Test {
 protected:
  void SetUp() override {
    installStandInGnuplot(folder);
    writeList(folder, {data});
  }
  void TearDown() override { EXPECT_TRUE(boxes.boxes.empty()); }

  testing_support::FixedClock clock{2018, 5, 1};
  testing_support::RecordingBoxes boxes;
  testing_support::TempDir dir;
  const std::string folder = dir.path();
  const std::string data = folder + "/" + testing_support::profileFileName("20180412", 1);
};

TEST_F(PlotgenSpellings, EverySpellingTheScannerPassesPlotsLikeTheCanonicalOne) {
  const Lines canonicalLines = testing_support::splitLines(canonicalText());
  Outputs canonical[2];
  for (const Spelling& spelling : spellings()) {
    Lines lines = canonicalLines;
    spelling.edit(lines);
    std::string text = testing_support::joinLines(lines, spelling.lineEnd);
    if (spelling.name != "canonical" && spelling.name != "CRLF line ends") {
      ASSERT_NE(text, canonicalText()) << spelling.name << ": the edit changed nothing";
    }
    ASSERT_TRUE(writeFile(data, text));
    ASSERT_EQ(scanFile(data.c_str(), false, ScanSettings{}, nullptr), 0) << spelling.name << "\n" << readFile(data + "__ScanMsgs.htm");
    for (int r = 0; r < 2; ++r) {
      Outputs out = runIn(folder, kRuns[r]);
      EXPECT_EQ(out.status, 1) << spelling.name << ", run " << r << "\n" << out.files[3];
      if (spelling.name == "canonical") {
        canonical[r] = out;
        continue;
      }
      for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(out.files[i], canonical[r].files[i]) << spelling.name << ", run " << r << ": " << kOutputNames[i];
    }
  }

  // The canonical runs themselves: all three profiles, then the last two by time.
  EXPECT_EQ(canonical[0].files[3],
            "OK. " + data + "\n"
            "OK. Profile::gnuplotPath " + realPath(folder) + "/bin/gnuplot\n"
            "OK. Curtain::gnuplotPath " + realPath(folder) + "/bin/gnuplot\n"
            "OK. Start: 2018-04-12,00:00:00\n"
            "Ok. End:   2018-04-12,02:59:59\n");
  EXPECT_NE(canonical[1].files[3].find("OK. Start: 2018-04-12,01:00:00\nOk. End:   2018-04-12,02:59:59\n"),
            std::string::npos)
      << canonical[1].files[3];
  // The second profile's rows at 250 m (negative value) and 310 m (flag).
  EXPECT_NE(canonical[0].files[0].find("2018-04-12,01:00:00\t250.0\t0\t\n2018-04-12,01:00:00\t280.0\t"),
            std::string::npos);
  EXPECT_NE(canonical[1].files[0].find("2018-04-12,01:00:00\t310.0\t0\t\n"), std::string::npos);
  EXPECT_NE(canonical[0].files[5].find("set xrange [\"2018-04-12,00:00:00\":\"2018-04-12,02:59:59\"]\n"),
            std::string::npos);
}


// Three profiles of 12 altitudes whose second and third hold missing values
// spelled `flag`: the mixing ratio at 190 m, the number density at 250 m, both
// at 310 m, and in the third profile the mixing ratio at 220 m.
std::string fileWithFlagsSpelled(const std::string& flag) {
  std::vector<testing_support::ProfileBlock> blocks;
  for (int i = 0; i < 3; ++i) {
    std::string hour = "0" + std::to_string(i);
    std::vector<std::string> rows;
    for (int r = 0; r < 12; ++r) {
      const int altitude = 100 + 30 * r;
      std::string nd = platform::formatText("%.4e", 1.0e18 + 1.0e16 * (r + 3 * i));
      std::string mr = platform::formatText("%.3f", 40.0 + 0.7 * r + 2.1 * i);
      if (i > 0 && (altitude == 190 || altitude == 310 || (i == 2 && altitude == 220))) mr = flag;
      if (i > 0 && (altitude == 250 || altitude == 310)) nd = flag;
      rows.push_back(dataLine(std::to_string(altitude) + ".0", nd, "1.0000e+16", mr, "2.500", "850.00"));
    }
    blocks.push_back(block("2018-04-12, " + hour + ":00:00", "2018-04-12, " + hour + ":59:59",
                           "2018-04-12, " + hour + ":30:00", rows));
  }
  return testing_support::profileFileText(blocks);
}

// A data value that the scanner takes for its column's missing-value flag
// (equal to it as a number) is missing to the plot generator as well, however
// it is spelled: the file plots byte for byte like its twin that writes -9999.
TEST_F(PlotgenSpellings, DataValuesEqualToTheFlagAreMissingValuesLikeTheFlag) {
  ASSERT_TRUE(writeFile(data, fileWithFlagsSpelled("-9999")));
  ASSERT_EQ(scanFile(data.c_str(), false, ScanSettings{}, nullptr), 0) << readFile(data + "__ScanMsgs.htm");
  Outputs twin[2];
  for (int r = 0; r < 2; ++r) twin[r] = runIn(folder, kRuns[r]);
  // The twin itself: of 36 data lines, the 7 that hold a flag have no profile row.
  EXPECT_EQ(testing_support::splitLines(twin[0].files[1]).size(), 29u);
  EXPECT_NE(twin[0].files[0].find("2018-04-12,01:00:00\t190.0\t0\t\n"), std::string::npos);
  EXPECT_NE(twin[1].files[0].find("2018-04-12,01:00:00\t250.0\t0\t\n"), std::string::npos);

  // As printf's %e and %.4e write the flag, with a leading 0, as a longer
  // decimal, and within the scanner's 1e-6 of it.
  for (const char* spelling : {"-9.999e3", "-9.9990e+03", "-0.9999e4", "-.9999E+4", "-99990e-1", "-9999.000",
                               "-9998.9999999", "-9999.0000004"}) {
    ASSERT_TRUE(writeFile(data, fileWithFlagsSpelled(spelling)));
    ASSERT_EQ(scanFile(data.c_str(), false, ScanSettings{}, nullptr), 0) << spelling << "\n" << readFile(data + "__ScanMsgs.htm");
    for (int r = 0; r < 2; ++r) {
      Outputs out = runIn(folder, kRuns[r]);
      EXPECT_EQ(out.status, 1) << spelling << ", run " << r << "\n" << out.files[3];
      for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(out.files[i], twin[r].files[i]) << spelling << ", run " << r << ": " << kOutputNames[i];
    }
  }
}

// Three profiles of 12 altitudes whose mixing ratios and their uncertainties
// are spelled in plain decimals or, in the twin, in exponent form: printf's
// %e forms, a leading '+', values between -1 and 0 and below, values beyond
// the int range, and the missing-value flag.
std::string fileWithMixingRatios(bool exponentForm) {
  struct Twin {
    const char* plain;
    const char* exponent;
  };
  static const Twin kMixingRatios[] = {
      {"40.5", "4.05e+01"},     {"45.9", "4.59E+1"},   {"+52.25", "+5.225e1"},  {"0.4", "4e-1"},
      {"-0.5", "-5e-1"},        {"-3.2", "-3.2e0"},    {"10000000000", "1e10"}, {"123.456", "1.23456e2"},
      {"79.999", "7.9999e+01"}, {"-9999", "-9.999e+03"}, {"61.0", "6.1e+01"},
  };
  static const Twin kUncertainties[] = {
      {"4.000", "4.000e+00"}, {"2.5", "25e-1"}, {"+3", "+3e0"}, {"0.75", "7.5e-1"}, {"-0.25", "-2.5e-1"},
      {"-3000000000", "-3e9"}, {"12.5", "1.25E+01"},
  };
  std::vector<testing_support::ProfileBlock> blocks;
  for (int i = 0; i < 3; ++i) {
    std::string hour = "0" + std::to_string(i);
    std::vector<std::string> rows;
    for (int r = 0; r < 12; ++r) {
      const Twin& mr = kMixingRatios[(r + 4 * i) % std::size(kMixingRatios)];
      const Twin& unc = kUncertainties[(r + 2 * i) % std::size(kUncertainties)];
      rows.push_back(dataLine(std::to_string(100 + 30 * r) + ".0", platform::formatText("%.4e", 1.0e18 + 1.0e16 * r),
                              "1.0000e+16", exponentForm ? mr.exponent : mr.plain,
                              exponentForm ? unc.exponent : unc.plain, "850.00"));
    }
    blocks.push_back(block("2018-04-12, " + hour + ":00:00", "2018-04-12, " + hour + ":59:59",
                           "2018-04-12, " + hour + ":30:00", rows));
  }
  return testing_support::profileFileText(blocks);
}

// Mixing ratios in exponent form plot at the value they write: the profile
// rows hold the whole-number part of each (4.05e+01 is 40, as 40.5 is) and
// the median file is the same as for the twin in plain decimals. The curtain
// of the mixing ratio copies the cells as written, so it is compared only
// where it shows the number density.
TEST_F(PlotgenSpellings, MixingRatiosInExponentFormPlotLikeTheirPlainTwin) {
  Outputs twin[2];
  ASSERT_TRUE(writeFile(data, fileWithMixingRatios(false)));
  ASSERT_EQ(scanFile(data.c_str(), false, ScanSettings{}, nullptr), 0) << readFile(data + "__ScanMsgs.htm");
  for (int r = 0; r < 2; ++r) twin[r] = runIn(folder, kRuns[r]);
  // The twin itself: the first rows of the first profile, and the row at the
  // flag left out (36 data lines, 3 of them at the flag).
  const Lines rows = testing_support::splitLines(twin[0].files[1]);
  ASSERT_GE(rows.size(), 8u);
  EXPECT_EQ(Lines(rows.begin(), rows.begin() + 8),
            (Lines{"100.0\t850.00\t1.0000e+18\t1.0000e+16\t40\t4\t", "130.0\t850.00\t1.0100e+18\t1.0000e+16\t45\t2\t",
                   "160.0\t850.00\t1.0200e+18\t1.0000e+16\t52\t3\t", "190.0\t850.00\t1.0300e+18\t1.0000e+16\t0\t0\t",
                   "220.0\t850.00\t1.0400e+18\t1.0000e+16\t0\t0\t", "250.0\t850.00\t1.0500e+18\t1.0000e+16\t0\t0\t",
                   "280.0\t850.00\t1.0600e+18\t1.0000e+16\t2.14748e+09\t12\t",
                   "310.0\t850.00\t1.0700e+18\t1.0000e+16\t123\t4\t"}));
  EXPECT_EQ(testing_support::splitLines(twin[0].files[1]).size(), 33u);
  // Bin 0 holds 40.5, 45.9, 52.25, 0.4, 0 (-0.5), 0 (-3.2), 1e10, 123.456,
  // 79.999, 61 and 40.5.
  EXPECT_EQ(testing_support::splitLines(twin[0].files[2]).at(0), "100\t45.9\t0.4\t79.999\t0\t1e+10");

  ASSERT_TRUE(writeFile(data, fileWithMixingRatios(true)));
  ASSERT_EQ(scanFile(data.c_str(), false, ScanSettings{}, nullptr), 0) << readFile(data + "__ScanMsgs.htm");
  for (int r = 0; r < 2; ++r) {
    Outputs out = runIn(folder, kRuns[r]);
    EXPECT_EQ(out.status, 1) << "run " << r << "\n" << out.files[3];
    for (size_t i = r == 0 ? 1 : 0; i < 6; ++i)
      EXPECT_EQ(out.files[i], twin[r].files[i]) << "run " << r << ": " << kOutputNames[i];
  }
}

}  // namespace
