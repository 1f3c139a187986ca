// Starting child programs and waiting for them.
//
// Programs are started from an argument vector, never through a shell, so a
// path with blanks or shell characters reaches the child as one argument.
#pragma once

#include <string>
#include <vector>

namespace platform {

// A started child process.
struct ChildProcess {
  int pid = -1;
  int stdinPipe = -1;  // write end of the child's standard input when asked for, else -1
  int endSignal = 0;   // once wait saw the child end: the signal that ended it, 0 when it exited
};

// What to start.
struct StartRequest {
  std::string program;            // name (searched, see findProgram) or path
  std::vector<std::string> args;  // the arguments after the program name
  std::string workDir;            // the child's current folder; empty: the caller's. It is also
                                  // searched for the program where the caller's current folder
                                  // would be, as the caller would have changed to it first
  bool pipeStdin = false;         // give the caller a pipe to the child's standard input
                                  // (otherwise standard input is /dev/null)
  bool endWithStarter = false;    // the child is killed (SIGKILL) when the process that
                                  // started it ends, so that it never runs on without it
};

enum class WaitOutcome { Exited, TimedOut };

// The operating system's process control, behind an interface so that tests
// can replace it.
class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // Starts the program; on failure returns false with *error set to an errno value
  // (ENOENT, 2, when the program is not found).
  virtual bool start(const StartRequest& request, ChildProcess* child, int* error) = 0;
  // The program that start would run for the request: its absolute path, or ""
  // when it is not found (start would fail with ENOENT). Lets a caller find out
  // before it prepares files for a child that cannot be started. The system's
  // search is findProgram(request.program, request.workDir).
  virtual std::string locate(const StartRequest& request);
  // Waits at most timeoutMs (negative: without limit) for the child to end; on
  // Exited, *exitStatus is its exit code, or 128 + signal when a signal ended it
  // (the system's launcher then also sets child->endSignal).
  virtual WaitOutcome wait(ChildProcess* child, long long timeoutMs, int* exitStatus) = 0;
  // Ends a child that is still running (SIGTERM, then SIGKILL after a grace
  // period) and reaps it.
  virtual void terminate(ChildProcess* child) = 0;
};

// The real implementation over posix_spawn (fork and exec for a child that
// ends with its starter) and waitpid.
class SystemProcessLauncher : public ProcessLauncher {
 public:
  bool start(const StartRequest& request, ChildProcess* child, int* error) override;
  WaitOutcome wait(ChildProcess* child, long long timeoutMs, int* exitStatus) override;
  void terminate(ChildProcess* child) override;
};

// The launcher in use: the system's, unless a test installed another.
ProcessLauncher& processLauncher();
// Installs a launcher; nullptr restores the system's.
void setProcessLauncher(ProcessLauncher* launcher);

// Resolves a program name to a path as the programs' own platform searches: a
// trailing ".exe" (any case) is dropped; a name holding '/' is taken as a path;
// otherwise the running program's folder, the current folder (currentFolder in
// its place when not empty) and then each folder of PATH are searched for an
// executable file of that name. Returns the absolute path, or "" when none.
std::string findProgram(const std::string& name, const std::string& currentFolder = "");

// The first executable file `name` in a folder of PATH (an empty entry is the
// current folder), as an absolute path; "" when none. The name is taken as it
// is: no ".exe" dropped, and neither the running program's folder nor the
// current folder is searched first.
std::string findProgramOnPath(const std::string& name);

// A regular file that this process may execute.
bool isExecutableFile(const std::string& path);

// The folder of the running program's executable ("" when it cannot be read).
std::string runningProgramFolder();

}  // namespace platform
