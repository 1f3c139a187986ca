#include "plotgen/gnuplot_pipe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "platform/text.h"

namespace plotgen {
namespace {

std::string currentFolder() {
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::current_path(ec);
  return ec ? std::string(".") : folder.string();
}

// "11 (SIGSEGV)": a signal's number and name.
std::string signalText(int signal) {
  std::string text = platform::formatText("%d", signal);
  if (const char* name = ::sigabbrev_np(signal)) text += std::string(" (SIG") + name + ")";
  return text;
}

// A time limit in seconds: "1800", "0.5".
std::string secondsText(long long ms) { return platform::formatText("%g", static_cast<double>(ms) / 1000.0); }

// Reads exactly size bytes at offset; false when it cannot.
bool readAt(int fd, unsigned char* bytes, size_t size, off_t offset) {
  size_t done = 0;
  while (done < size) {
    ssize_t got = ::pread(fd, bytes + done, size - done, offset + static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<size_t>(got);
  }
  return true;
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

std::string imageProblem(const std::string& image) {
  struct stat st;
  if (::lstat(image.c_str(), &st) != 0) return "was not written";
  if (!S_ISREG(st.st_mode)) return "is not a plain file";
  if (st.st_size == 0) return "is empty";
  int fd = ::open(image.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return "was not written";
  std::string problem;
  unsigned char head[2], tail[2];
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    problem = "is not a plain file";
  else if (st.st_size < 4 || !readAt(fd, head, 2, 0) || !readAt(fd, tail, 2, st.st_size - 2) || head[0] != 0xFF ||
           head[1] != 0xD8 || tail[0] != 0xFF || tail[1] != 0xD9)
    problem = "is cut short";
  ::close(fd);
  return problem;
}

GnuplotPipe::GnuplotPipe(const std::string& path, std::string image) : image_(std::move(image)) {
  ::unlink(image_.c_str());
  platform::StartRequest request{path, {}, "", true};
  request.endWithStarter = true;
  if (path.empty()) {
    startError_ = ENOENT;
  } else if (platform::processLauncher().start(request, &child_, &startError_)) {
    stream_ = ::fdopen(child_.stdinPipe, "w");
    if (!stream_) {
      startError_ = errno;
      platform::processLauncher().terminate(&child_);
    }
  }
  if (!stream_) std::fputs("Error: Gnuplot not found!", stderr);
}

GnuplotPipe::~GnuplotPipe() {
  if (!stream_) return;
  std::fclose(stream_);
  child_.stdinPipe = -1;
  platform::processLauncher().terminate(&child_);
}

void GnuplotPipe::send(std::string_view command) {
  if (!stream_) return;
  std::fwrite(command.data(), 1, command.size(), stream_);
  std::fputc('\n', stream_);
  std::fflush(stream_);
}

std::string GnuplotPipe::finish(long long timeLimitMs) {
  std::string problem = failure(timeLimitMs);
  if (problem.empty()) return problem;
  ::unlink(image_.c_str());
  return "ERROR: " + problem + ": " + image_;
}

std::string GnuplotPipe::failure(long long timeLimitMs) {
  if (!stream_) {
    if (startError_ == ENOENT || startError_ == 0) return "gnuplot not found, image not made";
    return std::string("gnuplot could not be started (") + std::strerror(startError_) + "), image not made";
  }
  std::fputs("exit\n", stream_);
  std::fclose(stream_);  // gnuplot sees the end of its input
  stream_ = nullptr;
  child_.stdinPipe = -1;
  int status = 0;
  if (platform::processLauncher().wait(&child_, timeLimitMs, &status) == platform::WaitOutcome::TimedOut) {
    platform::processLauncher().terminate(&child_);
    return "gnuplot still running " + secondsText(timeLimitMs) + " s after its script was sent, stopped, image not made";
  }
  if (child_.endSignal != 0) return "gnuplot ended by signal " + signalText(child_.endSignal) + ", image not made";
  if (status != 0) return platform::formatText("gnuplot ended with status %d, image not made", status);
  std::string problem = imageProblem(image_);
  return problem.empty() ? problem : "gnuplot image " + problem;
}

}  // namespace plotgen
