// Damaged and hostile input: one ERROR line or a correct run, never a crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/text.h"
#include "plotgen/plot_scripts.h"
#include "tests/plotgen/vantor_harness.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

using namespace plotgen_tests;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

std::string sampleFile() {
  using testing_support::profileBlock;
  return testing_support::profileFileText({
      profileBlock("2018-04-12, 01:00:00", "2018-04-12, 01:59:59", "2018-04-12, 01:30:00", 4),
      profileBlock("2018-04-12, 02:00:00", "2018-04-12, 02:59:59", "2018-04-12, 02:30:00", 4),
  });
}

std::vector<std::string> lineCount(const std::string& log) { return testing_support::splitLines(log); }

// The run either ended well (status 1, no ERROR line) or with exactly one
// ERROR line, its last, and status 0.
::testing::AssertionResult oneErrorOrCorrectRun(const std::string& folder, const VantorResult& result) {
  std::string log = logAfterStart(folder);
  if (log == "<no start line>") return ::testing::AssertionFailure() << "no start line";
  std::vector<std::string> lines = lineCount(log);
  int errors = 0;
  for (const std::string& line : lines)
    if (line.rfind("ERROR", 0) == 0) ++errors;
  if (result.status == 1 && errors == 0 && !lines.empty() && lines.back().rfind("Ok. End:   ", 0) == 0)
    return ::testing::AssertionSuccess();
  if (result.status == 0 && errors == 1 && !lines.empty() && lines.back().rfind("ERROR: ", 0) == 0)
    return ::testing::AssertionSuccess();
  // Nothing selected: the NO DATA line and the line that follows it.
  if (result.status == 0 && errors == 1 && lines.size() >= 2 &&
      lines[lines.size() - 2].rfind("ERROR: NO DATA IN RANGE: ", 0) == 0 &&
      lines.back().rfind("argv[8], argv[9] >> startTime, endTime = ", 0) == 0)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "status " << result.status << ", log:\n" << log;
}

// A malformed-file ERROR line names the file line it could not take:
// "ERROR: malformed PROFILE file: <path> (line N: reason)".
::testing::AssertionResult namesItsLine(const std::string& logLine) {
  const std::string start = "ERROR: malformed PROFILE file: ";
  if (logLine.rfind(start, 0) != 0) return ::testing::AssertionSuccess();
  size_t at = logLine.rfind(" (line ");
  size_t digits = at == std::string::npos ? 0 : logLine.find_first_not_of("0123456789", at + 7);
  if (at == std::string::npos || digits == at + 7 || digits == std::string::npos ||
      logLine.compare(digits, 2, ": ") != 0 || logLine.back() != ')' || logLine[at + 7] == '0')
    return ::testing::AssertionFailure() << "names no line: " << logLine;
  return ::testing::AssertionSuccess();
}

class PlotgenBadInput : public testing::Test {
 protected:
  void SetUp() override {
    folder = dir.path();
    installStandInGnuplot(folder);
    data = folder + "/data.dat";
    writeList(folder, {data});
  }
  VantorResult run(const std::string& text, const std::string& args = "") {
    EXPECT_TRUE(writeFile(data, text));
    for (const char* name : {"gnuplot_input_1.txt", "gnuplot_input_2.txt"}) std::filesystem::remove(folder + "/" + name);
    return runVantorIn(folder, args.empty() ? plotButtonArguments() : words(args));
  }
  std::string lastLogLine() {
    std::vector<std::string> lines = lineCount(logAfterStart(folder));
    return lines.empty() ? std::string() : lines.back();
  }
  bool gnuplotStarted() const { return std::filesystem::exists(folder + "/gnuplot_input_1.txt"); }

  TempDir dir;
  std::string folder;
  std::string data;
};

TEST_F(PlotgenBadInput, TruncatedFileAtEveryLine) {
  std::vector<std::string> lines = testing_support::splitLines(sampleFile());
  for (size_t keep = 0; keep <= lines.size(); ++keep) {
    std::vector<std::string> part(lines.begin(), lines.begin() + static_cast<long>(keep));
    VantorResult result = run(testing_support::joinLines(part));
    EXPECT_TRUE(oneErrorOrCorrectRun(folder, result)) << "lines kept: " << keep;
    EXPECT_TRUE(namesItsLine(lastLogLine())) << "lines kept: " << keep;
    if (keep < lines.size()) {
      EXPECT_EQ(result.status, 0) << keep;
      EXPECT_FALSE(gnuplotStarted()) << keep;
    }
  }
}

TEST_F(PlotgenBadInput, TruncatedInsideTheSecondBlockKeepsTheFirstProfile) {
  std::vector<std::string> lines = testing_support::splitLines(sampleFile());
  lines.pop_back();
  VantorResult result = run(testing_support::joinLines(lines));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(lastLogLine(), "ERROR: malformed PROFILE file: " + data + " (line " + std::to_string(lines.size()) +
                               ": the file ends inside the data lines)");
  EXPECT_NE(readFile(folder + "/curtain_data.dat"), "");
}

TEST_F(PlotgenBadInput, BlockWithFewerCellsThanColumns) {
  std::string text = sampleFile();
  std::vector<std::string> lines = testing_support::splitLines(text);
  size_t row = lines.size() - 2;
  lines[row] = "100.0, 1.0e+18, 1.0e+17, 150.0, 5.0";
  VantorResult result = run(testing_support::joinLines(lines));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(lastLogLine(), "ERROR: malformed PROFILE file: " + data + " (line " + std::to_string(row + 1) +
                               ": fewer cells than data columns)");
  EXPECT_TRUE(oneErrorOrCorrectRun(folder, result));
  EXPECT_FALSE(gnuplotStarted());
}

// Lines longer than the toolkit's line cap keep their first
// platform::kMaxLineLength bytes, as every reader of the toolkit keeps them:
// long comment lines and a long comment after a stamp change nothing; a data
// line whose cells begin past the cap lacks them.
TEST_F(PlotgenBadInput, LinesPastTheLineCapKeepTheirFirstBytes) {
  const size_t cap = platform::kMaxLineLength;
  ASSERT_EQ(run(sampleFile()).status, 1);
  const std::string plainLog = logAfterStart(folder);
  const std::string plainCurtain = readFile(folder + "/curtain_data.dat");
  const std::string plainProfile = readFile(folder + "/profile_data.dat");
  std::string text = testing_support::replaceLine(sampleFile(), 26, "R1: first release" + std::string(2 * cap, 'x'));
  text = testing_support::replaceLine(text, 39, std::string(cap + 1, ' ') + "Block comment");
  text = testing_support::replaceLine(text, 33, "2018-04-12, 01:00:00  ; PROFILE DATE" + std::string(cap, '-'));
  VantorResult result = run(text);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(logAfterStart(folder), plainLog);
  EXPECT_EQ(readFile(folder + "/curtain_data.dat"), plainCurtain);
  EXPECT_EQ(readFile(folder + "/profile_data.dat"), plainProfile);

  std::vector<std::string> lines = testing_support::splitLines(sampleFile());
  std::string& row = lines[40];  // the first data line
  row.insert(row.find(", 150.0") + 1, std::string(cap, ' '));
  result = run(testing_support::joinLines(lines));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(lastLogLine(), "ERROR: malformed PROFILE file: " + data + " (line 41: fewer cells than data columns)");
  EXPECT_FALSE(gnuplotStarted());
}

TEST_F(PlotgenBadInput, DamagedHeaderValues) {
  // Line numbers are 1-based file lines of the sample: 1 header count, 3
  // profiles, 4 columns, 19 missing values, 20 comment count, 28 the first
  // block's header count, 29 its data count, 33 its start stamp.
  struct Case {
    int line;
    std::string text;
  };
  const std::vector<Case> cases = {
      {1, "99999999999 ; NUMBER OF GENERAL HEADER LINES"},
      {1, "-5 ; NUMBER OF GENERAL HEADER LINES"},
      {1, "x"},
      {3, "2147483647 ; NUMBER OF PROFILES"},
      {3, "-3 ; NUMBER OF PROFILES"},
      {3, "0 ; NUMBER OF PROFILES"},
      {4, "8 ; NUMBER OF DATA COLUMNS"},
      {4, "2147483647 ; NUMBER OF DATA COLUMNS"},
      {4, "-14 ; NUMBER OF DATA COLUMNS"},
      {19, "-9999, -9999, -9999  ; MISSING DATA VALUES"},
      {19, ""},
      {20, "-100 ; NUMBER OF GENERAL COMMENTS LINES"},
      {20, "2147483647 ; NUMBER OF GENERAL COMMENTS LINES"},
      {28, "-2147483647  ; NUMBER OF HEADER LINES"},
      {28, "2147483647  ; NUMBER OF HEADER LINES"},
      {28, "3  ; NUMBER OF HEADER LINES"},
      {29, "-1  ; NUMBER OF DATA LINES"},
      {29, "2147483647  ; NUMBER OF DATA LINES"},
      {29, "0  ; NUMBER OF DATA LINES"},
      {33, "no stamp here"},
      {33, ""},
      {33, "2018-04-12, 01:00:00\r  ; PROFILE DATE, TIME (UT) START"},
  };
  for (const Case& c : cases) {
    VantorResult result = run(testing_support::replaceLine(sampleFile(), c.line, c.text));
    EXPECT_TRUE(oneErrorOrCorrectRun(folder, result)) << "line " << c.line << ": " << c.text;
    EXPECT_TRUE(namesItsLine(lastLogLine())) << "line " << c.line << ": " << c.text;
  }
  // A negative count on line 1 names that line.
  run(testing_support::replaceLine(sampleFile(), 1, "-5 ; NUMBER OF GENERAL HEADER LINES"));
  EXPECT_EQ(lastLogLine(), "ERROR: malformed PROFILE file: " + data + " (line 1: negative general header line count)");
}

TEST_F(PlotgenBadInput, TextAfterTheTimeOfAStampNeverReachesGnuplot) {
  // The scanner reads six numbers from a stamp line and passes what follows
  // them; so does the reader, and only the numbers go into the plot commands.
  const std::vector<std::string> stamps = {
      "2018-04-12, 01:00:00`touch pwned`", "2018-04-12, 01:00:00\"; system \"touch pwned",
      "2018-04-12, 01:00:00'", "2018-04-12, 01:00:00\\", "2018-04-12, 01:00:00\t"};
  for (const std::string& stamp : stamps) {
    using testing_support::ProfileBlock;
    ProfileBlock block = testing_support::profileBlock(stamp, "2018-04-12, 01:59:59", "2018-04-12, 01:30:00", 3);
    VantorResult result = run(testing_support::profileFileText({block}));
    EXPECT_EQ(result.status, 1) << stamp;
    EXPECT_TRUE(oneErrorOrCorrectRun(folder, result)) << stamp;
    std::string curtain = readFile(folder + "/gnuplot_input_2.txt");
    EXPECT_NE(curtain.find("set xrange [\"2018-04-12,01:00:00\":\"2018-04-12,01:59:59\"]\n"), std::string::npos)
        << curtain;
    EXPECT_EQ(readFile(folder + "/curtain_data.dat").substr(0, 20), "2018-04-12,01:00:00\t") << stamp;
    EXPECT_FALSE(std::filesystem::exists(folder + "/pwned"));
  }
  // The last guard before gnuplot still refuses such texts.
  for (const std::string& stamp : stamps) EXPECT_FALSE(plotgen::isSafeInGnuplot(stamp)) << stamp;
  EXPECT_TRUE(plotgen::isSafeInGnuplot("2018-04-12,01:00:00"));
}

TEST_F(PlotgenBadInput, StampLinesWithoutSixFieldsNameTheirLine) {
  // Lines 33, 34 and 35 of a one-block file are its start, end and mean stamps.
  struct Case {
    std::string start, end, mean;
    int line;
  };
  const std::vector<Case> cases = {
      {"2018-13-12, 01", "2018-04-12, 01:59:59", "2018-04-12, 01:30:00", 33},
      {"2018-04-12, 01:00:00", "2018, x", "2018-04-12, 01:30:00", 34},
      {"2018-04-12, 01:00:00", "2018-04-12, 01:59:59", "", 35},
  };
  for (const Case& c : cases) {
    VantorResult result = run(testing_support::profileFileText({testing_support::profileBlock(c.start, c.end, c.mean, 3)}));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(lastLogLine(), "ERROR: malformed PROFILE file: " + data + " (line " + std::to_string(c.line) +
                                 ": a date and time without six fields)");
    EXPECT_FALSE(gnuplotStarted());
  }
}

TEST_F(PlotgenBadInput, OddTitleStampsReadNothingOutside) {
  // A month outside 1 to 12 is shown as written.
  using testing_support::ProfileBlock;
  ProfileBlock block = testing_support::profileBlock("2018-13-12, 01:00:00", "2018-04-12, 01:59:59", "2018-04-12, 01:30:00", 3);
  VantorResult result = run(testing_support::profileFileText({block}), "ANY 0 1 true false 0 1 20000000000000 "
                                                                        "20200000000000 false 0 300 0 1000 false false "
                                                                        "false false 0 0");
  EXPECT_EQ(result.status, 1);
  std::string curtain = readFile(folder + "/gnuplot_input_1.txt");
  EXPECT_NE(curtain.find("set title \"12-13-2018 at 01:00  to  12-APR-2018 at 01:59 (UTC)"), std::string::npos)
      << curtain;
  // Stamps that lack their pieces (the reader no longer makes them) still give a title.
  EXPECT_EQ(plotgen::stampTitle("2018-13-12,01"), "12-13-2018 at 01:");
  EXPECT_EQ(plotgen::stampTitle("2018,x"), "--2018 at x:");
  EXPECT_EQ(plotgen::stampTitle(""), "-- at :");
}

TEST_F(PlotgenBadInput, StartFolderWithBlanksAndShellCharacters) {
  std::string odd = folder + "/start folder; $(touch pwned) & 'x'";
  std::filesystem::create_directories(odd);
  installStandInGnuplot(odd);
  std::string oddData = odd + "/data file.dat";
  ASSERT_TRUE(writeFile(oddData, sampleFile()));
  writeList(odd, {oddData});
  VantorResult result = runVantorIn(odd, plotButtonArguments());
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(oneErrorOrCorrectRun(odd, result));
  std::string log = logAfterStart(odd);
  EXPECT_NE(log.find("OK. Curtain::gnuplotPath " + realPath(odd) + "/bin/gnuplot\n"), std::string::npos) << log;
  EXPECT_TRUE(std::filesystem::exists(odd + "/gnuplot_input_2.txt"));
  EXPECT_FALSE(std::filesystem::exists(odd + "/pwned"));
  EXPECT_FALSE(std::filesystem::exists(folder + "/pwned"));
}

// A name's line end or control character never reaches the log, where it
// would end the line early and start a forged one: the front end takes every
// line that begins with ERROR for a failure.
TEST_F(PlotgenBadInput, LineEndsAndControlCharactersOfNamesNeverReachTheLog) {
  std::string odd = folder + "/sf\nERROR: injected";
  std::filesystem::create_directories(odd);
  installStandInGnuplot(odd);
  ASSERT_TRUE(writeFile(odd + "/data\rERROR: \x1b[2Kforged\t.dat", sampleFile()));
  writeList(odd, {"data\rERROR: \x1b[2Kforged\t.dat"});
  VantorResult result = runVantorIn(odd, plotButtonArguments());
  EXPECT_EQ(result.status, 1);
  const std::string gnuplot = realPath(folder) + "/sf?ERROR: injected/bin/gnuplot";
  EXPECT_EQ(logAfterStart(odd),
            "OK. data?ERROR: ?[2Kforged?.dat\n"
            "OK. Profile::gnuplotPath " + gnuplot + "\n"
            "OK. Curtain::gnuplotPath " + gnuplot + "\n"
            "OK. Start: 2018-04-12,01:00:00\n"
            "Ok. End:   2018-04-12,02:59:59\n");
  EXPECT_TRUE(std::filesystem::exists(odd + "/gnuplot_input_2.txt"));

  // Arguments and list entries of failing runs alike.
  const struct {
    std::vector<std::string> entries;
    std::string location;
    std::string log;
  } kFailures[] = {
      {{"data.dat"}, "ANY\nOK. x", "ERROR: invalid location input: ANY?OK. x\n"},
      {{"gone\x7f\x01.dat"}, "ANY", "OK. gone??.dat\nERROR: failed to open file: gone??.dat\n"},
  };
  for (const auto& failure : kFailures) {
    writeList(odd, failure.entries);
    std::vector<std::string> args = plotButtonArguments();
    args[0] = failure.location;
    EXPECT_EQ(runVantorIn(odd, args).status, 0);
    EXPECT_EQ(logAfterStart(odd), failure.log);
  }
}

TEST_F(PlotgenBadInput, FilesWithoutBlanksAfterCommasAndCrLfLineEndsReadAsUsual) {
  VantorResult result = run(sampleFile());
  ASSERT_EQ(result.status, 1);
  std::string curtain = readFile(folder + "/curtain_data.dat");
  std::string profile = readFile(folder + "/profile_data.dat");
  std::string median = readFile(folder + "/median_data.dat");

  std::vector<std::string> lines = testing_support::splitLines(sampleFile());
  for (std::string& line : lines) {
    // Data lines (they begin with a digit and hold many commas) lose their blanks after commas.
    if (!line.empty() && line[0] >= '0' && line[0] <= '9' && std::count(line.begin(), line.end(), ',') == 13) {
      std::string packed;
      for (size_t i = 0; i < line.size(); ++i)
        if (!(line[i] == ' ' && i > 0 && line[i - 1] == ',')) packed += line[i];
      line = packed;
    }
  }
  // The first block's start line with two blanks after the comma.
  lines[32] = "2018-04-12,  1:00:00  ; PROFILE DATE, TIME (UT) START";
  writeList(folder, {data}, "\r\n");
  result = run(testing_support::joinLines(lines, "\r\n"));
  ASSERT_EQ(result.status, 1) << logAfterStart(folder);
  EXPECT_EQ(readFile(folder + "/curtain_data.dat"), curtain);
  EXPECT_EQ(readFile(folder + "/profile_data.dat"), profile);
  EXPECT_EQ(readFile(folder + "/median_data.dat"), median);
}

TEST_F(PlotgenBadInput, LongCommentCountLineAfterTheMissingValuesLine) {
  // The comment-count line reaches far past the first read of the file, so the
  // reader refills its buffer between the missing-values line and this one;
  // the missing values must still be the ones of the file.
  VantorResult result = run(sampleFile());
  ASSERT_EQ(result.status, 1);
  std::string profile = readFile(folder + "/profile_data.dat");
  std::string median = readFile(folder + "/median_data.dat");

  std::vector<std::string> lines = testing_support::splitLines(sampleFile());
  lines[19] += std::string(1 << 20, ' ') + "padding";
  result = run(testing_support::joinLines(lines));
  ASSERT_EQ(result.status, 1) << logAfterStart(folder);
  EXPECT_EQ(readFile(folder + "/profile_data.dat"), profile);
  EXPECT_EQ(readFile(folder + "/median_data.dat"), median);
}

TEST_F(PlotgenBadInput, HugeAltitudeLimitsNeedNoHugeBinTable) {
  VantorResult result = run(sampleFile(), "ANY 0 1 true false 0 10 20000000000000 20200000000000 false 0 300 0 "
                                          "99999999999999 true true true true 0 0");
  EXPECT_EQ(result.status, 1);
  std::string script = readFile(folder + "/gnuplot_input_1.txt");
  EXPECT_NE(script.find("set yrange [0: 2147483.647]\n"), std::string::npos) << script;
  EXPECT_EQ(readFile(folder + "/median_data.dat").substr(0, 4), "100\t");
}

}  // namespace
