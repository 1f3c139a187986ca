#include "scanner/line_source.h"

#include "scanner/error_list.h"
#include "scanner/report_sink.h"

std::string LineSource::readNextLine() {
  std::string line;
  readNextLine(&line);
  return line;
}

void LineSource::endOfFileReached() {
  input_.AtEndOfFile = true;
  errors_.failScan(report_);
  errors_.abortScan(report_);
  reportRed(report_, "<br>Error End-of-File: EOF reached during processing. File processing stopped prematurely.\n");
}
