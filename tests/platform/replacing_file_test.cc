#include "platform/replacing_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "tests/support/platform_doubles.h"

using platform::ReplacingFile;
using testing_support::folderNames;
using testing_support::readFile;
using testing_support::SmallDisk;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

using Names = std::vector<std::string>;

bool writeWhole(const std::string& path, const std::string& bytes, int* error) {
  ReplacingFile file;
  if (!file.create(path, error)) return false;
  file.write(bytes);
  return file.finish(error);
}

TEST(ReplacingFile, TheFileAppearsUnderItsNameOnlyWhenFinished) {
  TempDir dir;
  ASSERT_TRUE(writeFile(dir.file("out.txt"), "old"));
  ReplacingFile file;
  int error = 0;
  ASSERT_TRUE(file.create(dir.file("out.txt"), &error));
  file.write("new text\n");
  int flushError = 0;
  ASSERT_TRUE(file.flush(&flushError));
  // Until it is finished the name keeps what it had; the new file is hidden beside it.
  EXPECT_EQ(readFile(dir.file("out.txt")), "old");
  ASSERT_EQ(folderNames(dir.path()).size(), 2u);
  EXPECT_EQ(folderNames(dir.path())[0].rfind(".out.txt.", 0), 0u);
  ASSERT_TRUE(file.finish(&error));
  EXPECT_EQ(readFile(dir.file("out.txt")), "new text\n");
  EXPECT_EQ(folderNames(dir.path()), Names{"out.txt"});
}

TEST(ReplacingFile, ADiscardedOrAbandonedFileLeavesTheNameAsItWas) {
  TempDir dir;
  ASSERT_TRUE(writeFile(dir.file("out.txt"), "old"));
  {
    ReplacingFile file;
    int error = 0;
    ASSERT_TRUE(file.create(dir.file("out.txt"), &error));
    file.write("cut");
    file.discard();
    EXPECT_FALSE(file.isOpen());
  }
  {
    ReplacingFile file;
    int error = 0;
    ASSERT_TRUE(file.create(dir.file("out.txt"), &error));
    file.write("cut");
  }  // never finished
  EXPECT_EQ(readFile(dir.file("out.txt")), "old");
  EXPECT_EQ(folderNames(dir.path()), Names{"out.txt"});
}

TEST(ReplacingFile, LinksAndFifosAtTheNameAreReplacedNeverWrittenThrough) {
  TempDir dir, elsewhere;
  ASSERT_TRUE(writeFile(elsewhere.file("target"), "keep me"));
  ASSERT_EQ(::symlink(elsewhere.file("target").c_str(), dir.file("link").c_str()), 0);
  ASSERT_EQ(::symlink(elsewhere.file("missing").c_str(), dir.file("dangling").c_str()), 0);
  ASSERT_EQ(::link(elsewhere.file("target").c_str(), dir.file("hard").c_str()), 0);
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);
  for (const char* name : {"link", "dangling", "hard", "fifo"}) {
    int error = 0;
    ASSERT_TRUE(writeWhole(dir.file(name), std::string("report of ") + name, &error)) << name << ": " << error;
    struct stat st;
    ASSERT_EQ(::lstat(dir.file(name).c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode)) << name;
    EXPECT_EQ(st.st_nlink, 1u) << name;
    EXPECT_EQ(readFile(dir.file(name)), std::string("report of ") + name);
  }
  EXPECT_EQ(readFile(elsewhere.file("target")), "keep me");
  EXPECT_EQ(folderNames(elsewhere.path()), Names{"target"});
}

TEST(ReplacingFile, AFolderAtTheNameOrAMissingFolderFailsWithItsErrorAndLeavesNothing) {
  TempDir dir;
  ASSERT_EQ(::mkdir(dir.file("taken").c_str(), 0755), 0);
  int error = 0;
  ReplacingFile file;
  EXPECT_FALSE(file.create(dir.file("taken"), &error));  // at once, not only at the rename
  EXPECT_EQ(error, EISDIR);
  EXPECT_EQ(folderNames(dir.path()), Names{"taken"});
  error = 0;
  EXPECT_FALSE(writeWhole(dir.file("no/such/out.txt"), "x", &error));
  EXPECT_EQ(error, ENOENT);
}

TEST(ReplacingFile, FinishingOrPlacingWithoutAnOpenFileFails) {
  TempDir dir;
  ReplacingFile never;
  int error = 0;
  EXPECT_FALSE(never.finish(&error));
  EXPECT_EQ(error, EBADF);
  error = 0;
  EXPECT_FALSE(never.putInPlace(&error));
  EXPECT_EQ(error, EBADF);
  ReplacingFile twice;
  ASSERT_TRUE(twice.create(dir.file("out.txt"), &error));
  ASSERT_TRUE(twice.finish(&error));
  error = 0;
  EXPECT_FALSE(twice.finish(&error));
  EXPECT_EQ(error, EBADF);
  EXPECT_EQ(folderNames(dir.path()), Names{"out.txt"});
}

TEST(ReplacingFile, TemporaryFilesOfWritersThatEndedAreRemovedByTheNextWriterOfTheName) {
  TempDir dir;
  // A process id that has certainly ended: a child that was reaped.
  const pid_t ended = ::fork();
  ASSERT_GE(ended, 0);
  if (ended == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
  const std::string endedPid = std::to_string(ended);
  const std::string livePid = std::to_string(::getppid());
  const Names leftovers = {
      ".out.txt." + endedPid + ".0.1a2b.part",  // the killed writer's: removed
      ".out.txt." + livePid + ".3.ff.part",     // a running writer's: kept
      ".out.txt." + endedPid + ".0.1a2b.partx", // not a temporary name: kept
      ".out.txt.x" + endedPid + ".0.1a2b.part", // not a temporary name: kept
      ".other.txt." + endedPid + ".0.1.part",   // another name's: kept
  };
  for (const std::string& name : leftovers) ASSERT_TRUE(writeFile(dir.file(name), "cut"));
  int error = 0;
  ASSERT_TRUE(writeWhole(dir.file("out.txt"), "whole", &error));
  Names expected(leftovers.begin() + 1, leftovers.end());
  expected.push_back("out.txt");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(folderNames(dir.path()), expected);
}

TEST(ReplacingFile, TheNewFileHasTheModeThatCreatingItByNameGives) {
  TempDir dir;
  int error = 0;
  ASSERT_TRUE(writeWhole(dir.file("out.txt"), "x", &error));
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat st;
  ASSERT_EQ(::stat(dir.file("out.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

TEST(ReplacingFile, AFullDiskFailsTheFinishAndKeepsTheOldFile) {
  SmallDisk disk(64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
  ASSERT_TRUE(writeFile(disk.file("report.htm"), "old report"));
  ASSERT_TRUE(disk.fillLeaving(16 * 1024));
  int error = 0;
  EXPECT_FALSE(writeWhole(disk.file("report.htm"), std::string(40 * 1024, 'r'), &error));
  EXPECT_EQ(error, ENOSPC);
  EXPECT_EQ(readFile(disk.file("report.htm")), "old report");
  EXPECT_EQ(folderNames(disk.path()), (Names{".filler", "report.htm"}));
  // What fits is written whole.
  error = 0;
  EXPECT_TRUE(writeWhole(disk.file("report.htm"), std::string(4 * 1024, 'r'), &error)) << error;
  EXPECT_EQ(readFile(disk.file("report.htm")), std::string(4 * 1024, 'r'));
}

TEST(ReplacingFile, AFilePutInPlaceAtOnceIsReadableAsItGrows) {
  TempDir dir, elsewhere;
  ASSERT_TRUE(writeFile(elsewhere.file("target"), "keep me"));
  ASSERT_EQ(::symlink(elsewhere.file("target").c_str(), dir.file("log.txt").c_str()), 0);
  ReplacingFile log;
  int error = 0;
  ASSERT_TRUE(log.create(dir.file("log.txt"), &error));
  ASSERT_TRUE(log.putInPlace(&error));
  EXPECT_EQ(readFile(dir.file("log.txt")), "");
  log.write("line 1\n");
  ASSERT_TRUE(log.flush(&error));
  EXPECT_EQ(readFile(dir.file("log.txt")), "line 1\n");
  log.write("line 2\n");
  ASSERT_TRUE(log.finish(&error));
  EXPECT_EQ(readFile(dir.file("log.txt")), "line 1\nline 2\n");
  EXPECT_EQ(readFile(elsewhere.file("target")), "keep me");
  EXPECT_EQ(folderNames(dir.path()), Names{"log.txt"});
}

TEST(ReplacingFile, AFullDiskFailsTheFlushOfAFilePutInPlace) {
  SmallDisk disk(64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
  ASSERT_TRUE(disk.fillLeaving(0));
  ReplacingFile log;
  int error = 0;
  ASSERT_TRUE(log.create(disk.file("log.txt"), &error));
  ASSERT_TRUE(log.putInPlace(&error));
  log.write(std::string(8 * 1024, 'l'));
  EXPECT_FALSE(log.flush(&error));
  EXPECT_EQ(error, ENOSPC);
  error = 0;
  EXPECT_FALSE(log.finish(&error));
  EXPECT_EQ(error, ENOSPC);
}

}  // namespace
