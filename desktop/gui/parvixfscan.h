// The main window: load one data file, scan it, show the scan report, start
// plotting, exit.
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextBrowser;
class QFrame;

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* owner = nullptr);

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

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void placeOverlays();
};

// The two windows of the program.
extern TForm1* Form1;

// The red wait notice shown over a window while the plot program runs: the
// panel and the memo that holds its lines.
struct WaitNotice {
  QFrame* panel;
  QPlainTextEdit* memo;
};
// Builds the wait notice (hidden).
WaitNotice makeWaitNotice(QWidget* parent);
