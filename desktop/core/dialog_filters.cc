#include "desktop/core/dialog_filters.h"

std::vector<std::string> qtNameFilters(const std::string& pipeFilter) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (;;) {
    size_t bar = pipeFilter.find('|', start);
    pieces.push_back(pipeFilter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::vector<std::string> filters;
  for (size_t i = 0; i + 1 < pieces.size(); i += 2) {
    std::string pattern = pieces[i + 1];
    std::string qtPattern;
    size_t from = 0;
    // Several patterns are separated by ';' in the pipe form and by blanks in Qt's.
    for (;;) {
      size_t semicolon = pattern.find(';', from);
      std::string one = pattern.substr(from, semicolon == std::string::npos ? std::string::npos : semicolon - from);
      if (one == "*.*") one = "*";
      if (!one.empty()) qtPattern += (qtPattern.empty() ? "" : " ") + one;
      if (semicolon == std::string::npos) break;
      from = semicolon + 1;
    }
    filters.push_back(pieces[i] + " (" + qtPattern + ")");
  }
  return filters;
}
