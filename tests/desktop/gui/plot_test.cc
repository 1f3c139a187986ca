// The whole road with the real scanner, the real plot program and gnuplot:
// scan, plot, replot, append, save. Skipped while the plot program is not built.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "desktop/core/plot_files.h"
#include "desktop/core/shared_state.h"
#include "desktop/gui/image_view.h"
#include "platform/text.h"
#include "tests/desktop/gui/gui_fixture.h"
#include "tests/support/text_samples.h"

using testing_support::profileBlock;
using testing_support::profileFileName;
using testing_support::profileFileText;
using testing_support::readFile;
using testing_support::validProfileText;

namespace {

const std::string kVantor = std::string(PARVIX_BIN_DIR) + "/Vantor";

// A valid PROFILE file of one day with three blocks of 60 data lines.
std::string dayOfProfiles(const std::string& day) {
  std::vector<testing_support::ProfileBlock> blocks;
  for (int hour = 1; hour <= 3; ++hour) {
    blocks.push_back(profileBlock(platform::formatText("%s, %02d:00:00", day.c_str(), hour),
                                  platform::formatText("%s, %02d:59:59", day.c_str(), hour),
                                  platform::formatText("%s, %02d:30:00", day.c_str(), hour), 60));
  }
  return profileFileText(blocks);
}

std::filesystem::file_time_type writtenAt(const std::string& path) {
  std::error_code ec;
  return std::filesystem::last_write_time(path, ec);
}

}  // namespace

class PlotTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void scanPlotReplotAppendSave();
  void plotsTheScannedFileNotTheTypedOne();
};

void PlotTest::initTestCase() {
  if (!std::filesystem::exists(kVantor)) QSKIP("the plot program is not built yet");
  // The plot program is found through the search path, as an installed one would be.
  std::string path = std::string(PARVIX_BIN_DIR) + ":" + (std::getenv("PATH") ? std::getenv("PATH") : "");
  setenv("PATH", path.c_str(), 1);
}

void PlotTest::scanPlotReplotAppendSave() {
  Skelda app;
  std::string first = app.writeSample(profileFileName("20180412"), dayOfProfiles("2018-04-12"));
  app.scan(first);
  QVERIFY2(app.form->MyWebBrowser->toPlainText().contains("ALL DONE"),
           qPrintable(app.form->MyWebBrowser->toPlainText().left(3000)));
  QVERIFY(app.form->CurPlotting->isEnabled());

  // Plot.
  app.form->CurPlotting->click();
  QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
  QVERIFY(app.state.PlotsReady);
  QVERIFY(app.plot->isVisible());
  QVERIFY(!app.form->pMsg->isVisible());
  QCOMPARE(app.plot->cIMG->image().size(), QSize(800, 700));
  QCOMPARE(app.plot->pIMG->image().size(), QSize(400, 700));
  QCOMPARE(readFile(plotListPath(app.state.StartDir)), first + "\n");
  QVERIFY(readFile(startDirFile(app.state.StartDir, kPlotLogName)).find("Ok. End:") != std::string::npos);
  QCOMPARE(app.plot->YYStart->text(), QString("2018"));
  QCOMPARE(app.plot->MMStart->text(), QString("04"));
  QCOMPARE(app.plot->DDStart->text(), QString("12"));
  QCOMPARE(app.plot->DDEnd->text(), QString("12"));
  saveScreenshot(app.form.get(), "main_window_after_plot.png");
  saveScreenshot(app.plot.get(), "plot_window_after_plot.png");

  // A second press only shows the window again.
  std::filesystem::remove(startDirFile(app.state.StartDir, kPlotLogName));
  app.plot->hide();
  app.form->CurPlotting->click();
  QVERIFY(app.plot->isVisible());
  QVERIFY(!std::filesystem::exists(startDirFile(app.state.StartDir, kPlotLogName)));

  // Replot with other choices.
  QImage oldProfile = app.plot->pIMG->image();
  auto profileWritten = writtenAt(startDirFile(app.state.StartDir, kProfileImageName));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  app.plot->cbQuartile->setChecked(true);
  app.plot->cbEdge->setChecked(true);
  app.plot->yMax->setText("3000");
  app.plot->btnReplot->click();
  QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
  QVERIFY(writtenAt(startDirFile(app.state.StartDir, kProfileImageName)) != profileWritten);
  QVERIFY(app.plot->pIMG->image() != oldProfile);
  QCOMPARE(app.state.PlotFiles, std::vector<std::string>{first});
  QCOMPARE(app.state.PlotStartStamp, std::string("20180412000000"));
  QCOMPARE(app.state.PlotEndStamp, std::string("20180412235959"));
  QVERIFY(app.state.PlotsReady);
  QVERIFY(!app.plot->pMsg->isVisible());
  saveScreenshot(app.plot.get(), "plot_window_after_replot.png");

  // A refused choice starts nothing.
  app.plot->yMin->setText("1.5");
  app.plot->btnReplot->click();
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QCOMPARE(app.boxes.boxes[0].text, std::string("Y and X Axes Values: Min/Max values must all be integers."));
  QVERIFY(!std::filesystem::exists(startDirFile(app.state.StartDir, kPlotLogName)));
  app.plot->yMin->setText("0");
  app.boxes.boxes.clear();

  // Append a second day and replot both.
  std::string second = app.writeSample(profileFileName("20180413"), dayOfProfiles("2018-04-13"));
  app.chooser.openAnswer = second;
  app.boxes.answer = platform::BoxAnswer::Yes;
  app.plot->btnAddFile->click();
  app.boxes.answer = platform::BoxAnswer::Ok;
  QCOMPARE(app.boxes.boxes.size(), size_t(1));  // the confirmation only
  app.boxes.boxes.clear();
  QCOMPARE(app.state.PlotFiles, (std::vector<std::string>{first, second}));
  QCOMPARE(readFile(plotListPath(app.state.StartDir)), first + "\n" + second + "\n");
  QCOMPARE(app.plot->DDEnd->text(), QString("13"));
  QImage oldCurtain = app.plot->cIMG->image();
  app.plot->btnReplot->click();
  QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
  QCOMPARE(app.state.PlotEndStamp, std::string("20180413235959"));
  std::string log = readFile(startDirFile(app.state.StartDir, kPlotLogName));
  QVERIFY2(log.find(second) != std::string::npos, log.c_str());
  QVERIFY(app.plot->cIMG->image() != oldCurtain);
  saveScreenshot(app.plot.get(), "plot_window_after_append.png");

  // An earlier file is refused.
  std::string earlier = app.writeSample(profileFileName("20180411"), dayOfProfiles("2018-04-11"));
  app.chooser.openAnswer = earlier;
  app.boxes.answer = platform::BoxAnswer::Yes;
  app.plot->btnAddFile->click();
  app.boxes.answer = platform::BoxAnswer::Ok;
  QCOMPARE(app.boxes.boxes.size(), size_t(2));
  QCOMPARE(app.boxes.boxes[1].caption, std::string("Error Adding Data File ..."));
  QCOMPARE(app.state.PlotFiles.size(), size_t(2));
  app.boxes.boxes.clear();

  // Save both images.
  testing_support::TempDir target;
  app.chooser.saveAnswer = target.file("curtain_copy");
  app.plot->btnSaveCurt->click();
  QCOMPARE(app.chooser.saveSuggestions.at(0), profileFileName("20180412").substr(0, profileFileName().size() - 4) +
                                                  "_curtain.jpg");
  QCOMPARE(app.chooser.saveTitles.at(0), std::string("Saving image to file ... "));
  QCOMPARE(readFile(target.file("curtain_copy.jpg")), readFile(startDirFile(app.state.StartDir, kCurtainImageName)));
  app.chooser.saveAnswer = target.file("profile.jpeg");
  app.plot->btnSaveProf->click();
  QCOMPARE(app.chooser.saveSuggestions.at(1), profileFileName("20180412").substr(0, profileFileName().size() - 4) +
                                                  "_profile.jpg");
  QCOMPARE(readFile(target.file("profile.jpeg")), readFile(startDirFile(app.state.StartDir, kProfileImageName)));
  QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());

  // Exit deletes the report.
  std::string report = app.state.ReportPath;
  QVERIFY(std::filesystem::exists(report));
  app.form->btnExit->click();
  QVERIFY(!std::filesystem::exists(report));
}

void PlotTest::plotsTheScannedFileNotTheTypedOne() {
  Skelda app;
  std::string scanned = app.writeSample(profileFileName("20180412"), validProfileText());
  app.scan(scanned);
  QVERIFY(app.form->CurPlotting->isEnabled());
  // A path typed after the scan is not plotted: the button waits for its scan.
  app.form->fileNameValue->setText(QString::fromStdString(app.start.file("never_scanned.dat")));
  QVERIFY(!app.form->CurPlotting->isEnabled());
  app.form->CurPlotting->click();
  QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
  QVERIFY(!std::filesystem::exists(plotListPath(app.state.StartDir)));
  QVERIFY(!app.plot->isVisible());
  app.scan(scanned);
  app.form->CurPlotting->click();
  QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
  QCOMPARE(readFile(plotListPath(app.state.StartDir)), scanned + "\n");
  QCOMPARE(app.state.DataFileName, profileFileName("20180412"));
  QVERIFY(app.plot->isVisible());
}

QTEST_MAIN(PlotTest)
#include "plot_test.moc"
