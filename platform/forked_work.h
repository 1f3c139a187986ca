// Running a piece of work in a forked child process, so that a crash or an
// endless loop inside it (in a library the work calls on untrusted input)
// cannot take the calling program with it. The child hands its results to the
// parent as records through a pipe, as it makes them; the parent receives
// every record sent before the child ended, however it ended.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Hands one record to the parent.
using RecordSender = std::function<void(std::string_view record)>;

// How the child ended.
struct ForkedEnd {
  enum Kind { Exited, Signalled, TimedOut, WaitFailed };
  Kind kind = Exited;
  int exitStatus = 0;  // Exited: the child's exit code (0 after work returned)
  int signal = 0;      // Signalled: the signal that ended it
  int waitError = 0;   // WaitFailed: the errno of the wait, which learned nothing of the end
};

// Whether a signal is one that a process's own fault raises in it (a bad
// memory access, a bad instruction or arithmetic, an abort): a crash, as
// against a signal sent to it from outside (SIGKILL, SIGTERM, ...).
bool isCrashSignal(int signal);

// Runs work(send) in a forked child and calls onRecord in this process for each
// record, in order. The child ends with exit code 0 when work returns (1 when
// it throws), without running this program's exit handlers. A child that
// runs longer than timeLimitMs (negative: no limit) is killed, and so is one
// whose parent ends first (on Linux; the parent being the thread that called
// this function). The child is reaped before the function returns, also when
// this process ignores SIGCHLD (SIGCHLD has its default action while the child
// runs, and the caller's action back afterwards); when something else in this
// process waited for the child first, its end is WaitFailed. When no child can
// be made, work runs in this process, its records going straight to onRecord.
ForkedEnd runForked(const std::function<void(const RecordSender& send)>& work,
                    const std::function<void(const std::string& record)>& onRecord, long long timeLimitMs);

}  // namespace platform
