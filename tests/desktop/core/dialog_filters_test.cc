#include <gtest/gtest.h>

#include "desktop/core/dialog_filters.h"

namespace {

using Filters = std::vector<std::string>;

TEST(DesktopDialogFilters, PipeListsBecomeQtNameFilters) {
  EXPECT_EQ(qtNameFilters("Dat Files ( *.dat )|*.dat|HDF4 Files ( *.hdf )|*.hdf|All files ( *.* )|*.*"),
            (Filters{"Dat Files ( *.dat ) (*.dat)", "HDF4 Files ( *.hdf ) (*.hdf)", "All files ( *.* ) (*)"}));
  EXPECT_EQ(qtNameFilters("JPEG File (*.jpg)|*.jpg|JPEG File (*.jpeg)|*.jpeg|All Files (*.*)|*.*"),
            (Filters{"JPEG File (*.jpg) (*.jpg)", "JPEG File (*.jpeg) (*.jpeg)", "All Files (*.*) (*)"}));
  EXPECT_EQ(qtNameFilters("Images|*.jpg;*.jpeg"), (Filters{"Images (*.jpg *.jpeg)"}));
  EXPECT_TRUE(qtNameFilters("").empty());
}

}  // namespace
