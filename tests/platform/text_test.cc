#include "platform/text.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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
    bool ended = platform::readLine(in, &line);
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

// Lines around the reader's chunk size and around the length bound.
TEST(ReadLine, LongLinesAreReadWholeUpToTheBoundAndCutBeyondIt) {
  using Lines = std::vector<std::pair<std::string, bool>>;
  for (size_t length : {size_t{8190}, size_t{8191}, size_t{8192}, size_t{20000}}) {
    std::string big(length, 'x');
    big[length - 1] = 'y';
    EXPECT_EQ(allLines(big + "\nnext\n"), (Lines{{big, true}, {"next", true}})) << length;
    EXPECT_EQ(allLines(big + "\r\nnext"), (Lines{{big, true}, {"next", false}})) << length;
    EXPECT_EQ(allLines(big), (Lines{{big, false}})) << length;
  }
  struct Case {
    std::string bytes;
    size_t bound;
    std::string line;
    bool ended;
  };
  const std::string tenThousand = std::string(9999, 'a') + "b";
  for (const Case& c : std::initializer_list<Case>{
           {"abcdef\n", 6, "abcdef", true},
           {"abcdef\r\n", 6, "abcdef", true},
           {"abcdefg\n", 6, "abcdef", true},
           {"abcdef\rg\n", 6, "abcdef", true},
           {"abcdefg", 6, "abcdef", false},
           {tenThousand + "\n", 10, "aaaaaaaaaa", true},
           {tenThousand + "\r\n", 10000, tenThousand, true},
           {tenThousand + "\n", 9999, tenThousand.substr(0, 9999), true},
       }) {
    std::istringstream in(c.ended ? c.bytes + "after\n" : c.bytes);
    std::string line;
    EXPECT_EQ(platform::readLine(in, &line, c.bound), c.ended) << c.bytes.size();
    EXPECT_EQ(line, c.line) << c.bytes.size();
    if (c.ended) {
      // The rest of the long line is gone; the next line follows.
      EXPECT_TRUE(platform::readLine(in, &line, c.bound));
      EXPECT_EQ(line, "after");
    }
  }
}

// What readLine tells of the whole line when asked: the same line, and the
// length and the commas of the line before its cut.
TEST(ReadLine, WholeLineIsTheLineBeforeItsCut) {
  struct Case {
    std::string bytes;
    size_t bound;
    std::string line;
    bool ended;
    size_t length;
    size_t commasPastCut;
  };
  const std::string commas(10000, ',');
  for (const Case& c : std::initializer_list<Case>{
           {"ab,de,\n", 6, "ab,de,", true, 6, 0},
           {"ab,de,\r\n", 6, "ab,de,", true, 6, 0},
           {"ab,de,g\n", 6, "ab,de,", true, 7, 0},
           {"ab,de,g,\r\n", 6, "ab,de,", true, 8, 1},
           {"abcdef,\n", 6, "abcdef", true, 7, 1},
           {"abcdef,\r\n", 6, "abcdef", true, 7, 1},
           {"abcdef\r\r\n", 6, "abcdef", true, 7, 0},
           {"abcdef\r,\r", 6, "abcdef", false, 9, 1},
           {",,,,,,,,,,", 6, ",,,,,,", false, 10, 4},
           {commas + "\r\n", 10, ",,,,,,,,,,", true, 10000, 9990},
           {commas + "\n", 10000, commas, true, 10000, 0},
           {"\n", 0, "", true, 0, 0},
           {"", 6, "", false, 0, 0},
       }) {
    std::istringstream in(c.ended ? c.bytes + "after\n" : c.bytes);
    std::string line;
    platform::WholeLine whole;
    whole.countedPastCut = 99;  // every read starts afresh
    EXPECT_EQ(platform::readLine(in, &line, c.bound, &whole), c.ended) << c.bytes.size();
    EXPECT_EQ(line, c.line) << c.bytes.size();
    EXPECT_EQ(whole.length, c.length) << c.bytes.size();
    EXPECT_EQ(whole.countedPastCut, c.commasPastCut) << c.bytes.size();
    if (c.ended) {
      EXPECT_TRUE(platform::readLine(in, &line, platform::kMaxLineLength, &whole));
      EXPECT_EQ(line, "after");
      EXPECT_EQ(whole.length, 5u);
      EXPECT_EQ(whole.countedPastCut, 0u);
    }
  }
}

TEST(ReadLine, AnEndlessLineTakesBoundedMemory) {
  // 64 MiB without a line end, read by the default bound of 1 MiB.
  class Endless : public std::streambuf {
   public:
    explicit Endless(size_t total) : left_(total) {}
   protected:
    int_type underflow() override {
      if (left_ == 0) return traits_type::eof();
      size_t n = std::min(left_, sizeof block_);
      std::fill(block_, block_ + n, 'z');
      left_ -= n;
      setg(block_, block_, block_ + n);
      return 'z';
    }
   private:
    size_t left_;
    char block_[65536];
  } source(64u << 20);
  std::istream in(&source);
  std::string line;
  EXPECT_FALSE(platform::readLine(in, &line));
  EXPECT_EQ(line.size(), platform::kMaxLineLength);
  EXPECT_LE(line.capacity(), 2 * platform::kMaxLineLength + 16);
  // Asked for the whole line, it keeps the same bound and counts the rest.
  Endless again(64u << 20);
  std::istream in2(&again);
  std::string line2;
  platform::WholeLine whole;
  whole.counted = 'z';
  EXPECT_FALSE(platform::readLine(in2, &line2, platform::kMaxLineLength, &whole));
  EXPECT_EQ(line2, line);
  EXPECT_LE(line2.capacity(), 2 * platform::kMaxLineLength + 16);
  EXPECT_EQ(whole.length, size_t{64} << 20);
  EXPECT_EQ(whole.countedPastCut, (size_t{64} << 20) - platform::kMaxLineLength);
}

TEST(ReadLine, AStreamThatCannotBeReadHasNoFurtherLine) {
  testing_support::TempDir dir;
  std::ifstream folder(dir.path(), std::ios::binary);  // opens on Linux, but every read fails
  std::string line = "old";
  EXPECT_FALSE(platform::readLine(folder, &line));
  EXPECT_FALSE(platform::readLine(folder, &line));
}

TEST(OpenInputFile, OnlyRegularFilesOpen) {
  testing_support::TempDir dir;
  std::ifstream in;
  EXPECT_FALSE(platform::openInputFile(in, dir.path()));
  EXPECT_FALSE(platform::openInputFile(in, dir.file("missing")));
  // A FIFO without a writer: refused at once, where a plain open would wait.
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
  EXPECT_FALSE(platform::openInputFile(in, dir.file("fifo")));
  EXPECT_FALSE(in.is_open());
  // Devices, also behind a link.
  ASSERT_EQ(::symlink("/dev/zero", dir.file("zero").c_str()), 0);
  EXPECT_FALSE(platform::openInputFile(in, dir.file("zero")));
  EXPECT_FALSE(platform::openInputFile(in, "/dev/null"));
  // A regular file, also behind a link, is read from its start.
  ASSERT_TRUE(testing_support::writeFile(dir.file("f"), "x\ny\n"));
  ASSERT_EQ(::symlink(dir.file("f").c_str(), dir.file("link").c_str()), 0);
  for (const char* name : {"f", "link"}) {
    std::ifstream file;
    ASSERT_TRUE(platform::openInputFile(file, dir.file(name))) << name;
    std::string line;
    EXPECT_TRUE(platform::readLine(file, &line));
    EXPECT_EQ(line, "x");
  }
}

TEST(OpenInputFile, TheDescriptorOfARegularFileAndNothingElse) {
  testing_support::TempDir dir;
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
  ASSERT_EQ(::symlink("/dev/zero", dir.file("zero").c_str()), 0);
  for (const std::string& path : {dir.path(), dir.file("missing"), dir.file("fifo"), dir.file("zero"),
                                  std::string("/dev/null")}) {
    EXPECT_EQ(platform::openRegularFile(path), -1) << path;
  }
  ASSERT_TRUE(testing_support::writeFile(dir.file("f"), "xy"));
  int fd = platform::openRegularFile(dir.file("f"));
  ASSERT_GE(fd, 0);
  EXPECT_EQ(::fcntl(fd, F_GETFL) & O_NONBLOCK, 0);
  char bytes[4] = {};
  EXPECT_EQ(::read(fd, bytes, sizeof bytes), 2);
  EXPECT_EQ(std::string(bytes), "xy");
  ::close(fd);
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

TEST(SplitSkippingEmpty, RunsOfSeparatorsCountAsOne) {
  using V = std::vector<std::string>;
  EXPECT_EQ(platform::splitSkippingEmpty(",,a,,b, c,", ","), (V{"a", "b", " c"}));
  EXPECT_EQ(platform::splitSkippingEmpty("1, 2\t3\r\n", " ,\t\r\n"), (V{"1", "2", "3"}));
  EXPECT_EQ(platform::splitSkippingEmpty(",,,", ","), V{});
  EXPECT_EQ(platform::splitSkippingEmpty("", ","), V{});
}

TEST(FormatAndEscape, FileTextIsNeverAFormat) {
  EXPECT_EQ(platform::formatText("<%s|%d|%02d>", "%s%n", 5, 3), "<%s%n|5|03>");
  EXPECT_EQ(platform::formatText("%.f", -9999.0), "-9999");
  EXPECT_EQ(platform::htmlEscape("a<b>&c\"'"), "a&lt;b&gt;&amp;c\"'");
  std::string big(100000, 'x');
  EXPECT_EQ(platform::formatText("%s!", big.c_str()).size(), 100001u);
}

}  // namespace
