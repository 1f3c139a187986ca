#include "platform/process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "tests/support/platform_doubles.h"

using namespace testing_support;

namespace {

// Starts a program and waits for it without limit; returns its exit status.
int runToEnd(const platform::StartRequest& request) {
  platform::SystemProcessLauncher launcher;
  platform::ChildProcess child;
  int error = 0;
  EXPECT_TRUE(launcher.start(request, &child, &error)) << "errno " << error;
  int status = -1;
  EXPECT_EQ(launcher.wait(&child, -1, &status), platform::WaitOutcome::Exited);
  return status;
}

TEST(Process, ArgumentsReachTheChildUnsplitAndUnexpanded) {
  TempDir dir;
  ASSERT_TRUE(writeScript(dir.file("echoargs"),
                          "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > \"$OUT\"\n"));
  setenv("OUT", dir.file("out.txt").c_str(), 1);
  platform::StartRequest request{dir.file("echoargs"), {"a b", "$HOME", "; rm -rf x", ""}, "", false};
  EXPECT_EQ(runToEnd(request), 0);
  EXPECT_EQ(readFile(dir.file("out.txt")), "[a b]\n[$HOME]\n[; rm -rf x]\n[]\n");
}

TEST(Process, ExitStatusWorkingFolderAndDevNullInput) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("work dir"));
  ASSERT_TRUE(writeScript(dir.file("tool"), "pwd > where.txt; cat > input.txt; exit 7\n"));
  platform::StartRequest request{dir.file("tool"), {}, dir.file("work dir"), false};
  EXPECT_EQ(runToEnd(request), 7);
  EXPECT_EQ(readFile(dir.file("work dir/where.txt")), dir.file("work dir") + "\n");
  EXPECT_EQ(readFile(dir.file("work dir/input.txt")), "");
}

TEST(Process, PipeToStandardInputAndCloseWaits) {
  TempDir dir;
  ASSERT_TRUE(writeScript(dir.file("sink"), "cat > \"$1\"\n"));
  platform::SystemProcessLauncher launcher;
  platform::ChildProcess child;
  int error = 0;
  ASSERT_TRUE(launcher.start({dir.file("sink"), {dir.file("got.txt")}, "", true}, &child, &error));
  ASSERT_GE(child.stdinPipe, 0);
  const char text[] = "plot x\nexit\n";
  ASSERT_EQ(::write(child.stdinPipe, text, sizeof text - 1), static_cast<ssize_t>(sizeof text - 1));
  ::close(child.stdinPipe);
  int status = -1;
  EXPECT_EQ(launcher.wait(&child, -1, &status), platform::WaitOutcome::Exited);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(readFile(dir.file("got.txt")), "plot x\nexit\n");
}

TEST(Process, MissingProgramGivesFileNotFound) {
  platform::SystemProcessLauncher launcher;
  platform::ChildProcess child;
  int error = 0;
  EXPECT_FALSE(launcher.start({"no-such-program-parvix", {}, "", false}, &child, &error));
  EXPECT_EQ(error, ENOENT);
  EXPECT_EQ(error, 2);
}

TEST(Process, MissingWorkingFolderFailsToStart) {
  platform::SystemProcessLauncher launcher;
  platform::ChildProcess child;
  int error = 0;
  EXPECT_FALSE(launcher.start({"/bin/true", {}, "/no/such/folder/parvix", false}, &child, &error));
  EXPECT_NE(error, 0);
}

TEST(Process, TimeOutThenTerminateReapsTheChild) {
  platform::SystemProcessLauncher launcher;
  platform::ChildProcess child;
  int error = 0;
  ASSERT_TRUE(launcher.start({"/bin/sleep", {"30"}, "", false}, &child, &error));
  int pid = child.pid;
  int status = -1;
  EXPECT_EQ(launcher.wait(&child, 50, &status), platform::WaitOutcome::TimedOut);
  launcher.terminate(&child);
  EXPECT_EQ(child.pid, -1);
  EXPECT_NE(::kill(pid, 0), 0);  // gone and reaped
}

TEST(Process, SearchOrderAndExeSuffix) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("cwd"));
  std::filesystem::create_directory(dir.file("onpath"));
  ASSERT_TRUE(writeScript(dir.file("onpath/parvixtool"), "exit 1\n"));
  std::string oldPath = getenv("PATH");
  setenv("PATH", (dir.file("onpath") + ":" + oldPath).c_str(), 1);
  {
    CurrentDirScope cwd(dir.file("cwd"));
    EXPECT_EQ(platform::findProgram("parvixtool"), dir.file("onpath/parvixtool"));
    EXPECT_EQ(platform::findProgram("parvixtool.exe"), dir.file("onpath/parvixtool"));
    EXPECT_EQ(platform::findProgram("parvixtool.EXE"), dir.file("onpath/parvixtool"));
    // The current folder comes before PATH.
    ASSERT_TRUE(writeScript(dir.file("cwd/parvixtool"), "exit 2\n"));
    EXPECT_EQ(platform::findProgram("parvixtool"), dir.file("cwd/parvixtool"));
    EXPECT_EQ(platform::findProgram("no-such-parvixtool"), "");
  }
  {
    // A folder given in place of the current folder is searched where the
    // current folder would be: after the program's own folder, before PATH.
    CurrentDirScope cwd(dir.file("cwd"));
    std::filesystem::create_directory(dir.file("instead"));
    EXPECT_EQ(platform::findProgram("parvixtool", dir.file("instead")), dir.file("onpath/parvixtool"));
    ASSERT_TRUE(writeScript(dir.file("instead/parvixtool"), "exit 3\n"));
    EXPECT_EQ(platform::findProgram("parvixtool", dir.file("instead")), dir.file("instead/parvixtool"));
    EXPECT_EQ(platform::findProgram("parvixtool", dir.file("no such folder")), dir.file("onpath/parvixtool"));
    // The launcher searches the child's working folder so.
    platform::StartRequest request{"parvixtool", {}, dir.file("instead"), false};
    EXPECT_EQ(runToEnd(request), 3);
    // The launcher tells beforehand which program it would start.
    platform::SystemProcessLauncher launcher;
    EXPECT_EQ(launcher.locate(request), dir.file("instead/parvixtool"));
    EXPECT_EQ(launcher.locate({"Parvixtool-missing.exe", {}, dir.file("instead"), false}), "");
  }
  setenv("PATH", oldPath.c_str(), 1);
  // The running program's own folder comes first of all.
  std::string own = platform::runningProgramFolder();
  ASSERT_FALSE(own.empty());
  EXPECT_EQ(platform::findProgram("platform_test"), own + "/platform_test");
}

TEST(Process, PathOnlySearchTakesTheNameAsItIs) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("cwd"));
  std::filesystem::create_directory(dir.file("onpath"));
  ASSERT_TRUE(writeScript(dir.file("onpath/parvixtool"), "exit 1\n"));
  ASSERT_TRUE(writeScript(dir.file("cwd/parvixtool"), "exit 2\n"));
  ASSERT_TRUE(writeScript(dir.file("cwd/only-here"), "exit 2\n"));
  std::string oldPath = getenv("PATH");
  {
    CurrentDirScope cwd(dir.file("cwd"));
    setenv("PATH", (dir.file("onpath") + ":" + oldPath).c_str(), 1);
    // PATH only: neither the current folder nor the program's own folder comes first.
    EXPECT_EQ(platform::findProgramOnPath("parvixtool"), dir.file("onpath/parvixtool"));
    EXPECT_EQ(platform::findProgramOnPath("only-here"), "");
    EXPECT_EQ(platform::findProgramOnPath("platform_test"), "");
    EXPECT_EQ(platform::findProgramOnPath("parvixtool.exe"), "");
    // An empty entry of PATH is the current folder.
    setenv("PATH", (":" + dir.file("onpath")).c_str(), 1);
    EXPECT_EQ(platform::findProgramOnPath("parvixtool"), dir.file("cwd/parvixtool"));
    // A folder or a file without the execute right is no program.
    std::filesystem::create_directory(dir.file("onpath/folder"));
    {
      std::ofstream plain(dir.file("onpath/plain"));
    }
    EXPECT_FALSE(platform::isExecutableFile(dir.file("onpath/folder")));
    EXPECT_FALSE(platform::isExecutableFile(dir.file("onpath/plain")));
    EXPECT_EQ(platform::findProgramOnPath("plain"), "");
  }
  setenv("PATH", oldPath.c_str(), 1);
}

}  // namespace

namespace {

// Polls until the process is gone, at most about 10 seconds.
bool goneWithin10s(int pid) {
  return testing_support::within(10000, [pid] { return testing_support::processGone(pid); });
}

// Starts /bin/sleep from a child process of this test (the starter), which
// then waits for ever; returns the starter's and the sleeper's pids.
std::pair<int, int> sleeperOfAStarter(bool endWithStarter) {
  int fds[2];
  if (::pipe(fds) != 0) return {-1, -1};
  pid_t starter = ::fork();
  if (starter == 0) {
    ::close(fds[0]);
    platform::SystemProcessLauncher launcher;
    platform::ChildProcess child;
    int error = 0;
    platform::StartRequest request{"/bin/sleep", {"60"}, "", false};
    request.endWithStarter = endWithStarter;
    int pid = launcher.start(request, &child, &error) ? child.pid : -1;
    ssize_t wrote = ::write(fds[1], &pid, sizeof pid);
    (void)wrote;
    for (;;) ::pause();
  }
  ::close(fds[1]);
  int sleeper = -1;
  if (::read(fds[0], &sleeper, sizeof sleeper) != static_cast<ssize_t>(sizeof sleeper)) sleeper = -1;
  ::close(fds[0]);
  return {starter, sleeper};
}

TEST(Process, AChildEndingWithItsStarterRunsLikeAnyOther) {
  for (bool endWithStarter : {false, true}) {
    SCOPED_TRACE(endWithStarter);
    TempDir dir;
    std::filesystem::create_directory(dir.file("work dir"));
    ASSERT_TRUE(writeScript(dir.file("tool"),
                            "pwd > where.txt; printf '[%s]' \"$@\" > args.txt; cat > input.txt; exit 7\n"));
    platform::StartRequest request{dir.file("tool"), {"a b", "$HOME"}, dir.file("work dir"), false};
    request.endWithStarter = endWithStarter;
    EXPECT_EQ(runToEnd(request), 7);
    EXPECT_EQ(readFile(dir.file("work dir/where.txt")), dir.file("work dir") + "\n");
    EXPECT_EQ(readFile(dir.file("work dir/args.txt")), "[a b][$HOME]");
    EXPECT_EQ(readFile(dir.file("work dir/input.txt")), "");

    // With a pipe to its standard input, which it alone holds open.
    platform::SystemProcessLauncher launcher;
    platform::ChildProcess child;
    int error = 0;
    platform::StartRequest piped{"/bin/sh", {"-c", "cat > got.txt"}, dir.path(), true};
    piped.endWithStarter = endWithStarter;
    ASSERT_TRUE(launcher.start(piped, &child, &error));
    ASSERT_EQ(::write(child.stdinPipe, "exit\n", 5), 5);
    ::close(child.stdinPipe);
    int status = -1;
    EXPECT_EQ(launcher.wait(&child, -1, &status), platform::WaitOutcome::Exited);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFile(dir.file("got.txt")), "exit\n");

    // A program that cannot be run is not started, with the reason.
    ASSERT_TRUE(writeFile(dir.file("not a program"), "text"));
    ASSERT_EQ(::chmod(dir.file("not a program").c_str(), 0755), 0);
    platform::StartRequest bad{dir.file("not a program"), {}, "", false};
    bad.endWithStarter = endWithStarter;
    EXPECT_FALSE(launcher.start(bad, &child, &error));
    EXPECT_EQ(error, ENOEXEC);
    platform::StartRequest noFolder{"/bin/true", {}, "/no/such/folder/parvix", false};
    noFolder.endWithStarter = endWithStarter;
    EXPECT_FALSE(launcher.start(noFolder, &child, &error));
    EXPECT_EQ(error, ENOENT);
  }
}

TEST(Process, WaitTellsASignalFromAnExitStatus) {
  for (bool endWithStarter : {false, true}) {
    SCOPED_TRACE(endWithStarter);
    platform::SystemProcessLauncher launcher;
    struct Case {
      const char* script;
      int status;
      int signal;
    };
    for (const Case& c : {Case{"kill -SEGV $$", 128 + SIGSEGV, SIGSEGV}, Case{"exit 139", 139, 0}, Case{"exit 0", 0, 0}}) {
      platform::ChildProcess child;
      int error = 0;
      platform::StartRequest request{"/bin/sh", {"-c", c.script}, "", false};
      request.endWithStarter = endWithStarter;
      ASSERT_TRUE(launcher.start(request, &child, &error));
      int status = -1;
      ASSERT_EQ(launcher.wait(&child, -1, &status), platform::WaitOutcome::Exited);
      EXPECT_EQ(status, c.status) << c.script;
      EXPECT_EQ(child.endSignal, c.signal) << c.script;
    }
  }
}

TEST(Process, AChildEndingWithItsStarterEndsWhenTheStarterIsKilled) {
  auto [starter, sleeper] = sleeperOfAStarter(true);
  ASSERT_GT(starter, 0);
  ASSERT_GT(sleeper, 0);
  EXPECT_FALSE(testing_support::processGone(sleeper));
  ::kill(starter, SIGKILL);
  int status = 0;
  ::waitpid(starter, &status, 0);
  EXPECT_TRUE(goneWithin10s(sleeper));

  // Without the request the child runs on after its starter.
  auto [plainStarter, plainSleeper] = sleeperOfAStarter(false);
  ASSERT_GT(plainSleeper, 0);
  ::kill(plainStarter, SIGKILL);
  ::waitpid(plainStarter, &status, 0);
  ::usleep(100000);
  EXPECT_FALSE(testing_support::processGone(plainSleeper));
  ::kill(plainSleeper, SIGKILL);
}

}  // namespace
