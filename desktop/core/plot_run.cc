#include "desktop/core/plot_run.h"

#include <cerrno>
#include <filesystem>
#include <vector>

#include "desktop/core/plot_command.h"
#include "desktop/core/plot_files.h"
#include "desktop/core/plot_log.h"
#include "desktop/core/shared_state.h"
#include "desktop/core/toolkit_error.h"
#include "platform/busy_cursor.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/support_address.h"
#include "platform/text.h"

using platform::kSupportAddress;

namespace {

const char kRoutineCaption[] = "Error Running Curtain Plot Routine...";
const char kFunctionCaption[] = "Error Running Curtain Plotting Function??";

// What an image file looked like, to tell whether a run replaced it.
struct ImageState {
  bool exists = false;
  std::filesystem::file_time_type written{};
  std::uintmax_t size = 0;
  bool operator==(const ImageState&) const = default;
};

ImageState imageState(const std::string& path) {
  ImageState state;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return state;
  state.exists = true;
  state.written = std::filesystem::last_write_time(path, ec);
  state.size = std::filesystem::file_size(path, ec);
  return state;
}

bool isNewImage(const ImageState& before, const ImageState& after) { return after.exists && !(after == before); }

}  // namespace

PlotRunTexts firstPlotTexts(const std::string& path) {
  PlotRunTexts texts;
  texts.launchFailed = "Error(0x1):Could not run curtain plot routine\n\nFile = " + path +
                       "\n\nMsg = System failed to launch Vantor program.\nPlease report this error to " +
                       kSupportAddress;
  texts.errorsLoggedHead = "Error(0x2):Could not run curtain plot routine\n\nFile = " + path + "\n\nErr Msg = ";
  texts.errorsLoggedTail = std::string("\n\nPlease report this error to ") + kSupportAddress;
  texts.imagesMissing = "Error(0x3): Could not run curtain/profile plots routine\n\nFile = " + path +
                        "\n\nMsg = System failed to launch Vantor program.\nPlease report this error to " +
                        kSupportAddress;
  return texts;
}

PlotRunTexts replotTexts(int fileCount) {
  PlotRunTexts texts;
  std::string tail = std::string("\n\nIf this error persists, please report it to ") + kSupportAddress + ". Thank you.";
  texts.launchFailed = platform::formatText("Could not run curtain plot routine\n\nNum Data Files = %d\n\n", fileCount) +
                       "Msg = System failed to launch Vantor program." + tail;
  texts.errorsLoggedHead =
      platform::formatText("Could not run curtain plot routine\n\nNum Data Files = %d\n\nErr Msg = ", fileCount);
  texts.errorsLoggedTail = tail;
  return texts;
}

platform::StartRequest plotStartRequest(const std::string& startDir, const std::string& commandLine) {
  std::vector<std::string> words = splitCommandLine(commandLine);
  platform::StartRequest request;
  if (!words.empty()) {
    request.program = words.front();
    request.args.assign(words.begin() + 1, words.end());
  }
  request.workDir = startDir;
  return request;
}

namespace {

std::string startFailureText(int error) { return platform::formatText("CreateProcess Failed (Err = %d)", error); }

}  // namespace

bool findPlotProgram(const std::string& startDir, const std::string& commandLine) {
  if (!platform::processLauncher().locate(plotStartRequest(startDir, commandLine)).empty()) return true;
  platform::showMessageBox(startFailureText(ENOENT), kFunctionCaption);
  return false;
}

bool runPlotProgram(SharedState& state, const std::string& commandLine, const PlotRunTexts& texts, ImageRule rule,
                    const PlotFilesBackup& kept, PlotImages* images) {
  std::string curtain = startDirFile(state.StartDir, kCurtainImageName);
  std::string profile = startDirFile(state.StartDir, kProfileImageName);
  ImageState curtainBefore = imageState(curtain);
  ImageState profileBefore = imageState(profile);

  // Every ending but success: the start folder and the plot list go back to
  // what they were before the run, then the one box.
  auto fail = [&](const std::string& text, const char* caption) {
    restorePlotFiles(state, kept);
    platform::showMessageBox(text, caption);
    return false;
  };

  bool started = false;
  int error = 0;
  {
    // The hourglass is shown while the program runs, and gone before any box.
    platform::BusyScope busy;
    state.PlotsReady = false;
    platform::StartRequest request = plotStartRequest(state.StartDir, commandLine);
    platform::ProcessLauncher& launcher = platform::processLauncher();
    platform::ChildProcess child;
    started = launcher.start(request, &child, &error);
    if (started) {
      // After a time-out the child is left running and the run goes on with
      // whatever it has written so far.
      int exitStatus = 0;
      launcher.wait(&child, state.PlotTimeoutMs, &exitStatus);
    }
  }
  if (!started) return fail(startFailureText(error), kFunctionCaption);

  std::string logPath = startDirFile(state.StartDir, kPlotLogName);
  std::error_code ec;
  if (std::filesystem::exists(logPath, ec)) {
    PlotLogReading reading = readPlotLog(logPath);
    switch (judgePlotLog(reading)) {
      case PlotLogVerdict::LaunchFailed:
        return fail(texts.launchFailed, kRoutineCaption);
      case PlotLogVerdict::ErrorsLogged:
        return fail(texts.errorsLoggedHead + reading.message + texts.errorsLoggedTail, kRoutineCaption);
      case PlotLogVerdict::Passed:
        break;
    }
  }

  if (rule == ImageRule::BothMustExist) {
    if (!std::filesystem::exists(curtain, ec) || !std::filesystem::exists(profile, ec))
      return fail(texts.imagesMissing, kRoutineCaption);
  } else if (!isNewImage(curtainBefore, imageState(curtain)) && !isNewImage(profileBefore, imageState(profile))) {
    // Nothing was drawn: the old images must not pass for new ones.
    return fail(texts.launchFailed, kRoutineCaption);
  }

  // An image that is empty or cannot be decoded (the plot program's success
  // notwithstanding) fails the run too; its box is the application's
  // exception box, naming the file.
  try {
    PlotImages decoded{decodeJpegFile(curtain), decodeJpegFile(profile)};
    if (images) *images = std::move(decoded);
  } catch (const ToolkitError& e) {
    return fail(e.what(), kApplicationTitle);
  } catch (...) {
    restorePlotFiles(state, kept);
    throw;
  }
  return true;
}

PlotFilesBackup prepareReplot(const SharedState& state) {
  enterStartDir(state.StartDir);
  PlotFilesBackup kept = keepPlotFiles(state);
  removePlotOutputs(state.StartDir, false);
  return kept;
}

bool runReplot(SharedState& state, const std::string& commandLine, const PlotFilesBackup& kept, PlotImages* images) {
  if (!runPlotProgram(state, commandLine, replotTexts(state.PlotFileCount), ImageRule::OneMustChange, kept, images))
    return false;
  if (!state.PlotFiles.empty()) state.PlottedFile = state.PlotFiles.front();
  return true;
}
