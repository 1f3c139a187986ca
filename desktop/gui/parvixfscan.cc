#include "desktop/gui/parvixfscan.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <filesystem>
#include <iterator>

#include "desktop/core/file_names.h"
#include "desktop/core/first_plot.h"
#include "desktop/core/plot_files.h"
#include "desktop/core/report_text.h"
#include "desktop/core/shared_state.h"
#include "desktop/gui/file_chooser.h"
#include "desktop/gui/local_text.h"
#include "desktop/gui/qt_platform.h"
#include "desktop/gui/widget_look.h"
#include "desktop/gui/window_placement.h"
#include "platform/busy_cursor.h"
#include "platform/message_box.h"
#include "scanner/scanner.h"

namespace {

// The lines of the wait notice shown while the plot program runs.
const char* const kWaitNoticeLines[] = {
    " ",
    "  >> Please Wait . . . ",
    "",
    "  >> Running Curtain and Profile Plotting Routines . . .",
    "",
    "  >> Please note: this routine will timeout in 2 hours ",
    "       ( if file has 1000's of Profiles ). Most Parvix files",
    "       should NOT take more than few minutes . . .",
};

const char kCaption[] = "Parvix File Format Scanner / Plotter";
const char kVersion[] = ", Ver 1.4.1 (Beta) -- October 2018 ";
const char kOpenFilter[] = "Dat Files ( *.dat )|*.dat|HDF4 Files ( *.hdf )|*.hdf|All files ( *.* )|*.*";

const char* const kIntroLines[] = {
    "",
    "To Scan File:",
    "=============",
    "",
    "1)  Load the file: Click on [Browse...] button and select your file",
    "",
    "2)  Press [ScanFile] button",
    "",
    "3)  If file passes, then the [Curtain/Profile Plotting ...] button is enabled. ",
    "     Click on this button to draw Curtain and Profile plots",
    "",
};

QString joinLines(const char* const* lines, size_t count) {
  QStringList list;
  for (size_t i = 0; i < count; ++i) list << QString::fromLatin1(lines[i]);
  return list.join('\n');
}

}  // namespace

WaitNotice makeWaitNotice(QWidget* parent) {
  QFrame* panel = new QFrame(parent);
  panel->setObjectName("pMsg");
  panel->setFixedSize(425, 153);
  panel->setAutoFillBackground(true);
  panel->setStyleSheet("QFrame#pMsg { background-color: red; }");
  QVBoxLayout* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(6, 6, 6, 6);
  QPlainTextEdit* text = new QPlainTextEdit(panel);
  text->setReadOnly(true);
  text->setFrameShape(QFrame::NoFrame);
  text->setStyleSheet("background-color: #FFFFE1; color: blue; font-weight: bold;");
  text->setPlainText(joinLines(kWaitNoticeLines, std::size(kWaitNoticeLines)));
  layout->addWidget(text);
  panel->hide();
  return {panel, text};
}

WaitNoticeScope::~WaitNoticeScope() { panel_->hide(); }

TForm1::TForm1(SharedState& state, QWidget* owner) : QWidget(owner), state_(state) {
  setWindowTitle(QString::fromLatin1(kCaption) + QString::fromLatin1(kVersion));

  Panel1 = new QFrame(this);
  Panel1->setFixedHeight(113);
  Panel1->setFrameShape(QFrame::StyledPanel);
  Label1 = new QLabel("Load File:", Panel1);
  Label1->setStyleSheet("font-weight: bold; font-size: 12px;");
  fileNameValue = new QLineEdit(Panel1);
  // 626 px by design; narrower on small screens so the window can fit them.
  fileNameValue->setMinimumWidth(240);
  fileNameValue->setMaximumWidth(626);
  fileNameValue->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  OpenFile = new QPushButton(style()->standardIcon(QStyle::SP_DirOpenIcon), "Browse...", Panel1);
  setBlueText(OpenFile, true);
  btnScan = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogContentsView), "ScanFile", Panel1);
  setBlueText(btnScan, true);
  CurPlotting = new QPushButton(style()->standardIcon(QStyle::SP_DesktopIcon), "Curtain/Profile Plotting ...", Panel1);
  setBlueText(CurPlotting, true);
  CurPlotting->setEnabled(false);
  msgBusy = new QLabel("Working -- please wait ...", Panel1);
  msgBusy->setStyleSheet("color: red; font-weight: bold; font-size: 24px;");
  msgBusy->hide();
  cbRptDisp = new QCheckBox("Display Scan Results in Details", Panel1);
  setBlueText(cbRptDisp, true);
  cbRptDisp->setChecked(true);
  btnExit = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), " Exit", Panel1);
  setBoldText(btnExit);

  QGridLayout* top = new QGridLayout(Panel1);
  top->addWidget(Label1, 0, 0);
  top->addWidget(fileNameValue, 0, 1, 1, 3);
  top->addWidget(OpenFile, 0, 4);
  top->addWidget(btnScan, 1, 1);
  top->addWidget(CurPlotting, 1, 2);
  // The notice and the check box share one place, sized for the larger of the
  // two whichever is shown, so nothing moves when they swap during a scan.
  for (QWidget* shared : {static_cast<QWidget*>(msgBusy), static_cast<QWidget*>(cbRptDisp)}) {
    QSizePolicy policy = shared->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    shared->setSizePolicy(policy);
  }
  // On a narrow screen the large notice may be cut rather than widen the window.
  msgBusy->setMinimumWidth(1);
  top->addWidget(msgBusy, 1, 3);
  top->addWidget(cbRptDisp, 1, 3);
  top->addWidget(btnExit, 1, 4);
  top->setColumnStretch(5, 1);

  MyWebBrowser = new QTextBrowser(this);
  MyWebBrowser->setOpenLinks(false);
  mIntro = new QPlainTextEdit(MyWebBrowser);
  mIntro->setReadOnly(true);
  mIntro->setFrameShape(QFrame::NoFrame);
  mIntro->setStyleSheet("color: blue; font-size: 16px; background: transparent;");
  mIntro->setPlainText(joinLines(kIntroLines, std::size(kIntroLines)));
  mIntro->setGeometry(8, 8, 760, 300);
  WaitNotice notice = makeWaitNotice(this);
  pMsg = notice.panel;
  Memo1 = notice.memo;

  QVBoxLayout* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(MyWebBrowser, 1);

  // One click, one run: a double click scans or plots once.
  takeDoubleClickAsOneClick(btnScan);
  takeDoubleClickAsOneClick(CurPlotting);
  connect(OpenFile, &QPushButton::clicked, this, &TForm1::OpenFileClick);
  connect(btnScan, &QPushButton::clicked, this, &TForm1::btnScanClick);
  connect(btnExit, &QPushButton::clicked, this, &TForm1::btnExitClick);
  connect(CurPlotting, &QPushButton::clicked, this, &TForm1::CurPlottingClick);
  // The plot button plots the file of the last passed scan: once the box
  // names another path it waits for that path's scan.
  connect(fileNameValue, &QLineEdit::textChanged, this, [this] { CurPlotting->setEnabled(false); });
  pressFocusedButtonsWithEnter(this);

  std::error_code ec;
  state_.StartDir = std::filesystem::current_path(ec).string();
  state_.PlotsReady = false;

  placeOnScreen(this, mainWindowGeometry);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeOverlays();
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  placeOverlays();
}

void TForm1::placeOverlays() {
  QRect area = MyWebBrowser->geometry();
  pMsg->move(area.x() + (area.width() - pMsg->width()) / 2, area.y() + (area.height() - pMsg->height()) / 2);
  pMsg->raise();
}

void TForm1::showReport(const std::string& path) {
  QFile file(fromLocalBytes(path));
  if (path.empty() || !file.open(QIODevice::ReadOnly)) {
    MyWebBrowser->clear();
    return;
  }
  MyWebBrowser->setSearchPaths({fromLocalBytes(std::filesystem::path(path).parent_path().string())});
  QByteArray bytes = file.readAll();
  MyWebBrowser->setHtml(QString::fromStdString(reportTextAsUtf8(std::string_view(bytes.constData(), bytes.size()))));
}

void TForm1::OpenFileClick() {
  std::string chosen = fileChooser().openFileName(this, kOpenFilter, 3);
  if (chosen.empty()) return;
  fileNameValue->setText(fromLocalBytes(chosen));
}

void TForm1::btnScanClick() {
  std::string path = localBytes(fileNameValue->text());
  // Characters as typed, not the bytes of their encoding.
  if (fileNameValue->text().size() < 4) {
    platform::showMessageBox("Unknown filename", "PathName / Filename Error...");
    return;
  }
  if (hasLineBreak(path)) {
    refuseLineBreakPath("PathName / Filename Error...");
    return;
  }
  // No input until the scan is over, also in the message processing below.
  WindowInputBlock noInput;
  mIntro->hide();
  state_.PlotsReady = false;
  cbRptDisp->hide();
  msgBusy->show();
  CurPlotting->setEnabled(false);
  int result = 1;
  {
    // The default cursor comes back when the scan ends, also by an exception.
    platform::BusyScope busy;
    ScanOutputs scanned;
    result = scanFile(path.c_str(), cbRptDisp->isChecked(), ScanSettings{state_.StartDir}, &scanned);
    state_.ReportPath = scanned.ReportPath;
    state_.IsHdfFile = scanned.IsHdfFile;
    for (char& c : state_.ReportPath)
      if (c == '\\') c = '/';
    showReport(state_.ReportPath);
  }
  QApplication::processEvents();
  cbRptDisp->show();
  msgBusy->hide();
  if (result == 0) {
    // What the plot button and the plot window work on: the file just scanned.
    state_.DataFilePath = path;
    state_.DataFileName = fileNamePart(path);
    state_.DataFileIsHdf = state_.IsHdfFile;
  }
  CurPlotting->setEnabled(result == 0);
}

void TForm1::btnExitClick() {
  if (state_.ReportPath.size() > 2) {
    std::error_code ec;
    std::filesystem::remove(state_.ReportPath, ec);
  }
  close();
}

void TForm1::CurPlottingClick() {
  if (state_.PlotsReady) {
    emit plotWindowWanted();
    return;
  }
  WindowInputBlock noInput;
  WaitNoticeScope noticeEnds(pMsg);
  if (hasLineBreak(state_.DataFilePath)) {
    refuseLineBreakPath("Error Running Curtain Plotting Function??");
    return;
  }
  auto showNotice = [this] {
    pMsg->show();
    pMsg->raise();
  };
  PlotImages images;
  if (!runFirstPlot(state_, state_.DataFilePath, state_.DataFileIsHdf, showNotice, &images)) return;
  emit plotsMade(images);
}
