#include "plotgen/gnuplot_pipe.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace plotgen {
namespace {

bool isExecutableFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string currentFolder() {
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::current_path(ec);
  return ec ? std::string(".") : folder.string();
}

}  // namespace

std::string findGnuplot() {
  std::string own = currentFolder();
  if (own.size() > 1 && own.back() == '/') own.pop_back();
  std::string local = (own == "/" ? std::string() : own) + "/bin/gnuplot";
  if (isExecutableFile(local)) return local;
  const char* path = std::getenv("PATH");
  if (!path) return std::string();
  std::string list = path;
  size_t start = 0;
  for (;;) {
    size_t colon = list.find(':', start);
    std::string folder = list.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    if (folder.empty()) folder = own;
    std::string candidate = folder + "/gnuplot";
    if (isExecutableFile(candidate)) {
      std::error_code ec;
      std::filesystem::path absolute = std::filesystem::absolute(candidate, ec);
      return ec ? candidate : absolute.lexically_normal().string();
    }
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  return std::string();
}

std::string gnuplotPathForLog(const std::string& found) { return found.empty() ? std::string("gnuplot") : found; }

GnuplotPipe::GnuplotPipe(const std::string& path) {
  int error = 0;
  platform::StartRequest request{path, {}, "", true};
  if (!path.empty() && platform::processLauncher().start(request, &child_, &error)) {
    stream_ = ::fdopen(child_.stdinPipe, "w");
    if (!stream_) {
      ::close(child_.stdinPipe);
      child_.stdinPipe = -1;
      int status = 0;
      platform::processLauncher().wait(&child_, -1, &status);
    }
  }
  if (!stream_) std::fputs("Error: Gnuplot not found!", stderr);
}

GnuplotPipe::~GnuplotPipe() {
  if (!stream_) return;
  std::fputs("exit\n", stream_);
  std::fclose(stream_);  // gnuplot sees the end of its input
  child_.stdinPipe = -1;
  int status = 0;
  platform::processLauncher().wait(&child_, -1, &status);
}

void GnuplotPipe::send(std::string_view command) {
  if (!stream_) return;
  std::fwrite(command.data(), 1, command.size(), stream_);
  std::fputc('\n', stream_);
  std::fflush(stream_);
}

}  // namespace plotgen
