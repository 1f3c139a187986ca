// Advisory locks on files, behind an interface so that tests can replace them.
//
// A lock is held until it is released or the process ends: the system drops
// the locks of a process that ends in any way, so a crash leaves no lock
// behind. Started child programs do not inherit a lock.
#pragma once

#include <string>

namespace platform {

enum class LockResult {
  Locked,  // this lock now holds the file
  Busy,    // another lock holds it (of another process, or another one of this process)
  Failed,  // the file could not be created, opened or locked
};

class FileLocks {
 public:
  virtual ~FileLocks() = default;
  // Takes an exclusive lock on the file at `path`, creating it empty when it is
  // missing; never waits. On Failed, *error is the errno value.
  virtual LockResult lock(const std::string& path, int* error) = 0;
  // Gives up the lock this process took on `path`; nothing when it holds none.
  virtual void release(const std::string& path) = 0;
};

// The locks in use: the system's, unless a test installed others.
FileLocks& fileLocks();
// Installs locks; nullptr restores the system's.
void setFileLocks(FileLocks* locks);

}  // namespace platform
