// The two kinds of network text file, PROFILE and SURFACE, as data: the rule
// tables of their general header and block header lines, and every count, code,
// line number and text in which the two kinds' scans differ. The checks read
// the kind of the scan in progress from the session's FileContent::kind.
//
// The tables hold their texts in place, as character arrays, and their lists
// in place as well: with no address in them, the two kinds are read-only data
// of the program as they are, with nothing to fill in when it is loaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "scanner/general_header.h"
#include "scanner/scan_codes.h"

class LineSource;
class ReportSink;
struct ScanSession;

// The room of a table's text: up to 127 characters, as a keyword triple holds.
inline constexpr size_t kRuleTextSize = 128;
// The room of a table's report line (a format).
inline constexpr size_t kRuleLineSize = 256;

// Up to N entries of a table, held in place; read as a span.
template <typename T, size_t N>
struct FixedList {
  T items[N] = {};
  size_t count = 0;

  template <size_t M>
  constexpr FixedList(const T (&list)[M]) : count(M) {
    static_assert(M <= N, "the table fits its list");
    for (size_t i = 0; i < M; ++i) items[i] = list[i];
  }
  constexpr size_t size() const { return count; }
  constexpr const T& operator[](size_t i) const { return items[i]; }
  constexpr operator std::span<const T>() const { return {items, count}; }
};

// One general header line: how checkGenHeaderLine is called for it. A line with
// `missingValues` set is the missing-values line instead.
struct GenHeaderLineSpec {
  std::optional<int> expectedNumber;  // kTextValue: a text value
  char expectedText[kRuleTextSize];
  int mode;
  ScanCode code;
  char triple[kRuleTextSize];
  bool missingValues = false;
};

// One fixed block header line: its error code and keyword triple.
struct BlockLineSpec {
  ScanCode code;
  char triple[kRuleTextSize];
};

// The data-line checks of a block.
enum class DataLineRules { Profile, Record };

struct FileKind {
  // The general header: its lines in order (line k is entry k - 1).
  FixedList<GenHeaderLineSpec, 24> generalHeader;
  int columns;           // data columns of every data line
  int lastColumnLine;    // general header line of the last column
  int commentCountLine;  // general header line holding the comment-line count
  int coordinatesLine;   // general header line of longitude, latitude, elevation
  // Whether a failed revision or comment check ends the scan before the blocks.
  bool endsOnCommentFailure;

  // The blocks.
  char blockWord[16];   // "PROFILE" or "RECORD": the "#BEGIN" line's word, the detail tables' label
  char blocksWord[16];  // the columns table's "ALL ..." word
  FixedList<BlockLineSpec, 11> blockLines;  // the fixed block header lines (index k: line k + 1)
  int minimumBlockHeaderLines;
  ScanCode beginLineCode;  // a block's "#BEGIN" line is missing or wrong
  ScanCode tooFewBlockHeaderLinesCode;
  uint32_t dateTimeLines;                   // bit k: fixed line k holds a date and time
  int upperCaseBlockLine;                   // the fixed line whose texts stay upper-cased
  std::optional<int> blockCoordinatesLine;  // the fixed line with the block's coordinates
  DataLineRules dataLineRules;
  // The red line when a block's data lines end early (block number, announced count).
  char shortDataSection[kRuleLineSize];
  // The block banners (block number, and for the first the block count).
  char scanningBanner[kRuleLineSize];
  char passedBanner[kRuleLineSize];
  char failedBanner[kRuleLineSize];

  bool isDateTimeLine(int k) const { return k >= 0 && k < 32 && (dateTimeLines >> k & 1u) != 0; }
  // Checks the data lines of block `block` by the kind's rules (data_lines.h).
  bool checkData(ScanSession& scan, LineSource& lines, ReportSink& report, int block) const;
};

extern const FileKind kProfileKind;
extern const FileKind kSurfaceKind;
