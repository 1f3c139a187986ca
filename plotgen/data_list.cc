#include "plotgen/data_list.h"

#include <filesystem>
#include <fstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/text.h"
#include "plotgen/arguments.h"
#include "plotgen/plot_globals.h"

namespace plotgen {
namespace {

// The stamp pieces as numbers: the date YYYYMMDD and the time hhmmss.
void stampToWindow(std::string_view stamp, int32_t* date, int32_t* time) {
  auto field = [&](size_t at, size_t length) { return toInt(at < stamp.size() ? stamp.substr(at, length) : ""); };
  *date = toInt(platform::formatText("%04d%02d%02d", field(0, 4), field(4, 2), field(6, 2)));
  *time = toInt(platform::formatText("%02d%02d%02d", field(8, 2), field(10, 2), field(12, 2)));
}

}  // namespace

std::vector<std::string> readAllLines(std::istream& in) {
  std::vector<std::string> lines;
  std::string line;
  for (;;) {
    bool ended = platform::readLine(in, line);
    if (!ended) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) lines.push_back(std::move(line));
      break;
    }
    lines.push_back(line);
  }
  return lines;
}

void splitTextLines(std::string_view text, std::vector<std::string_view>& lines) {
  lines.clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      std::string_view last = text.substr(start);
      if (!last.empty() && last.back() == '\r') last.remove_suffix(1);
      if (!last.empty()) lines.push_back(last);
      break;
    }
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
}

bool FileText::read(const std::string& path) {
  size_ = 0;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return false;
  }
  // One buffer of the file's size (and room to spare), reused by later files;
  // it is not cleared, since every byte used is written by the read.
  size_t wanted = st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 1 << 16;
  if (wanted > capacity_) {
    data_ = std::make_unique_for_overwrite<char[]>(wanted);
    capacity_ = wanted;
  }
  for (;;) {
    if (size_ == capacity_) {  // the file grew while being read
      std::unique_ptr<char[]> larger = std::make_unique_for_overwrite<char[]>(capacity_ * 2);
      std::memcpy(larger.get(), data_.get(), size_);
      data_ = std::move(larger);
      capacity_ *= 2;
    }
    ssize_t got = ::read(fd, data_.get() + size_, capacity_ - size_);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    size_ += static_cast<size_t>(got);
  }
  ::close(fd);
  return true;
}

bool readDataList(std::string_view location) {
  if (location == "ANY" || location == "HALK" || location == "ZIB" || location == "XOV") {
    std::string name = "Data/" + std::string(location) + ".txt";
    std::ifstream in(name, std::ios::binary);
    if (!in.is_open()) {
      logLine("ERROR: failed to open file: " + name + " ");
      return false;
    }
    std::vector<std::string> entries = readAllLines(in);
    DataFileList.insert(DataFileList.end(), entries.begin(), entries.end());
    return true;
  }
  if (location == "Qiru") {
    logLine("ERROR: Qiru not yet implemented, invalid location");
    return false;
  }
  if (location == "YUNT") {
    logLine("ERROR: YUNT not yet implemented, invalid location");
    return false;
  }
  logLine("ERROR: invalid location input: " + std::string(location));
  return false;
}

void setTimeWindow(bool isTimeRange, std::string_view startTime, std::string_view endTime) {
  if (!isTimeRange) return;
  stampToWindow(startTime, &WindowStartDate, &WindowStartTime);
  stampToWindow(endTime, &WindowEndDate, &WindowEndTime);
}

}  // namespace plotgen
