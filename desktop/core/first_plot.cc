#include "desktop/core/first_plot.h"

#include "desktop/core/plot_command.h"
#include "desktop/core/plot_files.h"
#include "desktop/core/plot_run.h"
#include "desktop/core/shared_state.h"

bool runFirstPlot(const std::string& path, bool isHdf, const std::function<void()>& showNotice) {
  std::string commandLine = fixedPlotCommandLine(isHdf);
  // A plot program that is not there must not cost the plots on screen.
  if (!findPlotProgram(commandLine)) return false;
  if (!ensureDataFolder()) return false;
  if (showNotice) showNotice();
  PlotFilesBackup kept = keepPlotFiles();
  if (!writeFirstPlotList(path)) return false;
  enterStartDir();
  removePlotOutputs(true);
  if (!runPlotProgram(commandLine, firstPlotTexts(path), ImageRule::BothMustExist, &kept)) return false;
  PlotFiles = {path};
  PlotFileCount = 1;
  return true;
}
