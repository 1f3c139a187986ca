// The scanner's records and the scan session that holds one scan's state.
#pragma once

#include <string>
#include <vector>

#include "scanner/error_list.h"
#include "scanner/line_source.h"
#include "scanner/scanner.h"

struct FileKind;

// The parsed file name.
struct _FN {
  std::string dataID;     // the part before the first '_', upper-cased
  int year = 0;           // from the eight-digit date; 0, 0, -1 after a bad date
  int month = 0;
  int day = 0;
  std::string siteID;     // upper-cased
  int revision = -1;      // the number after 'R'; -1 when malformed
  std::string comments;   // optional comments between revision and extension
  std::string extension;  // after the first '.', upper-cased
};

// One header line as read.
struct _HeaderLine {
  std::string value;    // text before the line's first ';'
  std::string comment;  // text from that ';' on, the ';' included
  int fileLine = 0;     // the line's number in the data file
};

// The general header.
struct _GenHeader {
  int headerLines = 0;      // value of general header line 1
  int numBlocks = 0;        // number of PROFILE or RECORD blocks (line 3)
  int numColumns = 0;       // number of data columns (line 4)
  int numCommentLines = 0;  // the comment-line count line
  _HeaderLine line[24];     // indexed by general header line number minus 1
  double latitude = 0;
  double longitude = 0;
  double elevation = 0;
};

// The general comments section.
struct _GenComments {
  int commentLines = 0;  // revision line plus comment lines
  int revision = 0;      // the number on the R# line
  std::string revisionText;
  std::string revisionComment;
  std::string comments;  // the comment lines, each followed by "<br>"
};

// One data column.
struct _Column {
  std::string shortName;
  std::string units;
  std::string description;
  double missing = 0;  // the column's missing-value flag
};

// One PROFILE or RECORD block header.
struct _ProfileHeader {
  int headerLines = 0;
  int dataLines = 0;
  _HeaderLine line[12];  // fixed lines; the entry after the last fixed one
                         // collects the block's comment lines in `comment`
  double longitude = 0;
  double latitude = 0;
  double elevation = 0;
};

// What the file name told (checkFilename).
struct FileNameFacts {
  _FN ParsedFileName;
  bool IsDatFile = false;      // the extension is DAT
  bool IsLidarFile = false;    // the data ID is the lidar PROFILE one
  bool IsSurfaceFile = false;  // the data ID is the SURFACE one
};

// The dates a scan judges against.
struct ScanDates {
  int TodayYear = 0, TodayMonth = 0, TodayDay = 0;  // the local date when the scan started
  // The first block's start date; preset to today.
  int FirstProfileYear = 0, FirstProfileMonth = 0, FirstProfileDay = 0;
  bool IsFirstProfileStart = false;  // the date under test is the first block's start
};

// What the content checks read from the data file, refilled by each content
// scan.
struct FileContent {
  // The file kind's facts (file_kind.h), set when the content scan starts.
  const FileKind* kind = nullptr;
  _GenHeader GeneralHeader;
  _GenComments GeneralComments;
  _Column ColumnTable[14];
  // The block headers of the scan in progress. Only the current block and the
  // one before it are kept (no check looks further back), so memory stays flat
  // however many blocks a file holds.
  std::vector<_ProfileHeader> ProfileHeaders;
  // The last "#BEGIN" line read; emptied at the start of every scan.
  std::string BeginLineText;

  // The record of block `block` (0 for the first): the current or the previous one.
  _ProfileHeader& profileHeader(int block) {
    return ProfileHeaders[static_cast<size_t>(block) % ProfileHeaders.size()];
  }
  const _ProfileHeader& profileHeader(int block) const {
    return ProfileHeaders[static_cast<size_t>(block) % ProfileHeaders.size()];
  }
};

// One scan's state, in records by concern, under the names the scan rules
// give them. scanFile makes one per scan, and resets the per-scan part at the
// start of each scan, as the rules order it; a test makes its own and hands it
// to the checks it runs. Sessions share nothing: any number may live side by
// side.
struct ScanSession {
  // What the caller told this scan, and what the scan leaves for it.
  ScanSettings settings;
  bool ReportDetails = false;  // write the detail tables
  ScanOutputs outputs;

  ErrorList errors;
  ScanInput input;
  FileNameFacts name;
  ScanDates dates;
  FileContent content;
};
