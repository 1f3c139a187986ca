#include "tests/support/platform_doubles.h"

#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <algorithm>

namespace testing_support {

FixedClock::FixedClock(int year, int month, int day) : date_{year, month, day} { platform::setClock(this); }
FixedClock::~FixedClock() { platform::setClock(nullptr); }

RecordingBoxes::RecordingBoxes() { platform::setMessageBoxes(this); }
RecordingBoxes::~RecordingBoxes() { platform::setMessageBoxes(nullptr); }

platform::BoxAnswer RecordingBoxes::show(const std::string& text, const std::string& caption,
                                         platform::BoxIcon icon, platform::BoxButtons buttons) {
  boxes.push_back(ShownBox{text, caption, icon, buttons});
  return answer;
}

FakeFileLocks::FakeFileLocks() { platform::setFileLocks(this); }
FakeFileLocks::~FakeFileLocks() { platform::setFileLocks(nullptr); }

platform::LockResult FakeFileLocks::lock(const std::string& path, int* error) {
  if (busy.count(path)) return platform::LockResult::Busy;
  if (failError != 0) {
    *error = failError;
    return platform::LockResult::Failed;
  }
  locked.push_back(path);
  return platform::LockResult::Locked;
}

void FakeFileLocks::release(const std::string& path) { released.push_back(path); }

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "parvix-test-XXXXXX").string();
  char* made = ::mkdtemp(pattern.data());
  path_ = made ? std::string(made) : std::string();
}

TempDir::~TempDir() {
  std::error_code ec;
  if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

CurrentDirScope::CurrentDirScope(const std::string& dir) {
  previous_ = std::filesystem::current_path().string();
  std::filesystem::current_path(dir);
}

CurrentDirScope::~CurrentDirScope() {
  std::error_code ec;
  std::filesystem::current_path(previous_, ec);
}

SmallDisk::SmallDisk(size_t bytes) {
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  mounted_ = !folder_.path().empty() && ::mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, options.c_str()) == 0;
}

SmallDisk::~SmallDisk() {
  if (mounted_) ::umount2(folder_.path().c_str(), MNT_DETACH);
}

bool SmallDisk::fillLeaving(size_t freeBytes) {
  struct statvfs disk;
  if (!mounted_ || ::statvfs(folder_.path().c_str(), &disk) != 0) return false;
  const size_t available = static_cast<size_t>(disk.f_bavail) * disk.f_frsize;
  if (available < freeBytes) return false;
  return writeFile(file(".filler"), std::string(available - freeBytes, 'f'));
}

std::vector<std::string> folderNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool processGone(int pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  if (!std::getline(stat, text)) return true;
  // The state follows the command name, which is in parentheses and may hold any character.
  size_t close = text.rfind(')');
  return close == std::string::npos || close + 2 >= text.size() || text[close + 2] == 'Z' || text[close + 2] == 'X';
}

bool within(long long timeoutMs, const std::function<bool()>& condition) {
  for (long long waited = 0;; waited += 10) {
    if (condition()) return true;
    if (waited >= timeoutMs) return false;
    ::usleep(10000);
  }
}

bool reapWithin(int pid, long long timeoutMs, int* status) {
  if (within(timeoutMs, [&] { return ::waitpid(pid, status, WNOHANG) == pid; })) return true;
  ::kill(pid, SIGKILL);
  ::waitpid(pid, status, 0);
  return false;
}

bool writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

bool writeScript(const std::string& path, const std::string& body) {
  if (!writeFile(path, "#!/bin/sh\n" + body)) return false;
  return ::chmod(path.c_str(), 0755) == 0;
}

}  // namespace testing_support
