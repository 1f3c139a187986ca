// The file line reader against readLine over a stream of the same bytes.
#include "platform/line_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/platform_doubles.h"

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

// Texts of short and long lines (some across the reader's 256 KiB pieces and
// the stream reader's 8 KiB chunks), with '\r' before, after and away from
// '\n', zero bytes, and with and without a line end at the end.
std::string randomText(std::mt19937& random) {
  const char bytes[] = {'a', 'b', '\r', '\n', '\0', 'x', ' '};
  std::string text;
  const int lines = static_cast<int>(random() % 40);
  for (int i = 0; i < lines; ++i) {
    const unsigned kind = random() % 10;
    const size_t length = kind == 0 ? 250000 + random() % 300000 : kind == 1 ? 8190 + random() % 4 : random() % 30;
    for (size_t j = 0; j < length; ++j) text += bytes[random() % std::size(bytes)];
    if (random() % 3 == 0) text += '\r';
    if (i + 1 < lines || random() % 2) text += '\n';
  }
  return text;
}

TEST(LineReader, SameLinesAsReadLineOnAStream) {
  testing_support::TempDir dir;
  std::mt19937 random(20261210);
  const size_t bounds[] = {platform::kMaxLineLength, 0, 1, 5, 8192, 300000};
  for (int round = 0; round < 25; ++round) {
    const std::string text = randomText(random);
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
