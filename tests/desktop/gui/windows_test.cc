// The two windows without the plot program: start-up state, scanning, the
// refusals, Browse, Exit and the plot window's own controls.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTextLayout>
#include <QTimer>
#include <filesystem>
#include <map>

#include "desktop/core/plot_append.h"
#include "desktop/core/plot_files.h"
#include "desktop/core/plot_run.h"
#include "desktop/core/shared_state.h"
#include "desktop/core/window_geometry.h"
#include "desktop/gui/image_view.h"
#include "desktop/gui/qt_platform.h"
#include "tests/desktop/core/desktop_fixture.h"
#include "tests/desktop/core/jpeg_writer.h"
#include "tests/desktop/gui/gui_fixture.h"
#include "platform/support_address.h"
#include "tests/support/text_samples.h"

using testing_support::profileFileName;
using testing_support::surfaceFileName;
using testing_support::validProfileText;
using testing_support::validSurfaceText;

class WindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithTheDesignState();
  void windowSizesFollowTheScreen();
  void disabledControlsLookDisabled();
  void shortNameIsRefused();
  void lineBreakInThePathIsRefused();
  void passedScanEnablesPlotting();
  void failedScanLeavesPlottingDisabled();
  void reportThatCannotBeWrittenIsNotShown();
  void surfaceFileIsShownButNotPlotted();
  void browseFillsTheNameBox();
  void dialogFiltersShowTheirLabelsOnce();
  void exitDeletesTheReport();
  void exitWithoutScanDeletesNothing();
  void plotWindowDefaults();
  void numberDensitySwapsTheXMaximum();
  void profileSelectionPanels();
  void resetFillsTheDateFieldsFromTheFileName();
  void refusedChoiceStartsNothing();
  void appendNeedsAYesAndAFile();
  void hourglassWhileThePlotProgramRuns();
  void hdfPlotNamesOmbrelWhichIsNotThere();
  void replotAfterAFailedHdfScanStartsVantor();
  void hdfPlotWithoutItsProgramChangesNothing();
  void replotAfterAPassedHdfScanRedrawsTheProfileFiles();
  void reportViewDecodesUtf8AndLatin1();
  void boxesAreWideEnoughForTheirCaption();
  void doubleClicksStartOneRun();
  void boxesStandOnTheTopMostWindow();
  void mainWindowKeepsItsLayoutDuringAScan();
  void plotStripFitsAtTheDesignSize();
  void plotStripScrollsOnASmallScreen();
  void boxesShownOverThePlotWindow();
  void repeatedDoubleClicksOnAnHdfScanLeaveSkeldaRunning();
  void twoSkeldasKeepTheirOwnState();
  void eachPlotWindowKeepsItsOwnXMaximum();
  void enterPressesTheFocusedButton();
  void escapeClosesThePlotWindow();
  void enterPressesTheFocusedButtonOfABox();
  void boxesShowEveryCharacterOfALongText();
  void boxTextBreaksAfterSlashesAndInsideLongRuns();
};

void WindowsTest::startsWithTheDesignState() {
  Skelda app;
  QCOMPARE(app.form->windowTitle(),
           QString("Parvix File Format Scanner / Plotter, Ver 1.4.1 (Beta) -- October 2018 "));
  QCOMPARE(QString::fromStdString(app.state.StartDir), QString::fromStdString(app.start.path()));
  QVERIFY(!app.state.PlotsReady);
  QVERIFY(!app.form->CurPlotting->isEnabled());
  QVERIFY(!app.form->msgBusy->isVisible());
  QVERIFY(!app.form->pMsg->isVisible());
  QVERIFY(app.form->mIntro->isVisible());
  QVERIFY(app.form->cbRptDisp->isChecked());
  QCOMPARE(app.form->cbRptDisp->text(), QString("Display Scan Results in Details"));
  QCOMPARE(app.form->OpenFile->text(), QString("Browse..."));
  QCOMPARE(app.form->btnScan->text(), QString("ScanFile"));
  QCOMPARE(app.form->CurPlotting->text(), QString("Curtain/Profile Plotting ..."));
  QCOMPARE(app.form->btnExit->text(), QString(" Exit"));
  QCOMPARE(app.form->msgBusy->text(), QString("Working -- please wait ..."));
  QStringList intro = app.form->mIntro->toPlainText().split('\n');
  QCOMPARE(intro.size(), 11);
  QCOMPARE(intro[4], QString("1)  Load the file: Click on [Browse...] button and select your file"));
  QCOMPARE(intro[8], QString("3)  If file passes, then the [Curtain/Profile Plotting ...] button is enabled. "));
  QStringList notice = app.form->Memo1->toPlainText().split('\n');
  QCOMPARE(notice.size(), 8);
  QCOMPARE(notice[5], QString("  >> Please note: this routine will timeout in 2 hours "));
  QVERIFY(!app.plot->isVisible());
}

void WindowsTest::windowSizesFollowTheScreen() {
  Skelda app;
  QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  WindowGeometry main = mainWindowGeometry(screen.width(), screen.height());
  QCOMPARE(app.form->size(), QSize(main.width, main.height));
  if (main.fitted) QCOMPARE(app.form->pos(), QPoint(10, 10));
  WindowGeometry plot = plotWindowGeometry(screen.width(), screen.height());
  QCOMPARE(app.plot->size(), QSize(plot.width, plot.height));
  if (plot.fitted) QCOMPARE(app.plot->pos(), QPoint(1, 1));
  // Shown, the windows keep those sizes: their controls fit or scroll.
  app.plot->show();
  QApplication::processEvents();
  QCOMPARE(app.form->size(), QSize(main.width, main.height));
  QCOMPARE(app.plot->size(), QSize(plot.width, plot.height));
  QVERIFY(app.plot->pIMG->geometry().right() < app.plot->width());
  QCOMPARE(app.plot->pIMG->width(), 400);
  QCOMPARE(app.plot->windowTitle(), QString("CurView"));
  QVERIFY(app.plot->windowFlags() & Qt::WindowStaysOnTopHint);
}

namespace {

// Pixels of the controls' text colour (or close to it) in a picture of a widget.
int pixelsOfColour(QWidget* widget, const QColor& colour) {
  QApplication::processEvents();
  QImage image = widget->grab().toImage();
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40 &&
          std::abs(c.blue() - colour.blue()) < 40)
        ++count;
    }
  }
  return count;
}

}  // namespace

void WindowsTest::disabledControlsLookDisabled() {
  Skelda app;
  QPushButton* plot = app.form->CurPlotting;
  QVERIFY(!plot->isEnabled());
  QCOMPARE(plot->palette().color(QPalette::Active, QPalette::ButtonText), QColor(Qt::blue));
  QVERIFY(plot->palette().color(QPalette::Disabled, QPalette::ButtonText) !=
          plot->palette().color(QPalette::Active, QPalette::ButtonText));
  QVERIFY(plot->font().bold());
  QCOMPARE(pixelsOfColour(plot, Qt::blue), 0);
  plot->setEnabled(true);
  QVERIFY(pixelsOfColour(plot, Qt::blue) > 20);

  // The plot window's hint is disabled until "ALL Profiles" is unticked.
  app.plot->show();
  QLabel* hint = app.plot->prfLabSelect;
  QVERIFY(!hint->isEnabled());
  QCOMPARE(pixelsOfColour(hint, Qt::darkCyan), 0);
  app.plot->cbPrfs2Plot->click();
  QVERIFY(hint->isEnabled());
  QVERIFY(pixelsOfColour(hint, Qt::darkCyan) > 20);
}

void WindowsTest::shortNameIsRefused() {
  Skelda app;
  app.scan("a.d");
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QCOMPARE(app.boxes.boxes[0].text, std::string("Unknown filename"));
  QCOMPARE(app.boxes.boxes[0].caption, std::string("PathName / Filename Error..."));
  QVERIFY(app.form->mIntro->isVisible());  // nothing else changed
  QVERIFY(app.state.ReportPath.empty());

  // Three characters, one of them taking two bytes: still too short.
  app.boxes.boxes.clear();
  app.form->fileNameValue->setText(QString::fromUtf8("\xc3\xa4.d"));
  app.form->btnScan->click();
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QCOMPARE(app.boxes.boxes[0].text, std::string("Unknown filename"));
  QVERIFY(app.form->mIntro->isVisible());
  QVERIFY(app.state.ReportPath.empty());

  app.boxes.boxes.clear();
  app.scan("a.da");  // four characters reach the scanner
  QVERIFY(!app.state.ReportPath.empty());
  QVERIFY(!app.form->mIntro->isVisible());
  QVERIFY(!app.form->CurPlotting->isEnabled());
}

void WindowsTest::lineBreakInThePathIsRefused() {
  Skelda app;
  std::string path = app.writeSample(profileFileName(), validProfileText());
  app.form->fileNameValue->setText(QString::fromStdString(path + "\n/etc/passwd"));
  app.form->btnScan->click();
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QCOMPARE(app.boxes.boxes[0].caption, std::string("PathName / Filename Error..."));
  QVERIFY(app.state.ReportPath.empty());
  QVERIFY(!app.form->CurPlotting->isEnabled());
}

void WindowsTest::passedScanEnablesPlotting() {
  Skelda app;
  std::string path = app.writeSample(profileFileName(), validProfileText());
  app.scan(path);
  QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
  QVERIFY2(app.form->MyWebBrowser->toPlainText().contains("ALL DONE"),
           qPrintable(app.form->MyWebBrowser->toPlainText().left(3000)));
  QVERIFY(app.form->CurPlotting->isEnabled());
  QVERIFY(app.form->cbRptDisp->isVisible());
  QVERIFY(!app.form->msgBusy->isVisible());
  QVERIFY(!app.form->mIntro->isVisible());
  QCOMPARE(app.state.ReportPath, path + "__ScanMsgs.htm");
  QCOMPARE(app.state.DataFilePath, path);
  QCOMPARE(app.state.DataFileName, profileFileName());
}

void WindowsTest::failedScanLeavesPlottingDisabled() {
  Skelda app;
  std::string good = app.writeSample(profileFileName(), validProfileText());
  app.scan(good);
  QVERIFY(app.form->CurPlotting->isEnabled());
  // A file whose content is broken: the header's first line says nothing useful.
  std::string bad = app.writeSample(profileFileName("20180413"), "garbage\n");
  app.scan(bad);
  QVERIFY(!app.form->CurPlotting->isEnabled());
  QVERIFY(app.form->MyWebBrowser->toPlainText().contains("Now Scanning File"));
  QVERIFY(!app.form->MyWebBrowser->toPlainText().contains("ALL DONE"));
  QCOMPARE(app.state.DataFilePath, good);  // the plot window keeps the last passed file
}

// On a full disk the scan's report cannot be written: the scan fails with the
// scanner's box, and neither a cut report nor the one an earlier scan left at
// the name is shown as this scan's.
void WindowsTest::reportThatCannotBeWrittenIsNotShown() {
  testing_support::SmallDisk disk(128 * 1024);
  if (!disk.mounted()) QSKIP("no tmpfs can be mounted here");
  std::vector<testing_support::ProfileBlock> blocks;
  for (int hour = 10; hour <= 21; ++hour) {
    const std::string day = "2018-04-12, " + std::to_string(hour);
    blocks.push_back(testing_support::profileBlock(day + ":00:00", day + ":59:59", day + ":30:00"));
  }
  const std::string path = disk.file(profileFileName());
  QVERIFY(testing_support::writeFile(path, testing_support::profileFileText(blocks)));
  Skelda app;
  app.form->cbRptDisp->setChecked(false);  // a small report first
  app.scan(path);
  QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
  QVERIFY(app.form->CurPlotting->isEnabled());
  QVERIFY(app.form->MyWebBrowser->toPlainText().contains("ALL DONE"));
  const std::string firstReport = testing_support::readFile(path + "__ScanMsgs.htm");

  QVERIFY(disk.fillLeaving(16 * 1024));
  app.form->cbRptDisp->setChecked(true);  // the detail tables do not fit
  app.scan(path);
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QCOMPARE(app.boxes.boxes[0].text, path + "__ScanMsgs.htm\nCould not write the scan report: No space left on device");
  QCOMPARE(app.boxes.boxes[0].caption, std::string("File Write Error..."));
  QVERIFY(!app.form->CurPlotting->isEnabled());
  QVERIFY(app.state.ReportPath.empty());
  QVERIFY2(app.form->MyWebBrowser->toPlainText().isEmpty(),
           qPrintable(app.form->MyWebBrowser->toPlainText().left(300)));
  // The earlier report stays at its name, not shown.
  QCOMPARE(testing_support::readFile(path + "__ScanMsgs.htm"), firstReport);
}

void WindowsTest::surfaceFileIsShownButNotPlotted() {
  Skelda app;
  std::string path = app.writeSample(surfaceFileName(), validSurfaceText());
  app.scan(path);
  QVERIFY(app.form->MyWebBrowser->toPlainText().contains("Now Scanning File"));
  QVERIFY(!app.form->CurPlotting->isEnabled());
}

void WindowsTest::browseFillsTheNameBox() {
  Skelda app;
  app.chooser.openAnswer = "/some/where/DATAID_SITE_20180315_R0.dat";
  app.form->OpenFile->click();
  QCOMPARE(app.form->fileNameValue->text(), QString("/some/where/DATAID_SITE_20180315_R0.dat"));
  QCOMPARE(app.chooser.openFilters.at(0),
           std::string("Dat Files ( *.dat )|*.dat|HDF4 Files ( *.hdf )|*.hdf|All files ( *.* )|*.*"));
  QCOMPARE(app.chooser.lastFilterIndex, 3);
  app.chooser.openAnswer.clear();  // cancelled: nothing changes
  app.form->OpenFile->click();
  QCOMPARE(app.form->fileNameValue->text(), QString("/some/where/DATAID_SITE_20180315_R0.dat"));
}

void WindowsTest::dialogFiltersShowTheirLabelsOnce() {
  struct Case {
    const char* filter;
    QStringList labels;
  } cases[] = {
      {"Dat Files ( *.dat )|*.dat|HDF4 Files ( *.hdf )|*.hdf|All files ( *.* )|*.*",
       {"Dat Files ( *.dat )", "HDF4 Files ( *.hdf )", "All files ( *.* )"}},
      {"JPEG File (*.jpg)|*.jpg|JPEG File (*.jpeg)|*.jpeg|All Files (*.*)|*.*",
       {"JPEG File (*.jpg)", "JPEG File (*.jpeg)", "All Files (*.*)"}},
  };
  for (const Case& c : cases) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);  // the widgets whose labels the user reads
    QStringList filters = setNameFilters(dialog, c.filter);
    QCOMPARE(filters.size(), c.labels.size());
    QComboBox* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    QVERIFY(types != nullptr);
    QStringList shown;
    for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
    QCOMPARE(shown, c.labels);
    // Names without an extension are still listed under "All files".
    QCOMPARE(filters.last().endsWith("(*)"), true);
  }
}

void WindowsTest::exitDeletesTheReport() {
  Skelda app;
  std::string path = app.writeSample(profileFileName(), validProfileText());
  app.scan(path);
  QVERIFY(std::filesystem::exists(app.state.ReportPath));
  app.form->btnExit->click();
  QVERIFY(!std::filesystem::exists(app.state.ReportPath));
  QVERIFY(std::filesystem::exists(path));
  QVERIFY(!app.form->isVisible());
}

void WindowsTest::exitWithoutScanDeletesNothing() {
  Skelda app;
  testing_support::writeFile(app.start.file("keep.txt"), "x");
  app.form->btnExit->click();
  QVERIFY(std::filesystem::exists(app.start.file("keep.txt")));
  QVERIFY(!app.form->isVisible());
}

void WindowsTest::plotWindowDefaults() {
  Skelda app;
  TCurForm* p = app.plot.get();
  QVERIFY(p->cbPrfs2Plot->isChecked());
  QVERIFY(!p->rbPrfByNum->isEnabled());
  QVERIFY(p->rbPrfByTime->isChecked());
  QCOMPARE(p->prfMin->text(), QString("0"));
  QCOMPARE(p->prfMax->text(), QString("1000"));
  QCOMPARE(p->yMin->text(), QString("0"));
  QCOMPARE(p->yMax->text(), QString("12000"));
  QCOMPARE(p->xMin->text(), QString("0"));
  QCOMPARE(p->xMax->text(), QString("300"));
  QCOMPARE(p->xMaxEnum->count(), 26);
  QCOMPARE(p->xMaxEnum->itemText(0), QString("e+0"));
  QCOMPARE(p->xMaxEnum->itemText(25), QString("e+25"));
  QCOMPARE(p->xMaxEnum->currentText(), QString("e+18"));
  QVERIFY(p->cbMedian->isChecked());
  QVERIFY(!p->cbQuartile->isChecked());
  QCOMPARE(p->cbQuartile->text(), QString("25th && 75th"));
  QCOMPARE(p->YYStart->maxLength(), 4);
  QCOMPARE(p->MMStart->maxLength(), 2);
  QCOMPARE(p->yMax->maxLength(), 5);
  QCOMPARE(p->hhEnd->text(), QString("23"));
  QCOMPARE(p->mnEnd->text(), QString("59"));
  QCOMPARE(p->btnAddFile->text(), QString("Append Another File..."));
}

void WindowsTest::numberDensitySwapsTheXMaximum() {
  Skelda app;
  TCurForm* p = app.plot.get();
  p->xMax->setText("250");
  p->cbNumberDensity->click();
  QCOMPARE(p->xMax->text(), QString("3"));
  QVERIFY(p->xMaxEnum->isVisibleTo(p));
  p->cbNumberDensity->click();
  QCOMPARE(p->xMax->text(), QString("250"));
  QVERIFY(!p->xMaxEnum->isVisibleTo(p));
}

void WindowsTest::profileSelectionPanels() {
  Skelda app;
  app.state.DataFileName = "DATAID_SITE_20180315_R0.dat";
  TCurForm* p = app.plot.get();
  p->cbPrfs2Plot->click();  // unticked
  QVERIFY(p->rbPrfByNum->isEnabled());
  QVERIFY(p->rbPrfByTime->isEnabled());
  QVERIFY(p->prfLabSelect->isEnabled());
  QVERIFY(p->pnlByTimes->isVisibleTo(p));
  QVERIFY(!p->pnlByNum->isVisibleTo(p));
  QCOMPARE(p->YYStart->text(), QString("2018"));
  QCOMPARE(p->MMStart->text(), QString("03"));
  QCOMPARE(p->DDStart->text(), QString("15"));
  QCOMPARE(p->YYEnd->text(), QString("2018"));
  p->rbPrfByNum->click();
  QVERIFY(!p->rbPrfByTime->isChecked());
  QVERIFY(p->pnlByNum->isVisibleTo(p));
  QVERIFY(!p->pnlByTimes->isVisibleTo(p));
  p->cbPrfs2Plot->click();  // ticked again
  QVERIFY(!p->pnlByNum->isVisibleTo(p));
  QVERIFY(!p->pnlByTimes->isVisibleTo(p));
  QVERIFY(!p->rbPrfByNum->isEnabled());
}

void WindowsTest::resetFillsTheDateFieldsFromTheFileName() {
  Skelda app;
  TCurForm* p = app.plot.get();
  app.state.DataFileName = "DATAID_SITE_20180315_R0.dat";
  p->YYStart->setText("2017");
  p->cbQuartile->setChecked(true);
  p->yMax->setText("800");
  resetPlotControls(p);
  QCOMPARE(p->YYStart->text(), QString("2018"));
  QCOMPARE(p->MMStart->text(), QString("03"));
  QCOMPARE(p->DDStart->text(), QString("15"));
  QCOMPARE(p->YYEnd->text(), QString("2018"));
  QCOMPARE(p->MMEnd->text(), QString("03"));
  QCOMPARE(p->DDEnd->text(), QString("15"));
  QVERIFY(!p->cbQuartile->isChecked());
  QCOMPARE(p->yMax->text(), QString("12000"));
  QVERIFY(p->cbPrfs2Plot->isEnabled());
  // A GEOMS scan: the start fields come from the start stamp; all profiles only.
  app.state.DataFileIsHdf = true;
  app.state.DataFileName = "groundbased_lidar.o3_inst_one_site_20180316T061500Z_20180317T071600Z_002.hdf";
  resetPlotControls(p);
  QVERIFY(!p->cbPrfs2Plot->isEnabled());
  setDateFieldsFromFileName(p, "I");
  QCOMPARE(p->YYStart->text(), QString("2018"));
  QCOMPARE(p->DDStart->text(), QString("16"));
  setDateFieldsFromFileName(p, "20190102");
  QCOMPARE(p->YYEnd->text(), QString("2019"));
  QCOMPARE(p->MMEnd->text(), QString("01"));
  QCOMPARE(p->DDEnd->text(), QString("02"));
}

void WindowsTest::refusedChoiceStartsNothing() {
  Skelda app;
  FakeLauncher launcher;
  app.state.DataFilePath = app.start.file("DATAID_SITE_20180315_R0.dat");
  app.state.DataFileName = "DATAID_SITE_20180315_R0.dat";
  TCurForm* p = app.plot.get();
  p->xMin->setText("1.5");
  p->btnReplot->click();
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QCOMPARE(app.boxes.boxes[0].text, std::string("Y and X Axes Values: Min/Max values must all be integers."));
  QCOMPARE(app.boxes.boxes[0].caption, std::string("Integer values expected ..."));
  QVERIFY(launcher.started.empty());
  QVERIFY(!p->pMsg->isVisible());

  app.boxes.boxes.clear();
  p->xMin->setText("0");
  p->cbPrfs2Plot->click();
  p->rbPrfByNum->click();
  p->prfMin->setText("-3");
  p->prfMax->setText("20000");
  launcher.startError = 2;  // stops the run right after the start
  p->btnReplot->click();
  QCOMPARE(p->prfMin->text(), QString("0"));
  QCOMPARE(p->prfMax->text(), QString("10000"));
  QCOMPARE(app.boxes.boxes.size(), size_t(2));
  QCOMPARE(app.boxes.boxes[0].text, std::string(" Please note >> Profiles To Plot End value is set to Max = 10000 "));
  QCOMPARE(app.boxes.boxes[1].text, std::string("CreateProcess Failed (Err = 2)"));
  QCOMPARE(launcher.started.size(), size_t(1));
  QCOMPARE(launcher.started[0].args.at(5), std::string("0"));
  QCOMPARE(launcher.started[0].args.at(6), std::string("10000"));

  app.boxes.boxes.clear();
  p->rbPrfByTime->click();
  p->YYStart->setText("2019");
  p->MMStart->setText("02");
  p->DDStart->setText("29");
  p->btnReplot->click();
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QCOMPARE(app.boxes.boxes[0].text,
           std::string("Error Start Month/Day: For \"Feb\" (non-leap year) the Day value can NOT be 29.\n"));
  QCOMPARE(launcher.started.size(), size_t(1));
}

void WindowsTest::appendNeedsAYesAndAFile() {
  Skelda app;
  std::filesystem::create_directory(app.start.file("Data"));
  app.state.DataFilePath = "/d/DATAID_SITE_20180315_R0.dat";
  app.state.DataFileName = "DATAID_SITE_20180315_R0.dat";
  TCurForm* p = app.plot.get();
  app.chooser.openAnswer = "/d/DATAID_SITE_20180316_R0.dat";
  app.boxes.answer = platform::BoxAnswer::No;
  p->btnAddFile->click();
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QCOMPARE(app.boxes.boxes[0].caption, std::string("Confirm File Foramt Compliance ..."));
  QCOMPARE(app.boxes.boxes[0].icon, platform::BoxIcon::Warning);
  QCOMPARE(app.boxes.boxes[0].buttons, platform::BoxButtons::YesNoCancel);
  QVERIFY(app.boxes.boxes[0].text.find("WARNING PLEASE READ:\n====================\n\n") == 0);
  QVERIFY(app.chooser.openFilters.empty());
  QVERIFY(app.state.PlotFiles.empty());

  app.boxes.answer = platform::BoxAnswer::Yes;
  p->btnAddFile->click();
  QCOMPARE(app.chooser.openFilters.size(), size_t(1));
  QCOMPARE(app.chooser.openFilters[0], std::string());  // no filter
  QCOMPARE(app.state.PlotFiles,
           (std::vector<std::string>{"/d/DATAID_SITE_20180315_R0.dat", "/d/DATAID_SITE_20180316_R0.dat"}));
  QCOMPARE(p->DDEnd->text(), QString("16"));
  QCOMPARE(testing_support::readFile(plotListPath(app.state.StartDir)),
           std::string("/d/DATAID_SITE_20180316_R0.dat\n"));
}

void WindowsTest::hourglassWhileThePlotProgramRuns() {
  Skelda app;
  FakeLauncher launcher;
  std::string path = app.writeSample(profileFileName(), validProfileText());
  app.scan(path);
  QVERIFY(app.form->CurPlotting->isEnabled());
  QVERIFY(QApplication::overrideCursor() == nullptr);
  int shape = -1;
  bool noticeShown = false;
  bool inputBlocked = false;
  launcher.childRun = [&] {
    if (QApplication::overrideCursor()) shape = QApplication::overrideCursor()->shape();
    noticeShown = app.form->pMsg->isVisible();
    inputBlocked = windowInputBlocked();
  };
  app.form->CurPlotting->click();
  QCOMPARE(shape, int(Qt::WaitCursor));
  QVERIFY(noticeShown);
  QVERIFY(inputBlocked);
  QVERIFY(!windowInputBlocked());
  QVERIFY(QApplication::overrideCursor() == nullptr);
  QVERIFY(!app.form->pMsg->isVisible());
  // The fake child drew nothing: the first plot's image check refuses.
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QVERIFY(app.boxes.boxes[0].text.find("Error(0x3)") == 0);
  QVERIFY(!app.state.PlotsReady);
  QCOMPARE(launcher.started.size(), size_t(1));
  QCOMPARE(launcher.started[0].program, std::string("Vantor.exe"));
  QCOMPARE(launcher.started[0].workDir, app.start.path());
}

void WindowsTest::hdfPlotNamesOmbrelWhichIsNotThere() {
  Skelda app;
  // As after a passed scan of a GEOMS file (the verifier itself is not needed here).
  app.state.DataFileIsHdf = true;
  app.state.DataFileName = "groundbased_lidar.o3_inst_one_site_20180315T061500Z_20180315T235900Z_002.hdf";
  app.state.DataFilePath = app.start.file(app.state.DataFileName);
  app.form->CurPlotting->setEnabled(true);
  app.form->CurPlotting->click();
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QCOMPARE(app.boxes.boxes[0].text, std::string("CreateProcess Failed (Err = 2)"));
  QCOMPARE(app.boxes.boxes[0].caption, std::string("Error Running Curtain Plotting Function??"));
  QVERIFY(!app.state.PlotsReady);
  QVERIFY(!app.plot->isVisible());
  // Nothing was prepared for a program that is not there.
  QVERIFY(!std::filesystem::exists(plotListPath(app.state.StartDir)));
}

void WindowsTest::replotAfterAFailedHdfScanStartsVantor() {
  Skelda app;
  FakeLauncher launcher;
  std::string profile = app.writeSample(profileFileName(), validProfileText());
  app.scan(profile);
  QVERIFY(app.form->CurPlotting->isEnabled());
  launcher.childRun = [&] {
    writeSolidJpeg(startDirFile(app.state.StartDir, kCurtainImageName), 80, 70, 10, 20, 200);
    writeSolidJpeg(startDirFile(app.state.StartDir, kProfileImageName), 40, 70, 200, 20, 10);
  };
  app.form->CurPlotting->click();
  QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
  QVERIFY(app.plot->isVisible());

  // A GEOMS name whose scan fails (the verifier leaves no report): the plot
  // window stays open on the PROFILE file.
  std::string hdf = app.writeSample("groundbased_lidar.o3_inst_one_site_20180315T061500Z_20180315T235900Z_002.hdf",
                                    "not an HDF file");
  launcher.childRun = nullptr;
  app.scan(hdf);
  QVERIFY(app.state.IsHdfFile);
  QVERIFY(!app.form->CurPlotting->isEnabled());
  QCOMPARE(launcher.started.back().program, std::string("Quessel"));
  QVERIFY(app.plot->isVisible());

  app.boxes.boxes.clear();
  launcher.childRun = [&] {
    writeSolidJpeg(startDirFile(app.state.StartDir, kCurtainImageName), 80, 70, 200, 200, 10);
    writeSolidJpeg(startDirFile(app.state.StartDir, kProfileImageName), 40, 70, 10, 200, 200);
  };
  app.plot->btnReplot->click();
  QCOMPARE(launcher.started.back().program, std::string("Vantor.exe"));
  QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
  // The time window still comes from the network file's name.
  QCOMPARE(app.state.PlotStartStamp, std::string("20180412000000"));
  QCOMPARE(app.state.PlotEndStamp, std::string("20180412235959"));
  QCOMPARE(app.state.DataFilePath, profile);
}

namespace {

const char kGeomsSampleName[] = "groundbased_lidar.o3_inst_one_site_20180315T061500Z_20180315T235900Z_002.hdf";

// A PROFILE file scanned and plotted by a stand-in plot program that draws two
// solid images; then a GEOMS file whose scan passes (a stand-in verifier). The
// plot window stays open on the PROFILE plots. Returns the PROFILE file's path.
std::string plotProfileThenPassGeoms(Skelda& app, FakeLauncher& launcher) {
  std::string profile = app.writeSample(profileFileName(), validProfileText());
  app.scan(profile);
  launcher.childRun = [&] {
    writeSolidJpeg(startDirFile(app.state.StartDir, kCurtainImageName), 80, 70, 10, 20, 200);
    writeSolidJpeg(startDirFile(app.state.StartDir, kProfileImageName), 40, 70, 200, 20, 10);
  };
  app.form->CurPlotting->click();
  std::string hdf = app.writeSample(kGeomsSampleName, "not read by the stand-in verifier");
  launcher.childRun = [hdf] { testing_support::writeFile(hdf + "_.err", "@@@ Step 1 passed\n<br>\n^End.0\n"); };
  app.scan(hdf);
  launcher.childRun = nullptr;
  return profile;
}

}  // namespace

void WindowsTest::hdfPlotWithoutItsProgramChangesNothing() {
  struct Case {
    const char* what;
    bool missing;    // not found at all
    int startError;  // found, but its start fails
    size_t starts;   // start attempts of the plot button
    const char* text;
  };
  const Case cases[] = {
      {"not found", true, 0, 0, "CreateProcess Failed (Err = 2)"},
      {"not startable", false, 8, 1, "CreateProcess Failed (Err = 8)"},
  };
  for (const Case& c : cases) {
    Skelda app;
    FakeLauncher launcher;
    std::string profile = plotProfileThenPassGeoms(app, launcher);
    QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
    QVERIFY(app.plot->isVisible());
    QVERIFY(app.form->CurPlotting->isEnabled());
    QVERIFY(app.state.DataFileIsHdf);

    std::string curtain = testing_support::readFile(startDirFile(app.state.StartDir, kCurtainImageName));
    std::string profileImage = testing_support::readFile(startDirFile(app.state.StartDir, kProfileImageName));
    QVERIFY(!curtain.empty() && !profileImage.empty());
    QImage shownCurtain = app.plot->cIMG->image();
    QImage shownProfile = app.plot->pIMG->image();
    std::vector<std::string> files = app.state.PlotFiles;
    int count = app.state.PlotFileCount;
    size_t startsBefore = launcher.started.size();
    if (c.missing) launcher.missingPrograms = {"Ombrel.exe"};
    launcher.startError = c.startError;

    app.form->CurPlotting->click();
    QCOMPARE(app.boxes.boxes.size(), size_t(1));
    QCOMPARE(app.boxes.boxes[0].text, std::string(c.text));
    QCOMPARE(app.boxes.boxes[0].caption, std::string("Error Running Curtain Plotting Function??"));
    QCOMPARE(launcher.started.size(), startsBefore + c.starts);
    if (c.starts) QCOMPARE(launcher.started.back().program, std::string("Ombrel.exe"));
    // The images, the list file and the plot window are as they were.
    QCOMPARE(testing_support::readFile(startDirFile(app.state.StartDir, kCurtainImageName)), curtain);
    QCOMPARE(testing_support::readFile(startDirFile(app.state.StartDir, kProfileImageName)), profileImage);
    QCOMPARE(testing_support::readFile(plotListPath(app.state.StartDir)), profile + "\n");
    QCOMPARE(app.state.PlotFiles, files);
    QCOMPARE(app.state.PlotFileCount, count);
    QVERIFY(app.plot->isVisible());
    QCOMPARE(app.plot->cIMG->image(), shownCurtain);
    QCOMPARE(app.plot->pIMG->image(), shownProfile);
    QVERIFY(!app.form->pMsg->isVisible());
    QVERIFY(!app.state.PlotsReady);
  }
}

void WindowsTest::replotAfterAPassedHdfScanRedrawsTheProfileFiles() {
  Skelda app;
  FakeLauncher launcher;
  std::string profile = plotProfileThenPassGeoms(app, launcher);
  QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
  QVERIFY(app.state.DataFileIsHdf);
  QCOMPARE(app.state.DataFilePath, app.start.file(std::string("samples/") + kGeomsSampleName));
  size_t startsBefore = launcher.started.size();
  QImage oldCurtain = app.plot->cIMG->image();
  launcher.childRun = [&] {
    writeSolidJpeg(startDirFile(app.state.StartDir, kCurtainImageName), 80, 70, 200, 200, 10);
    writeSolidJpeg(startDirFile(app.state.StartDir, kProfileImageName), 40, 70, 10, 200, 200);
  };
  app.plot->btnReplot->click();
  QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
  QCOMPARE(launcher.started.size(), startsBefore + 1);
  const platform::StartRequest& replot = launcher.started.back();
  QCOMPARE(replot.program, std::string("Vantor.exe"));
  QCOMPARE(replot.args.at(2), std::string("1"));  // endFile: the one PROFILE file
  QCOMPARE(replot.args.at(7), std::string("20180412000000"));
  QCOMPARE(replot.args.at(8), std::string("20180412235959"));
  QCOMPARE(app.state.PlotFiles, std::vector<std::string>{profile});
  QCOMPARE(testing_support::readFile(plotListPath(app.state.StartDir)), profile + "\n");
  QVERIFY(app.plot->cIMG->image() != oldCurtain);
  QVERIFY(app.state.PlotsReady);
}

namespace {

// The report view's text after a scan of `path` (set as typed: the key
// clicks of Qt Test take ASCII only).
QString reportShown(Skelda& app, const std::string& path) {
  app.form->fileNameValue->setText(QString::fromUtf8(path));
  app.form->btnScan->click();
  return app.form->MyWebBrowser->toPlainText();
}

}  // namespace

void WindowsTest::reportViewDecodesUtf8AndLatin1() {
  Skelda app;
  FakeLauncher launcher;  // the stand-in verifier of the GEOMS case
  const std::string piLine = "A. Person, station@example.org  ; PI AND CONTACT INFO";
  auto withPi = [&](const std::string& pi) {
    std::string text = validProfileText();
    return text.replace(text.find(piLine), piLine.find(';'), pi + "  ");
  };
  std::string folder = "samples/M\xC3\xBCller \xC3\xB6";  // "Müller ö" in UTF-8
  std::filesystem::create_directories(app.start.file(folder));

  // A UTF-8 data file in a UTF-8 folder.
  std::string utf8 = app.start.file(folder + "/" + profileFileName());
  testing_support::writeFile(utf8, withPi("A. M\xC3\xBCller-\xC5\x81ukasz"));
  QString shown = reportShown(app, utf8);
  std::string bytes = testing_support::readFile(utf8 + "__ScanMsgs.htm");
  QVERIFY(bytes.find("A. M\xC3\xBCLLER-\xC5\x81UKASZ") != std::string::npos);  // the bytes as written
  QVERIFY2(shown.contains(QString::fromUtf8("A. M\xC3\xBCLLER-\xC5\x81UKASZ")), qPrintable(shown.left(3000)));
  QVERIFY(!shown.contains(QString::fromUtf8("\xC3\x83")));  // no "Ã"

  // The verifier's lines name the GEOMS file by its UTF-8 path.
  std::string hdf = app.start.file(folder + "/" + kGeomsSampleName);
  testing_support::writeFile(hdf, "not read by the stand-in verifier");
  launcher.childRun = [hdf] {
    testing_support::writeFile(hdf + "_.err", "# HDF File: " + hdf + "\n@@@ Step 1 passed\n<br>\n^End.0\n");
  };
  shown = reportShown(app, hdf);
  QVERIFY2(shown.contains(QString::fromUtf8("HDF File: " + hdf)), qPrintable(shown.left(3000)));
  QVERIFY(shown.contains(QString::fromUtf8("/M\xC3\xBCller \xC3\xB6/")));

  // A Latin-1 data file: its byte is not UTF-8, so the report is read as Latin-1.
  std::filesystem::create_directories(app.start.file("latin1"));
  std::string latin1 = app.start.file("latin1/" + profileFileName());
  testing_support::writeFile(latin1, withPi("A. M\xFCller \xB5"));
  shown = reportShown(app, latin1);
  bytes = testing_support::readFile(latin1 + "__ScanMsgs.htm");
  QVERIFY(bytes.find("A. M\xFCLLER \xB5") != std::string::npos);
  QVERIFY2(shown.contains(QString::fromUtf8("A. M\xC3\xBCLLER \xC2\xB5")), qPrintable(shown.left(3000)));
  QVERIFY(!shown.contains(QChar(0xFFFD)));
}

void WindowsTest::boxesAreWideEnoughForTheirCaption() {
  Skelda app;
  QtMessageBoxes qtBoxes;
  platform::setMessageBoxes(&qtBoxes);
  struct Seen {
    int width = 0;
    QString caption;
  };
  const char* const captions[] = {"Error Running Curtain Plotting Function??", "Error Running Curtain Plot Routine...",
                                  "Start/End UTC Values Out of Range  ..."};
  for (const char* caption : captions) {
    Seen seen;
    QTimer::singleShot(0, [&seen] {
      QMessageBox* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      seen.width = box->width();
      seen.caption = box->windowTitle();
      box->done(QMessageBox::Ok);
    });
    platform::showMessageBox("CreateProcess Failed (Err = 2)", caption);
    QCOMPARE(seen.caption, QString(caption));
    // Wider than the caption's text with the title bar's buttons beside it.
    QVERIFY2(seen.width >= captionFittingWidth(seen.caption),
             qPrintable(QString("%1 < %2").arg(seen.width).arg(captionFittingWidth(seen.caption))));
    QVERIFY(captionFittingWidth(seen.caption) >
            QFontMetrics(QApplication::font()).horizontalAdvance(seen.caption) + 100);
  }
  platform::setMessageBoxes(&app.boxes);
}

namespace {

// A click as the window system queues it: press and release, delivered by the
// event loop later.
void queueClick(QWidget* widget) {
  QPointF inside = QPointF(widget->rect().center());
  QPointF global = QPointF(widget->mapToGlobal(widget->rect().center()));
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QCoreApplication::postEvent(widget, new QMouseEvent(type, inside, global, Qt::LeftButton, held, Qt::NoModifier));
  }
}

// A quick double click: both clicks are queued before the first is handled.
void doubleClick(QWidget* widget) {
  queueClick(widget);
  queueClick(widget);
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

}  // namespace

void WindowsTest::doubleClicksStartOneRun() {
  Skelda app;
  FakeLauncher launcher;
  std::string path = app.writeSample(profileFileName(), validProfileText());
  app.scan(path);
  QVERIFY(app.form->CurPlotting->isEnabled());
  // The fake plot program draws nothing, so the button stays enabled after each
  // run and every click that reaches it would start one.
  doubleClick(app.form->CurPlotting);
  QCOMPARE(launcher.started.size(), size_t(1));
  QCOMPARE(app.boxes.boxes.size(), size_t(1));  // Error(0x3) once

  // A click made while the plot program runs does not start another run after it.
  launcher.childRun = [&] { queueClick(app.form->CurPlotting); };
  app.form->CurPlotting->click();
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  QCOMPARE(launcher.started.size(), size_t(2));
  QVERIFY(app.form->CurPlotting->isEnabled());
  launcher.childRun = nullptr;
  queueClick(app.form->CurPlotting);  // after the run, input is taken again
  QApplication::processEvents();
  QCOMPARE(launcher.started.size(), size_t(3));

  // A double click whose second press comes after a quick run is over is still
  // one click.
  auto doubleClickAfterTheRun = [](QWidget* widget) {
    queueClick(widget);
    QApplication::processEvents();
    QPointF inside = QPointF(widget->rect().center());
    QPointF global = QPointF(widget->mapToGlobal(widget->rect().center()));
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonDblClick, inside, global, Qt::LeftButton,
                                                        Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonRelease, inside, global, Qt::LeftButton,
                                                        Qt::NoButton, Qt::NoModifier));
    QApplication::processEvents();
  };
  doubleClickAfterTheRun(app.form->CurPlotting);
  QCOMPARE(launcher.started.size(), size_t(4));

  // Replot.
  app.state.DataFileName = profileFileName();
  app.plot->show();
  QApplication::processEvents();
  doubleClick(app.plot->btnReplot);
  QCOMPARE(launcher.started.size(), size_t(5));
  doubleClickAfterTheRun(app.plot->btnReplot);
  QCOMPARE(launcher.started.size(), size_t(6));
  QCOMPARE(launcher.started.back().args.at(4), std::string("true"));  // Replot's line
}

void WindowsTest::repeatedDoubleClicksOnAnHdfScanLeaveSkeldaRunning() {
  Skelda app;
  FakeLauncher launcher;
  std::string hdf = app.writeSample("groundbased_lidar.o3_inst_one_site_20180315T061500Z_20180315T235900Z_002.hdf",
                                    "not read by the fake verifier");
  // The verifier passes the file after a while.
  launcher.childRun = [&] {
    QTest::qSleep(20);
    testing_support::writeFile(hdf + "_.err", "@@@ Step 1 passed\n<br>\n^End.0\n");
  };
  app.form->fileNameValue->setText(QString::fromStdString(hdf));
  for (int round = 1; round <= 4; ++round) {
    doubleClick(app.form->btnScan);
    QCOMPARE(launcher.started.size(), size_t(round));
    QCOMPARE(launcher.started.back().program, std::string("Quessel"));
    QCOMPARE(launcher.started.back().program, std::string("Quessel"));
    QVERIFY2(app.boxes.boxes.empty(), app.boxList().c_str());
    QVERIFY(app.form->CurPlotting->isEnabled());
    QVERIFY(app.form->cbRptDisp->isVisible());
    QVERIFY(!app.form->msgBusy->isVisible());
  }
  QVERIFY(app.form->isVisible());
  QVERIFY(app.form->MyWebBrowser->toPlainText().contains("Step 1 passed"));
}

void WindowsTest::boxesStandOnTheTopMostWindow() {
  Skelda app;
  // Without the plot window: the main window.
  QCOMPARE(boxParentWindow(), static_cast<QWidget*>(app.form.get()));
  // While the always-on-top plot window is shown: the plot window, also when
  // the main window was the one activated last.
  app.plot->show();
  QApplication::setActiveWindow(app.form.get());
  QApplication::processEvents();
  QCOMPARE(boxParentWindow(), static_cast<QWidget*>(app.plot.get()));
  // Right after a file dialog closed, Qt's active window is not one of the
  // program's: the box still stands on the plot window.
  {
    QDialog dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QApplication::processEvents();
    dialog.hide();
    QCOMPARE(boxParentWindow(), static_cast<QWidget*>(app.plot.get()));
    app.plot->hide();
    QCOMPARE(boxParentWindow(), static_cast<QWidget*>(app.form.get()));
  }
  app.form->hide();
  QVERIFY(boxParentWindow() == nullptr || boxParentWindow()->isVisible());
}

void WindowsTest::boxesShownOverThePlotWindow() {
  Skelda app;
  QtMessageBoxes qtBoxes;
  platform::setMessageBoxes(&qtBoxes);
  app.plot->show();
  QApplication::processEvents();
  struct Seen {
    bool shown = false;
    QWidget* parent = nullptr;
    bool onTop = false;
    QString text;
  };
  // Looks at the box once it is up and answers it.
  auto answerTheBox = [](Seen* seen) {
    QTimer::singleShot(0, [seen] {
      QMessageBox* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      seen->shown = box->isVisible();
      seen->parent = box->parentWidget();
      seen->onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
      seen->text = box->text();
      box->done(QMessageBox::Ok);
    });
  };
  Seen refusal;
  answerTheBox(&refusal);
  app.scan("a.d");  // "Unknown filename", raised from the main window
  QVERIFY(refusal.shown);
  QCOMPARE(refusal.text, QString("Unknown filename"));
  QCOMPARE(refusal.parent, static_cast<QWidget*>(app.plot.get()));
  QVERIFY(refusal.onTop);

  // Without the plot window the box stands on the main window at the usual level.
  app.plot->hide();
  Seen plain;
  answerTheBox(&plain);
  app.scan("a.d");
  QVERIFY(plain.shown);
  QCOMPARE(plain.parent, static_cast<QWidget*>(app.form.get()));
  QVERIFY(!plain.onTop);

  // A box shown while no window of this Skelda is (a second Skelda's refusal
  // to start) stands on top: another Skelda's plot window would hide it.
  app.form->hide();
  QApplication::processEvents();
  Seen alone;
  answerTheBox(&alone);
  platform::showMessageBox("alone", "Skelda");
  QVERIFY(alone.shown);
  QCOMPARE(alone.parent, static_cast<QWidget*>(nullptr));
  QVERIFY(alone.onTop);
  platform::setMessageBoxes(&app.boxes);
}

void WindowsTest::mainWindowKeepsItsLayoutDuringAScan() {
  Skelda app;
  FakeLauncher launcher;
  TForm1* f = app.form.get();
  QWidget* controls[] = {f->Label1, f->fileNameValue, f->OpenFile, f->btnScan, f->CurPlotting, f->btnExit,
                         f->MyWebBrowser};
  auto geometries = [&] {
    f->Panel1->layout()->activate();
    f->layout()->activate();
    std::vector<QRect> all;
    for (QWidget* w : controls) all.push_back(w->geometry());
    return all;
  };
  std::vector<QRect> before = geometries();
  // The scan of an HDF file waits for the verifier: look at the window then.
  std::vector<QRect> during;
  bool noticeShown = false;
  bool boxHidden = false;
  QRect noticePlace;
  launcher.childRun = [&] {
    during = geometries();
    noticeShown = f->msgBusy->isVisible();
    boxHidden = !f->cbRptDisp->isVisible();
    noticePlace = f->msgBusy->geometry();
  };
  std::string hdf = app.writeSample("groundbased_lidar.o3_inst_one_site_20180315T061500Z_20180315T235900Z_002.hdf",
                                    "x");
  app.scan(hdf);
  QVERIFY(noticeShown);
  QVERIFY(boxHidden);
  std::vector<QRect> after = geometries();
  for (size_t i = 0; i < before.size(); ++i) {
    QCOMPARE(during[i], before[i]);
    QCOMPARE(after[i], before[i]);
  }
  // The notice stands where the check box stands.
  QCOMPARE(noticePlace.left(), f->cbRptDisp->geometry().left());
  QVERIFY(noticePlace.intersects(f->cbRptDisp->geometry()));
  QCOMPARE(f->msgBusy->text(), QString("Working -- please wait ..."));
}

namespace {

// The controls of the plot window's strip that are shown now.
std::vector<QWidget*> shownStripControls(TCurForm* p) {
  std::vector<QWidget*> shown;
  for (QWidget* w : p->Panel1->findChildren<QWidget*>())
    if (w->isVisibleTo(p) && !qobject_cast<QScrollBar*>(w) && w->parentWidget() != nullptr &&
        !w->inherits("QComboBoxPrivateContainer") && !qobject_cast<QComboBox*>(w->parentWidget()) &&
        w->window() == p)
      shown.push_back(w);
  return shown;
}

// Every shown control lies inside its parent and inside the strip, at no less
// than its own minimum size; describes the first one that does not.
std::string firstCutControl(TCurForm* p) {
  QRect strip = p->Panel1->rect();
  for (QWidget* w : shownStripControls(p)) {
    QRect inStrip(w->mapTo(p->Panel1, QPoint(0, 0)), w->size());
    QRect inParent = w->geometry();
    QSize least = w->minimumSizeHint();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      // A field needs room for its longest number, not Qt's general minimum.
      int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
      least.setWidth(edit->fontMetrics().horizontalAdvance(QString(edit->maxLength(), '0')) + 2 * frame + 2 * 2 + 1);
    }
    bool tooSmall = w->width() < least.width() ||
                    (w->hasHeightForWidth() ? w->height() < w->heightForWidth(w->width())
                                            : w->height() < least.height());
    if (!strip.contains(inStrip) || !w->parentWidget()->rect().contains(inParent) || tooSmall) {
      QString what = w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName();
      if (auto* button = qobject_cast<QAbstractButton*>(w)) what += " " + button->text();
      if (auto* label = qobject_cast<QLabel*>(w)) what += " " + label->text();
      return what.toStdString() + " at " + std::to_string(inStrip.x()) + "," + std::to_string(inStrip.y()) + " " +
             std::to_string(w->width()) + "x" + std::to_string(w->height());
    }
  }
  return "";
}

std::map<QWidget*, QRect> stripGeometry(TCurForm* p) {
  QApplication::processEvents();
  std::map<QWidget*, QRect> all;
  for (QWidget* w : shownStripControls(p)) all[w] = QRect(w->mapTo(p, QPoint(0, 0)), w->size());
  return all;
}

}  // namespace

void WindowsTest::plotStripFitsAtTheDesignSize() {
  Skelda app;
  app.state.DataFileName = profileFileName();
  TCurForm* p = app.plot.get();
  p->resize(1200, 900);
  p->show();
  QApplication::processEvents();
  QCOMPARE(p->size(), QSize(1200, 900));
  QCOMPARE(p->Panel1->height(), 145);
  QCOMPARE(p->Panel1->mapTo(p, QPoint(0, 0)).y() + 145, 900);  // the strip ends at the window's bottom
  QVERIFY(p->Panel1->width() <= p->width());
  QVERIFY(p->Panel1->minimumSizeHint().width() <= p->width());
  QScrollBar* sideways = p->findChild<QScrollArea*>()->horizontalScrollBar();
  QVERIFY(!sideways->isVisible());

  std::map<QWidget*, QRect> allProfiles = stripGeometry(p);
  QVERIFY2(firstCutControl(p).empty(), firstCutControl(p).c_str());
  p->cbPrfs2Plot->click();  // the time panel
  std::map<QWidget*, QRect> byTime = stripGeometry(p);
  QVERIFY(p->pnlByTimes->isVisible());
  saveScreenshot(p, "plot_window_1200x900_time_panel.png");
  QVERIFY2(firstCutControl(p).empty(), firstCutControl(p).c_str());
  p->rbPrfByNum->click();
  std::map<QWidget*, QRect> byNumber = stripGeometry(p);
  QVERIFY(p->pnlByNum->isVisible());
  QVERIFY2(firstCutControl(p).empty(), firstCutControl(p).c_str());
  p->cbNumberDensity->click();
  std::map<QWidget*, QRect> numberDensity = stripGeometry(p);
  QVERIFY(p->xMaxEnum->isVisible());
  QVERIFY2(firstCutControl(p).empty(), firstCutControl(p).c_str());
  QVERIFY(!sideways->isVisible());

  // Nothing moves when a choice changes.
  for (const auto* other : {&byTime, &byNumber, &numberDensity}) {
    for (const auto& [w, place] : allProfiles) {
      auto seen = other->find(w);
      if (seen == other->end()) continue;
      QVERIFY2(seen->second == place, qPrintable(w->metaObject()->className() + QString(" moved")));
    }
  }

  // Each heading stands over its own field.
  QLineEdit* startFields[] = {p->YYStart, p->MMStart, p->DDStart, p->hhStart, p->mnStart};
  QLineEdit* endFields[] = {p->YYEnd, p->MMEnd, p->DDEnd, p->hhEnd, p->mnEnd};
  QStringList words = {"YYYY", "MM", "DD", "hh", "mm"};
  for (int i = 0; i < 5; ++i) {
    QCOMPARE(p->labStart[i]->text(), words[i]);
    QCOMPARE(p->labEnd[i]->text(), words[i]);
    QCOMPARE(p->labStart[i]->geometry().x(), startFields[i]->geometry().x());
    QCOMPARE(p->labStart[i]->width(), startFields[i]->width());
    QCOMPARE(p->labEnd[i]->geometry().x(), endFields[i]->geometry().x());
    QVERIFY(p->labStart[i]->geometry().bottom() < startFields[i]->geometry().top());
    QVERIFY(p->labEnd[i]->geometry().bottom() < endFields[i]->geometry().top());
    QVERIFY(p->labEnd[i]->geometry().top() > startFields[i]->geometry().bottom());
  }
  saveScreenshot(p, "plot_window_1200x900_index_panel.png");
}

void WindowsTest::plotStripScrollsOnASmallScreen() {
  Skelda app;
  TCurForm* p = app.plot.get();
  WindowGeometry small = plotWindowGeometry(1024, 768);
  p->resize(small.width, small.height);
  p->show();
  p->cbPrfs2Plot->click();
  QApplication::processEvents();
  QScrollArea* strip = p->findChild<QScrollArea*>();
  QScrollBar* sideways = strip->horizontalScrollBar();
  bool scrolls = p->Panel1->minimumSizeHint().width() > p->width();
  QCOMPARE(sideways->isVisible(), scrolls);
  // The whole strip can be reached: all its height is shown, its width by scrolling.
  QCOMPARE(strip->viewport()->height(), 145);
  QCOMPARE(p->Panel1->height(), 145);
  QCOMPARE(sideways->maximum(), std::max(0, p->Panel1->width() - strip->viewport()->width()));
  QVERIFY2(firstCutControl(p).empty(), firstCutControl(p).c_str());
  QVERIFY(strip->geometry().bottom() < p->height());
  saveScreenshot(p, "plot_window_1003x729.png");
}

// Two pairs of windows in one process, each with its own record in its own
// start folder: what one scans and plots leaves the other as it was.
void WindowsTest::twoSkeldasKeepTheirOwnState() {
  Skelda first;
  Skelda second;  // made last: the boxes and dialogs are answered by its doubles
  FakeLauncher launcher;
  QCOMPARE(first.state.StartDir, first.start.path());
  QCOMPARE(second.state.StartDir, second.start.path());
  // The stand-in plot program draws new images in the folder it was started in.
  int runs = 0;
  launcher.childRun = [&] {
    const std::string& dir = launcher.started.back().workDir;
    ++runs;
    writeSolidJpeg(startDirFile(dir, kCurtainImageName), 80, 70, 10 * runs, 20, 200);
    writeSolidJpeg(startDirFile(dir, kProfileImageName), 40, 70, 200, 20, 10 * runs);
  };

  std::string firstFile = first.writeSample(profileFileName(), validProfileText());
  first.scan(firstFile);
  first.form->CurPlotting->click();
  QVERIFY2(second.boxes.boxes.empty(), second.boxList().c_str());
  QCOMPARE(first.state.ReportPath, firstFile + "__ScanMsgs.htm");
  QCOMPARE(first.state.DataFilePath, firstFile);
  QVERIFY(first.state.PlotsReady);
  QVERIFY(first.plot->isVisible());
  QCOMPARE(testing_support::readFile(plotListPath(first.state.StartDir)), firstFile + "\n");
  // The second pair knows nothing of it.
  QVERIFY(second.state.ReportPath.empty());
  QVERIFY(second.state.DataFilePath.empty());
  QVERIFY(second.state.PlotFiles.empty());
  QVERIFY(!second.state.PlotsReady);
  QVERIFY(!second.form->CurPlotting->isEnabled());
  QVERIFY(!second.plot->isVisible());
  QVERIFY(!std::filesystem::exists(plotListPath(second.state.StartDir)));

  std::string secondFile = second.writeSample(profileFileName(), validProfileText());
  second.scan(secondFile);
  second.form->CurPlotting->click();
  QVERIFY2(second.boxes.boxes.empty(), second.boxList().c_str());
  QCOMPARE(launcher.started.back().workDir, second.start.path());
  QVERIFY(second.state.PlotsReady);
  QVERIFY(second.plot->isVisible());
  QCOMPARE(second.state.PlotFiles, std::vector<std::string>{secondFile});
  QCOMPARE(testing_support::readFile(plotListPath(second.state.StartDir)), secondFile + "\n");
  // The first pair keeps its scan, its plot list and its plots.
  QCOMPARE(first.state.ReportPath, firstFile + "__ScanMsgs.htm");
  QCOMPARE(first.state.DataFilePath, firstFile);
  QCOMPARE(first.state.PlotFiles, std::vector<std::string>{firstFile});
  QVERIFY(first.state.PlotsReady);
  QCOMPARE(testing_support::readFile(plotListPath(first.state.StartDir)), firstFile + "\n");

  // A replot of the first pair sets its time window only, from its own file.
  QImage secondCurtain = second.plot->cIMG->image();
  first.plot->btnReplot->click();
  QVERIFY2(second.boxes.boxes.empty(), second.boxList().c_str());
  QCOMPARE(launcher.started.back().workDir, first.start.path());
  QCOMPARE(launcher.started.back().args.at(7), std::string("20180412000000"));
  QCOMPARE(first.state.PlotStartStamp, std::string("20180412000000"));
  QCOMPARE(first.state.PlotEndStamp, std::string("20180412235959"));
  QVERIFY(second.state.PlotStartStamp.empty());
  QVERIFY(second.state.PlotEndStamp.empty());
  QCOMPARE(second.plot->cIMG->image(), secondCurtain);

  // Exit of the first deletes its own report only.
  first.form->btnExit->click();
  QVERIFY(!std::filesystem::exists(first.state.ReportPath));
  QVERIFY(std::filesystem::exists(second.state.ReportPath));
  QVERIFY(second.form->isVisible());
}

// The X maximum kept while the number-density exponent is shown belongs to its
// plot window.
void WindowsTest::eachPlotWindowKeepsItsOwnXMaximum() {
  Skelda first;
  Skelda second;
  first.plot->xMax->setText("250");
  first.plot->cbNumberDensity->click();
  second.plot->xMax->setText("120");
  second.plot->cbNumberDensity->click();
  QCOMPARE(first.plot->xMax->text(), QString("3"));
  QCOMPARE(second.plot->xMax->text(), QString("3"));
  first.plot->cbNumberDensity->click();
  second.plot->cbNumberDensity->click();
  QCOMPARE(first.plot->xMax->text(), QString("250"));
  QCOMPARE(second.plot->xMax->text(), QString("120"));
}

namespace {

// Gives the widget's window the keyboard and the widget the focus, as Tab does.
void focusOn(QWidget* widget) {
  QApplication::setActiveWindow(widget->window());
  widget->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
}

// A key pressed and released on the keyboard: the window system hands it to
// the focused widget of the window.
void pressKey(QWidget* window, Qt::Key key) {
  QTest::keyClick(window->windowHandle(), key);
  QApplication::processEvents();
}

}  // namespace

void WindowsTest::enterPressesTheFocusedButton() {
  Skelda app;
  FakeLauncher launcher;
  app.state.DataFileName = profileFileName();
  app.state.DataFilePath = app.start.file(profileFileName());
  app.plot->show();
  QApplication::processEvents();
  TForm1* f = app.form.get();
  TCurForm* p = app.plot.get();
  f->CurPlotting->setEnabled(true);
  QPushButton* buttons[] = {f->OpenFile,    f->btnScan,     f->CurPlotting, p->btnReplot, p->btnAddFile,
                            p->btnSaveCurt, p->btnSaveProf, p->btnClose,    f->btnExit};
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    // The plots of a passed scan are in the plot window: the plot button only
    // shows it again.
    app.state.PlotsReady = true;
    for (QPushButton* button : buttons) {
      button->window()->show();
      focusOn(button);
      QVERIFY2(button->hasFocus(), qPrintable(button->text()));
      QSignalSpy pressed(button, &QAbstractButton::clicked);
      pressKey(button->window(), key);
      QVERIFY2(pressed.count() == 1, qPrintable(QString("%1: %2 presses").arg(button->text()).arg(pressed.count())));
    }
    // What the presses did: ScanFile refused the empty name, the plot window
    // and the main window were closed.
    QVERIFY(!p->isVisible());
    QVERIFY(!f->isVisible());
    QVERIFY2(app.boxList().find("[PathName / Filename Error...] Unknown filename\n") != std::string::npos,
             app.boxList().c_str());
    app.boxes.boxes.clear();
  }
  QCOMPARE(app.chooser.openFilters.size(), size_t(2));  // Browse... twice
  QCOMPARE(app.chooser.saveTitles.size(), size_t(4));   // each Save button twice
  QCOMPARE(launcher.started.size(), size_t(2));         // Replot twice
}

void WindowsTest::escapeClosesThePlotWindow() {
  Skelda app;
  app.state.DataFileName = profileFileName();
  TCurForm* p = app.plot.get();
  // Wherever the focus is in the plot window.
  for (QWidget* focused : std::initializer_list<QWidget*>{p->xMin, p->btnReplot, p->cbMedian, p->btnClose}) {
    p->show();
    focusOn(focused);
    QVERIFY(focused->hasFocus());
    QSignalSpy closed(p->btnClose, &QAbstractButton::clicked);
    pressKey(p, Qt::Key_Escape);
    QVERIFY2(!p->isVisible(), focused->metaObject()->className());
    QCOMPARE(closed.count(), 1);
  }
  // The main window has no cancel button: Escape leaves it open.
  focusOn(app.form->btnScan);
  pressKey(app.form.get(), Qt::Key_Escape);
  QVERIFY(app.form->isVisible());
}

void WindowsTest::enterPressesTheFocusedButtonOfABox() {
  Skelda app;
  QtMessageBoxes qtBoxes;
  platform::setMessageBoxes(&qtBoxes);
  struct Case {
    QMessageBox::StandardButton focused;
    Qt::Key key;
    platform::BoxAnswer answer;
  };
  const Case cases[] = {
      {QMessageBox::No, Qt::Key_Return, platform::BoxAnswer::No},
      {QMessageBox::Cancel, Qt::Key_Enter, platform::BoxAnswer::Cancel},
      {QMessageBox::Yes, Qt::Key_Return, platform::BoxAnswer::Yes},
  };
  for (const Case& c : cases) {
    bool focused = false;
    QTimer::singleShot(0, [&] {
      QMessageBox* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      focusOn(box->button(c.focused));
      focused = box->button(c.focused)->hasFocus();
      pressKey(box, c.key);
      if (box->isVisible()) box->done(QMessageBox::Ok);  // the key did nothing
    });
    platform::BoxAnswer answer = platform::showMessageBox("Are you sure?", "Confirm ...", platform::BoxIcon::Warning,
                                                          platform::BoxButtons::YesNoCancel);
    QVERIFY(focused);
    QCOMPARE(int(answer), int(c.answer));
  }
  platform::setMessageBoxes(&app.boxes);
}

namespace {

// What a box showed: its text as given, and the first thing of it that could
// not be seen (empty when every character was).
struct ShownText {
  bool shown = false;
  QString text;
  QString cut;
};

// Lays out the box's text as its label draws it (wrapped at word boundaries
// in the label's font, as wide as the label's contents) and checks that every
// line fits inside the label, that the lines hold every character of the text,
// that the label lies inside the box and that the box fits the screen.
QString firstCutOf(QMessageBox* box, const QString& text) {
  QLabel* label = box->findChild<QLabel*>("qt_msgbox_label");
  if (!label) return "no label";
  QRect room = label->contentsRect();
  QString shown;
  QFontMetrics metrics(label->font());
  for (const QString& paragraph : label->text().split('\n')) {
    QTextLayout layout(paragraph, label->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(room.width());
      QString lineText = paragraph.mid(line.textStart(), line.textLength());
      if (qCeil(line.naturalTextWidth()) > room.width())
        return QString("line \"%1\" is %2 px wide, the label %3 px")
            .arg(lineText)
            .arg(line.naturalTextWidth())
            .arg(room.width());
      shown += lineText;
    }
    layout.endLayout();
  }
  QRect wrapped = metrics.boundingRect(QRect(0, 0, room.width(), QWIDGETSIZE_MAX), Qt::AlignLeft | Qt::TextWordWrap,
                                       label->text());
  if (wrapped.width() > room.width() || wrapped.height() > room.height())
    return QString("the text needs %1 x %2 px, the label has %3 x %4")
        .arg(wrapped.width())
        .arg(wrapped.height())
        .arg(room.width())
        .arg(room.height());
  shown.remove(QChar(0x200B));  // a break opportunity, not a character
  QString whole = text;
  whole.remove('\n');
  if (shown != whole) return "the lines hold \"" + shown + "\"";
  if (!box->rect().contains(label->geometry())) return "the label reaches past the box";
  QRect screen = box->screen()->availableGeometry();
  if (box->frameGeometry().width() > screen.width())
    return QString("the box is %1 px wide, the screen %2").arg(box->frameGeometry().width()).arg(screen.width());
  return "";
}

// Checks the next box once it is up, then answers it. The message processing
// of a scan may come first: the check waits for the box.
void checkTheNextBox(ShownText* seen, int tries = 100) {
  QTimer::singleShot(0, [seen, tries] {
    QMessageBox* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      if (tries > 1) checkTheNextBox(seen, tries - 1);
      return;
    }
    seen->shown = box->isVisible();
    seen->cut = firstCutOf(box, seen->text);
    box->done(QMessageBox::Ok);
  });
}

}  // namespace

void WindowsTest::boxesShowEveryCharacterOfALongText() {
  Skelda app;
  QtMessageBoxes qtBoxes;
  platform::setMessageBoxes(&qtBoxes);

  // A file name of 135 characters: the scanner's box shows the path.
  std::string longName = "Parvix-O3Lidar_QOR_20180412_R1_" + std::string(100, 'x') + ".dat";
  QCOMPARE(longName.size(), size_t(135));
  std::string named = "/data/" + longName;
  ShownText nameBox;
  nameBox.text = QString::fromStdString(named);
  checkTheNextBox(&nameBox);
  app.scan(named);

  // A path of 301 characters in Error(0x3), its folders named by dates (Qt
  // does not break a line between a '/' and a digit).
  std::string path = "/home/provider";
  for (const char* folder : {"2018_ozone_lidar_measurements_of_the_high_altitude_observatory",
                             "0412_profiles_prepared_for_the_network_data_archive_after_calibration",
                             "2_revision_with_the_corrected_altitude_grid_and_new_uncertainties"})
    path += std::string("/") + folder;
  path += "/" + std::string(301 - path.size() - 2 - profileFileName().size(), '9') + "/" + profileFileName();
  QCOMPARE(path.size(), size_t(301));
  std::string missing = firstPlotTexts(path).imagesMissing;
  ShownText pathBox;
  pathBox.text = QString::fromStdString(missing);
  checkTheNextBox(&pathBox);
  platform::showMessageBox(missing, "Error Running Curtain Plot Routine...");

  // A start folder under one long folder name whose plot list cannot be
  // written.
  app.state.StartDir = app.start.file(std::string(200, 'w'));
  app.state.PlotFiles = {"/d/DATAID_SITE_20180317_R0.dat"};
  app.state.PlotFileCount = 1;
  ShownText folderBox;
  folderBox.text = "Could not add another data file to the Data Folder = " +
                   QString::fromStdString(app.state.StartDir) +
                   "/Data/ \n\nIf this error persists, please report it to " +
                   QString::fromStdString(platform::kSupportAddress) + ". Thank you.";
  checkTheNextBox(&folderBox);
  QVERIFY(!appendPlotFile(app.state, "/d/DATAID_SITE_20180318_R0.dat").appended);
  for (const ShownText* seen : {&nameBox, &pathBox, &folderBox}) {
    QVERIFY(seen->shown);
    if (!seen->cut.isEmpty()) qWarning("%s", qPrintable(seen->cut));
  }
  for (const ShownText* seen : {&nameBox, &pathBox, &folderBox}) QVERIFY2(seen->cut.isEmpty(), qPrintable(seen->cut));
  platform::setMessageBoxes(&app.boxes);
}

void WindowsTest::boxTextBreaksAfterSlashesAndInsideLongRuns() {
  QFontMetrics metrics(QApplication::font());
  const QString z(QChar(0x200B));
  struct Case {
    QString text;
    QString shown;
  };
  const Case cases[] = {
      {"", ""},
      {"Unknown filename", "Unknown filename"},
      {"Could not add another data file to the Data Folder = /tmp/ws/Data/ \n\nIf this error persists",
       "Could not add another data file to the Data Folder = /" + z + "tmp/" + z + "ws/" + z + "Data/" + z +
           " \n\nIf this error persists"},
      {"Error(0x3): Could not run curtain/profile plots routine",
       "Error(0x3): Could not run curtain/" + z + "profile plots routine"},
  };
  for (const Case& c : cases) QCOMPARE(breakableText(c.text, metrics, 200), c.shown);

  // A run wider than a piece is cut into pieces no wider than one; nothing is
  // lost.
  QString name = "Parvix-O3Lidar_QOR_20180412_R1_" + QString(100, 'x') + ".dat";
  QString shown = breakableText(name, metrics, 150);
  QStringList pieces = shown.split(z);
  QVERIFY(pieces.size() > 2);
  for (const QString& piece : pieces) QVERIFY2(metrics.horizontalAdvance(piece) <= 150, qPrintable(piece));
  QCOMPARE(QString(shown).remove(z), name);
  // A blank ends a run.
  QString words = (QString(15, 'w') + " ").repeated(20);
  QCOMPARE(breakableText(words, metrics, metrics.horizontalAdvance(QString(15, 'w'))), words);

  // An accent, and the second half of a character beyond 16 bits, stay with
  // the character before them.
  QString accented = QString::fromUtf8("e\xCC\x81").repeated(200);
  QString astral = QString::fromUtf8("\xF0\x9F\x98\x80").repeated(200);
  for (const QString& text : {accented, astral}) {
    QString broken = breakableText(text, metrics, 100);
    QVERIFY(broken.contains(z));
    for (const QString& piece : broken.split(z)) {
      QVERIFY(!piece.front().isMark());
      QVERIFY(!piece.front().isLowSurrogate());
    }
    QCOMPARE(broken.remove(z), text);
  }

  // The pieces fit the narrowest box Qt makes for a text of several lines:
  // half the screen, at most 500 px, with the icon and the margins.
  QCOMPARE(boxTextPieceWidth(1600), 380);
  QCOMPARE(boxTextPieceWidth(1024), 380);
  QCOMPARE(boxTextPieceWidth(800), 280);
  QCOMPARE(boxTextPieceWidth(300), 100);
}

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
