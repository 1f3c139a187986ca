// Byte-identity check of the scanner across a change: writes valid PROFILE and
// SURFACE files and randomly damaged copies of them, and scans a list of files
// into one transcript (each file's result and report, with and without details).
// Built from two trees, the transcripts of the old and the new scanner over the
// same files must be equal byte for byte.
//
//   scanner_identity write-short|write-project <path> <blocks> <lines per block>
//   scanner_identity mutate <folder> <count> <seed>     (prints the files' paths)
//   scanner_identity scan <transcript> <file>...
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "scanner/scanner.h"
#include "tests/support/text_samples.h"

namespace {

namespace ts = testing_support;

std::string shortProfileText(int blocks, int lines) {
  std::vector<ts::ProfileBlock> all;
  for (int i = 0; i < blocks; ++i) {
    all.push_back(ts::profileBlock("2018-04-12, 01:00:00", "2018-04-12, 01:59:59", "2018-04-12, 01:30:00", 0));
    all.back().dataRows = ts::profileShortDataRows(lines);
  }
  return ts::profileFileText(all);
}

bool writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(out);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Texts a data line can be damaged with: what the checks look at (signs,
// separators, exponents, the missing-value flag, long and odd tokens).
const char* const kPieces[] = {"-",   ",",     " ",      "\t",        "\r",       "e",     "E",    ".",
                               "+",   "-9999", "-9999.0", "-1",       "1.2.3",    "12a",   "x",    "0",
                               ",,",  "1e400", "-1e-400", "  ",       "99999999999999999999", ";", "\xff", "-0",
                               "1e",  "00000000000000001.5", "-9999.0000001", "0x10", "inf", "nan", "5."};

// One random damage to the text: a byte changed, deleted or inserted, a piece
// inserted, a token replaced, a line deleted, doubled or cut.
void damage(std::string& text, std::mt19937& random) {
  if (text.empty()) return;
  auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
  // Most damage goes to the data lines, after the headers.
  size_t at = text.size() > 4000 && random() % 4 ? 3000 + pick(text.size() - 3000) : pick(text.size());
  const char* piece = kPieces[pick(std::size(kPieces))];
  switch (random() % 9) {
    case 0: text[at] = "0123456789-+.eE, \t\r\nx;"[pick(23)]; break;
    case 1: text.erase(at, 1); break;
    case 2: text.insert(at, piece); break;
    case 3: {  // replace the token at `at`
      size_t from = text.find_last_of(", \n", at);
      from = from == std::string::npos ? 0 : from + 1;
      size_t to = text.find_first_of(", \n", at);
      if (to == std::string::npos) to = text.size();
      if (to > from) text.replace(from, to - from, piece);
      break;
    }
    case 4: {  // delete a line
      size_t from = text.rfind('\n', at);
      from = from == std::string::npos ? 0 : from + 1;
      size_t to = text.find('\n', at);
      text.erase(from, to == std::string::npos ? std::string::npos : to - from + 1);
      break;
    }
    case 5: {  // double a line
      size_t from = text.rfind('\n', at);
      from = from == std::string::npos ? 0 : from + 1;
      size_t to = text.find('\n', at);
      if (to != std::string::npos) text.insert(from, text.substr(from, to - from + 1));
      break;
    }
    case 6: text.resize(at); break;  // cut the file
    case 7: {  // a column negative in every line from here on
      const char* negative = random() % 4 ? ", -5.0, " : ", -9999, ";  // the flag is -9999
      for (size_t found = text.find(", 5.0, ", random() % 2 ? 0 : at); found != std::string::npos;
           found = text.find(", 5.0, ", found + 3))
        text.replace(found, 7, negative);
      break;
    }
    default: text.insert(at, std::string(1 + pick(3), '\n')); break;
  }
}

int mutate(const std::string& folder, int count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<ts::ProfileBlock> profileBlocks;
  for (int i = 0; i < 3; ++i)
    profileBlocks.push_back(ts::profileBlock("2018-04-12, 01:00:00", "2018-04-12, 01:59:59", "2018-04-12, 01:30:00",
                                             12 + i));
  std::vector<ts::RecordBlock> recordBlocks(2);
  recordBlocks[0].dataRows = ts::recordDataRows(12);
  recordBlocks[1].dataRows = ts::recordDataRows(11, 2000);
  const std::string bases[] = {shortProfileText(3, 12), ts::profileFileText(profileBlocks),
                               ts::surfaceFileText(recordBlocks), shortProfileText(2, 60)};
  for (int n = 0; n < count; ++n) {
    const size_t base = static_cast<size_t>(n) % std::size(bases);
    std::string text = bases[base];
    const int damages = 1 + static_cast<int>(random() % 6);
    for (int d = 0; d < damages; ++d) damage(text, random);
    const std::string sub = folder + "/" + std::to_string(n);
    std::filesystem::create_directories(sub);
    const std::string path = sub + "/" + (bases[base].find("SURFACE") != std::string::npos ? ts::surfaceFileName() : ts::profileFileName());
    if (!writeFile(path, text)) return 1;
    std::printf("%s\n", path.c_str());
  }
  return 0;
}

int scanAll(const std::string& transcriptPath, const std::vector<std::string>& files) {
  std::ofstream transcript(transcriptPath, std::ios::binary | std::ios::trunc);
  for (const std::string& file : files) {
    for (bool details : {false, true}) {
      int result = scanFile(file.c_str(), details, ScanSettings{}, nullptr);
      transcript << "== " << file << " details " << details << " result " << result << "\n"
                 << readFile(file + "__ScanMsgs.htm") << "\n";
    }
  }
  return transcript ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "write-short" && argc == 5)
    return writeFile(argv[2], shortProfileText(std::atoi(argv[3]), std::atoi(argv[4]))) ? 0 : 1;
  if (mode == "write-project" && argc == 5) {
    std::vector<ts::ProfileBlock> all(static_cast<size_t>(std::atoi(argv[3])));
    for (ts::ProfileBlock& block : all) block.dataRows = ts::profileDataRows(std::atoi(argv[4]));
    return writeFile(argv[2], ts::profileFileText(all)) ? 0 : 1;
  }
  if (mode == "mutate" && argc == 5)
    return mutate(argv[2], std::atoi(argv[3]), static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10)));
  if (mode == "scan" && argc >= 3) return scanAll(argv[2], std::vector<std::string>(argv + 3, argv + argc));
  std::fprintf(stderr,
               "usage: scanner_identity write-short|write-project <path> <blocks> <lines> | mutate <folder> <count> <seed> | "
               "scan <transcript> <file>...\n");
  return 2;
}
