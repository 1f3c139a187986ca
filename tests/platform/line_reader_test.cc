// The file line reader against readLine over a stream of the same bytes.
#include "platform/line_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

namespace {

struct Read {
  bool ended;
  std::string line;
  bool operator==(const Read&) const = default;
};

// Every read until the end and two more after it.
template <typename ReadOne>
std::vector<Read> readAll(ReadOne readOne) {
  std::vector<Read> reads;
  int pastEnd = 0;
  while (pastEnd < 3) {
    Read r;
    r.ended = readOne(&r.line);
    if (!r.ended) ++pastEnd;
    reads.push_back(std::move(r));
  }
  return reads;
}

TEST(LineReader, SameLinesAsReadLineOnAStream) {
  testing_support::TempDir dir;
  std::mt19937 random(20261210);
  const size_t bounds[] = {platform::kMaxLineLength, 0, 1, 5, 8192, 300000};
  for (int round = 0; round < 25; ++round) {
    const std::string text = testing_support::randomLineText(random);
    const std::string path = dir.file("f" + std::to_string(round));
    ASSERT_TRUE(testing_support::writeFile(path, text));
    for (size_t bound : bounds) {
      std::istringstream stream(text);
      const std::vector<Read> expected =
          readAll([&](std::string* line) { return platform::readLine(stream, line, bound); });
      platform::LineReader reader;
      ASSERT_TRUE(reader.open(path));
      const std::vector<Read> got = readAll([&](std::string* line) { return reader.readLine(line, bound); });
      ASSERT_EQ(got.size(), expected.size()) << "round " << round << " bound " << bound;
      for (size_t i = 0; i < got.size(); ++i)
        ASSERT_TRUE(got[i] == expected[i]) << "round " << round << " bound " << bound << " read " << i;
    }
  }
}

// The lines of a text as a reader sees them before any cut: each line
// without its '\n' and the one '\r' before it; a last line without '\n' as
// it is.
std::vector<std::string> wholeLines(const std::string& text) {
  std::vector<std::string> lines = testing_support::splitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    const bool ended = i + 1 < lines.size() || text.back() == '\n';
    if (ended && !lines[i].empty() && lines[i].back() == '\r') lines[i].pop_back();
  }
  return lines;
}

// Asked for the whole line, both readers give the same lines as without, and
// tell each line's length and the commas past the cut.
TEST(LineReader, WholeLineTellsTheLengthAndTheCommasPastTheCut) {
  testing_support::TempDir dir;
  std::mt19937 random(20261211);
  const size_t bounds[] = {platform::kMaxLineLength, 0, 1, 5, 8192, 300000};
  for (int round = 0; round < 5; ++round) {
    const std::string text = testing_support::randomLineText(random, std::string_view(",a\r\n,\0,", 7));
    const std::string path = dir.file("f" + std::to_string(round));
    ASSERT_TRUE(testing_support::writeFile(path, text));
    const std::vector<std::string> whole = wholeLines(text);
    for (size_t bound : bounds) {
      std::istringstream plainStream(text);
      const std::vector<Read> plain =
          readAll([&](std::string* line) { return platform::readLine(plainStream, line, bound); });
      for (bool fromFile : {false, true}) {
        std::istringstream stream(text);
        platform::LineReader reader;
        ASSERT_TRUE(reader.open(path));
        std::vector<platform::WholeLine> told;
        const std::vector<Read> got = readAll([&](std::string* line) {
          platform::WholeLine w;
          bool ended = fromFile ? reader.readLine(line, bound, &w) : platform::readLine(stream, line, bound, &w);
          told.push_back(w);
          return ended;
        });
        const std::string where =
            "round " + std::to_string(round) + " bound " + std::to_string(bound) + " file " + std::to_string(fromFile);
        ASSERT_EQ(got.size(), plain.size()) << where;
        for (size_t i = 0; i < got.size(); ++i) {
          ASSERT_TRUE(got[i] == plain[i]) << where << " read " << i;
          const std::string_view line = i < whole.size() ? std::string_view(whole[i]) : std::string_view();
          const size_t past = line.size() > bound
                                  ? static_cast<size_t>(std::count(line.begin() + static_cast<long>(bound), line.end(), ','))
                                  : 0;
          ASSERT_EQ(told[i].length, line.size()) << where << " read " << i;
          ASSERT_EQ(told[i].countedPastCut, past) << where << " read " << i;
        }
      }
    }
  }
}

// The rule for a line held whole (keptLine) gives the line that readLine
// keeps of it, for every bound; the piece after the last '\n' too.
TEST(LineReader, KeptLineOfTheWholeLineIsTheLineRead) {
  std::mt19937 random(20261212);
  const size_t bounds[] = {platform::kMaxLineLength, 0, 1, 5, 8192, 300000};
  for (int round = 0; round < 5; ++round) {
    const std::string text = testing_support::randomLineText(random);
    for (size_t bound : bounds) {
      std::istringstream stream(text);
      const std::vector<Read> reads = readAll([&](std::string* line) { return platform::readLine(stream, line, bound); });
      size_t at = 0;
      for (size_t i = 0;; ++i) {
        const size_t newline = text.find('\n', at);
        const bool ended = newline != std::string::npos;
        const std::string_view whole(text.data() + at, (ended ? newline : text.size()) - at);
        const std::string where = "round " + std::to_string(round) + " bound " + std::to_string(bound) + " line " +
                                  std::to_string(i);
        ASSERT_LT(i, reads.size()) << where;
        ASSERT_EQ(reads[i].ended, ended) << where;
        ASSERT_EQ(platform::keptLine(whole, ended, bound), reads[i].line) << where;
        if (!ended) break;
        at = newline + 1;
      }
    }
  }
}

TEST(LineReader, OnlyRegularFilesOpenAndAClosedReaderHasNoLines) {
  testing_support::TempDir dir;
  platform::LineReader reader;
  std::string line = "old";
  EXPECT_FALSE(reader.readLine(&line));
  EXPECT_EQ(line, "");
  EXPECT_FALSE(reader.open(dir.path()));
  EXPECT_FALSE(reader.open(dir.file("missing")));
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
  EXPECT_FALSE(reader.open(dir.file("fifo")));
  EXPECT_FALSE(reader.open("/dev/zero"));
  ASSERT_TRUE(testing_support::writeFile(dir.file("f"), "x\r\ny"));
  ASSERT_TRUE(reader.open(dir.file("f")));
  EXPECT_TRUE(reader.readLine(&line));
  EXPECT_EQ(line, "x");
  reader.close();
  EXPECT_FALSE(reader.isOpen());
  EXPECT_FALSE(reader.readLine(&line));
  EXPECT_EQ(line, "");
  // Opened again, it reads from the start.
  ASSERT_TRUE(reader.open(dir.file("f")));
  EXPECT_TRUE(reader.readLine(&line));
  EXPECT_FALSE(reader.readLine(&line));
  EXPECT_EQ(line, "y");
}

}  // namespace
