// The HTML scan report: its name, creation and head, the sink that writes it,
// and the detail tables.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "scanner/report_sink.h"

struct ScanSession;

// The sink that writes the report file, through one open stream of the C
// run-time's formatted output. Error-list entries, failing and stopping are
// held by the scan session and written with the verdict, so they write nothing
// here.
class HtmlReportSink final : public ReportSink {
 public:
  HtmlReportSink() = default;
  HtmlReportSink(const HtmlReportSink&) = delete;
  HtmlReportSink& operator=(const HtmlReportSink&) = delete;
  ~HtmlReportSink() override { close(); }

  // Creates (or empties) the file at `path`; false when it cannot be created.
  bool create(const std::string& path);
  void close();

  void write(std::string_view html) override;
  void writeColoured(Ink ink, std::string_view html) override;
  void error(int, ScanCode) override {}
  void fail() override {}
  void abort() override {}

 private:
  std::FILE* file_ = nullptr;
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
