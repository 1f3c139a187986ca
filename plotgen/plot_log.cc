#include "plotgen/plot_log.h"

namespace plotgen {
namespace {

// A text for the log with its control characters shown as '?'.
std::string visible(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return out;
}

}  // namespace

bool PlotLog::open(const std::string& path, int* error) {
  close();
  writeError_ = 0;
  return file_.create(path, error) && file_.putInPlace(error);
}

void PlotLog::close() {
  if (!file_.isOpen()) return;
  int error = 0;
  if (!file_.finish(&error) && writeError_ == 0) writeError_ = error;
}

void PlotLog::logLine(std::string_view text) {
  if (!file_.isOpen()) return;
  std::string line = visible(text);
  line.push_back('\n');
  file_.write(line);
  int error = 0;
  if (!file_.flush(&error) && writeError_ == 0) writeError_ = error;
}

}  // namespace plotgen
