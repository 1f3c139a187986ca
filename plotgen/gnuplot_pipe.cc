#include "plotgen/gnuplot_pipe.h"

#include <unistd.h>

#include <filesystem>

namespace plotgen {
namespace {

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
  if (platform::isExecutableFile(local)) return local;
  return platform::findProgramOnPath("gnuplot");
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
