#include "platform/forked_work.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <string>
#include <vector>

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
}

TEST(ForkedWork, TheWorkChangesNothingInTheCaller) {
  int touched = 0;
  platform::ForkedEnd end = platform::runForked([&](const platform::RecordSender&) { touched = 1; },
                                                [](const std::string&) {}, -1);
  EXPECT_EQ(end.kind, platform::ForkedEnd::Exited);
  EXPECT_EQ(touched, 0);
}

}  // namespace
