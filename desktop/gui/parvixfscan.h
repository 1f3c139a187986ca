// The main window: load one data file, scan it, show the scan report, start
// plotting, exit. It reaches the plot window only through the shared state and
// its two signals.
#pragma once

#include <QWidget>
#include <string>

#include "desktop/core/plot_run.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextBrowser;
class QFrame;
struct SharedState;

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // Sets the state's StartDir to the current folder and its PlotsReady false.
  explicit TForm1(SharedState& state, QWidget* owner = nullptr);

  // Shows the report file in the report view (its bytes as UTF-8 when they are
  // valid UTF-8, else as Latin-1).
  void showReport(const std::string& path);

  QFrame* Panel1;
  QLabel* Label1;
  QLineEdit* fileNameValue;
  QPushButton* OpenFile;
  QPushButton* btnScan;
  QPushButton* CurPlotting;
  QLabel* msgBusy;
  QCheckBox* cbRptDisp;
  QPushButton* btnExit;
  QTextBrowser* MyWebBrowser;
  QPlainTextEdit* mIntro;
  QFrame* pMsg;
  QPlainTextEdit* Memo1;

 public slots:
  void OpenFileClick();
  void btnScanClick();
  void btnExitClick();
  void CurPlottingClick();

 signals:
  // The plot window is to be shown again: it holds the plots of the current scan.
  void plotWindowWanted();
  // A plot run made new images: the plot window is to show them, set the
  // state's PlotsReady and put its controls back to their defaults.
  void plotsMade(const PlotImages& images);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void placeOverlays();

  SharedState& state_;
};

// The red wait notice shown over a window while the plot program runs: the
// panel and the memo that holds its lines.
struct WaitNotice {
  QFrame* panel;
  QPlainTextEdit* memo;
};
// Builds the wait notice (hidden).
WaitNotice makeWaitNotice(QWidget* parent);

// Hides the wait notice's panel when it goes out of scope: the notice never
// outlives the plot run's handler, however the run ends.
class WaitNoticeScope {
 public:
  explicit WaitNoticeScope(QFrame* panel) : panel_(panel) {}
  ~WaitNoticeScope();
  WaitNoticeScope(const WaitNoticeScope&) = delete;
  WaitNoticeScope& operator=(const WaitNoticeScope&) = delete;

 private:
  QFrame* panel_;
};
