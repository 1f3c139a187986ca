// The two kinds of network text file, PROFILE and SURFACE, as data: the rule
// tables of their general header and block header lines, and every count, code,
// line number and text in which the two kinds' scans differ. The checks read
// the kind of the scan in progress from the session's FileContent::kind.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "scanner/general_header.h"
#include "scanner/scan_codes.h"

class LineSource;
class ReportSink;
struct ScanSession;

// One general header line: how checkGenHeaderLine is called for it. A line with
// `missingValues` set is the missing-values line instead.
struct GenHeaderLineSpec {
  std::optional<int> expectedNumber;  // kTextValue: a text value
  const char* expectedText;
  int mode;
  ScanCode code;
  const char* triple;
  bool missingValues = false;
};

// One fixed block header line: its error code and keyword triple.
struct BlockLineSpec {
  ScanCode code;
  const char* triple;
};

struct FileKind {
  // The general header: its lines in order (line k is entry k - 1).
  std::span<const GenHeaderLineSpec> generalHeader;
  int columns;           // data columns of every data line
  int lastColumnLine;    // general header line of the last column
  int commentCountLine;  // general header line holding the comment-line count
  int coordinatesLine;   // general header line of longitude, latitude, elevation
  // Whether a failed revision or comment check ends the scan before the blocks.
  bool endsOnCommentFailure;

  // The blocks.
  const char* blockWord;   // "PROFILE" or "RECORD": the "#BEGIN" line's word, the detail tables' label
  const char* blocksWord;  // the columns table's "ALL ..." word
  std::span<const BlockLineSpec> blockLines;  // the fixed block header lines (index k: line k + 1)
  int minimumBlockHeaderLines;
  ScanCode beginLineCode;  // a block's "#BEGIN" line is missing or wrong
  ScanCode tooFewBlockHeaderLinesCode;
  uint32_t dateTimeLines;                   // bit k: fixed line k holds a date and time
  int upperCaseBlockLine;                   // the fixed line whose texts stay upper-cased
  std::optional<int> blockCoordinatesLine;  // the fixed line with the block's coordinates
  // The data-line checks of a block.
  bool (*checkData)(ScanSession& scan, LineSource& lines, ReportSink& report, int block);
  // The red line when a block's data lines end early (block number, announced count).
  const char* shortDataSection;
  // The block banners (block number, and for the first the block count).
  const char* scanningBanner;
  const char* passedBanner;
  const char* failedBanner;

  bool isDateTimeLine(int k) const { return k >= 0 && k < 32 && (dateTimeLines >> k & 1u) != 0; }
};

extern const FileKind kProfileKind;
extern const FileKind kSurfaceKind;
