#include "platform/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>

namespace platform {
namespace {

// A temporary name's file-name part: the final name's own, shown hidden, and a
// suffix that no other writer of the same name picks (the process id, a count
// and the clock). A long final name is shortened so that the name stays within
// the system's limit of 255 bytes.
std::string temporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> count{0};
  const size_t slash = path.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string name = path.substr(nameStart);
  if (name.size() > 200) name.resize(200);
  const unsigned long long tick =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, ".%ld.%u.%llx.part", static_cast<long>(::getpid()), count++, tick & 0xFFFFFF);
  return path.substr(0, nameStart) + "." + name + suffix;
}

// The stream's writes: every byte handed to the descriptor, again after an
// interrupted or short write; the first failure is kept.
ssize_t writeToSink(void* cookie, const char* bytes, size_t size) {
  auto* sink = static_cast<ReplacingFile::Sink*>(cookie);
  size_t done = 0;
  while (done < size) {
    const ssize_t wrote = ::write(sink->fd, bytes + done, size - done);
    if (wrote < 0) {
      if (errno == EINTR) continue;
      if (sink->error == 0) sink->error = errno;
      return done > 0 ? static_cast<ssize_t>(done) : -1;
    }
    done += static_cast<size_t>(wrote);
  }
  return static_cast<ssize_t>(size);
}

int closeSink(void* cookie) {
  auto* sink = static_cast<ReplacingFile::Sink*>(cookie);
  const int result = ::close(sink->fd);
  if (result != 0 && sink->error == 0) sink->error = errno;
  sink->fd = -1;
  return result;
}

constexpr size_t kStreamBufferSize = 1 << 16;

}  // namespace

ReplacingFile::~ReplacingFile() { discard(); }

bool ReplacingFile::create(const std::string& path, int* error) {
  discard();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temporary = temporaryNameFor(path);
    // O_EXCL with O_NOFOLLOW: a new file of our own, never one that a name
    // already stood for.
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      *error = errno;
      return false;
    }
    sink_ = Sink{fd, 0};
    stream_ = ::fopencookie(&sink_, "wb", cookie_io_functions_t{nullptr, writeToSink, nullptr, closeSink});
    if (stream_) std::setvbuf(stream_, nullptr, _IOFBF, kStreamBufferSize);
    if (!stream_) {
      *error = errno;
      ::close(fd);
      ::unlink(temporary.c_str());
      return false;
    }
    finalPath_ = path;
    temporaryPath_ = std::move(temporary);
    inPlace_ = false;
    return true;
  }
  *error = EEXIST;
  return false;
}

void ReplacingFile::write(std::string_view bytes) {
  if (stream_ && !bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), stream_);
}

bool ReplacingFile::flush(int* error) {
  if (!stream_) return true;
  if (std::fflush(stream_) != 0 || std::ferror(stream_) || sink_.error != 0) {
    *error = sink_.error != 0 ? sink_.error : EIO;
    return false;
  }
  return true;
}

bool ReplacingFile::putInPlace(int* error) {
  if (!stream_ || inPlace_) return stream_ != nullptr;
  if (::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0) {
    *error = errno;
    discard();
    return false;
  }
  inPlace_ = true;
  return true;
}

bool ReplacingFile::closeStream(int* error) {
  const bool streamFailed = std::ferror(stream_) != 0;
  const bool closeFailed = std::fclose(stream_) != 0;
  stream_ = nullptr;
  if (!streamFailed && !closeFailed && sink_.error == 0) return true;
  *error = sink_.error != 0 ? sink_.error : EIO;
  return false;
}

bool ReplacingFile::finish(int* error) {
  if (!stream_) return true;
  if (!closeStream(error)) {
    if (!inPlace_) ::unlink(temporaryPath_.c_str());
    return false;
  }
  if (!inPlace_ && ::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0) {
    *error = errno;
    ::unlink(temporaryPath_.c_str());
    return false;
  }
  inPlace_ = true;
  return true;
}

void ReplacingFile::discard() {
  if (!stream_) return;
  std::fclose(stream_);
  stream_ = nullptr;
  if (!inPlace_) ::unlink(temporaryPath_.c_str());
}

}  // namespace platform
