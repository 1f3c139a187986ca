#include "desktop/core/plot_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "desktop/core/shared_state.h"
#include "platform/message_box.h"
#include "platform/support_address.h"
#include "platform/text.h"

using platform::kSupportAddress;

std::string startDirFile(const std::string& name) { return StartDir.empty() ? name : StartDir + "/" + name; }

std::string plotListPath() { return startDirFile("Data/ANY.txt"); }

void enterStartDir() {
  if (StartDir.empty()) return;
  std::error_code ec;
  if (std::filesystem::current_path(ec).string() != StartDir) std::filesystem::current_path(StartDir, ec);
}

bool hasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

void refuseLineBreakPath(const std::string& caption) {
  platform::showMessageBox("The file path holds a line break; such a path cannot be scanned or plotted.", caption);
}

bool ensureDataFolder() {
  std::string folder = startDirFile("Data");
  std::error_code ec;
  if (std::filesystem::is_directory(folder, ec)) return true;
  if (std::filesystem::create_directory(folder, ec) || std::filesystem::is_directory(folder, ec)) return true;
  platform::showMessageBox("Could not create \"Data\" directory for plotting = " + StartDir +
                               "\\Data\n\nIf this error persists, please report it to " + kSupportAddress,
                           "Error Creating Directory");
  return false;
}

bool writeFirstPlotList(const std::string& path) {
  std::ofstream list(plotListPath(), std::ios::binary | std::ios::trunc);
  if (list) list << path << '\n';
  if (list) list.close();
  if (!list) {
    platform::showMessageBox("Could not run curtain plot??\nFile = " + path + "\n\n Please report this error to " +
                                 kSupportAddress,
                             "Error Running Curtain Plotting Function??");
    return false;
  }
  PlotFiles.clear();
  PlotFileCount = 0;
  return true;
}

PlotFilesBackup keepPlotFiles() {
  PlotFilesBackup backup;
  for (const std::string& path : {plotListPath(), startDirFile(kPlotLogName), startDirFile(kCurtainImageName),
                                  startDirFile(kProfileImageName)}) {
    PlotFilesBackup::KeptFile kept;
    kept.path = path;
    std::ifstream in;
    if (platform::openInputFile(in, path)) {
      kept.existed = true;
      kept.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    backup.files.push_back(std::move(kept));
  }
  backup.plotFiles = PlotFiles;
  backup.plotFileCount = PlotFileCount;
  return backup;
}

void restorePlotFiles(const PlotFilesBackup& backup) {
  for (const PlotFilesBackup::KeptFile& kept : backup.files) {
    std::error_code ec;
    if (!kept.existed) {
      std::filesystem::remove(kept.path, ec);
      continue;
    }
    std::ofstream out(kept.path, std::ios::binary | std::ios::trunc);
    out << kept.bytes;
  }
  PlotFiles = backup.plotFiles;
  PlotFileCount = backup.plotFileCount;
}

void removePlotOutputs(bool images) {
  std::error_code ec;
  std::filesystem::remove(startDirFile(kPlotLogName), ec);
  if (!images) return;
  std::filesystem::remove(startDirFile(kCurtainImageName), ec);
  std::filesystem::remove(startDirFile(kProfileImageName), ec);
}
