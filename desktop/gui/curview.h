// The plot window: the curtain and profile images and the choices for the next
// plot run (Replot), appending data files and saving the images.
#pragma once

#include <QWidget>
#include <string>

#include "desktop/core/plot_choices.h"
#include "desktop/core/plot_command.h"
#include "desktop/core/plot_control_defaults.h"
#include "desktop/core/plot_run.h"

class ImageView;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
struct SharedState;

class TCurForm : public QWidget {
  Q_OBJECT

 public:
  explicit TCurForm(SharedState& state, QWidget* owner = nullptr);

  // The state this window shares with the main window.
  SharedState& sharedState() const { return state_; }

  // Puts the two decoded images of a plot run into the views and shows the
  // window. A standard exception (no memory for the pictures) is shown in a
  // box and the run goes on.
  void presentPlots(const PlotImages& images);

  // The choices as Replot reads them from the controls.
  PlotChoices currentChoices() const;
  ReplotArguments replotArguments(int startProfile, int endProfile) const;

  ImageView* cIMG;
  ImageView* pIMG;
  QFrame* Panel3;
  QFrame* Panel1;
  QFrame* Panel7;
  QLabel* Label6;
  QCheckBox* cbPrfs2Plot;
  QLabel* prfLabSelect;
  QRadioButton* rbPrfByNum;
  QRadioButton* rbPrfByTime;
  QFrame* pnlByNum;
  QLabel* labPrfTxt;
  QLabel* prfLabMin;
  QLabel* prfLabMax;
  QLineEdit* prfMin;
  QLineEdit* prfMax;
  QFrame* pnlByTimes;
  QLabel* Label9;
  QLabel* Label11;
  // The headings over the date-time fields, one label per field: "YYYY",
  // "MM", "DD", "hh", "mm".
  QLabel* labStart[5];
  QLabel* labEnd[5];
  QLineEdit* YYStart;
  QLineEdit* MMStart;
  QLineEdit* DDStart;
  QLineEdit* hhStart;
  QLineEdit* mnStart;
  QLineEdit* YYEnd;
  QLineEdit* MMEnd;
  QLineEdit* DDEnd;
  QLineEdit* hhEnd;
  QLineEdit* mnEnd;
  QFrame* Panel4;
  QLabel* Label1;
  QLabel* Label4;
  QLabel* Label3;
  QLineEdit* yMin;
  QLineEdit* yMax;
  QCheckBox* cbNumberDensity;
  QCheckBox* cbCurGridLinesHide;
  QFrame* Panel5;
  QLabel* Label2;
  QLabel* Label7;
  QLabel* Label8;
  QLineEdit* xMin;
  QLineEdit* xMax;
  QComboBox* xMaxEnum;
  QLabel* Label5;
  QCheckBox* cbMedian;
  QCheckBox* cbQuartile;
  QCheckBox* cbEdge;
  QCheckBox* cbPrfGridLinesHide;
  QPushButton* btnReplot;
  QPushButton* btnAddFile;
  QPushButton* btnSaveCurt;
  QPushButton* btnSaveProf;
  QPushButton* btnClose;
  QFrame* pMsg;
  QPlainTextEdit* Memo1;

 public slots:
  void btnCloseClick();
  void chBoxClick(QObject* sender);
  void btnReplotClick();
  void btnAddFileClick();
  void btnSaveClick(QObject* sender);
  // After a plot run of the main window: presentPlots, then PlotsReady and
  // resetPlotControls.
  void showNewPlots(const PlotImages& images);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The builders of the constructor, one per control group, in the order the
  // controls are made.
  void buildStrip();
  void buildSelectionGroup();
  void buildIndexPanel();
  void buildTimePanel();
  void buildAltitudeGroup();
  void buildXAxisGroup();
  void buildButtons();
  void layOutWindow();
  void connectControls();

  void placeOverlays();
  // Fits the strip's height to whether it needs its scroll bar.
  void fitStrip();
  QScrollArea* strip_ = nullptr;

  SharedState& state_;
  // The X-max text kept while the number-density exponent is shown.
  std::string SavedXMax = kPlotControlDefaults.xMax;
};

// Puts the plot window's profile choice, axes, curves, grids and years back to
// kPlotControlDefaults and refills the date fields from the plotted file (its
// shared state's DataFileName).
void resetPlotControls(TCurForm* form);

// Fills the start date fields from the shared state's DataFileName when the
// start year reads kUnfilledYear; then the end date fields from `endDate`
// (YYYYMMDD), or, when `endDate` has one character, from the start fields when
// the end year reads kUnfilledYear.
void setDateFieldsFromFileName(TCurForm* form, const std::string& endDate);
