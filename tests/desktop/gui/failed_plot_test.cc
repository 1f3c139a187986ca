// Plot runs that fail, with stand-in plot programs: the wait notice goes with
// the run, the plots on screen stay the ones in the start folder and can be
// saved under the name of the file they were made from, and the plot button
// plots only the path the last scan passed.
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <functional>

#include "desktop/core/jpeg_image.h"
#include "desktop/core/plot_files.h"
#include "desktop/core/shared_state.h"
#include "desktop/gui/image_view.h"
#include "desktop/gui/skelda_application.h"
#include "tests/desktop/core/desktop_fixture.h"
#include "tests/desktop/core/jpeg_writer.h"
#include "tests/desktop/gui/gui_fixture.h"
#include "tests/support/text_samples.h"

using testing_support::profileFileName;
using testing_support::readFile;
using testing_support::validProfileText;
using testing_support::writeFile;

namespace {

// The stand-in plot program of a run that passes: a log and two solid images
// of the given shade.
std::function<void()> drawsImages(Skelda& app, unsigned char shade) {
  return [&app, shade] {
    std::string dir = app.state.StartDir;
    writeFile(startDirFile(dir, kPlotLogName), "OK. Starting: \nOk. End:   \n");
    writeSolidJpeg(startDirFile(dir, kCurtainImageName), 80, 70, shade, 20, 200);
    writeSolidJpeg(startDirFile(dir, kProfileImageName), 40, 70, 200, 20, shade);
  };
}

// The picture a start-folder image decodes to.
QImage startFolderImage(Skelda& app, const char* name) {
  return toQImage(decodeJpegFile(startDirFile(app.state.StartDir, name)));
}

// A valid PROFILE file of the same day as validProfileText, its revision 2.
std::string secondRevisionText() {
  return testing_support::profileFileText(
      {testing_support::profileBlock("2018-04-12, 01:00:00", "2018-04-12, 01:59:59", "2018-04-12, 01:30:00")}, 2,
      {"R2: second release"});
}

}  // namespace

class FailedPlotTest : public QObject {
  Q_OBJECT

 private slots:
  void undecodableImagesHideTheWaitNotice();
  void failedPlotKeepsTheShownPlotsSavable();
  void editedPathDisablesPlottingUntilItsScan();
};

void FailedPlotTest::undecodableImagesHideTheWaitNotice() {
  Skelda app;
  FakeLauncher launcher;
  std::string path = app.writeSample(profileFileName(), validProfileText());
  app.scan(path);
  QVERIFY(app.form->CurPlotting->isEnabled());
  launcher.childRun = [&] {
    writeFile(startDirFile(app.state.StartDir, kPlotLogName), "OK. Starting: \nOk. End:   \n");
    app.writeUndecodableImages();
  };
  app.form->CurPlotting->click();
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QVERIFY2(app.boxes.boxes[0].text.find("Cannot decode the image file ") == 0, app.boxList().c_str());
  QVERIFY(!app.state.PlotsReady);
  QVERIFY(!app.plot->isVisible());
  QVERIFY(!app.form->pMsg->isVisible());
  // Nor does a new scan bring it back.
  app.scan(path);
  QVERIFY(app.form->CurPlotting->isEnabled());
  QVERIFY(!app.form->pMsg->isVisible());
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
}

void FailedPlotTest::failedPlotKeepsTheShownPlotsSavable() {
  struct Case {
    const char* what;
    bool replot;  // from the plot window, else from the main window after a new scan
    std::function<void(const std::string& dir)> child;
  };
  const Case cases[] = {
      {"draws nothing (Error(0x3))", false, [](const std::string&) {}},
      {"logs an error after a broken image", false,
       [](const std::string& dir) {
         writeFile(startDirFile(dir, kPlotLogName), "OK. Starting: \nERROR: gnuplot failed\n");
         writeFile(startDirFile(dir, kCurtainImageName), "");
       }},
      {"draws an undecodable image", false,
       [](const std::string& dir) {
         writeSolidJpeg(startDirFile(dir, kCurtainImageName), 80, 70, 1, 2, 3);
         writeFile(startDirFile(dir, kProfileImageName), "not a picture");
       }},
      {"Replot draws an empty image", true,
       [](const std::string& dir) {
         writeFile(startDirFile(dir, kPlotLogName), "OK. Starting: \nOk. End:   \n");
         writeFile(startDirFile(dir, kProfileImageName), "");
       }},
  };
  for (const Case& c : cases) {
    Skelda app;
    FakeLauncher launcher;
    std::string plotted = app.writeSample(profileFileName("20180412", 1), validProfileText());
    app.scan(plotted);
    launcher.childRun = drawsImages(app, 10);
    app.form->CurPlotting->click();
    QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
    QVERIFY(app.plot->isVisible());
    std::string curtainBytes = readFile(startDirFile(app.state.StartDir, kCurtainImageName));
    std::string profileBytes = readFile(startDirFile(app.state.StartDir, kProfileImageName));
    QImage shownCurtain = app.plot->cIMG->image();
    QImage shownProfile = app.plot->pIMG->image();

    if (!c.replot) {
      // Another file passes its scan; the plot window stays open.
      std::string next = app.writeSample(profileFileName("20180412", 2), secondRevisionText());
      app.scan(next);
      QVERIFY(app.form->CurPlotting->isEnabled());
    }
    std::string dir = app.state.StartDir;
    launcher.childRun = [&] { c.child(dir); };
    if (c.replot)
      app.plot->btnReplot->click();
    else
      app.form->CurPlotting->click();
    QVERIFY2(app.boxes.boxes.size() == 1, (std::string(c.what) + ": " + app.boxList()).c_str());
    QVERIFY(!app.state.PlotsReady);
    QVERIFY(!app.form->pMsg->isVisible());
    QVERIFY(!app.plot->pMsg->isVisible());

    // The window still shows the old plots, and they are the start folder's.
    QVERIFY(app.plot->isVisible());
    QCOMPARE(app.plot->cIMG->image(), shownCurtain);
    QCOMPARE(app.plot->pIMG->image(), shownProfile);
    QVERIFY2(readFile(startDirFile(dir, kCurtainImageName)) == curtainBytes, c.what);
    QVERIFY2(readFile(startDirFile(dir, kProfileImageName)) == profileBytes, c.what);
    QCOMPARE(startFolderImage(app, kCurtainImageName), shownCurtain);
    QCOMPARE(startFolderImage(app, kProfileImageName), shownProfile);
    QCOMPARE(readFile(plotListPath(dir)), plotted + "\n");

    // Saving works, under the name of the file the plots were made from.
    testing_support::TempDir target;
    app.boxes.boxes.clear();
    app.chooser.saveAnswer = target.file("curtain");
    app.plot->btnSaveCurt->click();
    app.chooser.saveAnswer = target.file("profile.jpg");
    app.plot->btnSaveProf->click();
    QVERIFY2(app.boxes.boxes.empty(), (std::string(c.what) + ": " + app.boxList()).c_str());
    QCOMPARE(readFile(target.file("curtain.jpg")), curtainBytes);
    QCOMPARE(readFile(target.file("profile.jpg")), profileBytes);
    std::string base = profileFileName("20180412", 1).substr(0, profileFileName("20180412", 1).rfind('.'));
    QCOMPARE(app.chooser.saveSuggestions,
             (std::vector<std::string>{base + "_curtain.jpg", base + "_profile.jpg"}));
  }
}

void FailedPlotTest::editedPathDisablesPlottingUntilItsScan() {
  Skelda app;
  FakeLauncher launcher;
  std::string scanned = app.writeSample(profileFileName(), validProfileText());
  app.scan(scanned);
  QVERIFY(app.form->CurPlotting->isEnabled());
  size_t startsAfterScan = launcher.started.size();

  // Typing into the box after the scan: the scanned file is no longer the one named.
  QTest::keyClicks(app.form->fileNameValue, "x");
  QVERIFY(!app.form->CurPlotting->isEnabled());
  app.form->CurPlotting->click();
  QCOMPARE(launcher.started.size(), startsAfterScan);
  QVERIFY(!std::filesystem::exists(plotListPath(app.state.StartDir)));
  // Typing the scanned path back does not undo it: the path waits for its scan.
  QTest::keyClick(app.form->fileNameValue, Qt::Key_Backspace);
  QCOMPARE(app.form->fileNameValue->text().toStdString(), scanned);
  QVERIFY(!app.form->CurPlotting->isEnabled());
  // A path chosen with Browse waits for its scan too.
  std::string other = app.writeSample(profileFileName("20180412", 2), secondRevisionText());
  app.chooser.openAnswer = other;
  app.form->OpenFile->click();
  QVERIFY(!app.form->CurPlotting->isEnabled());

  // Its scan enables plotting again, of the path now named.
  app.form->btnScan->click();
  QVERIFY(app.form->CurPlotting->isEnabled());
  launcher.childRun = drawsImages(app, 10);
  app.form->CurPlotting->click();
  QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
  QCOMPARE(readFile(plotListPath(app.state.StartDir)), other + "\n");
  QVERIFY(app.plot->isVisible());
  // Once plotted, the button still only shows the plots until the box changes.
  app.plot->hide();
  app.form->CurPlotting->click();
  QVERIFY(app.plot->isVisible());
  QTest::keyClicks(app.form->fileNameValue, "y");
  QVERIFY(!app.form->CurPlotting->isEnabled());
}

int main(int argc, char** argv) {
  SkeldaApplication app(argc, argv);
  FailedPlotTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "failed_plot_test.moc"
