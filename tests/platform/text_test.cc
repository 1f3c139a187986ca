#include "platform/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <climits>
#include <fstream>
#include <sstream>

#include "tests/support/platform_doubles.h"

namespace {

std::vector<std::pair<std::string, bool>> allLines(const std::string& bytes) {
  std::istringstream in(bytes);
  std::vector<std::pair<std::string, bool>> lines;
  for (;;) {
    std::string line;
    bool ended = platform::readLine(in, line);
    if (!ended && line.empty()) break;
    lines.emplace_back(line, ended);
    if (!ended) break;
  }
  return lines;
}

TEST(ReadLine, DropsOneCarriageReturnBeforeLineEnd) {
  using Lines = std::vector<std::pair<std::string, bool>>;
  EXPECT_EQ(allLines("a\r\nb\n"), (Lines{{"a", true}, {"b", true}}));
  EXPECT_EQ(allLines("a\r\r\n"), (Lines{{"a\r", true}}));
  EXPECT_EQ(allLines("a\rb\n"), (Lines{{"a\rb", true}}));
  EXPECT_EQ(allLines("last"), (Lines{{"last", false}}));
  EXPECT_EQ(allLines("\n\n"), (Lines{{"", true}, {"", true}}));
  EXPECT_EQ(allLines(std::string("n\0ul\xff\n", 6)), (Lines{{std::string("n\0ul\xff", 5), true}}));
  EXPECT_EQ(allLines(""), Lines{});
}

TEST(ReadLine, AStreamThatCannotBeReadHasNoFurtherLine) {
  testing_support::TempDir dir;
  std::ifstream folder(dir.path(), std::ios::binary);  // opens on Linux, but every read fails
  std::string line = "old";
  EXPECT_FALSE(platform::readLine(folder, line));
  EXPECT_FALSE(platform::readLine(folder, line));
}

TEST(OpenInputFile, AFolderIsNoFile) {
  testing_support::TempDir dir;
  std::ifstream in;
  EXPECT_FALSE(platform::openInputFile(in, dir.path()));
  EXPECT_FALSE(platform::openInputFile(in, dir.file("missing")));
  ASSERT_TRUE(testing_support::writeFile(dir.file("f"), "x\n"));
  EXPECT_TRUE(platform::openInputFile(in, dir.file("f")));
}

TEST(Ascii, UpperCasesOnlyAsciiLetters) {
  EXPECT_EQ(platform::toUpperAscii("abz{\xe9}AZ09"), "ABZ{\xe9}AZ09");
  EXPECT_EQ(platform::toLowerAscii("ABZ\xc9"), "abz\xc9");
}

TEST(LeadingLong, ReadsLikeA32BitAtol) {
  struct Case { const char* text; int32_t value; };
  for (const Case& c : std::initializer_list<Case>{
           {"18", 18}, {"  +18 ;", 18}, {"18e5", 18}, {"-2", -2}, {"", 0}, {"abc", 0}, {"\t 7x", 7},
           {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX}, {"99999999999999999999", INT32_MAX},
           {"-2147483648", INT32_MIN}, {"-2147483649", INT32_MIN}, {"-99999999999999999999999", INT32_MIN}}) {
    EXPECT_EQ(platform::leadingLong(c.text), c.value) << c.text;
  }
}

TEST(LeadingDouble, IgnoresTheProcessLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // may not exist; the C locale then stays
  EXPECT_DOUBLE_EQ(platform::leadingDouble(" -76.25, 37"), -76.25);
  EXPECT_DOUBLE_EQ(platform::leadingDouble("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(platform::leadingDouble("-9999e0"), -9999.0);
  EXPECT_DOUBLE_EQ(platform::leadingDouble("x"), 0.0);
  EXPECT_DOUBLE_EQ(platform::leadingDouble(""), 0.0);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(SplitTokens, RunsOfSeparatorsCountAsOne) {
  using V = std::vector<std::string>;
  EXPECT_EQ(platform::splitTokens(",,a,,b, c,", ","), (V{"a", "b", " c"}));
  EXPECT_EQ(platform::splitTokens("1, 2\t3\r\n", " ,\t\r\n"), (V{"1", "2", "3"}));
  EXPECT_EQ(platform::splitTokens(",,,", ","), V{});
  EXPECT_EQ(platform::splitTokens("", ","), V{});
}

TEST(FormatAndEscape, FileTextIsNeverAFormat) {
  EXPECT_EQ(platform::formatText("<%s|%d|%02d>", "%s%n", 5, 3), "<%s%n|5|03>");
  EXPECT_EQ(platform::formatText("%.f", -9999.0), "-9999");
  EXPECT_EQ(platform::htmlEscape("a<b>&c\"'"), "a&lt;b&gt;&amp;c\"'");
  std::string big(100000, 'x');
  EXPECT_EQ(platform::formatText("%s!", big.c_str()).size(), 100001u);
}

}  // namespace
