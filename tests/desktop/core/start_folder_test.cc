#include "desktop/core/start_folder.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "tests/desktop/core/desktop_fixture.h"

namespace {

using platform::LockResult;

const char kBusyText[] =
    "Skelda is already running in this start folder.\nFolder = %s\n\nTwo Skeldas in one start folder would overwrite each "
    "other's plot list, plot log and plot images.\nPlease use the Skelda that is already running, or start this "
    "one in another folder.";

std::string busyText(const std::string& folder) {
  std::string text = kBusyText;
  return text.replace(text.find("%s"), 2, folder);
}

class DesktopStartFolder : public DesktopTest {
 protected:
  // Runs the start-up in `folder`; the "windows" count their openings and return 7.
  int startIn(const std::string& folder) {
    return runInStartFolder(folder, [this] {
      ++windowsOpened;
      return 7;
    });
  }
  std::string lockIn(const std::string& folder) const { return folder + "/" + kStartFolderLockName; }

  int windowsOpened = 0;
};

TEST_F(DesktopStartFolder, AFreeFolderIsLockedWhileTheWindowsRun) {
  testing_support::FakeFileLocks locks;
  EXPECT_EQ(startIn(start.path()), 7);
  EXPECT_EQ(windowsOpened, 1);
  EXPECT_EQ(locks.locked, std::vector<std::string>{lockIn(start.path())});
  EXPECT_EQ(locks.released, std::vector<std::string>{lockIn(start.path())});
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DesktopStartFolder, AFolderInUseShowsOneBoxAndOpensNoWindow) {
  testing_support::FakeFileLocks locks;
  locks.busy.insert(lockIn(start.path()));
  EXPECT_EQ(startIn(start.path()), 0);
  EXPECT_EQ(windowsOpened, 0);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, busyText(start.path()));
  EXPECT_EQ(boxes.boxes[0].caption, "Skelda Already Running ...");
  EXPECT_EQ(boxes.boxes[0].icon, platform::BoxIcon::Error);
  EXPECT_EQ(boxes.boxes[0].buttons, platform::BoxButtons::Ok);
  EXPECT_TRUE(locks.locked.empty());
  EXPECT_TRUE(locks.released.empty());
}

TEST_F(DesktopStartFolder, AFolderThatCannotBeLockedStartsAsWithoutALock) {
  testing_support::FakeFileLocks locks;
  locks.failError = EACCES;
  EXPECT_EQ(startIn(start.path()), 7);
  EXPECT_EQ(windowsOpened, 1);
  EXPECT_TRUE(locks.released.empty());
  EXPECT_TRUE(boxes.boxes.empty());
}

// Through the system's locks: a second Skelda in the folder is refused, one in
// another folder starts, and the folder is free again once the first has ended.
TEST_F(DesktopStartFolder, SecondSkeldaInTheSameFolder) {
  testing_support::TempDir other;
  int error = 0;
  int insideFirst = -1, inOtherFolder = -1;
  int result = runInStartFolder(start.path(), [&] {
    insideFirst = startIn(start.path());
    inOtherFolder = startIn(other.path());
    EXPECT_EQ(platform::fileLocks().lock(lockIn(start.path()), &error), LockResult::Busy);
    return 3;
  });
  EXPECT_EQ(result, 3);
  EXPECT_EQ(insideFirst, 0);
  EXPECT_EQ(inOtherFolder, 7);
  EXPECT_EQ(windowsOpened, 1);  // only the one in the other folder
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, busyText(start.path()));
  EXPECT_EQ(startIn(start.path()), 7);
  EXPECT_EQ(windowsOpened, 2);
  EXPECT_EQ(boxes.boxes.size(), 1u);
}

}  // namespace
