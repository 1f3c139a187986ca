#include "platform/forked_work.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
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

int reap(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return 0;  // not our child any more: treat as ended
  }
  return status;
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

ForkedEnd runForked(const std::function<void(const RecordSender& send)>& work,
                    const std::function<void(const std::string& record)>& onRecord, long long timeLimitMs) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return runHere(work, onRecord);
  pid_t pid = ::fork();
  if (pid < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return runHere(work, onRecord);
  }
  if (pid == 0) {
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
  int status = reap(pid);
  if (timedOut) {
    end.kind = ForkedEnd::TimedOut;
  } else if (WIFSIGNALED(status)) {
    end.kind = ForkedEnd::Signalled;
    end.signal = WTERMSIG(status);
  } else {
    end.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 0;
  }
  return end;
}

}  // namespace platform
