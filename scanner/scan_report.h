// The HTML scan report: its name, creation and head, the sink that writes it,
// and the detail tables.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/replacing_file.h"
#include "scanner/report_sink.h"

struct ScanSession;

// The sink that writes the report file, through one open stream of the C
// run-time's formatted output. The file is written under a temporary name
// beside the report's name and takes that name only when it is whole: a reader
// never finds a cut report there, a scan that ends early leaves the name as it
// was, and a link at the name is replaced, never written through. Error-list
// entries, failing and stopping are held by the scan session and written with
// the verdict, so they write nothing here.
class HtmlReportSink final : public ReportSink {
 public:
  HtmlReportSink() = default;
  HtmlReportSink(const HtmlReportSink&) = delete;
  HtmlReportSink& operator=(const HtmlReportSink&) = delete;
  // A report that was not finished is removed, the name left as it was.
  ~HtmlReportSink() override = default;

  // Starts the report that is to be named `path`; false with *error set (an
  // errno value) when its file cannot be created.
  bool create(const std::string& path, int* error);
  // Writes what is buffered, closes the file and puts it at its name; false
  // with *error set when a write, the close or the renaming failed (the disk
  // was full, say): the report is then removed and the name left as it was.
  bool finish(int* error);

  void write(std::string_view html) override;
  void writeColoured(Ink ink, std::string_view html) override;
  void error(int, ScanCode) override {}
  void fail() override {}
  void abort() override {}

 private:
  platform::ReplacingFile file_;
};

// Index just after the last '\' or '/' of the path; 0 when it has none; -1 when
// the path is empty or ends with a separator.
int filenameStart(const std::string& path);

// Names the report "<path>__ScanMsgs.htm" (into `*reportPath`), creates it in
// `report` and writes its head; `*fileName` gets the bare file name. Shows a box
// and returns false when the name is bad or the report cannot be created.
bool openScanReport(const std::string& path, HtmlReportSink& report, std::string* fileName,
                    std::string* reportPath);

// Detail tables; each writes only when the session's ReportDetails is set.
void writeFilenameTable(const ScanSession& scan, ReportSink& report);
void writeGenHeaderTable(const ScanSession& scan, ReportSink& report);
void writeColumnsTable(const ScanSession& scan, ReportSink& report);
void writeProfileTable(const ScanSession& scan, ReportSink& report, int block);
