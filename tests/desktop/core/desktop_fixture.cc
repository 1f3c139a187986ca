#include "tests/desktop/core/desktop_fixture.h"

#include <cerrno>

DesktopTest::DesktopTest() { resetState(); }

DesktopTest::~DesktopTest() = default;

void DesktopTest::resetState() {
  state = SharedState();
  state.StartDir = start.path();
}

std::vector<std::string> DesktopTest::boxTexts() const {
  std::vector<std::string> texts;
  for (const auto& box : boxes.boxes) texts.push_back(box.text);
  return texts;
}

FakeLauncher::FakeLauncher() { platform::setProcessLauncher(this); }
FakeLauncher::~FakeLauncher() { platform::setProcessLauncher(nullptr); }

bool FakeLauncher::start(const platform::StartRequest& request, platform::ChildProcess* child, int* error) {
  started.push_back(request);
  if (locate(request).empty()) {
    *error = ENOENT;
    return false;
  }
  if (startError != 0) {
    *error = startError;
    return false;
  }
  child->pid = 4242;
  return true;
}

std::string FakeLauncher::locate(const platform::StartRequest& request) {
  for (const std::string& missing : missingPrograms)
    if (request.program == missing) return std::string();
  return "/fake/" + request.program;
}

platform::WaitOutcome FakeLauncher::wait(platform::ChildProcess* child, long long timeoutMs, int* exitStatus) {
  lastTimeoutMs = timeoutMs;
  if (childRun) childRun();
  if (timesOut) return platform::WaitOutcome::TimedOut;
  child->pid = -1;
  *exitStatus = 1;
  return platform::WaitOutcome::Exited;
}

void FakeLauncher::terminate(platform::ChildProcess* child) { child->pid = -1; }
