// Shared set-up of the window tests: both windows with the state they share in
// a fresh start folder, the boxes recorded and the file dialogs answered by the
// test.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "desktop/core/shared_state.h"
#include "desktop/gui/curview.h"
#include "desktop/gui/file_chooser.h"
#include "desktop/gui/parvixfscan.h"
#include "desktop/gui/qt_platform.h"
#include "tests/support/platform_doubles.h"

// Answers the dialogs with preset names and records what they were asked.
class FakeChooser : public FileChooser {
 public:
  FakeChooser() { setFileChooser(this); }
  ~FakeChooser() override { setFileChooser(nullptr); }
  std::string openFileName(QWidget*, const std::string& filter, int filterIndex) override {
    openFilters.push_back(filter);
    lastFilterIndex = filterIndex;
    return openAnswer;
  }
  std::string saveFileName(QWidget*, const std::string& title, const std::string& suggested,
                           const std::string& filter) override {
    saveTitles.push_back(title);
    saveSuggestions.push_back(suggested);
    saveFilters.push_back(filter);
    return saveAnswer;
  }

  std::string openAnswer;
  std::string saveAnswer;
  std::vector<std::string> openFilters;
  int lastFilterIndex = -1;
  std::vector<std::string> saveTitles, saveSuggestions, saveFilters;
};

// Both windows, created in a fresh start folder as the program creates them:
// with a shared-state record of their own, linked to each other. The platform
// hooks (boxes, dialogs, hourglass) are the process's: of several Skeldas the
// one made last has them.
struct Skelda {
  Skelda();
  ~Skelda();

  testing_support::TempDir start;
  std::unique_ptr<testing_support::CurrentDirScope> inStart;
  testing_support::RecordingBoxes boxes;
  FakeChooser chooser;
  QtBusyCursor cursor;
  SharedState state;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<TCurForm> plot;

  // Writes a data file under the start folder's "samples" folder; returns its path.
  std::string writeSample(const std::string& name, const std::string& text);
  // Types the path and presses ScanFile.
  void scan(const std::string& path);
  std::string boxList() const;
  // Writes two images that cannot be decoded over the start folder's plot images.
  void writeUndecodableImages() const;
};

// Saves a window's picture as PNG under the build folder; returns the path.
std::string saveScreenshot(QWidget* window, const std::string& name);
