// The data file as the content checks read it: the state of the reading, and
// the one line reader of the content scans.
#pragma once

#include <string>

#include "platform/line_reader.h"
#include "platform/text.h"

class ReportSink;
struct ErrorList;

// The data file being scanned and how far it was read. A fresh one is the
// state of a scan's start.
struct ScanInput {
  platform::LineReader DataStream;
  int LineNumber = 0;        // number of the data-file line last read
  bool AtEndOfFile = false;  // the data file's end was reached
};

// The reader that the content checks take their lines from. The scan driver
// makes one over the scan's input, its error list and the report once the
// data file is open, and hands it to the content scan.
class LineSource {
 public:
  LineSource(ScanInput& input, ErrorList& errors, ReportSink& report)
      : input_(input), errors_(errors), report_(report) {}

  // Reads the next line of DataStream, without its line end, and counts it in
  // LineNumber. A read that meets the end of the file (also one that still
  // delivers a last line without a line end) leaves LineNumber as it was: it
  // sets AtEndOfFile, fails and stops the scan and writes the end-of-file
  // notice, at every such read. What was read is returned either way.
  std::string readNextLine();
  // The same, reading into `*line` (its storage is reused from line to line),
  // and with `whole` what the reader tells of the whole line, which may be
  // longer than the line kept (platform::kMaxLineLength).
  // Inline: the data-line checks read every line of the file through it.
  void readNextLine(std::string* line, platform::WholeLine* whole = nullptr) {
    if (input_.DataStream.readLine(line, platform::kMaxLineLength, whole))
      ++input_.LineNumber;
    else
      endOfFileReached();
  }

  // Reads the next line as readNextLine does, but neither counts it nor
  // writes a notice at the end of the file: AtEndOfFile tells whether this
  // read met the end. For the lines after the last block.
  void readUncountedLine(std::string* line, platform::WholeLine* whole) {
    input_.AtEndOfFile = !input_.DataStream.readLine(line, platform::kMaxLineLength, whole);
  }

 private:
  void endOfFileReached();

  ScanInput& input_;
  ErrorList& errors_;
  ReportSink& report_;
};
