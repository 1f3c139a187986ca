// The data-line split against the plain strtok-like split and value-text test
// it stands for, on edge cases and on many random lines.
#include "scanner/data_tokens.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "platform/decimal_text.h"
#include "platform/text.h"
#include "scanner/scan_text.h"

namespace {

void expectSameAsPlainSplit(const std::string& line) {
  DataLineSplitter splitter;
  const std::vector<DataToken>& tokens = splitter.split(line);
  std::vector<std::string> plain = platform::splitSkippingEmpty(line, " ,\t\r\n");
  ASSERT_EQ(tokens.size(), plain.size()) << line;
  for (size_t i = 0; i < plain.size(); ++i) {
    EXPECT_EQ(tokens[i].text, plain[i]) << line;
    EXPECT_EQ(tokens[i].valueText, isFloatText(plain[i])) << line << " token " << i;
  }
  long long commas = 0;
  for (char c : line) commas += c == ',';
  EXPECT_EQ(splitter.commaCount, commas) << line;
  // The survey tells what the split would give, on either road.
  bool plainLine = true;
  for (const std::string& token : plain) plainLine = plainLine && isFloatText(token) && token[0] != '-';
  DataLineSurvey surveys[2];
  surveyDataLine(line, &surveys[0]);
  surveyDataLineBy16(line, &surveys[1]);
  for (const DataLineSurvey& survey : surveys) {
    EXPECT_EQ(survey.commas, commas) << line;
    EXPECT_EQ(survey.tokens, plain.size()) << line;
    EXPECT_EQ(survey.plain, plainLine) << line;
  }
}

TEST(DataTokens, EdgeCases) {
  const std::string cases[] = {
      "",
      " ",
      ",,,",
      "1",
      "1,2",
      " 100.0, 1.5e+18 ,\t-9999\r",
      "12a, 1.2.3, -e, +5, x",
      std::string(15, '1'),
      std::string(16, '1'),
      std::string(17, '1') + ",",
      std::string(63, '5') + " " + std::string(64, '6') + "," + std::string(65, '7'),
      std::string(126, '9') + " " + std::string(127, '9') + " " + std::string(200, '8') + "x",
      std::string("1,\0,2", 5),
      "\xff\x80,\x7f,1",
      std::string(1000, ','),
      "1000, 1.0e18, 1.0e17, 30, 5.0, 1.0, 40.0, 4.0, 900.0, 9.0, 280.0, 2.8, 2.5e25, 2.5e24",
      "-1000, 1.0e18, 1.0e-17",
      "1000, 1.0e18, -1.0e17",
      "1000,-1",
      std::string(126, '1'),
      std::string(127, '1'),
      "1, " + std::string(126, '2') + ", 3",
      "1, " + std::string(127, '2') + ", 3",
      std::string(10, ' ') + std::string(127, '2'),
      std::string(16, ' ') + std::string(126, '2') + std::string(20, ' '),
      std::string(15, ',') + std::string(127, '2') + ",",
      std::string(200, '3') + "," + std::string(100, '4'),
      std::string(5000, ','),        // more commas than a byte counter holds
      std::string(70000, '1') + ",",  // a very long token
  };
  for (const std::string& line : cases) expectSameAsPlainSplit(line);
}

TEST(DataTokens, RandomLines) {
  std::mt19937 random(12345);
  const std::string alphabet = "0123456789eE.+- ,\t\r\nxA;\x80";
  const std::string valueAlphabet = "0123456789eE.+-- ,";
  DataLineSplitter reused;  // one splitter for many lines, as the scan uses it
  for (int n = 0; n < 3000; ++n) {
    size_t length = random() % 300;
    std::string line;
    // A third of the lines from value characters and separators only, so
    // that many are plain; some with long tokens.
    const std::string& from = n % 3 == 0 ? valueAlphabet : alphabet;
    for (size_t i = 0; i < length; ++i) line += from[random() % from.size()];
    if (n % 7 == 0) line.insert(random() % (line.size() + 1), std::string(120 + random() % 20, '7'));
    expectSameAsPlainSplit(line);
    const std::vector<DataToken>& tokens = reused.split(line);
    EXPECT_EQ(tokens.size(), platform::splitSkippingEmpty(line, " ,\t\r\n").size());
  }
}

// Lines as data files hold them, of 20 to 140 bytes: value characters, blanks
// and commas, now and then a byte that is none of them ('/', a tab, a letter)
// or a '-' at a token's start, at any place, also in a line's last bytes.
TEST(DataTokens, RandomDataLines) {
  std::mt19937 random(20261210);
  const std::string valueAlphabet = "0123456789eE.+ , ,";
  const std::string odd = "/\t-x\r\x80:";
  for (int n = 0; n < 20000; ++n) {
    std::string line;
    const size_t length = 20 + random() % 121;
    for (size_t i = 0; i < length; ++i) line += valueAlphabet[random() % valueAlphabet.size()];
    const int odds = n % 2 ? 0 : 1 + static_cast<int>(random() % 2);
    for (int i = 0; i < odds; ++i) line[random() % line.size()] = odd[random() % odd.size()];
    expectSameAsPlainSplit(line);
  }
}

void expectSameValue(const std::string& token) {
  double fast = platform::fastLeadingDouble(token);
  double plain = platform::leadingDouble(token);
  EXPECT_EQ(fast, plain) << token;
  EXPECT_EQ(std::signbit(fast), std::signbit(plain)) << token;
}

TEST(DataTokens, ValuesAsTheRunTimeReadsThem) {
  const char* const cases[] = {
      "100.0", "-100.0", "0", "-0", "-0.0", ".5", "-.5", "5.", ".", "-", "+", "+5", "+-5", "-+5", "--5", "1e5",
      "1e", "1e+", "-1.5e-3", "1.2.3", "12.34.", "e5", "E", "1e400", "-1e400", "1e-400", "-1e-400",
      "123456789012345", "1234567890123456", "0.123456789012345", "99999999999999999999.5", "2.0000e+25",
      "1.0000e+23", "-9999", "-9999.0000001", "000000000000000000001.5", "0.1", "0.3", "850.00",
  };
  for (const char* token : cases) expectSameValue(token);

  std::mt19937 random(777);
  const std::string alphabet = "0123456789eE.+-";
  const std::string digits = "0123456789";
  for (int n = 0; n < 20000; ++n) {
    std::string token;
    size_t length = 1 + random() % 24;
    // Mostly number-like tokens, some made of any value characters.
    const std::string& from = n % 3 == 0 ? alphabet : digits;
    for (size_t i = 0; i < length; ++i) token += from[random() % from.size()];
    if (n % 3 == 1) token.insert(random() % token.size(), ".");
    if (n % 5 == 2) token.insert(0, "-");
    expectSameValue(token);
  }
}

}  // namespace
