#include "platform/replacing_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>

namespace platform {
namespace {

// Temporary files are named "<folder>/.<name>.<pid>.<count>.<tick>.part": the
// final name's own, shown hidden, and a suffix that no other writer of the same
// name picks (the process id, a count and the clock). A long final name is
// shortened so that the name stays within the system's limit of 255 bytes.
struct TemporaryNames {
  std::string folder;  // "" or ending with '/'
  std::string prefix;  // ".<name>."
};

TemporaryNames temporaryNamesFor(const std::string& path) {
  const size_t slash = path.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string name = path.substr(nameStart);
  if (name.size() > 200) name.resize(200);
  return {path.substr(0, nameStart), "." + name + "."};
}

std::string newTemporaryName(const TemporaryNames& names) {
  static std::atomic<unsigned> count{0};
  const unsigned long long tick =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, "%ld.%u.%llx.part", static_cast<long>(::getpid()), count++, tick & 0xFFFFFF);
  return names.folder + names.prefix + suffix;
}

// The writer's process id of a temporary name's suffix "<pid>.<count>.<tick>.part";
// 0 when the suffix is not of that form.
long writerOf(std::string_view suffix) {
  unsigned long pid = 0, count = 0;
  unsigned long long tick = 0;
  int used = 0;
  const std::string text(suffix);
  if (std::sscanf(text.c_str(), "%lu.%lu.%llx.part%n", &pid, &count, &tick, &used) != 3) return 0;
  if (static_cast<size_t>(used) != text.size() || !std::isdigit(static_cast<unsigned char>(text[0]))) return 0;
  return pid > 0 && pid <= 0x7FFFFFFF ? static_cast<long>(pid) : 0;
}

// Removes the temporary files of the same final name that a writer left when
// it was killed before it could remove them (a data file of a plot run can be
// hundreds of megabytes): those whose process no longer exists.
void removeLeftoversOfEndedWriters(const TemporaryNames& names) {
  DIR* folder = ::opendir(names.folder.empty() ? "." : names.folder.c_str());
  if (!folder) return;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string_view name = entry->d_name;
    if (name.size() <= names.prefix.size() || name.compare(0, names.prefix.size(), names.prefix) != 0) continue;
    const long pid = writerOf(name.substr(names.prefix.size()));
    if (pid == 0 || pid == ::getpid()) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    ::unlinkat(::dirfd(folder), entry->d_name, 0);
  }
  ::closedir(folder);
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
  // A folder cannot be replaced by a file: say so now, before anything is written.
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    *error = EISDIR;
    return false;
  }
  const TemporaryNames names = temporaryNamesFor(path);
  removeLeftoversOfEndedWriters(names);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temporary = newTemporaryName(names);
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
  if (!stream_) {
    *error = EBADF;
    return false;
  }
  if (inPlace_) return true;
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
  if (!stream_) {
    *error = EBADF;
    return false;
  }
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
