#include "platform/forked_work.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstring>

namespace platform {
namespace {

// A record on the pipe: its length as 8 bytes in this machine's order, then
// its bytes.
constexpr size_t kLengthSize = sizeof(uint64_t);

// In the child: writes the record whole, or ends the child when the parent is
// gone (nobody is left to read what it would still find).
void sendRecord(int fd, std::string_view record) {
  uint64_t length = record.size();
  std::string frame(kLengthSize + record.size(), '\0');
  std::memcpy(frame.data(), &length, kLengthSize);
  std::memcpy(frame.data() + kLengthSize, record.data(), record.size());
  const char* data = frame.data();
  size_t left = frame.size();
  while (left > 0) {
    ssize_t n = ::write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::_exit(1);
    }
    data += n;
    left -= static_cast<size_t>(n);
  }
}

// Hands every whole record at the front of pending to onRecord and keeps the
// bytes of an incomplete one.
void deliverWholeRecords(std::string& pending, const std::function<void(const std::string&)>& onRecord) {
  size_t at = 0;
  for (;;) {
    if (pending.size() - at < kLengthSize) break;
    uint64_t length = 0;
    std::memcpy(&length, pending.data() + at, kLengthSize);
    if (pending.size() - at - kLengthSize < length) break;
    onRecord(pending.substr(at + kLengthSize, static_cast<size_t>(length)));
    at += kLengthSize + static_cast<size_t>(length);
  }
  pending.erase(0, at);
}

// Waits for the child's end; false (with the wait's errno) when the wait
// failed, which leaves its end unknown.
bool reap(pid_t pid, int* status, int* error) {
  while (::waitpid(pid, status, 0) < 0) {
    if (errno != EINTR) {
      *error = errno;
      return false;
    }
  }
  return true;
}

// SIGCHLD with its default action while a child runs: when SIGCHLD is ignored
// (a parent may pass that on through exec) or its children are not to be
// waited for, the kernel reaps the child itself and the wait learns nothing.
class DefaultChildSignal {
 public:
  DefaultChildSignal() {
    if (::sigaction(SIGCHLD, nullptr, &previous_) != 0) return;
    const bool ignored = (previous_.sa_flags & SA_SIGINFO) == 0 && previous_.sa_handler == SIG_IGN;
    if (!ignored && (previous_.sa_flags & SA_NOCLDWAIT) == 0) return;
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    changed_ = ::sigaction(SIGCHLD, &standard, nullptr) == 0;
  }
  ~DefaultChildSignal() {
    if (changed_) ::sigaction(SIGCHLD, &previous_, nullptr);
  }
  DefaultChildSignal(const DefaultChildSignal&) = delete;
  DefaultChildSignal& operator=(const DefaultChildSignal&) = delete;

 private:
  struct sigaction previous_ {};
  bool changed_ = false;
};

// In the child, first of all: it ends with the parent (pid parent), so that a
// looping library does not spin on for ever once nobody waits for it. The
// parent may have ended before the request was made; then the child ends now.
void endWithParent(pid_t parent) {
#ifdef __linux__
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent) ::_exit(1);
#else
  (void)parent;
#endif
}

ForkedEnd runHere(const std::function<void(const RecordSender&)>& work,
                  const std::function<void(const std::string&)>& onRecord) {
  ForkedEnd end;
  try {
    work([&](std::string_view record) { onRecord(std::string(record)); });
  } catch (...) {
    end.exitStatus = 1;
  }
  return end;
}

}  // namespace

bool isCrashSignal(int signal) {
  switch (signal) {
    case SIGSEGV:
    case SIGBUS:
    case SIGFPE:
    case SIGILL:
    case SIGABRT:
    case SIGTRAP:
    case SIGSYS:
      return true;
    default:
      return false;
  }
}

ForkedEnd runForked(const std::function<void(const RecordSender& send)>& work,
                    const std::function<void(const std::string& record)>& onRecord, long long timeLimitMs) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return runHere(work, onRecord);
  DefaultChildSignal childSignal;
  const pid_t parent = ::getpid();
  pid_t pid = ::fork();
  if (pid < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return runHere(work, onRecord);
  }
  if (pid == 0) {
    endWithParent(parent);
    ::close(fds[0]);
    int code = 0;
    try {
      work([fd = fds[1]](std::string_view record) { sendRecord(fd, record); });
    } catch (...) {
      code = 1;
    }
    ::_exit(code);
  }
  ::close(fds[1]);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs < 0 ? 0 : timeLimitMs);
  std::string pending;
  char chunk[65536];
  bool timedOut = false;
  bool pipeEnded = false;  // the child closed its end, which it does only by ending
  while (!pipeEnded) {
    int waitMs = -1;
    if (timeLimitMs >= 0) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) {
        timedOut = true;
        break;
      }
      waitMs = left.count() > INT_MAX ? INT_MAX : static_cast<int>(left.count());
    }
    struct pollfd p = {fds[0], POLLIN, 0};
    int ready = ::poll(&p, 1, waitMs);
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    ssize_t n = ::read(fds[0], chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      break;
    }
    if (n == 0) {
      pipeEnded = true;
    } else {
      pending.append(chunk, static_cast<size_t>(n));
      deliverWholeRecords(pending, onRecord);
    }
  }
  ::close(fds[0]);

  ForkedEnd end;
  if (!pipeEnded) ::kill(pid, SIGKILL);  // past its time, or the pipe failed: the child must not outlive us
  int status = 0;
  int waitError = 0;
  const bool reaped = reap(pid, &status, &waitError);
  if (timedOut) {
    end.kind = ForkedEnd::TimedOut;
  } else if (!reaped) {
    end.kind = ForkedEnd::WaitFailed;
    end.waitError = waitError;
  } else if (WIFSIGNALED(status)) {
    end.kind = ForkedEnd::Signalled;
    end.signal = WTERMSIG(status);
  } else {
    end.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 0;
  }
  return end;
}

}  // namespace platform
