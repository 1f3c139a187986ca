#include "desktop/core/file_names.h"

#include "desktop/core/shared_state.h"
#include "scanner/scanner.h"

std::string fileNamePart(std::string_view path) {
  size_t cut = path.find_last_of("\\/");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string clampedPiece(std::string_view text, long start, long count) {
  if (start < 0) start = 0;
  if (count <= 0 || static_cast<size_t>(start) >= text.size()) return std::string();
  return std::string(text.substr(static_cast<size_t>(start), static_cast<size_t>(count)));
}

long nthUnderscore(std::string_view name, int n) {
  long position = -1;
  for (int i = 0; i < n; ++i) {
    size_t hit = name.find('_', static_cast<size_t>(position + 1));
    position = hit == std::string_view::npos ? -1 : static_cast<long>(hit);
  }
  return position;
}

namespace {

std::string geomsStamp(std::string_view name, int underscore) {
  long at = nthUnderscore(name, underscore);
  return clampedPiece(name, at + 1, 8) + clampedPiece(name, at + 10, 6);
}

}  // namespace

std::string networkDateText(std::string_view name) { return clampedPiece(name, nthUnderscore(name, 2) + 1, 8); }

std::string geomsStartStamp(std::string_view name) { return geomsStamp(name, 5); }
std::string geomsStopStamp(std::string_view name) { return geomsStamp(name, 6); }

std::string fileStartDateText(std::string_view name, bool isHdf) {
  return isHdf ? clampedPiece(name, nthUnderscore(name, 5) + 1, 8) : networkDateText(name);
}

std::string fileEndDateText(std::string_view name, bool isHdf) {
  return isHdf ? clampedPiece(name, nthUnderscore(name, 6) + 1, 8) : networkDateText(name);
}

bool plotFilesAreHdf(const SharedState& state) {
  // The first listed file's kind as the scanner tells it: the last passed
  // scan's flag for that scan's own file, the scanner's name rule for another.
  if (state.PlotFiles.empty() || state.PlotFiles.front() == state.DataFilePath) return state.DataFileIsHdf;
  return hasHdfExtension(fileNamePart(state.PlotFiles.front()));
}

void computePlotTimeSpan(SharedState& state) {
  std::vector<std::string>& files = state.PlotFiles;
  if (state.PlotFileCount <= 0 || files.empty()) {
    if (files.empty()) files.push_back(state.DataFilePath);
    state.PlotFileCount = static_cast<int>(files.size());
  }
  // Entry number PlotFileCount, counting from 1, kept inside the list.
  size_t lastIndex = static_cast<size_t>(state.PlotFileCount) - 1;
  if (lastIndex >= files.size()) lastIndex = files.size() - 1;
  std::string first = fileNamePart(files.front());
  std::string last = fileNamePart(files[lastIndex]);
  if (plotFilesAreHdf(state)) {
    state.PlotStartStamp = geomsStartStamp(first);
    state.PlotEndStamp = geomsStopStamp(last);
  } else {
    state.PlotStartStamp = networkDateText(first) + "000000";
    state.PlotEndStamp = networkDateText(last) + "235959";
  }
}
