#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <map>

namespace platform {
namespace {

// flock locks belong to the open file: a second open of the same file, in this
// process or another, cannot take it while the first holds it, and the lock
// goes when its descriptor is closed, by release or by the process's end.
class SystemFileLocks : public FileLocks {
 public:
  LockResult lock(const std::string& path, int* error) override {
    // Not inherited by started children, which may outlive the program.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
      *error = errno;
      return LockResult::Failed;
    }
    int rc;
    do {
      rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
      int failure = errno;
      ::close(fd);
      if (failure == EWOULDBLOCK) return LockResult::Busy;
      *error = failure;
      return LockResult::Failed;
    }
    // A lock held on the path before is on a file since replaced: it goes.
    release(path);
    held_[path] = fd;
    return LockResult::Locked;
  }

  void release(const std::string& path) override {
    auto it = held_.find(path);
    if (it == held_.end()) return;
    ::close(it->second);
    held_.erase(it);
  }

 private:
  std::map<std::string, int> held_;  // path -> the descriptor that holds its lock
};

SystemFileLocks systemLocks;
FileLocks* installed = nullptr;

}  // namespace

FileLocks& fileLocks() { return installed ? *installed : systemLocks; }
void setFileLocks(FileLocks* locks) { installed = locks; }

}  // namespace platform
