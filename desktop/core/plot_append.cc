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

AppendOutcome appendPlotFile(const std::string& chosenPath) {
  AppendOutcome outcome;
  if (hasLineBreak(chosenPath)) {
    refuseLineBreakPath(kAddCaption);
    return outcome;
  }
  if (PlotFileCount == 0) computePlotTimeSpan();

  std::string newName = fileNamePart(chosenPath);
  bool isHdf = plotFilesAreHdf();
  std::string newDateText = fileStartDateText(newName, isHdf);
  int newDate = platform::leadingLong(newDateText);
  int lastDate = platform::leadingLong(fileEndDateText(fileNamePart(PlotFiles.back()), isHdf));
  if (newDate < lastDate) {
    platform::showMessageBox(
        "Could not load this additional file = " + newName +
            platform::formatText("\n\nThis File's Date (%d) can NOT be LESS_THAN previous File's Date (%d); i.e., "
                                 "the last appended file.",
                                 newDate, lastDate),
        kAddCaption);
    return outcome;
  }
  if (platform::toUpperAscii(chosenPath) == platform::toUpperAscii(PlotFiles.back())) {
    platform::showMessageBox("This file = " + newName + "\nis already loaded (included).", kAddCaption);
    return outcome;
  }

  std::ofstream list(plotListPath(), std::ios::binary | std::ios::app);
  if (list) list << chosenPath << '\n';
  if (list) list.close();
  if (!list) {
    platform::showMessageBox("Could not add another data file to the Data Folder = " + StartDir +
                                 "\\Data\\ \n\nIf this error persists, please report it to " + kSupportAddress +
                                 ". Thank you.",
                             kAddCaption);
    return outcome;
  }
  PlotFiles.push_back(chosenPath);
  PlotFileCount = static_cast<int>(PlotFiles.size());
  outcome.appended = true;
  outcome.newDateText = newDateText;
  return outcome;
}
