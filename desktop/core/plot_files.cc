#include "desktop/core/plot_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "desktop/core/shared_state.h"
#include "platform/message_box.h"
#include "platform/support_address.h"
#include "platform/text.h"

using platform::kSupportAddress;

std::string startDirFile(const std::string& startDir, const std::string& name) {
  return startDir.empty() ? name : startDir + "/" + name;
}

std::string plotListPath(const std::string& startDir) { return startDirFile(startDir, "Data/ANY.txt"); }

void enterStartDir(const std::string& startDir) {
  if (startDir.empty()) return;
  std::error_code ec;
  if (std::filesystem::current_path(ec).string() != startDir) std::filesystem::current_path(startDir, ec);
}

bool hasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

void refuseLineBreakPath(const std::string& caption) {
  platform::showMessageBox("The file path holds a line break; such a path cannot be scanned or plotted.", caption);
}

bool ensureDataFolder(const std::string& startDir) {
  std::string folder = startDirFile(startDir, "Data");
  std::error_code ec;
  if (std::filesystem::is_directory(folder, ec)) return true;
  if (std::filesystem::create_directory(folder, ec) || std::filesystem::is_directory(folder, ec)) return true;
  platform::showMessageBox("Could not create \"Data\" directory for plotting = " + folder +
                               "\n\nIf this error persists, please report it to " + kSupportAddress,
                           "Error Creating Directory");
  return false;
}

bool writeFirstPlotList(SharedState& state, const std::string& path) {
  std::ofstream list(plotListPath(state.StartDir), std::ios::binary | std::ios::trunc);
  if (list) list << path << '\n';
  if (list) list.close();
  if (!list) {
    platform::showMessageBox("Could not run curtain plot??\nFile = " + path + "\n\n Please report this error to " +
                                 kSupportAddress,
                             "Error Running Curtain Plotting Function??");
    return false;
  }
  state.PlotFiles.clear();
  state.PlotFileCount = 0;
  return true;
}

PlotFilesBackup keepPlotFiles(const SharedState& state) {
  PlotFilesBackup backup;
  const std::string& dir = state.StartDir;
  for (const std::string& path : {plotListPath(dir), startDirFile(dir, kPlotLogName),
                                  startDirFile(dir, kCurtainImageName), startDirFile(dir, kProfileImageName)}) {
    PlotFilesBackup::KeptFile kept;
    kept.path = path;
    std::ifstream in;
    if (platform::openInputFile(in, path)) {
      kept.existed = true;
      kept.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    backup.files.push_back(std::move(kept));
  }
  backup.plotFiles = state.PlotFiles;
  backup.plotFileCount = state.PlotFileCount;
  return backup;
}

void restorePlotFiles(SharedState& state, const PlotFilesBackup& backup) {
  for (const PlotFilesBackup::KeptFile& kept : backup.files) {
    std::error_code ec;
    if (!kept.existed) {
      std::filesystem::remove(kept.path, ec);
      continue;
    }
    std::ofstream out(kept.path, std::ios::binary | std::ios::trunc);
    out << kept.bytes;
  }
  state.PlotFiles = backup.plotFiles;
  state.PlotFileCount = backup.plotFileCount;
}

void removePlotOutputs(const std::string& startDir, bool images) {
  std::error_code ec;
  std::filesystem::remove(startDirFile(startDir, kPlotLogName), ec);
  if (!images) return;
  std::filesystem::remove(startDirFile(startDir, kCurtainImageName), ec);
  std::filesystem::remove(startDirFile(startDir, kProfileImageName), ec);
}
