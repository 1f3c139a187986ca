#include "scanner/scan_driver.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/busy_cursor.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/text.h"
#include "scanner/content_scan.h"
#include "scanner/filename_check.h"
#include "scanner/line_source.h"
#include "scanner/scan_report.h"
#include "scanner/scan_session.h"

bool hasHdfExtension(const std::string& name) {
  size_t dot = name.rfind('.');
  std::string ext = dot == std::string::npos ? name : name.substr(dot + 1);
  return platform::toUpperAscii(ext) == "HDF";
}

namespace {

const char kTemplateName[] = "GEOMS-TE-LIDAR-O3-005.csv";

void resetScanState(ScanSession& scan) {
  scan.errors = ErrorList();
  scan.input.LineNumber = 0;
  scan.input.AtEndOfFile = false;
  scan.name.IsDatFile = false;
  // The block table shows the "#BEGIN" line this scan read, or none: never
  // the line of a file scanned before.
  scan.content.BeginLineText.clear();
}

void writeVerifierProblem(ReportSink& report, const std::string& why) {
  reportRed(report, "<br>Error: " + why + " The file was not verified.\n");
}

const char kFailedBanner[] =
    "<div style='background-color:#FFFFCC' align='center'><strong style='color:#FF0000;font-size:24px'>*** Scanning Failed. See Error Messages Below ***</strong></div>\n";

// The report's reason when the verifier could not be started. It runs in the
// start folder's hdf folder, where its template lies; when that folder is
// missing, the report names it.
std::string verifierStartProblem(const std::string& hdfFolder, int error) {
  std::string why = platform::formatText("The HDF verifier (Quessel) could not be started (Err = %d).", error);
  std::error_code ec;
  if (!std::filesystem::is_directory(hdfFolder, ec))
    why += " Its working folder " + platform::htmlEscape(hdfFolder) + ", which holds the GEOMS template, is missing.";
  return why;
}

// Runs the HDF verifier on the file and copies its findings into the report.
// The verdict is the report's marker line "^End.0" (passed) or "^End.<other>";
// anything that leaves no verdict fails the scan.
void runHdfVerifier(ScanSession& scan, ReportSink& report, const std::string& path) {
  // The verifier runs in another folder, so it gets the path made absolute, but
  // not normalised as text: "link/../x.hdf" must name the file the system
  // finds through the link, the one whose report this is.
  std::error_code ec;
  std::string dataPath = std::filesystem::absolute(path, ec).string();
  if (ec) dataPath = path;
  std::string errPath = dataPath + "_.err";
  const std::string& startIn = scan.settings.StartDir;
  std::string startDir = startIn.empty() ? std::filesystem::current_path(ec).string() : startIn;
  std::filesystem::remove(errPath, ec);  // never read a report left by an earlier run

  platform::ProcessLauncher& launcher = platform::processLauncher();
  const std::string hdfFolder = startDir + "/hdf";
  // The launcher searches the hdf folder where the search order has the
  // current folder, as the verifier is started in it.
  platform::StartRequest request{"Quessel", {dataPath, kTemplateName}, hdfFolder, false};
  platform::ChildProcess child;
  int error = 0;
  bool started = false;
  bool timedOut = false;
  {
    // The hourglass stays up until the start-failure box has been answered.
    platform::BusyScope busy;
    started = launcher.start(request, &child, &error);
    if (!started) {
      platform::showMessageBox(platform::formatText("CreateProcess Failed (Err = %d)", error),
                               "Error Running Quessel Function??");
    } else {
      int exitStatus = 0;
      timedOut = launcher.wait(&child, scan.settings.VerifierTimeoutMs, &exitStatus) == platform::WaitOutcome::TimedOut;
      if (timedOut) launcher.terminate(&child);
    }
  }
  if (!started) {
    scan.errors.failScan(report);
    report.write(kFailedBanner);
    writeVerifierProblem(report, verifierStartProblem(hdfFolder, error));
    return;
  }

  std::vector<std::pair<std::string, bool>> lines;  // each line, and whether a line end followed it
  bool reportRead = false;
  if (!timedOut) {
    std::ifstream err(errPath, std::ios::binary);
    if (err) {
      reportRead = true;
      std::string line;
      for (;;) {
        bool ended = platform::readLine(err, &line);
        if (!ended && line.empty()) break;
        lines.emplace_back(line, ended);
        if (!ended) break;
      }
    }
  }
  std::filesystem::remove(errPath, ec);

  size_t marker = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i].first;
    if (line.size() >= 6 && line.compare(0, 5, "^End.") == 0) {
      marker = i;
      break;
    }
  }
  bool hasVerdict = marker < lines.size();
  bool failed = !hasVerdict || lines[marker].first[5] != '0';
  if (failed) {
    scan.errors.failScan(report);
    report.write(kFailedBanner);
  }
  for (size_t i = 0; i < marker; ++i) {
    report.write(lines[i].first);
    if (lines[i].second) report.write("\n");
    report.write("\n");
  }
  if (timedOut)
    writeVerifierProblem(
        report, platform::formatText("The HDF verifier (Quessel) did not finish within %lld ms and was stopped.",
                                     scan.settings.VerifierTimeoutMs));
  else if (!reportRead)
    writeVerifierProblem(report, "The HDF verifier (Quessel) left no verdict: its report " +
                                     platform::htmlEscape(errPath) + " was not written.");
  else if (!hasVerdict)
    writeVerifierProblem(report, "The HDF verifier (Quessel) left no verdict: its report has no end marker line.");
}

}  // namespace

void scanTextFile(ScanSession& scan, ReportSink& report, const std::string& path, const std::string& bareName) {
  bool verified = checkFilename(scan, report, bareName);
  if (verified && scan.name.IsDatFile) {
    // The content scan reads the file line by line, and files of a hundred
    // megabytes are common: the reader reads large pieces of them.
    if (!scan.input.DataStream.open(path)) {
      scan.errors.recordError(report, -1, ScanCode::FileFailedToOpen);
    } else {
      LineSource lines(scan.input, scan.errors, report);
      if (scan.name.IsLidarFile)
        scanProfileFile(scan, lines, report);
      else
        scanSurfaceFile(scan, lines, report);
    }
    scan.input.DataStream.close();
  }
  if (!scan.name.IsDatFile) {
    reportOrange(
        report,
        platform::formatText(
            "<br><strong>Note: ONLY the filename was scanned since this file (%s) is not \".dat\" type.</strong>\n",
            platform::htmlEscape(bareName).c_str()));
  }
  scan.errors.writeVerdict(report);
}

void captureToday(ScanSession& scan) {
  platform::CalendarDate today = platform::clock().today();
  ScanDates& dates = scan.dates;
  dates.TodayYear = dates.FirstProfileYear = today.year;
  dates.TodayMonth = dates.FirstProfileMonth = today.month;
  dates.TodayDay = dates.FirstProfileDay = today.day;
}

int scanFile(const char* rawPath, bool showDetails, const ScanSettings& settings, ScanOutputs* outputs) {
  ScanSession scan;
  scan.settings = settings;
  int result = scanFile(scan, rawPath, showDetails);
  if (outputs) *outputs = scan.outputs;
  return result;
}

int scanFile(ScanSession& scan, const char* rawPath, bool showDetails) {
  std::string path = rawPath ? rawPath : "";
  scan.ReportDetails = showDetails;
  captureToday(scan);
  scan.outputs = ScanOutputs{};

  std::string bareName;
  HtmlReportSink report;
  // ReportPath names a report only once this scan has put it in place whole:
  // whatever stands at the name otherwise is not this scan's report.
  std::string reportPath;
  if (!openScanReport(path, report, &bareName, &reportPath)) return 1;
  resetScanState(scan);

  std::string shownName = platform::htmlEscape(bareName);
  reportPrintf(report,
               "<strong style=\"color:#3399CC;font-size:18px;font-weight:bold\">Now Scanning File: %s</strong><hr>\n",
               shownName.c_str());
  scan.name.IsSurfaceFile = scan.name.IsLidarFile = false;
  scan.outputs.IsHdfFile = hasHdfExtension(bareName);
  if (scan.outputs.IsHdfFile)
    runHdfVerifier(scan, report, path);
  else
    scanTextFile(scan, report, path, bareName);

  reportPrintf(report,
               "<br><strong style=\"color:#666666;font-size:16px;font-weight:bold\">Done Scanning File: %s</strong>\n",
               shownName.c_str());
  report.write("</BODY></HTML>\n");
  int error = 0;
  if (!report.finish(&error)) {
    // A report cut short (a full disk) would pass for a finished one: the scan
    // fails and shows none.
    platform::showMessageBox(reportPath + "\nCould not write the scan report: " + std::strerror(error),
                             "File Write Error...");
    return 1;
  }
  scan.outputs.ReportPath = reportPath;

  if (scan.name.IsSurfaceFile) return 2;
  return scan.errors.ScanFailed ? 1 : 0;
}
