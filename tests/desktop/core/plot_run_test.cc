#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "desktop/core/first_plot.h"
#include "desktop/core/plot_command.h"
#include "desktop/core/plot_files.h"
#include "desktop/core/plot_run.h"
#include "platform/support_address.h"
#include "tests/desktop/core/desktop_fixture.h"
#include "tests/desktop/core/jpeg_writer.h"

using platform::kSupportAddress;

namespace {

using testing_support::readFile;
using testing_support::writeFile;

const char kFile[] = "/d/DATAID_SITE_20180315_R0.dat";

class DesktopPlotRun : public DesktopTest {
 protected:
  void writeLog(const std::string& text) { writeFile(startDirFile(state.StartDir, kPlotLogName), text); }
  void writeImages() {
    ASSERT_TRUE(writeSolidJpeg(startDirFile(state.StartDir, kCurtainImageName), 80, 70, 10, 20, 200));
    ASSERT_TRUE(writeSolidJpeg(startDirFile(state.StartDir, kProfileImageName), 40, 70, 200, 20, 10));
  }
  bool runFirst() {
    return runPlotProgram(state, fixedPlotCommandLine(false), firstPlotTexts(kFile), ImageRule::BothMustExist,
                          keepPlotFiles(state), nullptr);
  }
  bool runReplot(int count) {
    return runPlotProgram(state, fixedPlotCommandLine(false), replotTexts(count), ImageRule::OneMustChange,
                          keepPlotFiles(state), nullptr);
  }
  FakeLauncher launcher;
};

TEST_F(DesktopPlotRun, StartsTheProgramHiddenInTheStartFolderWithItsArguments) {
  launcher.childRun = [&] {
    writeLog("OK. Starting: \nOk. End:   \n");
    writeImages();
  };
  state.PlotsReady = true;
  EXPECT_TRUE(runFirst());
  EXPECT_FALSE(state.PlotsReady);  // the caller sets it once the images are shown
  ASSERT_EQ(launcher.started.size(), 1u);
  const platform::StartRequest& r = launcher.started[0];
  EXPECT_EQ(r.program, "Vantor.exe");
  ASSERT_EQ(r.args.size(), 20u);
  EXPECT_EQ(r.args[0], "ANY");
  EXPECT_EQ(r.args[7], "20000000000000");
  EXPECT_EQ(r.workDir, start.path());
  EXPECT_FALSE(r.pipeStdin);
  EXPECT_EQ(launcher.lastTimeoutMs, 72000000);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DesktopPlotRun, StartFailureShowsTheErrorCode) {
  launcher.startError = 2;
  EXPECT_FALSE(runFirst());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "CreateProcess Failed (Err = 2)");
  EXPECT_EQ(boxes.boxes[0].caption, "Error Running Curtain Plotting Function??");
}

// The toolkit names one support address in every program's texts.
TEST_F(DesktopPlotRun, TextsNameTheToolkitsSupportAddress) {
  const std::string address = "parvix-support@example.org";
  EXPECT_EQ(std::string(kSupportAddress), address);
  PlotRunTexts first = firstPlotTexts(kFile);
  for (const std::string& text : {first.launchFailed, first.errorsLoggedTail, first.imagesMissing})
    EXPECT_EQ(text.substr(text.size() - address.size()), address) << text;
  PlotRunTexts replot = replotTexts(2);
  EXPECT_NE(replot.launchFailed.find(address + ". Thank you."), std::string::npos);
}

TEST_F(DesktopPlotRun, LoggedErrorsAreShown) {
  launcher.childRun = [&] {
    writeLog("OK. Starting: \nERROR: invalid int input: -5\n");
    writeImages();
  };
  EXPECT_FALSE(runFirst());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, std::string("Error(0x2):Could not run curtain plot routine\n\nFile = ") + kFile +
                                     "\n\nErr Msg = Plotting...\nERROR: invalid int input: -5\n\n\nPlease report this "
                                     "error to " + kSupportAddress);
  EXPECT_EQ(boxes.boxes[0].caption, "Error Running Curtain Plot Routine...");
}

TEST_F(DesktopPlotRun, ReplotTextsNameTheFileCount) {
  launcher.childRun = [&] { writeLog("ERROR: startFile: 0 cannot be greater than or equal to endFile: 0\n"); };
  EXPECT_FALSE(runReplot(3));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text,
            std::string("Could not run curtain plot routine\n\nNum Data Files = 3\n\nErr Msg = ERROR: startFile: 0 "
                        "cannot be greater than or equal to endFile: 0\n\n\nIf this error persists, please report it "
                        "to ") + kSupportAddress + ". Thank you.");
}

TEST_F(DesktopPlotRun, EmptyOrTinyLogIsALaunchFailure) {
  for (const char* log : {"", "ERROR\n"}) {
    boxes.boxes.clear();
    launcher.childRun = [&] {
      writeLog(log);
      writeImages();
    };
    EXPECT_FALSE(runFirst());
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, std::string("Error(0x1):Could not run curtain plot routine\n\nFile = ") + kFile +
                                       "\n\nMsg = System failed to launch Vantor program.\nPlease report this error "
                                       "to " + kSupportAddress);
  }
}

TEST_F(DesktopPlotRun, NoLogLeadsToTheImageCheck) {
  launcher.childRun = [&] { writeImages(); };
  EXPECT_TRUE(runFirst());
  std::filesystem::remove(startDirFile(state.StartDir, kProfileImageName));
  launcher.childRun = nullptr;
  EXPECT_FALSE(runFirst());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, std::string("Error(0x3): Could not run curtain/profile plots routine\n\nFile = ") +
                                     kFile + "\n\nMsg = System failed to launch Vantor program.\nPlease report this "
                                     "error to " + kSupportAddress);
}

TEST_F(DesktopPlotRun, ReplotThatChangedNoImageIsALaunchFailure) {
  writeImages();
  launcher.childRun = nullptr;  // leaves no log and no new images
  EXPECT_FALSE(runReplot(2));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text,
            std::string("Could not run curtain plot routine\n\nNum Data Files = 2\n\nMsg = System failed to launch "
                        "Vantor program.\n\nIf this error persists, please report it to ") +
                kSupportAddress + ". Thank you.");

  boxes.boxes.clear();
  launcher.childRun = [&] {
    writeLog("OK. Starting: \n");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(writeSolidJpeg(startDirFile(state.StartDir, kProfileImageName), 40, 70, 10, 200, 20));
  };
  EXPECT_TRUE(runReplot(2));
  EXPECT_TRUE(boxes.boxes.empty());
}

// The main window's plot button: a plot program that is missing or cannot be
// started costs nothing of the plots already made.
class DesktopFirstPlot : public DesktopTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ensureDataFolder(state.StartDir));
    writeFile(plotListPath(state.StartDir), std::string(kFile) + "\n");
    writeFile(startDirFile(state.StartDir, kPlotLogName), "OK. Starting: \nOk. End:   \n");
    writeFile(startDirFile(state.StartDir, kCurtainImageName), "curtain of the PROFILE file");
    writeFile(startDirFile(state.StartDir, kProfileImageName), "profile of the PROFILE file");
    state.PlotFiles = {kFile};
    state.PlotFileCount = 1;
  }
  // The bytes of the list, the log and the images, and the file list.
  std::string filesAndList() const {
    std::string all;
    const std::string& dir = state.StartDir;
    for (const std::string& path : {plotListPath(dir), startDirFile(dir, kPlotLogName),
                                    startDirFile(dir, kCurtainImageName), startDirFile(dir, kProfileImageName)})
      all += "[" + readFile(path) + "]";
    for (const std::string& file : state.PlotFiles) all += "<" + file + ">";
    return all + std::to_string(state.PlotFileCount);
  }
  // The run changes to the start folder: back to this test's own folder after it.
  testing_support::CurrentDirScope inStart{start.path()};
  FakeLauncher launcher;
  int noticesShown = 0;
  std::function<void()> notice = [this] { ++noticesShown; };
};

const char kHdfFile[] = "/d/groundbased_lidar.o3_inst_one_site_20180315T061500Z_20180315T235900Z_002.hdf";

TEST_F(DesktopFirstPlot, AProgramThatCannotStartChangesNothing) {
  struct Case {
    const char* what;
    bool missing;      // not found at all
    int startError;    // found, but its start fails
    size_t starts;     // start attempts
    int notices;       // the wait notice comes only once the program was found
    const char* text;
  };
  const Case cases[] = {
      {"not found", true, 0, 0, 0, "CreateProcess Failed (Err = 2)"},
      {"not startable", false, 8, 1, 1, "CreateProcess Failed (Err = 8)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    launcher.started.clear();
    launcher.missingPrograms = c.missing ? std::vector<std::string>{"Ombrel.exe"} : std::vector<std::string>{};
    launcher.startError = c.startError;
    boxes.boxes.clear();
    noticesShown = 0;
    std::string before = filesAndList();
    EXPECT_FALSE(runFirstPlot(state, kHdfFile, true, notice, nullptr));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, c.text);
    EXPECT_EQ(boxes.boxes[0].caption, "Error Running Curtain Plotting Function??");
    EXPECT_EQ(filesAndList(), before);
    EXPECT_EQ(launcher.started.size(), c.starts);
    EXPECT_EQ(noticesShown, c.notices);
  }
  // A missing program does not even make the Data folder.
  std::filesystem::remove_all(start.file("Data"));
  launcher.missingPrograms = {"Ombrel.exe"};
  EXPECT_FALSE(runFirstPlot(state, kHdfFile, true, notice, nullptr));
  EXPECT_FALSE(std::filesystem::exists(start.file("Data")));
}

TEST_F(DesktopFirstPlot, APassedRunListsThePlottedFile) {
  const std::string other = "/d/DATAID_SITE_20180316_R0.dat";
  launcher.childRun = [&] {
    EXPECT_EQ(readFile(plotListPath(state.StartDir)), other + "\n");
    EXPECT_FALSE(std::filesystem::exists(startDirFile(state.StartDir, kPlotLogName)));
    EXPECT_FALSE(std::filesystem::exists(startDirFile(state.StartDir, kCurtainImageName)));
    writeFile(startDirFile(state.StartDir, kPlotLogName), "OK. Starting: \n");
    ASSERT_TRUE(writeSolidJpeg(startDirFile(state.StartDir, kCurtainImageName), 80, 70, 10, 20, 200));
    ASSERT_TRUE(writeSolidJpeg(startDirFile(state.StartDir, kProfileImageName), 40, 70, 200, 20, 10));
  };
  PlotImages images;
  EXPECT_TRUE(runFirstPlot(state, other, false, notice, &images));
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(noticesShown, 1);
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0].program, "Vantor.exe");
  // The plot window shows this file, whatever is scanned next.
  EXPECT_EQ(state.PlotFiles, std::vector<std::string>{other});
  EXPECT_EQ(state.PlotFileCount, 1);
  EXPECT_EQ(state.PlottedFile, other);
  EXPECT_EQ(images.curtain.width, 80);
  EXPECT_EQ(images.profile.width, 40);
}

// Every ending of a run that is not success puts back what the run changed,
// for the plot button and for Replot alike: the list, the log, the images the
// plot window shows and the plot list of the state.
TEST_F(DesktopFirstPlot, EveryFailedRunPutsBackWhatItChanged) {
  const std::string dir = start.path();
  auto newCurtain = [dir] { writeSolidJpeg(startDirFile(dir, kCurtainImageName), 80, 70, 10, 20, 200); };
  auto newProfile = [dir] { writeSolidJpeg(startDirFile(dir, kProfileImageName), 40, 70, 200, 20, 10); };
  auto log = [dir](const std::string& text) { writeFile(startDirFile(dir, kPlotLogName), text); };
  struct Case {
    const char* what;
    int startError;
    bool timesOut;
    std::function<void()> child;
    const char* firstBox;   // the start of the plot button's box
    const char* replotBox;  // the start of Replot's box
    const char* caption;
    const char* replotCaption = nullptr;  // when not the same
  };
  const Case cases[] = {
      {"not startable", 8, false, nullptr, "CreateProcess Failed (Err = 8)", "CreateProcess Failed (Err = 8)",
       "Error Running Curtain Plotting Function??"},
      {"errors logged", 0, false,
       [&] {
         log("OK. Starting: \nERROR: gnuplot failed\n");
         newCurtain();
         writeFile(startDirFile(dir, kProfileImageName), "");
       },
       "Error(0x2)", "Could not run curtain plot routine\n\nNum Data Files = 1\n\nErr Msg = Plotting...\nERROR",
       "Error Running Curtain Plot Routine..."},
      {"empty log", 0, false, [&] { log(""); newCurtain(); newProfile(); }, "Error(0x1)",
       "Could not run curtain plot routine\n\nNum Data Files = 1\n\nMsg = System failed",
       "Error Running Curtain Plot Routine..."},
      {"image missing", 0, false,
       [&] {
         log("OK. Starting: \nOk. End:   \n");
         newCurtain();
         std::filesystem::remove(startDirFile(dir, kProfileImageName));
       },
       "Error(0x3)", "Cannot open the image file", "Error Running Curtain Plot Routine...", "Skelda"},
      {"image empty", 0, false,
       [&] {
         log("OK. Starting: \nOk. End:   \n");
         newCurtain();
         writeFile(startDirFile(dir, kProfileImageName), "");
       },
       "Cannot decode the image file", "Cannot decode the image file", "Skelda"},
      {"image undecodable", 0, false,
       [&] {
         log("OK. Starting: \nOk. End:   \n");
         newProfile();
         writeFile(startDirFile(dir, kCurtainImageName), "not a picture");
       },
       "Cannot decode the image file", "Cannot decode the image file", "Skelda"},
      {"timed out", 0, true, [&] { log("OK. Starting: \n"); }, "Error(0x3)",
       "Could not run curtain plot routine\n\nNum Data Files = 1\n\nMsg = System failed",
       "Error Running Curtain Plot Routine..."},
  };
  state.PlottedFile = kFile;
  for (const Case& c : cases) {
    for (bool replot : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (replot ? ", Replot" : ", plot button"));
      launcher.startError = c.startError;
      launcher.timesOut = c.timesOut;
      launcher.childRun = c.child;
      boxes.boxes.clear();
      std::string before = filesAndList();
      PlotImages images;
      bool passed = replot ? runReplot(state, fixedPlotCommandLine(false), prepareReplot(state), &images)
                           : runFirstPlot(state, "/d/DATAID_SITE_20180316_R0.dat", false, notice, &images);
      EXPECT_FALSE(passed);
      ASSERT_EQ(boxes.boxes.size(), 1u);
      const std::string expected = replot ? c.replotBox : c.firstBox;
      EXPECT_EQ(boxes.boxes[0].text.substr(0, expected.size()), expected) << boxes.boxes[0].text;
      EXPECT_EQ(boxes.boxes[0].caption, replot && c.replotCaption ? c.replotCaption : c.caption);
      EXPECT_EQ(filesAndList(), before);
      EXPECT_EQ(state.PlottedFile, kFile);
      EXPECT_FALSE(state.PlotsReady);
    }
  }
}

TEST_F(DesktopFirstPlot, APassedReplotNamesItsFirstFile) {
  const std::string appended = "/d/DATAID_SITE_20180316_R0.dat";
  state.PlotFiles = {kFile, appended};
  state.PlotFileCount = 2;
  launcher.childRun = [&] {
    writeFile(startDirFile(state.StartDir, kPlotLogName), "OK. Starting: \n");
    ASSERT_TRUE(writeSolidJpeg(startDirFile(state.StartDir, kCurtainImageName), 80, 70, 10, 20, 200));
    ASSERT_TRUE(writeSolidJpeg(startDirFile(state.StartDir, kProfileImageName), 40, 70, 200, 20, 10));
  };
  PlotImages images;
  EXPECT_TRUE(runReplot(state, fixedPlotCommandLine(false), prepareReplot(state), &images));
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(state.PlottedFile, kFile);
  EXPECT_EQ(state.PlotFiles, (std::vector<std::string>{kFile, appended}));
  EXPECT_EQ(images.curtain.height, 70);
}

class DesktopPlotFiles : public DesktopTest {};

TEST_F(DesktopPlotFiles, FirstPlotListHoldsOnlyTheScannedFile) {
  ASSERT_TRUE(ensureDataFolder(state.StartDir));
  writeFile(plotListPath(state.StartDir), "old1\nold2\n");
  state.PlotFiles = {"a", "b"};
  state.PlotFileCount = 2;
  EXPECT_TRUE(writeFirstPlotList(state, kFile));
  EXPECT_EQ(readFile(plotListPath(state.StartDir)), std::string(kFile) + "\n");
  EXPECT_TRUE(state.PlotFiles.empty());
  EXPECT_EQ(state.PlotFileCount, 0);
  EXPECT_TRUE(ensureDataFolder(state.StartDir));  // exists already
}

TEST_F(DesktopPlotFiles, FolderAndListFailures) {
  state.StartDir = start.file("missing/deeper");
  EXPECT_FALSE(ensureDataFolder(state.StartDir));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Could not create \"Data\" directory for plotting = " + state.StartDir +
                                     "/Data\n\nIf this error persists, please report it to " + kSupportAddress);
  EXPECT_EQ(boxes.boxes[0].caption, "Error Creating Directory");
  boxes.boxes.clear();
  state.PlotFileCount = 1;
  EXPECT_FALSE(writeFirstPlotList(state, kFile));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text,
            std::string("Could not run curtain plot??\nFile = ") + kFile + "\n\n Please report this error to " +
                kSupportAddress);
  EXPECT_EQ(boxes.boxes[0].caption, "Error Running Curtain Plotting Function??");
  EXPECT_EQ(state.PlotFileCount, 1);
}

TEST_F(DesktopPlotFiles, RemovesTheOldOutputs) {
  writeFile(startDirFile(state.StartDir, kPlotLogName), "x");
  writeFile(startDirFile(state.StartDir, kCurtainImageName), "x");
  writeFile(startDirFile(state.StartDir, kProfileImageName), "x");
  removePlotOutputs(state.StartDir, false);
  EXPECT_FALSE(std::filesystem::exists(startDirFile(state.StartDir, kPlotLogName)));
  EXPECT_TRUE(std::filesystem::exists(startDirFile(state.StartDir, kCurtainImageName)));
  removePlotOutputs(state.StartDir, true);
  EXPECT_FALSE(std::filesystem::exists(startDirFile(state.StartDir, kCurtainImageName)));
  EXPECT_FALSE(std::filesystem::exists(startDirFile(state.StartDir, kProfileImageName)));
  removePlotOutputs(state.StartDir, true);  // nothing left: no error
  EXPECT_TRUE(hasLineBreak("a\nb"));
  EXPECT_TRUE(hasLineBreak("a\rb"));
  EXPECT_FALSE(hasLineBreak("a b"));
}

// With the real process layer: the program is found in the start folder, gets
// its arguments one by one (no shell), and an unknown program gives ENOENT.
class DesktopRealPlotRun : public DesktopTest {};

TEST_F(DesktopRealPlotRun, ArgumentsArriveWithoutAShell) {
  testing_support::CurrentDirScope inStart(start.path());
  testing_support::writeScript(start.file("Vantor"),
                               "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done > args.txt\n"
                               "echo 'OK. Starting: ' > _CErr_.txt\n");
  ReplotArguments a;
  a.plotFileCount = 1;
  a.startTime = "20180315000000";
  a.endTime = "20180315235959";
  a.xMin = "0";
  a.xMax = "300";
  a.yMin = "0";
  a.yMax = "12000";
  writeFile(startDirFile(state.StartDir, kCurtainImageName), "old");
  EXPECT_FALSE(runPlotProgram(state, replotCommandLine(a), replotTexts(1), ImageRule::OneMustChange,
                              keepPlotFiles(state), nullptr));  // no new image
  std::string args = readFile(start.file("args.txt"));
  EXPECT_EQ(args, "[ANY]\n[0]\n[1]\n[true]\n[true]\n[0]\n[10000]\n[20180315000000]\n[20180315235959]\n[false]\n[0]\n"
                  "[300]\n[100]\n[12000]\n[true]\n[true]\n[false]\n[false]\n[0]\n[0]\n");
}

TEST_F(DesktopRealPlotRun, OmbrelIsNotPartOfTheToolkit) {
  EXPECT_FALSE(runPlotProgram(state, fixedPlotCommandLine(true), firstPlotTexts(kFile), ImageRule::BothMustExist,
                              keepPlotFiles(state), nullptr));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "CreateProcess Failed (Err = 2)");
}

}  // namespace
