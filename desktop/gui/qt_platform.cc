#include "desktop/gui/qt_platform.h"

#include <QApplication>
#include <QMessageBox>

platform::BoxAnswer QtMessageBoxes::show(const std::string& text, const std::string& caption, platform::BoxIcon icon,
                                         platform::BoxButtons buttons) {
  QMessageBox::Icon qtIcon = QMessageBox::Critical;
  if (icon == platform::BoxIcon::Warning) qtIcon = QMessageBox::Warning;
  if (icon == platform::BoxIcon::Information) qtIcon = QMessageBox::Information;
  QMessageBox::StandardButtons qtButtons =
      buttons == platform::BoxButtons::YesNoCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                                                   : QMessageBox::StandardButtons(QMessageBox::Ok);
  QMessageBox box(qtIcon, QString::fromLocal8Bit(caption), QString::fromLocal8Bit(text), qtButtons,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);  // paths and log lines show as they are
  box.setWindowModality(Qt::ApplicationModal);
  switch (box.exec()) {
    case QMessageBox::Yes: return platform::BoxAnswer::Yes;
    case QMessageBox::No: return platform::BoxAnswer::No;
    case QMessageBox::Cancel: return platform::BoxAnswer::Cancel;
    default: return buttons == platform::BoxButtons::YesNoCancel ? platform::BoxAnswer::Cancel : platform::BoxAnswer::Ok;
  }
}

void QtBusyCursor::begin() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QApplication::processEvents();
}

void QtBusyCursor::end() { QApplication::restoreOverrideCursor(); }
