#include "plotgen/profile_reader.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "platform/decimal_text.h"
#include "platform/text.h"
#include "plotgen/arguments.h"
#include "plotgen/data_list.h"
#include "plotgen/header_values.h"
#include "plotgen/plot_data.h"

namespace plotgen {
namespace {

// A listed file that lacks a line or a piece the reader takes.
class MalformedFile : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The message names the file line (counted from 1) that the reader could not take.
[[noreturn]] void malformed(const std::string& path, long long lineIndex, const char* reason) {
  throw MalformedFile("malformed PROFILE file: " + path + " (line " + intToString(lineIndex + 1) + ": " + reason + ")");
}

// Line `index` (never negative: every index the reader asks for is built from
// counts it has found not to be negative).
std::string_view lineAt(LineWindow& lines, long long index, const std::string& path) {
  std::string_view line;
  if (!lines.line(index, &line)) malformed(path, index, "the file ends before this line");
  return line;
}

// Whether cell `index` is one of the wanted ones; cells past the mask's 32
// bits always are.
inline bool isWanted(uint32_t wanted, size_t index) { return index >= 32 || (wanted >> index & 1) != 0; }

// Date pieces (cut at "-") and time pieces (cut at ":") of a normalised stamp
// as numbers; missing pieces count as 0.
void stampNumbers(std::string_view stamp, int32_t* date, int32_t* time) {
  size_t comma = stamp.find(',');
  std::string_view datePart = stamp.substr(0, comma);
  std::string_view timePart = comma == std::string_view::npos ? std::string_view() : stamp.substr(comma + 1);
  std::vector<std::string_view> pieces;
  auto piece = [&](size_t i) { return i < pieces.size() ? toInt(pieces[i]) : 0; };
  platform::splitKeepingEveryPiece(datePart, "-", &pieces);
  *date = toInt(platform::formatText("%04d%02d%02d", piece(0), piece(1), piece(2)));
  platform::splitKeepingEveryPiece(timePart, ":", &pieces);
  *time = toInt(platform::formatText("%02d%02d%02d", piece(0), piece(1), piece(2)));
}

// Selection of one profile; returns false when it stopped the run.
// The block's data lines, from dataStart on, are all held by the window.
bool selectProfile(RunState& run, int k, int profilesInFile, LineWindow& lines, long long dataStart,
                   size_t dataCount, const FillValues& fill, long long m, const std::string& path) {
  SelectionState& state = run.selection;
  const PlotArguments& args = run.args;
  int n = state.runningProfileNumber;
  bool selected = isProfileInRange(run, args.isTimeRange, args.isProfileRange, n, args.startProfile, args.endProfile);
  if (state.previousSelected && !selected) {
    state.stopped = true;
    state.curtainEndStamp = run.ProfileEndStamps[run.ProfileEndStamps.size() - 2];
    return false;
  }
  state.previousSelected = selected;
  if (!selected) return true;

  // The table holds the columns up to the last one the plots use.
  ProfileTable& table = run.table;
  table.columns = std::min(static_cast<size_t>(m), columnsRead(args.isProfilePlot, args.isNumberDensity));
  table.cells.resize(dataCount * table.columns);
  const std::string_view* dataLines = dataCount > 0 ? lines.heldFrom(dataStart) : nullptr;
  const uint32_t used = columnsUsed(args.isProfilePlot, args.isNumberDensity);
  for (size_t i = 0; i < dataCount; ++i) {
    bool complete = false;
    cutDataLine(dataLines[i], static_cast<size_t>(m), table.columns, &table.cells[i * table.columns], &complete,
                used);
    if (!complete) malformed(path, dataStart + static_cast<long long>(i), "fewer cells than data columns");
  }

  if (state.noneSelectedYet) {
    state.curtainStartStamp = run.ProfileStartStamps[static_cast<size_t>(n)];
    state.noneSelectedYet = false;
  }
  CurtainColumns columns = curtainColumnsFor(args.isNumberDensity);
  writeProfileBlocks(run.ProfileStartStamps[static_cast<size_t>(n)], run.ProfileEndStamps[static_cast<size_t>(n)], columns,
                     table, fill.values, &run.curtainCells, run.curtain);
  ++state.plottedProfileCount;
  writeClosingColumn(k, profilesInFile, run.ProfileEndStamps[static_cast<size_t>(n)], run.curtain);
  if (args.isProfilePlot) writeProfileDataRows(run, table, fill);
  return true;
}

}  // namespace

size_t cutDataLine(std::string_view line, size_t m, size_t keep, std::string_view* cells, bool* complete,
                   uint32_t wanted) {
  *complete = true;
  if (m == 0) return 0;
  if (keep > m) keep = m;
  const char* const end = line.data() + line.size();
  // The commas are looked for until the one that ends the last kept cell
  // and the m - 1 that m cells need have been seen.
  const size_t commasNeeded = std::max(keep, m - 1);
  size_t found = 0;
  const char* cellStart = line.data();
  // A data line has a comma every few bytes and this is the reader's
  // innermost loop: the commas of 64 bytes at a time are found first, and
  // past the kept cells they are only counted.
  for (const char* at = line.data(); found < commasNeeded && at < end; at += 64) {
    uint64_t bits = platform::commaMask64(line.data(), at, end);
    for (; bits != 0 && found < keep; bits &= bits - 1) {
      const char* comma = at + std::countr_zero(bits);
      if (isWanted(wanted, found)) cells[found] = platform::trimBlanksAndTabs(std::string_view(cellStart, comma));
      ++found;
      cellStart = comma + 1;
    }
    // The commas left in these bytes.
    found += static_cast<size_t>(platform::bitCount(bits));
  }
  if (found < keep) {
    // The line ends inside the kept cells: its rest is the last cell.
    if (isWanted(wanted, found)) cells[found] = platform::trimBlanksAndTabs(std::string_view(cellStart, end));
    *complete = found + 1 == m;
    return found + 1;
  }
  *complete = keep == m || found >= m - 1;
  return keep;
}

bool isProfileInRange(const RunState& run, bool isTimeRange, bool isProfileRange, int n, int startProfile,
                      int endProfile) {
  bool result = false;
  if (isTimeRange) {
    int32_t d = 0, t = 0;
    stampNumbers(run.ProfileMeanStamps[static_cast<size_t>(n)], &d, &t);
    const int32_t sd = run.WindowStartDate, st = run.WindowStartTime, ed = run.WindowEndDate, et = run.WindowEndTime;
    bool inWindow = (d == sd && d == ed && st <= t && t < et) || (d == sd && sd < ed && t >= st) ||
                    (sd < d && d < ed) || (d == ed && d != sd && t < et);
    if (!inWindow) return false;
    result = true;
  }
  if (isProfileRange) result = startProfile <= n && n < endProfile;
  return result;
}

FileOutcome readProfileFile(RunState& run, const std::string& entry) {
  std::string path = entry;
  if (run.args.location == "ANY")
    run.ErrorLog.logLine("OK. " + entry);
  else
    path = run.args.location + "/" + entry;

  LineWindow& lines = run.lines;
  if (!lines.open(path)) {
    run.ErrorLog.logLine("ERROR: failed to open file: " + path);
    return FileOutcome::OpenFailed;
  }
  struct CloseAtEnd {
    LineWindow& lines;
    ~CloseAtEnd() { lines.close(); }
  } closeAtEnd{lines};

  try {
    const long long g = lineInteger(lineAt(lines, 0, path));
    if (g < 0) malformed(path, 0, "negative general header line count");
    const long long profilesInFile = lineInteger(lineAt(lines, 2, path));
    const long long m = lineInteger(lineAt(lines, 3, path));
    if (m < static_cast<long long>(columnsRead(run.args.isProfilePlot, run.args.isNumberDensity)))
      malformed(path, 3, "too few data columns");
    FillValues fill = fillValues(lineAt(lines, g, path));
    if (static_cast<long long>(fill.integers.size()) < m)
      malformed(path, g, "fewer missing data values than data columns");
    fill.integers.resize(static_cast<size_t>(m));
    fill.values.resize(static_cast<size_t>(m));
    const long long h = lineInteger(lineAt(lines, g + 1, path));
    if (h < 0) malformed(path, g + 1, "negative comment line count");

    long long q = g + h + 2;
    std::vector<int> headerLineCounts;
    std::vector<int> dataLineCounts;
    for (long long k = 0; k < profilesInFile; ++k) {
      // Nothing before this block is read again.
      lines.forget(q + 1);
      const int headerLines = lineInteger(lineAt(lines, q + 1, path));
      const int dataLines = lineInteger(lineAt(lines, q + 2, path));
      headerLineCounts.push_back(headerLines);
      dataLineCounts.push_back(dataLines);
      std::string stamps[3];
      for (int s = 0; s < 3; ++s) {
        long long at = q + 6 + s;
        if (!readStamp(lineAt(lines, at, path), &stamps[s])) malformed(path, at, "a date and time without six fields");
      }
      // The data lines must follow the mean stamp line and lie inside the file.
      if (headerLines < 7) malformed(path, q + 1, "too few header lines");
      if (dataLines < 0) malformed(path, q + 2, "negative data line count");
      long long dataStart = q + headerLines + 2;
      // Asking for the last data line first makes the window hold all of them.
      std::string_view lastLine;
      if (!lines.line(dataStart + dataLines - 1, &lastLine))
        malformed(path, lines.lineCount() - 1, "the file ends inside the data lines");
      run.ProfileStartStamps.push_back(std::move(stamps[0]));
      run.ProfileEndStamps.push_back(std::move(stamps[1]));
      run.ProfileMeanStamps.push_back(std::move(stamps[2]));

      if (!selectProfile(run, static_cast<int>(k), static_cast<int>(profilesInFile), lines, dataStart,
                         static_cast<size_t>(dataLines), fill, m, path))
        return FileOutcome::Read;
      ++run.selection.runningProfileNumber;
      q = dataStart + dataLines;
    }
  } catch (const MalformedFile& error) {
    run.ErrorLog.logLine(std::string("ERROR: ") + error.what());
    return FileOutcome::Malformed;
  }
  return FileOutcome::Read;
}

}  // namespace plotgen
