#include "platform/file_lock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/process.h"
#include "tests/support/platform_doubles.h"

using platform::fileLocks;
using platform::LockResult;
using testing_support::readFile;
using testing_support::TempDir;

namespace {

LockResult lockFile(const std::string& path) {
  int error = 0;
  return fileLocks().lock(path, &error);
}

TEST(FileLocks, ASecondLockOnTheSameFileIsBusyAnotherFileLocks) {
  TempDir one, other;
  EXPECT_EQ(lockFile(one.file("lock")), LockResult::Locked);
  EXPECT_EQ(lockFile(one.file("lock")), LockResult::Busy);
  EXPECT_EQ(lockFile(other.file("lock")), LockResult::Locked);
  // The lock file is made empty and left so.
  EXPECT_EQ(readFile(one.file("lock")), "");
  fileLocks().release(one.file("lock"));
  fileLocks().release(other.file("lock"));
}

TEST(FileLocks, AReleasedLockCanBeTakenAgain) {
  TempDir dir;
  EXPECT_EQ(lockFile(dir.file("lock")), LockResult::Locked);
  fileLocks().release(dir.file("lock"));
  EXPECT_EQ(lockFile(dir.file("lock")), LockResult::Locked);
  fileLocks().release(dir.file("lock"));
  fileLocks().release(dir.file("lock"));  // a second release does nothing
  fileLocks().release(dir.file("never locked"));
}

TEST(FileLocks, AFileThatCannotBeMadeFailsWithItsError) {
  TempDir dir;
  int error = 0;
  EXPECT_EQ(fileLocks().lock(dir.file("missing folder/lock"), &error), LockResult::Failed);
  EXPECT_EQ(error, ENOENT);
}

// The lock goes with the process that holds it, however that process ends.
TEST(FileLocks, TheLockGoesWhenTheHoldingProcessEnds) {
  for (bool killed : {false, true}) {
    TempDir dir;
    std::string path = dir.file("lock");
    int locked[2], release[2];
    ASSERT_EQ(::pipe(locked), 0);
    ASSERT_EQ(::pipe(release), 0);
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      // The child: takes the lock, says how that went, then holds it until the
      // parent closes its end of the release pipe, and exits without releasing.
      ::close(locked[0]);
      ::close(release[1]);
      char result = lockFile(path) == LockResult::Locked ? 'L' : 'x';
      if (::write(locked[1], &result, 1) != 1) ::_exit(2);
      char byte;
      while (::read(release[0], &byte, 1) > 0) {
      }
      ::_exit(0);
    }
    ::close(locked[1]);
    ::close(release[0]);
    char result = 0;
    ASSERT_EQ(::read(locked[0], &result, 1), 1);
    EXPECT_EQ(result, 'L');
    EXPECT_EQ(lockFile(path), LockResult::Busy) << "killed " << killed;
    if (killed) ::kill(pid, SIGKILL);
    ::close(release[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_EQ(killed ? WIFSIGNALED(status) : WIFEXITED(status) && WEXITSTATUS(status) == 0, true);
    ::close(locked[0]);
    EXPECT_EQ(lockFile(path), LockResult::Locked) << "killed " << killed;
    fileLocks().release(path);
  }
}

TEST(FileLocks, StartedChildrenDoNotKeepTheLock) {
  TempDir dir;
  std::string path = dir.file("lock");
  ASSERT_EQ(lockFile(path), LockResult::Locked);
  // cat runs until its standard input is closed.
  platform::SystemProcessLauncher launcher;
  platform::ChildProcess child;
  int error = 0;
  ASSERT_TRUE(launcher.start(platform::StartRequest{"cat", {}, "", true}, &child, &error)) << error;
  fileLocks().release(path);
  EXPECT_EQ(lockFile(path), LockResult::Locked);
  ::close(child.stdinPipe);
  int status = -1;
  EXPECT_EQ(launcher.wait(&child, -1, &status), platform::WaitOutcome::Exited);
  fileLocks().release(path);
}

TEST(FileLocks, InstalledDoubleTakesTheLocks) {
  TempDir dir;
  {
    testing_support::FakeFileLocks locks;
    locks.busy.insert(dir.file("held"));
    EXPECT_EQ(lockFile(dir.file("held")), LockResult::Busy);
    EXPECT_EQ(lockFile(dir.file("free")), LockResult::Locked);
    fileLocks().release(dir.file("free"));
    EXPECT_EQ(locks.locked, std::vector<std::string>{dir.file("free")});
    EXPECT_EQ(locks.released, std::vector<std::string>{dir.file("free")});
  }
  // The system's locks are back, and the double made no file.
  EXPECT_EQ(lockFile(dir.file("held")), LockResult::Locked);
  fileLocks().release(dir.file("held"));
}

}  // namespace
