// Shared set-up of the front end's plain tests: a fresh start folder, recorded
// boxes and a shared-state record of their own.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "desktop/core/shared_state.h"
#include "platform/process.h"
#include "tests/support/platform_doubles.h"

class DesktopTest : public ::testing::Test {
 protected:
  DesktopTest();
  ~DesktopTest() override;

  // A fresh record in the same start folder.
  void resetState();

  // The texts of the boxes shown so far.
  std::vector<std::string> boxTexts() const;

  testing_support::TempDir start;
  testing_support::RecordingBoxes boxes;
  // What the windows would share, its StartDir the start folder.
  SharedState state;
};

// A launcher that records what it was asked to start and runs a callback in
// place of the child.
class FakeLauncher : public platform::ProcessLauncher {
 public:
  FakeLauncher();
  ~FakeLauncher() override;
  bool start(const platform::StartRequest& request, platform::ChildProcess* child, int* error) override;
  // "/fake/" + the program, or "" for a missing one.
  std::string locate(const platform::StartRequest& request) override;
  platform::WaitOutcome wait(platform::ChildProcess* child, long long timeoutMs, int* exitStatus) override;
  void terminate(platform::ChildProcess* child) override;

  std::vector<platform::StartRequest> started;
  long long lastTimeoutMs = 0;
  int startError = 0;              // non-zero: start fails with this error
  std::vector<std::string> missingPrograms;  // not found: locate gives "", start fails with ENOENT
  std::function<void()> childRun;  // what the "child" does, run at the wait
  bool timesOut = false;           // the wait ends by its time-out, the child still running
};
