#include "desktop/core/first_plot.h"

#include "desktop/core/plot_command.h"
#include "desktop/core/plot_files.h"
#include "desktop/core/plot_run.h"
#include "desktop/core/shared_state.h"

bool runFirstPlot(SharedState& state, const std::string& path, bool isHdf, const std::function<void()>& showNotice,
                  PlotImages* images) {
  std::string commandLine = fixedPlotCommandLine(isHdf);
  // A plot program that is not there must not cost the plots on screen.
  if (!findPlotProgram(state.StartDir, commandLine)) return false;
  if (!ensureDataFolder(state.StartDir)) return false;
  if (showNotice) showNotice();
  PlotFilesBackup kept = keepPlotFiles(state);
  if (!writeFirstPlotList(state, path)) {
    restorePlotFiles(state, kept);  // a list written in part
    return false;
  }
  enterStartDir(state.StartDir);
  removePlotOutputs(state.StartDir, true);
  if (!runPlotProgram(state, commandLine, firstPlotTexts(path), ImageRule::BothMustExist, kept, images)) return false;
  state.PlotFiles = {path};
  state.PlotFileCount = 1;
  state.PlottedFile = path;
  return true;
}
