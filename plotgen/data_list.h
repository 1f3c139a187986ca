// The list file that names the data files to plot, and the time window.
#pragma once

#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plotgen {

// Reads "Data/<location>.txt" into DataFileList; false after logging an ERROR line.
bool readDataList(std::string_view location);

// Sets the four window numbers from two 14-digit stamps when isTimeRange is true.
void setTimeWindow(bool isTimeRange, std::string_view startTime, std::string_view endTime);

// Reads every line of a text stream; a last line without line end counts, a
// final line end makes no extra entry, and a '\r' before a line end is dropped.
std::vector<std::string> readAllLines(std::istream& in);

// The same for text held in memory: the lines point into the text.
void splitTextLines(std::string_view text, std::vector<std::string_view>& lines);
// A file's bytes, held in one buffer that is reused from file to file.
class FileText {
 public:
  // Reads the whole file; false when it cannot be opened as a file.
  bool read(const std::string& path);
  std::string_view text() const { return std::string_view(data_.get(), size_); }

 private:
  std::unique_ptr<char[]> data_;
  size_t capacity_ = 0;
  size_t size_ = 0;
};

}  // namespace plotgen
