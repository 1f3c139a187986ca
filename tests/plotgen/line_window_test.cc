// The line window against the platform's file line reader: the same lines for
// every bound of the kept length, whatever order they are asked for in and
// however many are forgotten on the way.
#include "plotgen/line_window.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/line_reader.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

namespace {

using plotgen::LineWindow;

// The lines of a file as the platform's reader reads them, the rest after
// the last line end as keepsLastLine takes it.
std::vector<std::string> platformLines(const std::string& path, size_t bound) {
  std::vector<std::string> lines;
  platform::LineReader reader;
  EXPECT_TRUE(reader.open(path));
  std::string line;
  while (reader.readLine(&line, bound)) lines.push_back(line);
  std::string_view rest = line;
  if (plotgen::keepsLastLine(&rest)) lines.emplace_back(rest);
  return lines;
}

// Reads every line through the window: now and then a line further on first
// (as the reader asks for a block's last data line), and now and then the
// lines before the one read are forgotten.
void expectSameLines(const std::string& path, size_t bound, std::mt19937& random, const std::string& where) {
  const std::vector<std::string> expected = platformLines(path, bound);
  const long long count = static_cast<long long>(expected.size());
  LineWindow window;
  ASSERT_TRUE(window.open(path, bound)) << where;
  std::string_view line;
  for (long long i = 0; i < count; ++i) {
    if (random() % 4 == 0) {
      const long long ahead = i + static_cast<long long>(random() % 6);
      ASSERT_EQ(window.line(ahead, &line), ahead < count) << where << " line " << ahead;
      if (ahead < count) {
        ASSERT_EQ(line, expected[static_cast<size_t>(ahead)]) << where << " line " << ahead;
      }
    }
    ASSERT_TRUE(window.line(i, &line)) << where << " line " << i;
    ASSERT_EQ(line, expected[static_cast<size_t>(i)]) << where << " line " << i;
    if (random() % 3 == 0) window.forget(i);
  }
  EXPECT_FALSE(window.line(count, &line)) << where;
  EXPECT_EQ(window.lineCount(), count) << where;
}

TEST(PlotgenLineWindow, SameLinesAsThePlatformReader) {
  testing_support::TempDir dir;
  std::mt19937 random(20261213);
  const size_t bounds[] = {platform::kMaxLineLength, 0, 1, 5, 8192, 300000};
  for (int round = 0; round < 12; ++round) {
    const std::string text = testing_support::randomLineText(random, round % 2 ? std::string_view("a\r\n\r\n,", 6)
                                                                               : std::string_view("ab\r\n\0x ", 7));
    const std::string path = dir.file("f" + std::to_string(round));
    ASSERT_TRUE(testing_support::writeFile(path, text));
    for (size_t bound : bounds)
      expectSameLines(path, bound, random, "round " + std::to_string(round) + " bound " + std::to_string(bound));
  }
}

// Lines longer than the platform's cap keep their first kMaxLineLength bytes
// and the lines after them are read as before; the same for a last line
// without line end, and for a line just one byte, or one '\r', past the cap.
TEST(PlotgenLineWindow, LinesPastTheCapKeepTheirFirstBytes) {
  testing_support::TempDir dir;
  std::mt19937 random(20261214);
  const size_t cap = platform::kMaxLineLength;
  const std::string longLine = std::string(cap - 1, 'x') + "\r" + std::string(3 * cap, 'y');
  const std::vector<std::string> texts = {
      "a\r\n" + longLine + "\r\nb\n" + std::string(cap + cap / 2, 'z') + "\r",
      std::string(cap, 'x') + "\r\n" + std::string(cap + 1, 'x') + "\n" + std::string(cap, 'x') + "\r\r\nc",
      longLine + "\n" + longLine,
  };
  for (size_t t = 0; t < texts.size(); ++t) {
    const std::string path = dir.file("long" + std::to_string(t));
    ASSERT_TRUE(testing_support::writeFile(path, texts[t]));
    expectSameLines(path, cap, random, "text " + std::to_string(t));
  }
  LineWindow window;
  ASSERT_TRUE(window.open(dir.file("long0")));
  std::string_view line;
  ASSERT_TRUE(window.line(1, &line));
  EXPECT_EQ(line, longLine.substr(0, cap));
  ASSERT_TRUE(window.line(3, &line));
  EXPECT_EQ(line, std::string(cap, 'z'));
  EXPECT_FALSE(window.line(4, &line));
}

// The rest after the last line end, as both of the plot generator's readers take it.
TEST(PlotgenLineWindow, TheLastLineWithoutLineEnd) {
  struct Case {
    std::string rest;
    bool isLine;
    std::string line;
  };
  const Case cases[] = {{"", false, ""}, {"\r", false, ""}, {"a", true, "a"}, {"a\r", true, "a"}, {"a\r\r", true, "a\r"}};
  for (const Case& c : cases) {
    std::string_view rest = c.rest;
    EXPECT_EQ(plotgen::keepsLastLine(&rest), c.isLine) << c.rest;
    if (c.isLine) {
      EXPECT_EQ(rest, c.line) << c.rest;
    }
  }
}

}  // namespace
