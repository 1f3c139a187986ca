#include "desktop/core/start_folder.h"

#include "desktop/core/plot_files.h"
#include "platform/file_lock.h"
#include "platform/message_box.h"

int runInStartFolder(const std::string& startFolder, const std::function<int()>& openWindows) {
  std::string lockPath = startDirFile(startFolder, kStartFolderLockName);
  int error = 0;
  platform::LockResult lock = platform::fileLocks().lock(lockPath, &error);
  if (lock == platform::LockResult::Busy) {
    platform::showMessageBox(
        "Skelda is already running in this start folder.\nFolder = " + startFolder +
            "\n\nTwo Skeldas in one start folder would overwrite each other's plot list, plot log and plot "
            "images.\nPlease use the Skelda that is already running, or start this one in another folder.",
        "Skelda Already Running ...");
    return 0;
  }
  int result = openWindows();
  if (lock == platform::LockResult::Locked) platform::fileLocks().release(lockPath);
  return result;
}
