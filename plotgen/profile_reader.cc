#include "plotgen/profile_reader.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/text.h"
#include "plotgen/arguments.h"
#include "plotgen/data_list.h"
#include "plotgen/plot_data.h"
#include "plotgen/plot_globals.h"

namespace plotgen {
namespace {

// A listed file that lacks a line or a piece the reader takes.
class MalformedFile : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

[[noreturn]] void malformed(const std::string& path, long long lineIndex, const char* reason) {
  std::string text = "malformed PROFILE file: " + path;
  if (lineIndex >= 0) text += " (line " + intToString(lineIndex + 1) + ": " + reason + ")";
  else text += std::string(" (") + reason + ")";
  throw MalformedFile(text);
}

std::string_view lineAt(const std::vector<std::string_view>& lines, long long index, const std::string& path) {
  if (index < 0 || index >= static_cast<long long>(lines.size())) malformed(path, index, "the file ends before this line");
  return lines[static_cast<size_t>(index)];
}

// The position after the first ',' and the blanks that follow it, or 0.
size_t afterDateComma(std::string_view line) {
  size_t comma = line.find(',');
  if (comma == std::string_view::npos) return 0;
  size_t at = comma + 1;
  while (at < line.size() && line[at] == ' ') ++at;
  return at;
}

std::string_view firstPiece(std::string_view text, std::string_view delimiter) {
  size_t at = text.find(delimiter);
  return at == std::string_view::npos ? text : text.substr(0, at);
}

// Date pieces (cut at "-") and time pieces (cut at ":") of a normalised stamp
// as numbers; missing pieces count as 0.
void stampNumbers(std::string_view stamp, int32_t* date, int32_t* time) {
  size_t comma = stamp.find(',');
  std::string_view datePart = stamp.substr(0, comma);
  std::string_view timePart = comma == std::string_view::npos ? std::string_view() : stamp.substr(comma + 1);
  std::vector<std::string_view> pieces;
  auto piece = [&](size_t i) { return i < pieces.size() ? toInt(pieces[i]) : 0; };
  splitViews(datePart, "-", pieces);
  *date = toInt(platform::formatText("%04d%02d%02d", piece(0), piece(1), piece(2)));
  splitViews(timePart, ":", pieces);
  *time = toInt(platform::formatText("%02d%02d%02d", piece(0), piece(1), piece(2)));
}

// Selection of one profile; returns false when it stopped the run.
bool selectProfile(PlotRun& run, int k, int profilesInFile, const std::vector<std::string_view>& lines,
                   size_t dataStart, size_t dataCount, const std::vector<int>& fillInts, long long m,
                   const std::string& path) {
  SelectionState& state = run.selection;
  const PlotArguments& args = run.args;
  int n = state.runningProfileNumber;
  bool selected = isProfileInRange(args.isTimeRange, args.isProfileRange, n, args.startProfile, args.endProfile);
  if (state.previousSelected && !selected) {
    state.stopped = true;
    state.curtainEndStamp = ProfileEndStamps[ProfileEndStamps.size() - 2];
    return false;
  }
  state.previousSelected = selected;
  if (!selected) return true;

  // The table holds the columns up to the last one the plots use.
  ProfileTable& table = run.table;
  table.columns = static_cast<size_t>(std::min<long long>(m, run.args.isProfilePlot ? 9 : (args.isNumberDensity ? 2 : 7)));
  table.cells.clear();
  for (size_t i = 0; i < dataCount; ++i) {
    if (!splitDataLine(lines[dataStart + i], static_cast<size_t>(m), table.columns, table.cells))
      malformed(path, static_cast<long long>(dataStart + i), "fewer cells than data columns");
  }

  if (state.noneSelectedYet) {
    state.curtainStartStamp = ProfileStartStamps[static_cast<size_t>(n)];
    state.noneSelectedYet = false;
  }
  CurtainColumns columns = curtainColumnsFor(args.isNumberDensity);
  writeProfileBlocks(ProfileStartStamps[static_cast<size_t>(n)], ProfileEndStamps[static_cast<size_t>(n)], columns,
                     table, run.curtainCells, run.curtain);
  ++state.plottedProfileCount;
  writeClosingColumn(k, profilesInFile, ProfileEndStamps[static_cast<size_t>(n)], run.curtain);
  if (args.isProfilePlot) writeProfileDataRows(run, table, fillInts);
  return true;
}

}  // namespace

int lineInteger(std::string_view line) { return toInt(firstPiece(line, " ")); }

std::vector<std::string> fillValueList(std::string_view line, long long m) {
  std::string_view a = firstPiece(line, ", ");
  std::string_view b = firstPiece(line, " ");
  bool commaBlank = a.size() < b.size();
  std::vector<std::string> list = split(line, commaBlank ? ", " : ",");
  if (m >= 1 && static_cast<long long>(list.size()) >= m) {
    std::string& last = list[static_cast<size_t>(m - 1)];
    last = std::string(firstPiece(last, commaBlank ? "  " : " "));
  }
  return list;
}

std::string_view stampText(std::string_view line, std::string_view delimiter) {
  size_t tail = afterDateComma(line);
  return line.substr(0, tail + firstPiece(line.substr(tail), delimiter).size());
}

void detectDelimiter(size_t blockStart, const std::vector<std::string_view>& lines) {
  std::string_view line = lines[blockStart + 6];
  // The blanks after the date's comma are skipped, so that two of them are
  // not taken for the gap before the comment.
  std::string_view tail = line.substr(afterDateComma(line));
  std::string_view a = firstPiece(tail, " ;");
  std::string_view b = firstPiece(tail, "  ");
  ColumnDelimiter = a.size() < b.size() ? " ;" : "  ";
}

bool normaliseStamp(std::string_view raw, std::string* stamp) {
  size_t comma = raw.find(',');
  if (comma == std::string_view::npos) return false;
  std::string_view date = raw.substr(0, comma);
  std::string_view time = firstPiece(raw.substr(comma + 1), ", ");
  // The first blank after the comma belongs to the ", " between date and
  // time; a further one pads a one-digit hour (" 9:30:00"), and any beyond
  // that are dropped.
  if (!time.empty() && time[0] == ' ') time.remove_prefix(1);
  while (time.size() > 8 && time[0] == ' ') time.remove_prefix(1);
  std::string out;
  out.reserve(date.size() + 1 + time.size() + 1);
  out.append(date);
  out += ',';
  out.append(time);
  std::replace(out.begin(), out.end(), ' ', '0');
  *stamp = std::move(out);
  return true;
}

bool splitDataLine(std::string_view line, size_t m, size_t keep, std::vector<std::string_view>& cells) {
  if (m == 0) return true;
  if (keep > m) keep = m;
  const char* end = line.data() + line.size();
  const char* start = line.data();
  // The cells that are kept: short texts, scanned byte by byte.
  for (size_t found = 0; found < keep; ++found) {
    const char* comma = start;
    while (comma < end && *comma != ',') ++comma;
    const char* from = start;
    if (found > 0 && from < comma && *from == ' ') ++from;  // the blank after a comma
    cells.emplace_back(from, static_cast<size_t>(comma - from));
    if (comma == end) return found + 1 == m;
    start = comma + 1;
  }
  if (keep == m) return true;
  // The rest are only counted, as far as needed: the cell that begins at
  // start and one more after each comma.
  size_t missing = m - keep - 1;
  for (const char* c = start; missing > 0 && c < end; ++c) missing -= *c == ',';
  return missing == 0;
}

bool isProfileInRange(bool isTimeRange, bool isProfileRange, int n, int startProfile, int endProfile) {
  bool result = false;
  if (isTimeRange) {
    int32_t d = 0, t = 0;
    stampNumbers(ProfileMeanStamps[static_cast<size_t>(n)], &d, &t);
    const int32_t sd = WindowStartDate, st = WindowStartTime, ed = WindowEndDate, et = WindowEndTime;
    bool inWindow = (d == sd && d == ed && st <= t && t < et) || (d == sd && sd < ed && t >= st) ||
                    (sd < d && d < ed) || (d == ed && d != sd && t < et);
    if (!inWindow) return false;
    result = true;
  }
  if (isProfileRange) result = startProfile <= n && n < endProfile;
  return result;
}

FileOutcome readProfileFile(PlotRun& run, const std::string& entry) {
  std::string path = entry;
  if (run.args.location == "ANY")
    logLine("OK. " + entry);
  else
    path = run.args.location + "/" + entry;

  if (!run.fileText.read(path)) {
    logLine("ERROR: failed to open file: " + path);
    return FileOutcome::OpenFailed;
  }
  std::vector<std::string_view>& lines = run.fileLines;
  splitTextLines(run.fileText.text(), lines);

  try {
    const long long g = lineInteger(lineAt(lines, 0, path));
    const long long profilesInFile = lineInteger(lineAt(lines, 2, path));
    const long long m = lineInteger(lineAt(lines, 3, path));
    std::string_view missingLine = lineAt(lines, g, path);
    const long long h = lineInteger(lineAt(lines, g + 1, path));
    if (h < 0) malformed(path, g + 1, "negative comment line count");

    // The columns this run reads: altitude, the curtain value and, for the
    // profile plot, the six copied columns up to Press.
    long long needed = run.args.isProfilePlot ? 9 : (run.args.isNumberDensity ? 2 : 7);
    if (m < needed) malformed(path, 3, "too few data columns");
    std::vector<std::string> fillValues = fillValueList(missingLine, m);
    if (static_cast<long long>(fillValues.size()) < m) malformed(path, g, "fewer missing data values than data columns");
    std::vector<int> fillInts(static_cast<size_t>(m));
    for (size_t i = 0; i < fillInts.size(); ++i) fillInts[i] = toInt(fillValues[i]);

    long long q = g + h + 2;
    if (profilesInFile > 0) {
      lineAt(lines, q + 6, path);
      detectDelimiter(static_cast<size_t>(q), lines);
    }
    std::vector<int> headerLineCounts;
    std::vector<int> dataLineCounts;
    for (long long k = 0; k < profilesInFile; ++k) {
      const int headerLines = lineInteger(lineAt(lines, q + 1, path));
      const int dataLines = lineInteger(lineAt(lines, q + 2, path));
      headerLineCounts.push_back(headerLines);
      dataLineCounts.push_back(dataLines);
      std::string stamps[3];
      for (int s = 0; s < 3; ++s) {
        long long at = q + 6 + s;
        if (!normaliseStamp(stampText(lineAt(lines, at, path), ColumnDelimiter), &stamps[s]))
          malformed(path, at, "a date and time without a comma");
      }
      // The data lines must follow the mean stamp line and lie inside the file.
      if (headerLines < 7) malformed(path, q + 1, "too few header lines");
      if (dataLines < 0) malformed(path, q + 2, "negative data line count");
      long long dataStart = q + headerLines + 2;
      if (dataStart + dataLines > static_cast<long long>(lines.size()))
        malformed(path, static_cast<long long>(lines.size()) - 1, "the file ends inside the data lines");
      ProfileStartStamps.push_back(std::move(stamps[0]));
      ProfileEndStamps.push_back(std::move(stamps[1]));
      ProfileMeanStamps.push_back(std::move(stamps[2]));

      if (!selectProfile(run, static_cast<int>(k), static_cast<int>(profilesInFile), lines,
                         static_cast<size_t>(dataStart), static_cast<size_t>(dataLines), fillInts, m, path))
        return FileOutcome::Read;
      ++run.selection.runningProfileNumber;
      q = dataStart + dataLines;
    }
  } catch (const MalformedFile& error) {
    logLine(std::string("ERROR: ") + error.what());
    return FileOutcome::Malformed;
  }
  return FileOutcome::Read;
}

}  // namespace plotgen
