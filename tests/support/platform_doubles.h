// Test doubles for the platform services, and small file helpers for tests.
#pragma once

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/file_lock.h"
#include "platform/message_box.h"

namespace testing_support {

// A clock that always says the same day; installs itself while it lives.
class FixedClock : public platform::Clock {
 public:
  FixedClock(int year, int month, int day);
  ~FixedClock() override;
  platform::CalendarDate today() override { return date_; }

 private:
  platform::CalendarDate date_;
};

// One box as it was shown.
struct ShownBox {
  std::string text;
  std::string caption;
  platform::BoxIcon icon;
  platform::BoxButtons buttons;
};

// Records every box and answers with a preset answer; installs itself while it lives.
class RecordingBoxes : public platform::MessageBoxes {
 public:
  RecordingBoxes();
  ~RecordingBoxes() override;
  platform::BoxAnswer show(const std::string& text, const std::string& caption, platform::BoxIcon icon,
                           platform::BoxButtons buttons) override;

  std::vector<ShownBox> boxes;
  platform::BoxAnswer answer = platform::BoxAnswer::Ok;
};

// File locks without files: a path in `busy` is held by another process, a lock
// on any other path is taken (or fails with `failError` when that is not 0).
// Records the locks taken and released; installs itself while it lives.
class FakeFileLocks : public platform::FileLocks {
 public:
  FakeFileLocks();
  ~FakeFileLocks() override;
  platform::LockResult lock(const std::string& path, int* error) override;
  void release(const std::string& path) override;

  std::set<std::string> busy;
  int failError = 0;
  std::vector<std::string> locked;
  std::vector<std::string> released;
};

// A fresh empty folder under the system's temporary folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Changes the current folder for the lifetime of the object.
class CurrentDirScope {
 public:
  explicit CurrentDirScope(const std::string& dir);
  ~CurrentDirScope();

 private:
  std::string previous_;
};

// A small file system of its own (a tmpfs of `bytes` bytes mounted on a fresh
// folder), for tests of what a program does when the disk is full. Mounting
// needs root: where it is refused, mounted() is false and the test skips.
// Unmounted and removed with the object.
class SmallDisk {
 public:
  explicit SmallDisk(size_t bytes);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;
  bool mounted() const { return mounted_; }
  const std::string& path() const { return folder_.path(); }
  std::string file(const std::string& name) const { return folder_.file(name); }
  // Fills the disk with a file ".filler" until about `freeBytes` bytes are left
  // (the file system counts in pages of 4096 bytes); false when it cannot.
  bool fillLeaving(size_t freeBytes);

 private:
  TempDir folder_;
  bool mounted_ = false;
};

// The names in a folder, sorted ("." and ".." left out).
std::vector<std::string> folderNames(const std::string& folder);

// Whether the process is gone: no longer there, or ended and waiting only to
// be reaped by whoever took it over.
bool processGone(int pid);
// Asks `condition` every 10 ms, at most about timeoutMs long; whether it came true.
bool within(long long timeoutMs, const std::function<bool()>& condition);
// Waits at most about timeoutMs for this process's child `pid` to end and
// reaps it, *status getting its wait status; a child still running then is
// killed (SIGKILL) and reaped, and false is returned.
bool reapWithin(int pid, long long timeoutMs, int* status);

// Writes bytes to a file (replacing it); returns false when it cannot.
bool writeFile(const std::string& path, const std::string& bytes);
// Reads a whole file as bytes ("" when it cannot be read).
std::string readFile(const std::string& path);
// Writes an executable shell script.
bool writeScript(const std::string& path, const std::string& body);

}  // namespace testing_support
