#include "desktop/core/plot_append.h"

#include <fstream>

#include "desktop/core/file_names.h"
#include "desktop/core/plot_files.h"
#include "desktop/core/shared_state.h"
#include "platform/message_box.h"
#include "platform/support_address.h"
#include "platform/text.h"

using platform::kSupportAddress;

namespace {

const char kAddCaption[] = "Error Adding Data File ...";

}  // namespace

AppendOutcome appendPlotFile(SharedState& state, const std::string& chosenPath) {
  AppendOutcome outcome;
  if (hasLineBreak(chosenPath)) {
    refuseLineBreakPath(kAddCaption);
    return outcome;
  }
  if (state.PlotFileCount == 0) computePlotTimeSpan(state);

  std::string newName = fileNamePart(chosenPath);
  bool isHdf = plotFilesAreHdf(state);
  std::string newDateText = fileStartDateText(newName, isHdf);
  int newDate = platform::leadingLong(newDateText);
  int lastDate = platform::leadingLong(fileEndDateText(fileNamePart(state.PlotFiles.back()), isHdf));
  if (newDate < lastDate) {
    platform::showMessageBox(
        "Could not load this additional file = " + newName +
            platform::formatText("\n\nThis File's Date (%d) can NOT be LESS_THAN previous File's Date (%d); i.e., "
                                 "the last appended file.",
                                 newDate, lastDate),
        kAddCaption);
    return outcome;
  }
  if (platform::toUpperAscii(chosenPath) == platform::toUpperAscii(state.PlotFiles.back())) {
    platform::showMessageBox("This file = " + newName + "\nis already loaded (included).", kAddCaption);
    return outcome;
  }

  std::ofstream list(plotListPath(state.StartDir), std::ios::binary | std::ios::app);
  if (list) list << chosenPath << '\n';
  if (list) list.close();
  if (!list) {
    platform::showMessageBox("Could not add another data file to the Data Folder = " +
                                 startDirFile(state.StartDir, "Data") +
                                 "/ \n\nIf this error persists, please report it to " + kSupportAddress +
                                 ". Thank you.",
                             kAddCaption);
    return outcome;
  }
  state.PlotFiles.push_back(chosenPath);
  state.PlotFileCount = static_cast<int>(state.PlotFiles.size());
  outcome.appended = true;
  outcome.newDateText = newDateText;
  return outcome;
}
