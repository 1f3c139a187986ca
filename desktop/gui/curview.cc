#include "desktop/gui/curview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "desktop/core/file_names.h"
#include "desktop/core/plot_append.h"
#include "desktop/core/plot_control_defaults.h"
#include "desktop/core/plot_files.h"
#include "desktop/core/plot_run.h"
#include "desktop/core/save_image.h"
#include "desktop/core/shared_state.h"
#include "desktop/gui/file_chooser.h"
#include "desktop/gui/image_view.h"
#include "desktop/gui/local_text.h"
#include "desktop/gui/parvixfscan.h"
#include "desktop/gui/qt_platform.h"
#include "desktop/gui/widget_look.h"
#include "desktop/gui/window_placement.h"
#include "platform/message_box.h"
#include "platform/text.h"

namespace {

const char kSaveTitle[] = "Saving image to file ... ";
const char kSaveFilter[] = "JPEG File (*.jpg)|*.jpg|JPEG File (*.jpeg)|*.jpeg|All Files (*.*)|*.*";
const char kAppendWarning[] =
    "WARNING PLEASE READ:\n====================\n\nBefore you add another file, PLEASE make sure that the file has "
    "been scanned for Parvix Format compliance; otherwise poorly formatted files could crash this application.\n\n"
    "Are you sure the file you're adding is formatted correctly?";

const char kNumberStyleSelected[] = "font-size: 10pt; background-color: aqua;";
const char kTimeStyleSelected[] = "font-size: 10pt; background-color: lime;";
const char kSelectedRadioSize[] = "font-size: 10pt;";
const char kPlainRadioStyle[] = "font-size: 8pt;";

// The headings of the date-time fields.
const char kStartHeading[] = "YYYY MM DD   hh   mm  ";
const char kEndHeading[] = "YYYY MM DD   hh   mm";

// The bottom strip that holds the controls.
const int kStripHeight = 145;

// The number-density exponents offered: "e+0" to "e+25".
const int kLastExponent = 25;

QLineEdit* field(const char* text, int maxLength, int width, QWidget* parent) {
  QLineEdit* edit = new QLineEdit(QString::fromLatin1(text), parent);
  edit->setMaxLength(maxLength);
  edit->setFixedWidth(width);
  return edit;
}

// One word of a field heading, centred over a field `width` pixels wide.
QLabel* heading(const std::string& word, int width, QWidget* parent) {
  QLabel* label = new QLabel(QString::fromLatin1(word), parent);
  label->setFixedWidth(width);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
  return label;
}

void setBlueUnderlined(QLabel* label) {
  setTextColour(label, Qt::blue);
  QFont font = label->font();
  font.setUnderline(true);
  label->setFont(font);
}

QFrame* group(QWidget* parent) {
  QFrame* frame = new QFrame(parent);
  frame->setFrameShape(QFrame::StyledPanel);
  return frame;
}

}  // namespace

TCurForm::TCurForm(SharedState& state, QWidget* owner) : QWidget(owner), state_(state) {
  setWindowTitle("CurView");
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  setAttribute(Qt::WA_QuitOnClose, false);  // closing it only hides it

  cIMG = new ImageView(this);
  pIMG = new ImageView(this);
  pIMG->setFixedWidth(400);
  pIMG->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
  Panel3 = new QFrame(this);
  Panel3->setFixedWidth(5);
  Panel3->setStyleSheet("background-color: navy;");

  buildStrip();
  layOutWindow();
  WaitNotice notice = makeWaitNotice(this);
  pMsg = notice.panel;
  Memo1 = notice.memo;
  connectControls();
  placeOnScreen(this, plotWindowGeometry);
}

void TCurForm::buildStrip() {
  Panel1 = new QFrame(this);
  Panel1->setFixedHeight(kStripHeight);
  Panel1->setFrameShape(QFrame::StyledPanel);
  // The design's 8 pt: at the design size every control of the strip fits.
  QFont stripFont = Panel1->font();
  stripFont.setPointSize(8);
  Panel1->setFont(stripFont);

  buildSelectionGroup();
  buildAltitudeGroup();
  buildXAxisGroup();
  buildButtons();
}

// Profile selection: the choices in a column, the index or time fields beside
// them in one place that keeps its size whichever is shown.
void TCurForm::buildSelectionGroup() {
  const PlotControlDefaults& d = kPlotControlDefaults;
  Panel7 = group(Panel1);
  Label6 = new QLabel(" Profiles To Plot :", Panel7);
  setBlueUnderlined(Label6);
  cbPrfs2Plot = new QCheckBox("ALL Profiles", Panel7);
  cbPrfs2Plot->setChecked(d.allProfiles);
  prfLabSelect = new QLabel("OR Select By: ", Panel7);
  setTextColour(prfLabSelect, Qt::darkCyan);  // teal
  QFont selectFont = prfLabSelect->font();
  selectFont.setBold(true);
  selectFont.setItalic(true);
  prfLabSelect->setFont(selectFont);
  prfLabSelect->setEnabled(false);
  rbPrfByNum = new QRadioButton(" Profiles::Num", Panel7);
  rbPrfByNum->setChecked(d.byNumber);
  rbPrfByNum->setEnabled(false);
  rbPrfByTime = new QRadioButton("Times::UTC", Panel7);
  rbPrfByTime->setChecked(d.byTime);
  rbPrfByTime->setEnabled(false);
  // The chosen button is drawn larger; both keep the size of their larger
  // look so that nothing moves when the choice changes.
  for (QRadioButton* radio : {rbPrfByNum, rbPrfByTime}) {
    radio->setStyleSheet(kSelectedRadioSize);
    radio->setFixedSize(radio->sizeHint());
  }
  rbPrfByNum->setStyleSheet("font-size: 13px;");
  rbPrfByTime->setStyleSheet("background-color: lime;");

  buildIndexPanel();
  buildTimePanel();
  for (QFrame* panel : {pnlByNum, pnlByTimes}) {
    QSizePolicy policy = panel->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    panel->setSizePolicy(policy);
    panel->hide();
  }

  QGridLayout* selection = new QGridLayout(Panel7);
  selection->setContentsMargins(4, 2, 4, 2);
  selection->setVerticalSpacing(1);
  selection->addWidget(Label6, 0, 0);
  selection->addWidget(cbPrfs2Plot, 1, 0);
  selection->addWidget(prfLabSelect, 2, 0);
  selection->addWidget(rbPrfByNum, 3, 0);
  selection->addWidget(rbPrfByTime, 4, 0);
  selection->addWidget(pnlByNum, 0, 1, 5, 1);
  selection->addWidget(pnlByTimes, 0, 1, 5, 1);
  selection->setRowStretch(5, 1);
}

// The profile index window.
void TCurForm::buildIndexPanel() {
  const PlotControlDefaults& d = kPlotControlDefaults;
  pnlByNum = new QFrame(Panel7);
  pnlByNum->setObjectName("pnlByNum");
  pnlByNum->setStyleSheet("QFrame#pnlByNum { background-color: aqua; }");
  labPrfTxt = new QLabel(" Profiles are 0-index based", pnlByNum);
  setTextColour(labPrfTxt, Qt::red);
  setBoldText(labPrfTxt);
  prfLabMin = new QLabel("Start: ", pnlByNum);
  prfLabMax = new QLabel("End:", pnlByNum);
  prfMin = field(d.prfMin, 5, 52, pnlByNum);
  prfMax = field(d.prfMax, 5, 52, pnlByNum);
  QGridLayout* byNum = new QGridLayout(pnlByNum);
  byNum->setContentsMargins(4, 2, 4, 2);
  byNum->addWidget(labPrfTxt, 0, 0, 1, 4);
  byNum->addWidget(prfLabMin, 1, 0);
  byNum->addWidget(prfMin, 1, 1);
  byNum->addWidget(prfLabMax, 1, 2);
  byNum->addWidget(prfMax, 1, 3);
  byNum->setRowStretch(2, 1);
  byNum->setColumnStretch(4, 1);
}

// The UTC date-time window: year, month, day, hour, minute of its start and end.
void TCurForm::buildTimePanel() {
  const PlotControlDefaults& d = kPlotControlDefaults;
  pnlByTimes = new QFrame(Panel7);
  pnlByTimes->setObjectName("pnlByTimes");
  pnlByTimes->setStyleSheet("QFrame#pnlByTimes { background-color: lime; }");
  Label9 = new QLabel("Start: ", pnlByTimes);
  setBoldText(Label9);
  Label11 = new QLabel("End:", pnlByTimes);
  setBoldText(Label11);
  YYStart = field(d.start[0], 4, 40, pnlByTimes);
  MMStart = field(d.start[1], 2, 26, pnlByTimes);
  DDStart = field(d.start[2], 2, 26, pnlByTimes);
  hhStart = field(d.start[3], 2, 26, pnlByTimes);
  mnStart = field(d.start[4], 2, 26, pnlByTimes);
  YYEnd = field(d.end[0], 4, 40, pnlByTimes);
  MMEnd = field(d.end[1], 2, 26, pnlByTimes);
  DDEnd = field(d.end[2], 2, 26, pnlByTimes);
  hhEnd = field(d.end[3], 2, 26, pnlByTimes);
  mnEnd = field(d.end[4], 2, 26, pnlByTimes);
  QLineEdit* startFields[] = {YYStart, MMStart, DDStart, hhStart, mnStart};
  QLineEdit* endFields[] = {YYEnd, MMEnd, DDEnd, hhEnd, mnEnd};
  // Each heading word stands over its own field: a label per word, as wide
  // as the field under it.
  std::vector<std::string> startWords = platform::splitSkippingEmpty(kStartHeading, " ");
  std::vector<std::string> endWords = platform::splitSkippingEmpty(kEndHeading, " ");
  QGridLayout* byTimes = new QGridLayout(pnlByTimes);
  byTimes->setContentsMargins(4, 1, 4, 1);
  byTimes->setHorizontalSpacing(3);
  byTimes->setVerticalSpacing(0);
  byTimes->addWidget(Label9, 1, 0);
  byTimes->addWidget(Label11, 3, 0);
  for (int i = 0; i < 5; ++i) {
    labStart[i] = heading(startWords.at(i), startFields[i]->width(), pnlByTimes);
    labEnd[i] = heading(endWords.at(i), endFields[i]->width(), pnlByTimes);
    byTimes->addWidget(labStart[i], 0, i + 1);
    byTimes->addWidget(startFields[i], 1, i + 1);
    byTimes->addWidget(labEnd[i], 2, i + 1);
    byTimes->addWidget(endFields[i], 3, i + 1);
  }
  byTimes->setColumnStretch(6, 1);
}

// The altitude axis of both plots, the number density and the curtain's grid.
void TCurForm::buildAltitudeGroup() {
  const PlotControlDefaults& d = kPlotControlDefaults;
  Panel4 = group(Panel1);
  Label1 = new QLabel("Curtain & Profile Altitude Y-Axis Values:", Panel4);
  setBlueUnderlined(Label1);
  Label1->setWordWrap(true);
  Label4 = new QLabel("Y-Min:", Panel4);
  Label3 = new QLabel("Y-Max:", Panel4);
  yMin = field(d.yMin, 5, 52, Panel4);
  yMax = field(d.yMax, 5, 52, Panel4);
  cbNumberDensity = new QCheckBox("Plot Ozone Number Density", Panel4);
  cbNumberDensity->setChecked(d.numberDensity);
  setBoldText(cbNumberDensity);
  cbCurGridLinesHide = new QCheckBox("Hide Grid Lines - Curtain Plot", Panel4);
  cbCurGridLinesHide->setChecked(d.hideCurtainGrid);
  QGridLayout* altitude = new QGridLayout(Panel4);
  altitude->setContentsMargins(4, 2, 4, 2);
  altitude->setVerticalSpacing(2);
  altitude->addWidget(Label1, 0, 0, 1, 5);
  altitude->addWidget(Label4, 1, 0);
  altitude->addWidget(yMin, 1, 1);
  altitude->addWidget(Label3, 1, 2);
  altitude->addWidget(yMax, 1, 3);
  altitude->addWidget(cbNumberDensity, 2, 0, 1, 5);
  altitude->addWidget(cbCurGridLinesHide, 3, 0, 1, 5);
  altitude->setColumnStretch(4, 1);
  altitude->setRowStretch(4, 1);
}

// The profile's x axis, its percentile lines and its grid.
void TCurForm::buildXAxisGroup() {
  const PlotControlDefaults& d = kPlotControlDefaults;
  Panel5 = group(Panel1);
  Label2 = new QLabel("Profile X-Axis Values:", Panel5);
  setBlueUnderlined(Label2);
  Label7 = new QLabel("X-Min:", Panel5);
  Label8 = new QLabel("X-Max:", Panel5);
  xMin = field(d.xMin, 5, 52, Panel5);
  xMax = field(d.xMax, 5, 52, Panel5);
  xMaxEnum = new QComboBox(Panel5);
  xMaxEnum->setEditable(true);
  for (int i = 0; i <= kLastExponent; ++i) xMaxEnum->addItem(QString("e+%1").arg(i));
  xMaxEnum->setCurrentIndex(d.exponentIndex);
  xMaxEnum->setStyleSheet("background-color: yellow;");
  QSizePolicy exponentPolicy = xMaxEnum->sizePolicy();
  exponentPolicy.setRetainSizeWhenHidden(true);  // its place stays when it is hidden
  xMaxEnum->setSizePolicy(exponentPolicy);
  xMaxEnum->hide();
  Label5 = new QLabel("Draw Percentiles:", Panel5);
  setBlueUnderlined(Label5);
  cbMedian = new QCheckBox("Median", Panel5);
  cbMedian->setChecked(d.median);
  cbQuartile = new QCheckBox("25th && 75th", Panel5);
  cbQuartile->setChecked(d.quartiles);
  cbEdge = new QCheckBox("5th && 95th", Panel5);
  cbEdge->setChecked(d.percentiles);
  for (QCheckBox* box : {cbMedian, cbQuartile, cbEdge}) setBoldText(box);
  cbPrfGridLinesHide = new QCheckBox("Hide Grid Lines - Profile Plot", Panel5);
  cbPrfGridLinesHide->setChecked(d.hideProfileGrid);
  QGridLayout* xAxis = new QGridLayout(Panel5);
  xAxis->setContentsMargins(4, 2, 4, 2);
  xAxis->setVerticalSpacing(2);
  xAxis->addWidget(Label2, 0, 0, 1, 3);
  xAxis->addWidget(Label7, 1, 0);
  xAxis->addWidget(xMin, 1, 1);
  xAxis->addWidget(Label8, 2, 0);
  xAxis->addWidget(xMax, 2, 1);
  xAxis->addWidget(xMaxEnum, 2, 2);
  xAxis->addWidget(cbPrfGridLinesHide, 3, 0, 1, 3);
  xAxis->addWidget(Label5, 0, 3);
  xAxis->addWidget(cbMedian, 1, 3);
  xAxis->addWidget(cbQuartile, 2, 3);
  xAxis->addWidget(cbEdge, 3, 3);
  xAxis->setRowStretch(4, 1);
}

// The run and file buttons, and the strip's row: the three groups, then the
// buttons in two columns.
void TCurForm::buildButtons() {
  btnReplot = new QPushButton(style()->standardIcon(QStyle::SP_BrowserReload), "Replot", Panel1);
  setBlueText(btnReplot, true);
  btnAddFile = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogNewFolder), "Append Another File...", Panel1);
  setBlueText(btnAddFile, true);
  btnSaveCurt = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton), "Save Curtain Plot As...", Panel1);
  setBlueText(btnSaveCurt, false);
  btnSaveProf = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton), "Save Profile Plot As...", Panel1);
  setBlueText(btnSaveProf, false);
  btnClose = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), "Close", Panel1);
  setBoldText(btnClose);

  QVBoxLayout* runButtons = new QVBoxLayout;
  runButtons->setSpacing(3);
  runButtons->addWidget(btnReplot);
  runButtons->addWidget(btnAddFile);
  runButtons->addStretch(1);
  QVBoxLayout* fileButtons = new QVBoxLayout;
  fileButtons->setSpacing(3);
  fileButtons->addWidget(btnSaveCurt);
  fileButtons->addWidget(btnSaveProf);
  fileButtons->addWidget(btnClose);
  fileButtons->addStretch(1);
  QHBoxLayout* bottom = new QHBoxLayout(Panel1);
  bottom->setContentsMargins(2, 2, 2, 2);
  bottom->setSpacing(4);
  bottom->addWidget(Panel7);
  bottom->addWidget(Panel4);
  bottom->addWidget(Panel5);
  bottom->addLayout(runButtons);
  bottom->addLayout(fileButtons);
  bottom->addStretch(1);
}

// The images above, the control strip below.
void TCurForm::layOutWindow() {
  QHBoxLayout* images = new QHBoxLayout;
  images->setSpacing(0);
  images->addWidget(cIMG, 1);
  images->addWidget(Panel3);
  images->addWidget(pIMG);
  QVBoxLayout* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(images, 1);
  // A window narrower than the controls (a small screen) lets the strip
  // scroll sideways, so every control stays reachable and the images keep
  // their place.
  strip_ = new QScrollArea(this);
  strip_->setWidget(Panel1);
  strip_->setWidgetResizable(true);
  strip_->setFrameShape(QFrame::NoFrame);
  strip_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  strip_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  strip_->setFixedHeight(kStripHeight);
  layout->addWidget(strip_);
}

void TCurForm::connectControls() {
  for (QCheckBox* box : {cbNumberDensity, cbCurGridLinesHide, cbPrfGridLinesHide, cbPrfs2Plot})
    connect(box, &QCheckBox::toggled, this, [this, box] { chBoxClick(box); });
  for (QRadioButton* radio : {rbPrfByNum, rbPrfByTime})
    connect(radio, &QRadioButton::toggled, this, [this, radio] { chBoxClick(radio); });
  takeDoubleClickAsOneClick(btnReplot);
  connect(btnClose, &QPushButton::clicked, this, &TCurForm::btnCloseClick);
  connect(btnReplot, &QPushButton::clicked, this, &TCurForm::btnReplotClick);
  connect(btnAddFile, &QPushButton::clicked, this, &TCurForm::btnAddFileClick);
  connect(btnSaveCurt, &QPushButton::clicked, this, [this] { btnSaveClick(btnSaveCurt); });
  connect(btnSaveProf, &QPushButton::clicked, this, [this] { btnSaveClick(btnSaveProf); });
  pressFocusedButtonsWithEnter(this);
}

void TCurForm::resizeEvent(QResizeEvent* event) {
  fitStrip();
  QWidget::resizeEvent(event);
  placeOverlays();
}

void TCurForm::showEvent(QShowEvent* event) {
  fitStrip();
  QWidget::showEvent(event);
  placeOverlays();
}

void TCurForm::keyPressEvent(QKeyEvent* event) {
  // Close is the window's cancel button: Escape presses it.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    btnClose->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TCurForm::fitStrip() {
  bool scrolls = Panel1->minimumSizeHint().width() > width();
  int height = kStripHeight + (scrolls ? strip_->horizontalScrollBar()->sizeHint().height() : 0);
  if (strip_->height() != height) strip_->setFixedHeight(height);
}

void TCurForm::placeOverlays() {
  int imagesHeight = cIMG->height();
  pMsg->move((width() - pMsg->width()) / 2, (imagesHeight - pMsg->height()) / 2);
  pMsg->raise();
}

void TCurForm::presentPlots(const PlotImages& images) {
  try {
    QImage curtain = toQImage(images.curtain);
    QImage profile = toQImage(images.profile);
    cIMG->setImage(curtain);
    pIMG->setImage(profile);
    show();
    raise();
  } catch (const std::exception& e) {
    platform::showMessageBox("Exception Raised???", e.what());
  }
}

void TCurForm::showNewPlots(const PlotImages& images) {
  presentPlots(images);
  state_.PlotsReady = true;
  resetPlotControls(this);
}

void TCurForm::btnCloseClick() { close(); }

void TCurForm::chBoxClick(QObject* sender) {
  if (sender == cbNumberDensity) {
    bool shown = cbNumberDensity->isChecked();
    xMaxEnum->setVisible(shown);
    if (shown) {
      SavedXMax = localBytes(xMax->text());
      xMax->setText("3");
    } else {
      xMax->setText(fromLocalBytes(SavedXMax));
    }
  } else if (sender == cbPrfs2Plot) {
    bool all = cbPrfs2Plot->isChecked();
    rbPrfByNum->setEnabled(!all);
    rbPrfByTime->setEnabled(!all);
    prfLabSelect->setEnabled(rbPrfByNum->isEnabled() || rbPrfByTime->isEnabled());
    if (all) {
      pnlByNum->hide();
      pnlByTimes->hide();
    } else {
      pnlByNum->setVisible(rbPrfByNum->isChecked());
      pnlByTimes->setVisible(rbPrfByTime->isChecked());
      setDateFieldsFromFileName(this, "I");
    }
  } else if (sender == rbPrfByNum || sender == rbPrfByTime) {
    // The two buttons are exclusive; the one now checked settles the look.
    QRadioButton* radio = static_cast<QRadioButton*>(sender);
    if (!radio->isChecked()) return;
    bool byNumber = radio == rbPrfByNum;
    rbPrfByNum->setStyleSheet(byNumber ? kNumberStyleSelected : kPlainRadioStyle);
    rbPrfByTime->setStyleSheet(byNumber ? kPlainRadioStyle : kTimeStyleSelected);
    pnlByNum->setVisible(byNumber);
    pnlByTimes->setVisible(!byNumber);
  }
  // The two grid boxes: their state is read when the command line is built.
}

PlotChoices TCurForm::currentChoices() const {
  PlotChoices c;
  c.yMin = localBytes(yMin->text());
  c.yMax = localBytes(yMax->text());
  c.xMin = localBytes(xMin->text());
  c.xMax = localBytes(xMax->text());
  c.allProfiles = cbPrfs2Plot->isChecked();
  c.byNumber = rbPrfByNum->isChecked();
  c.byTime = rbPrfByTime->isChecked();
  c.prfMin = localBytes(prfMin->text());
  c.prfMax = localBytes(prfMax->text());
  const QLineEdit* startFields[] = {YYStart, MMStart, DDStart, hhStart, mnStart};
  const QLineEdit* endFields[] = {YYEnd, MMEnd, DDEnd, hhEnd, mnEnd};
  for (int i = 0; i < 5; ++i) {
    c.start[i] = localBytes(startFields[i]->text());
    c.end[i] = localBytes(endFields[i]->text());
  }
  return c;
}

ReplotArguments TCurForm::replotArguments(int startProfile, int endProfile) const {
  ReplotArguments a;
  a.isHdf = plotFilesAreHdf(state_);
  a.plotFileCount = state_.PlotFileCount;
  a.startProfile = startProfile;
  a.endProfile = endProfile;
  a.startTime = state_.PlotStartStamp;
  a.endTime = state_.PlotEndStamp;
  a.numberDensity = cbNumberDensity->isChecked();
  a.xMin = localBytes(xMin->text());
  a.xMax = localBytes(xMax->text());
  a.yMin = localBytes(yMin->text());
  a.yMax = localBytes(yMax->text());
  a.exponent = localBytes(xMaxEnum->currentText());
  a.median = cbMedian->isChecked();
  a.quartiles = cbQuartile->isChecked();
  a.percentiles = cbEdge->isChecked();
  a.hideCurtainGrid = cbCurGridLinesHide->isChecked();
  a.hideProfileGrid = cbPrfGridLinesHide->isChecked();
  return a;
}

void TCurForm::btnReplotClick() {
  WindowInputBlock noInput;
  WaitNoticeScope noticeEnds(pMsg);
  computePlotTimeSpan(state_);
  pMsg->show();
  pMsg->raise();
  PlotFilesBackup kept = prepareReplot(state_);
  PlotChoices choices = currentChoices();
  ChoiceVerdict verdict = checkPlotChoices(choices);
  prfMin->setText(fromLocalBytes(choices.prfMin));
  prfMax->setText(fromLocalBytes(choices.prfMax));
  if (!verdict.accepted) {
    pMsg->hide();
    return;
  }
  if (verdict.hasTimeWindow) {
    state_.PlotStartStamp = verdict.startStamp;
    state_.PlotEndStamp = verdict.endStamp;
  }
  std::string commandLine = replotCommandLine(replotArguments(verdict.startProfile, verdict.endProfile));
  PlotImages images;
  if (runReplot(state_, commandLine, kept, &images)) {
    presentPlots(images);
    state_.PlotsReady = true;
  }
}

void TCurForm::btnAddFileClick() {
  if (platform::showMessageBox(kAppendWarning, "Confirm File Foramt Compliance ...", platform::BoxIcon::Warning,
                               platform::BoxButtons::YesNoCancel) != platform::BoxAnswer::Yes)
    return;
  std::string chosen = fileChooser().openFileName(this, "", 0);
  if (chosen.empty()) return;
  AppendOutcome outcome = appendPlotFile(state_, chosen);
  if (outcome.appended) setDateFieldsFromFileName(this, outcome.newDateText);
}

void TCurForm::btnSaveClick(QObject* sender) {
  PlotImage image;
  if (sender == btnSaveCurt)
    image = PlotImage::Curtain;
  else if (sender == btnSaveProf)
    image = PlotImage::Profile;
  else
    return;
  std::string chosen =
      fileChooser().saveFileName(this, kSaveTitle, suggestedImageName(plottedFileName(state_), image), kSaveFilter);
  if (chosen.empty()) return;
  saveImage(state_.StartDir, image, chosen);
}

void resetPlotControls(TCurForm* form) {
  const PlotControlDefaults& d = kPlotControlDefaults;
  form->YYStart->setText(d.start[0]);
  form->YYEnd->setText(d.end[0]);
  form->cbPrfs2Plot->setChecked(d.allProfiles);
  form->cbCurGridLinesHide->setChecked(d.hideCurtainGrid);
  form->cbNumberDensity->setChecked(d.numberDensity);
  form->yMin->setText(d.yMin);
  form->yMax->setText(d.yMax);
  form->cbPrfGridLinesHide->setChecked(d.hideProfileGrid);
  form->xMin->setText(d.xMin);
  form->xMax->setText(d.xMax);
  form->xMaxEnum->setCurrentIndex(d.exponentIndex);
  form->cbMedian->setChecked(d.median);
  form->cbQuartile->setChecked(d.quartiles);
  form->cbEdge->setChecked(d.percentiles);
  if (form->sharedState().DataFileIsHdf) {
    form->cbPrfs2Plot->setEnabled(false);  // an HDF plot always plots all profiles
  } else {
    form->cbPrfs2Plot->setEnabled(true);
    setDateFieldsFromFileName(form, "I");
  }
}

void setDateFieldsFromFileName(TCurForm* form, const std::string& endDate) {
  if (platform::leadingLong(localBytes(form->YYStart->text())) == kUnfilledYear) {
    const SharedState& state = form->sharedState();
    std::string start = fileStartDateText(state.DataFileName, state.DataFileIsHdf);
    form->YYStart->setText(fromLocalBytes(clampedPiece(start, 0, 4)));
    form->MMStart->setText(fromLocalBytes(clampedPiece(start, 4, 2)));
    form->DDStart->setText(fromLocalBytes(clampedPiece(start, 6, 2)));
  }
  if (endDate.size() == 1) {
    if (platform::leadingLong(localBytes(form->YYEnd->text())) == kUnfilledYear) {
      form->YYEnd->setText(form->YYStart->text());
      form->MMEnd->setText(form->MMStart->text());
      form->DDEnd->setText(form->DDStart->text());
    }
  } else {
    form->YYEnd->setText(fromLocalBytes(clampedPiece(endDate, 0, 4)));
    form->MMEnd->setText(fromLocalBytes(clampedPiece(endDate, 4, 2)));
    form->DDEnd->setText(fromLocalBytes(clampedPiece(endDate, 6, 2)));
  }
}
