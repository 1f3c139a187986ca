#include "platform/forked_work.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/platform_doubles.h"

namespace {

struct ChildRun {
  platform::ForkedEnd end;
  std::vector<std::string> records;
};

// Runs work in a child: it sends "a", a large record and an empty one, then
// does what `then` says.
ChildRun runWith(const std::function<void()>& then, long long timeLimitMs = -1) {
  ChildRun run;
  run.end = platform::runForked(
      [&](const platform::RecordSender& send) {
        send("a");
        send(std::string(300000, 'b'));
        send("");
        send(std::to_string(getpid()));
        then();
      },
      [&](const std::string& record) { run.records.push_back(record); }, timeLimitMs);
  return run;
}

// SIGCHLD with the given action for the scope: ignored, or children not to be
// waited for, as a parent may pass them on through exec or a program set them.
class ChildSignalScope {
 public:
  ChildSignalScope(sighandler_t handler, int flags) {
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = flags;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGCHLD, &action, &previous_);
  }
  ~ChildSignalScope() { ::sigaction(SIGCHLD, &previous_, nullptr); }
  ChildSignalScope(const ChildSignalScope&) = delete;
  ChildSignalScope& operator=(const ChildSignalScope&) = delete;

 private:
  struct sigaction previous_ {};
};

// The same whether this process takes SIGCHLD as it comes, ignores it, or
// does not wait for its children.
TEST(ForkedWork, RecordsArriveWholeAndInOrderHoweverTheChildEnds) {
  struct Case {
    const char* label;
    std::function<void()> then;
    long long timeLimitMs;
    platform::ForkedEnd::Kind kind;
    int exitStatus;
    int signal;
  };
  const Case cases[] = {
      {"returns", [] {}, -1, platform::ForkedEnd::Exited, 0, 0},
      {"throws", [] { throw std::runtime_error("x"); }, -1, platform::ForkedEnd::Exited, 1, 0},
      {"exits early", [] { ::_exit(3); }, -1, platform::ForkedEnd::Exited, 3, 0},
      {"is killed", [] { ::raise(SIGKILL); }, -1, platform::ForkedEnd::Signalled, 0, SIGKILL},
      {"aborts", [] { ::signal(SIGABRT, SIG_DFL); ::raise(SIGABRT); }, -1, platform::ForkedEnd::Signalled, 0,
       SIGABRT},
      {"hangs", [] { for (;;) ::pause(); }, 200, platform::ForkedEnd::TimedOut, 0, 0},
  };
  const struct {
    const char* label;
    sighandler_t handler;
    int flags;
  } childSignals[] = {
      {"SIGCHLD default", SIG_DFL, 0},
      {"SIGCHLD ignored", SIG_IGN, 0},
      {"children not waited for", SIG_DFL, SA_NOCLDWAIT},
  };
  for (const auto& childSignal : childSignals) {
    SCOPED_TRACE(childSignal.label);
    ChildSignalScope scope(childSignal.handler, childSignal.flags);
    for (const Case& c : cases) {
      ChildRun run = runWith(c.then, c.timeLimitMs);
      EXPECT_EQ(run.end.kind, c.kind) << c.label;
      EXPECT_EQ(run.end.exitStatus, c.exitStatus) << c.label;
      EXPECT_EQ(run.end.signal, c.signal) << c.label;
      ASSERT_EQ(run.records.size(), 4u) << c.label;
      EXPECT_EQ(run.records[0], "a");
      EXPECT_EQ(run.records[1], std::string(300000, 'b'));
      EXPECT_EQ(run.records[2], "");
      // The child is gone and reaped.
      pid_t child = static_cast<pid_t>(std::stol(run.records[3]));
      EXPECT_NE(child, getpid()) << c.label;
      EXPECT_EQ(::kill(child, 0), -1) << c.label;
      EXPECT_EQ(errno, ESRCH) << c.label;
    }
    // The caller's action for SIGCHLD is as it was.
    struct sigaction now {};
    ASSERT_EQ(::sigaction(SIGCHLD, nullptr, &now), 0);
    EXPECT_EQ(now.sa_handler, childSignal.handler);
    EXPECT_EQ(now.sa_flags & SA_NOCLDWAIT, childSignal.flags);
  }
}

// A child that someone else reaped first: its end is unknown, and the wait's
// failure says so (it is no exit with status 0).
TEST(ForkedWork, AWaitThatFailsSaysSo) {
  std::vector<std::string> records;
  platform::ForkedEnd end = platform::runForked(
      [](const platform::RecordSender& send) {
        send(std::to_string(getpid()));
        for (;;) ::pause();
      },
      [&](const std::string& record) {
        records.push_back(record);
        pid_t child = static_cast<pid_t>(std::stol(record));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
      },
      -1);
  EXPECT_EQ(records.size(), 1u);
  EXPECT_EQ(end.kind, platform::ForkedEnd::WaitFailed);
  EXPECT_EQ(end.waitError, ECHILD);
  EXPECT_EQ(end.exitStatus, 0);
  EXPECT_EQ(end.signal, 0);
}

TEST(ForkedWork, CrashSignalsAreThoseOfAProcesssOwnFaults) {
  for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS}) {
    EXPECT_TRUE(platform::isCrashSignal(signal)) << signal;
  }
  for (int signal : {SIGKILL, SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGPIPE, SIGUSR1, SIGXCPU, 0}) {
    EXPECT_FALSE(platform::isCrashSignal(signal)) << signal;
  }
}

// Reads from fd up to a line end; "" when nothing came within the bound.
std::string readLine(int fd) {
  std::string line;
  for (int polls = 0; polls < 200 && line.find('\n') == std::string::npos; ++polls) {
    struct pollfd p = {fd, POLLIN, 0};
    if (::poll(&p, 1, 100) <= 0) continue;
    char c;
    if (::read(fd, &c, 1) != 1) break;
    line += c;
  }
  return line.find('\n') == std::string::npos ? std::string() : line.substr(0, line.size() - 1);
}

// The work of a process that is killed ends with it, even while it loops.
TEST(ForkedWork, TheWorkEndsWithTheProcessThatStartedIt) {
  // This process adopts the orphaned work, so that it can wait for its end.
  ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  const pid_t starter = ::fork();
  ASSERT_GE(starter, 0);
  if (starter == 0) {
    ::close(fds[0]);
    platform::runForked(
        [](const platform::RecordSender& send) {
          send(std::to_string(getpid()) + "\n");
          volatile unsigned long turns = 0;
          for (;;) turns = turns + 1;  // a library that loops without a call to the system
        },
        [&](const std::string& record) {
          if (::write(fds[1], record.data(), record.size()) < 0) ::_exit(2);
        },
        -1);
    ::_exit(0);
  }
  ::close(fds[1]);
  const std::string line = readLine(fds[0]);
  ::close(fds[0]);
  ::kill(starter, SIGKILL);
  int status = 0;
  ::waitpid(starter, &status, 0);
  ASSERT_FALSE(line.empty());
  const pid_t work = static_cast<pid_t>(std::stol(line));

  // A bounded wait for the work's end; when it does not come, the work is
  // ended here.
  const bool ended = testing_support::reapWithin(work, 20000, &status);
  ::prctl(PR_SET_CHILD_SUBREAPER, 0);
  ASSERT_TRUE(ended) << "the work still ran after its parent was killed";
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGKILL);
}

TEST(ForkedWork, TheWorkChangesNothingInTheCaller) {
  int touched = 0;
  platform::ForkedEnd end = platform::runForked([&](const platform::RecordSender&) { touched = 1; },
                                                [](const std::string&) {}, -1);
  EXPECT_EQ(end.kind, platform::ForkedEnd::Exited);
  EXPECT_EQ(touched, 0);
}

}  // namespace
