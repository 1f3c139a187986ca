#include "desktop/gui/file_chooser.h"

#include <QFileDialog>
#include <QStringList>

#include "desktop/core/dialog_filters.h"
#include "desktop/gui/local_text.h"
#include "desktop/gui/qt_platform.h"

namespace {

// A dialog opened from the main window while the always-on-top plot window is
// shown must stand above the plot window.
QWidget* stackingParent(QWidget* requested) {
  QWidget* top = boxParentWindow();
  return top ? top : requested;
}

class QtFileChooser : public FileChooser {
 public:
  std::string openFileName(QWidget* parent, const std::string& filter, int filterIndex) override {
    QFileDialog dialog(stackingParent(parent));
    keepOnTheParentsLevel(&dialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList filters = setNameFilters(dialog, filter);
    if (filterIndex >= 1 && filterIndex <= filters.size()) dialog.selectNameFilter(filters[filterIndex - 1]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::string();
    return localBytes(dialog.selectedFiles().front());
  }

  std::string saveFileName(QWidget* parent, const std::string& title, const std::string& suggested,
                           const std::string& filter) override {
    QFileDialog dialog(stackingParent(parent), fromLocalBytes(title));
    keepOnTheParentsLevel(&dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    setNameFilters(dialog, filter);
    dialog.selectFile(fromLocalBytes(suggested));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::string();
    return localBytes(dialog.selectedFiles().front());
  }
};

QtFileChooser qtChooser;
FileChooser* installed = nullptr;

}  // namespace

QStringList setNameFilters(QFileDialog& dialog, const std::string& filter) {
  QStringList list;
  for (const std::string& one : qtNameFilters(filter)) list << fromLocalBytes(one);
  if (list.isEmpty()) return list;
  // The labels already name their patterns ("All files ( *.* )"): Qt shows
  // them without repeating the pattern it matches with.
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  dialog.setNameFilters(list);
  return list;
}

FileChooser& fileChooser() { return installed ? *installed : qtChooser; }
void setFileChooser(FileChooser* chooser) { installed = chooser; }
