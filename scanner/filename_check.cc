#include "scanner/filename_check.h"

#include "platform/calendar.h"
#include "platform/text.h"
#include "scanner/scan_report.h"
#include "scanner/scan_session.h"

namespace {

// The names are held in the tables themselves, so the tables hold no addresses.
constexpr char kSiteIDs[][6] = {"QOR", "QIRU", "HALK", "YUNT", "ZIB", "OTHER"};

constexpr char kAllowedExtensions[][5] = {
    "DAT", "ZIP", "TXT", "PDF", "JPG", "JPEG", "GIF", "PNG", "PS",  "DOC", "DOCX", "XLS",
    "XLSX", "PPT", "PPTX", "CDF", "NC", "HDF", "HE5", "H5", "H4", "KML", "KMZ"};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAlnum(char c) { return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Takes the text before the first '_' of `rest` into `part` and removes it and
// the '_' from `rest`; false (nothing changed) when there is no '_'.
bool takeField(std::string& rest, std::string& part) {
  size_t underscore = rest.find('_');
  if (underscore == std::string::npos) return false;
  part = rest.substr(0, underscore);
  rest.erase(0, underscore + 1);
  return true;
}

}  // namespace

int checkFebruaryDay(int year, int day) {
  if (day < 1 || day > (platform::isLeapYear(year) ? 29 : 28)) return -1;
  return 0;
}

int validateDate(const ScanSession& scan, int year, int month, int day) {
  const ScanDates& today = scan.dates;
  if (year > today.TodayYear) return -1;
  if (year == today.TodayYear && month > today.TodayMonth) return -2;
  if (year == today.TodayYear && month == today.TodayMonth && day > today.TodayDay) return -3;
  if (month < 1 || month > 12) return 0;
  if (day > 31 || day < 1) return -4;  // a day of 00 is no date in any month
  if (day > 30 && (month == 4 || month == 6 || month == 9 || month == 11)) return -5;
  if (month == 2 && checkFebruaryDay(year, day) != 0) return -6;
  return 1;
}

bool checkExtension(ScanSession& scan, ReportSink& report, const std::string& ext) {
  if (ext.size() > 5) return false;
  for (char c : ext)
    if (!isAlnum(c)) return false;
  for (const char* allowed : kAllowedExtensions) {
    if (ext == allowed) {
      scan.name.IsDatFile = ext == "DAT";
      return true;
    }
  }
  reportRed(report,
            platform::formatText("<br>Error (filename extension = \".%s\"): Currently, these are the allowed "
                                 "extensions: <br>&nbsp;&nbsp;&nbsp;&nbsp; | .DAT | .ZIP | .TXT | .PDF | .JPG | .JPEG "
                                 "| .GIF | .PNG | .PS | .DOC | .DOCX| .XLS<br>&nbsp;&nbsp;&nbsp;&nbsp; | .XLSX | .PPT "
                                 "| .PPTX | .CDF | .NC | .HDF | .HE5 | .H5 | .H4 | .KML | .KMZ |<br><br>\n",
                                 platform::htmlEscape(ext).c_str()));
  return false;
}

bool checkFilename(ScanSession& scan, ReportSink& report, std::string name) {
  bool verified = true;
  auto fail = [&scan, &report, &verified](ScanCode code) {
    scan.errors.recordError(report, -1, code);
    verified = false;
  };
  _FN& fn = scan.name.ParsedFileName;

  report.write("<h2>Now Scanning Filename ...</h2>");
  std::string rest = platform::toUpperAscii(name);
  fn.dataID.clear();
  fn.siteID.clear();
  fn.comments.clear();
  fn.extension.clear();
  fn.revision = -1;

  // Data ID.
  bool dataIdMatched = false;
  std::string whole = rest;
  if (takeField(rest, fn.dataID)) {
    if (fn.dataID == "PARVIX-O3LIDAR") {
      scan.name.IsLidarFile = dataIdMatched = true;
    } else if (whole.compare(0, 16, "PARVIX-O3SURFACE") == 0) {
      scan.name.IsSurfaceFile = dataIdMatched = true;
    }
  }
  if (!dataIdMatched) fail(ScanCode::BadDataId);

  // Site ID.
  bool siteMatched = false;
  if (takeField(rest, fn.siteID)) {
    for (const char* site : kSiteIDs) siteMatched = siteMatched || fn.siteID == site;
  }
  if (!siteMatched) fail(ScanCode::BadSiteId);

  // Date.
  bool dateValid = false;
  std::string date;
  if (takeField(rest, date) && date.size() == 8) {
    fn.year = platform::leadingLong(date.substr(0, 4));
    fn.month = platform::leadingLong(date.substr(4, 2));
    fn.day = platform::leadingLong(date.substr(6, 2));
    dateValid = validateDate(scan, fn.year, fn.month, fn.day) == 1;
  }
  if (!dateValid) {
    fail(ScanCode::BadDate);
    fn.year = 0;
    fn.month = 0;
    fn.day = -1;
  }

  // Revision.
  size_t digits = 0;
  if (rest.size() >= 2 && rest[0] == 'R' && isDigit(rest[1])) {
    digits = rest.size() >= 3 && isDigit(rest[2]) ? 2 : 1;
    char after = rest.size() > 1 + digits ? rest[1 + digits] : '\0';
    if (after != '_' && after != '.') digits = 0;
  }
  if (digits > 0) {
    fn.revision = platform::leadingLong(rest.substr(1, digits));
    rest.erase(0, 1 + digits);
    // Comments.
    size_t dot = rest.find('.');
    if (!rest.empty() && rest[0] == '_' && dot != std::string::npos) fn.comments = rest.substr(1, dot - 1);
  } else {
    fail(ScanCode::BadRevision);
  }

  // Extension.
  size_t dot = rest.find('.');
  if (dot != std::string::npos) {
    fn.extension = rest.substr(dot + 1);
    if (!checkExtension(scan, report, fn.extension)) fail(ScanCode::BadExtension);
  } else {
    fail(ScanCode::BadExtension);
  }

  writeFilenameTable(scan, report);
  if (verified) {
    report.write("<font size ='+2' color='#339933'>Filename Successfully Verified!</font>\n");
    report.write("<h2>Done Scanning Filename.</h2><hr>");
  }
  return verified;
}
