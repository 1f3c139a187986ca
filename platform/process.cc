#include "platform/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <thread>

extern char** environ;

namespace platform {
namespace {

std::string absolutePath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(path, ec);
  return ec ? path : p.lexically_normal().string();
}

std::string stripExe(const std::string& name) {
  if (name.size() > 4) {
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (tail == ".exe") return name.substr(0, name.size() - 4);
  }
  return name;
}

// Decodes a waitpid status into an exit code.
int exitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// Returns true when the child was reaped; *status gets its wait status.
bool reapIfDone(int pid, int* status) {
  for (;;) {
    int r = ::waitpid(pid, status, WNOHANG);
    if (r == pid) return true;
    if (r == 0) return false;
    if (errno == EINTR) continue;
    *status = 0;  // not our child any more (already reaped): treat as ended
    return true;
  }
}

// Starts a child that ends with this process: fork and exec, since
// posix_spawn cannot ask for the parent-death signal. Between fork and exec
// the child calls only async-signal-safe functions; an exec (or a setup step)
// that fails sends its errno back through a close-on-exec pipe, so a child
// that never ran the program is reported as not started.
bool forkEndingWithStarter(const std::string& path, const StartRequest& request, char* const* argv, int stdinFd,
                           int* pid, int* error) {
  int report[2] = {-1, -1};
  if (::pipe2(report, O_CLOEXEC) != 0) {
    *error = errno;
    return false;
  }
  const pid_t starter = ::getpid();
  const char* workDir = request.workDir.empty() ? nullptr : request.workDir.c_str();
  const pid_t child = ::fork();
  if (child < 0) {
    *error = errno;
    ::close(report[0]);
    ::close(report[1]);
    return false;
  }
  if (child == 0) {
    // Killed when the starter ends; a starter that ended already ends it now.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != starter) ::_exit(127);
    int failure = 0;
    int input = stdinFd >= 0 ? stdinFd : ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (input < 0)
      failure = errno;
    else if (input == 0 ? ::fcntl(0, F_SETFD, 0) != 0 : ::dup2(input, 0) != 0)
      failure = errno;
    if (failure == 0 && workDir && ::chdir(workDir) != 0) failure = errno;
    if (failure == 0) {
      // The program starts with default SIGPIPE handling even when this
      // process ignores it.
      struct sigaction defaults {};
      defaults.sa_handler = SIG_DFL;
      ::sigaction(SIGPIPE, &defaults, nullptr);
      ::execve(path.c_str(), argv, environ);
      failure = errno;
    }
    ssize_t ignored = ::write(report[1], &failure, sizeof failure);
    (void)ignored;
    ::_exit(127);
  }
  ::close(report[1]);
  int failure = 0;
  ssize_t got;
  do {
    got = ::read(report[0], &failure, sizeof failure);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  if (got == static_cast<ssize_t>(sizeof failure)) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    *error = failure;
    return false;
  }
  *pid = child;
  return true;
}

SystemProcessLauncher& systemLauncher() {
  static SystemProcessLauncher launcher;
  return launcher;
}

ProcessLauncher* installedLauncher = nullptr;

}  // namespace

std::string runningProgramFolder() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

bool isExecutableFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string findProgramOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return std::string();
  std::string_view list = path;
  for (size_t start = 0;;) {
    size_t colon = list.find(':', start);
    std::string folder(list.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start));
    std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
    if (isExecutableFile(candidate)) return absolutePath(candidate);
    if (colon == std::string_view::npos) return std::string();
    start = colon + 1;
  }
}

std::string findProgram(const std::string& rawName, const std::string& currentFolder) {
  std::string name = stripExe(rawName);
  if (name.empty()) return std::string();
  if (name.find('/') != std::string::npos) {
    if (isExecutableFile(name)) return absolutePath(name);
    std::string alternative = rawName;  // the name as given, ".exe" and all
    return isExecutableFile(alternative) ? absolutePath(alternative) : std::string();
  }
  std::vector<std::string> folders;
  std::string own = runningProgramFolder();
  if (!own.empty()) folders.push_back(own);
  folders.push_back(currentFolder.empty() ? "." : currentFolder);
  for (const std::string& folder : folders) {
    std::string candidate = folder + "/" + name;
    if (isExecutableFile(candidate)) return absolutePath(candidate);
  }
  return findProgramOnPath(name);
}

std::string ProcessLauncher::locate(const StartRequest& request) {
  return findProgram(request.program, request.workDir);
}

bool SystemProcessLauncher::start(const StartRequest& request, ChildProcess* child, int* error) {
  *child = ChildProcess();
  std::string path = locate(request);
  if (path.empty()) {
    *error = ENOENT;
    return false;
  }

  int pipeFds[2] = {-1, -1};
  if (request.pipeStdin && ::pipe2(pipeFds, O_CLOEXEC) != 0) {
    *error = errno;
    return false;
  }

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& arg : request.args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  pid_t pid = -1;
  int rc = 0;
  if (request.endWithStarter) {
    int started = -1;
    if (!forkEndingWithStarter(path, request, argv.data(), request.pipeStdin ? pipeFds[0] : -1, &started, &rc))
      rc = rc != 0 ? rc : EIO;
    pid = started;
  } else {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (request.pipeStdin)
      posix_spawn_file_actions_adddup2(&actions, pipeFds[0], 0);
    else
      posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (!request.workDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, request.workDir.c_str());

    // The child starts with default signal handling even when this process
    // ignores SIGPIPE.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    rc = posix_spawn(&pid, path.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  if (request.pipeStdin) ::close(pipeFds[0]);
  if (rc != 0) {
    if (request.pipeStdin) ::close(pipeFds[1]);
    *error = rc;
    return false;
  }
  child->pid = pid;
  child->stdinPipe = request.pipeStdin ? pipeFds[1] : -1;
  return true;
}

WaitOutcome SystemProcessLauncher::wait(ChildProcess* child, long long timeoutMs, int* exitStatus) {
  int status = 0;
  if (child->pid <= 0) {
    *exitStatus = -1;
    return WaitOutcome::Exited;
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, child->pid, 0));
  auto pause = std::chrono::milliseconds(1);
  for (;;) {
    if (reapIfDone(child->pid, &status)) break;
    long long leftMs = -1;
    if (timeoutMs >= 0) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) {
        if (pidfd >= 0) ::close(pidfd);
        return WaitOutcome::TimedOut;
      }
      leftMs = left.count();
    }
    if (pidfd >= 0) {
      struct pollfd p = {pidfd, POLLIN, 0};
      int slice = leftMs < 0 || leftMs > 60000 ? 60000 : static_cast<int>(leftMs);
      ::poll(&p, 1, slice);
    } else {
      auto slice = pause;
      if (leftMs >= 0 && slice.count() > leftMs) slice = std::chrono::milliseconds(leftMs);
      std::this_thread::sleep_for(slice);
      if (pause < std::chrono::milliseconds(50)) pause *= 2;
    }
  }
  if (pidfd >= 0) ::close(pidfd);
  child->pid = -1;
  child->endSignal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  *exitStatus = exitCodeOf(status);
  return WaitOutcome::Exited;
}

void SystemProcessLauncher::terminate(ChildProcess* child) {
  if (child->pid <= 0) return;
  int status = 0;
  if (!reapIfDone(child->pid, &status)) {
    ::kill(child->pid, SIGTERM);
    int ignored = 0;
    if (wait(child, 2000, &ignored) == WaitOutcome::TimedOut) {
      ::kill(child->pid, SIGKILL);
      wait(child, -1, &ignored);
    }
  }
  child->pid = -1;
  if (child->stdinPipe >= 0) {
    ::close(child->stdinPipe);
    child->stdinPipe = -1;
  }
}

ProcessLauncher& processLauncher() {
  return installedLauncher ? *installedLauncher : systemLauncher();
}

void setProcessLauncher(ProcessLauncher* launcher) { installedLauncher = launcher; }

}  // namespace platform
