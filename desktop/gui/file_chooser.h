// The open and save dialogs, behind an interface so that tests can answer them.
#pragma once

#include <QStringList>
#include <string>

class QFileDialog;
class QWidget;

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The chosen file's path, "" when cancelled. `filter` is in the
  // "description|pattern|..." form; `filterIndex` counts from 1 (0: none).
  virtual std::string openFileName(QWidget* parent, const std::string& filter, int filterIndex) = 0;
  // The name chosen to save under, "" when cancelled; the dialog asks before an
  // existing file is replaced.
  virtual std::string saveFileName(QWidget* parent, const std::string& title, const std::string& suggested,
                                   const std::string& filter) = 0;
};

// The chooser in use: Qt's file dialogs unless a test installed another.
FileChooser& fileChooser();
// Installs a chooser; nullptr restores Qt's dialogs.
void setFileChooser(FileChooser* chooser);

// Gives a dialog the filters of a "description|pattern|..." text, each shown by
// its description alone; returns Qt's filters (none for an empty text).
QStringList setNameFilters(QFileDialog& dialog, const std::string& filter);
