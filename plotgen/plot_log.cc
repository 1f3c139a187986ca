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

bool PlotLog::open(const std::string& path) {
  close();
  stream_.open(path, std::ios::binary | std::ios::trunc);
  return stream_.is_open();
}

void PlotLog::close() {
  if (stream_.is_open()) stream_.close();
  stream_.clear();
}

void PlotLog::logLine(std::string_view text) {
  if (!stream_.is_open()) return;
  const std::string line = visible(text);
  stream_.write(line.data(), static_cast<std::streamsize>(line.size()));
  stream_.put('\n');
  stream_.flush();
}

}  // namespace plotgen
