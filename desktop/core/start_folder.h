// One Skelda per start folder. The plot list, the plot log and the two images
// are fixed files of the start folder: two Skeldas working in one folder would
// overwrite each other's plots. A running Skelda therefore holds a lock on a
// file of its start folder; the system drops it when the program ends, also by
// a crash.
#pragma once

#include <functional>
#include <string>

// The lock file, left empty in the start folder.
inline constexpr char kStartFolderLockName[] = ".Skelda.lock";

// Runs `openWindows` (the windows and the message loop) while this process
// holds the lock of `startFolder`, and returns what it returns. When another
// Skelda holds the lock, shows a box naming the folder instead and returns 0
// without opening any window. When no lock can be taken at all (a folder
// without write access), Skelda starts as it would without one.
int runInStartFolder(const std::string& startFolder, const std::function<int()>& openWindows);
