// The built program: exit statuses, a start folder with a blank, and the real
// gnuplot drawing both images at their sizes.
#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <filesystem>

#include <jpeglib.h>

#include "platform/process.h"
#include "tests/plotgen/vantor_harness.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

using namespace plotgen_tests;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

const std::string kVantor = std::string(PARVIX_BIN_DIR) + "/Vantor";

int runProgram(const std::string& folder, const std::vector<std::string>& args) {
  platform::SystemProcessLauncher launcher;
  platform::ChildProcess child;
  int error = 0;
  if (!launcher.start(platform::StartRequest{kVantor, args, folder, false}, &child, &error)) return -100 - error;
  int status = -1;
  if (launcher.wait(&child, 120000, &status) != platform::WaitOutcome::Exited) {
    launcher.terminate(&child);
    return -1;
  }
  return status;
}

std::string sampleFile(int profiles, int rows) {
  std::vector<testing_support::ProfileBlock> blocks;
  for (int i = 0; i < profiles; ++i) {
    std::string hour = (i < 10 ? "0" : "") + std::to_string(i);
    blocks.push_back(testing_support::profileBlock("2018-04-12, " + hour + ":00:00", "2018-04-12, " + hour + ":59:59",
                                                   "2018-04-12, " + hour + ":30:00", rows));
  }
  return testing_support::profileFileText(blocks);
}

struct JpegSize {
  bool ok = false;
  unsigned width = 0;
  unsigned height = 0;
};

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void jpegErrorExit(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }

// Reads the header of a JPEG file with libjpeg.
JpegSize jpegSize(const std::string& path) {
  JpegSize size;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return size;
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = jpegErrorExit;
  if (setjmp(error.jump) == 0) {
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    if (jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK) {
      size.ok = true;
      size.width = info.image_width;
      size.height = info.image_height;
    }
  }
  jpeg_destroy_decompress(&info);
  std::fclose(file);
  return size;
}

TEST(PlotgenProgram, ExitStatusIsOneAtTheEndAndZeroOnAFailure) {
  TempDir dir;
  std::string folder = dir.path() + "/start folder";
  std::filesystem::create_directories(folder);
  installStandInGnuplot(folder);
  std::string data = folder + "/my data.dat";
  ASSERT_TRUE(writeFile(data, sampleFile(2, 10)));
  writeList(folder, {data});

  EXPECT_EQ(runProgram(folder, plotButtonArguments()), 1);
  std::string log = logAfterStart(folder);
  EXPECT_EQ(log,
            "OK. " + data + "\n"
            "OK. Profile::gnuplotPath " + realPath(folder) + "/bin/gnuplot\n"
            "OK. Curtain::gnuplotPath " + realPath(folder) + "/bin/gnuplot\n"
            "OK. Start: 2018-04-12,00:00:00\n"
            "Ok. End:   2018-04-12,01:59:59\n");
  EXPECT_TRUE(std::filesystem::exists(folder + "/gnuplot_input_2.txt"));

  EXPECT_EQ(runProgram(folder, {"ANY"}), 0);
  EXPECT_EQ(logAfterStart(folder), "ERROR: invalid number of arguments: 2\n");
}

TEST(PlotgenProgram, RealGnuplotDrawsBothImages) {
  TempDir dir;
  std::string folder = dir.path() + "/real gnuplot";
  std::filesystem::create_directories(folder);
  std::string data = folder + "/data.dat";
  ASSERT_TRUE(writeFile(data, sampleFile(6, 40)));
  writeList(folder, {data});

  ASSERT_EQ(runProgram(folder, words("ANY 0 1 true false 0 1000 20000000000000 20200000000000 false 0 300 0 2000 "
                                     "true true true true 0 0")),
            1);
  std::string log = logAfterStart(folder);
  EXPECT_EQ(log.find("ERROR"), std::string::npos) << log;
  JpegSize profile = jpegSize(folder + "/profile_plot.jpg");
  ASSERT_TRUE(profile.ok) << log;
  EXPECT_EQ(profile.width, 400u);
  EXPECT_EQ(profile.height, 700u);
  JpegSize curtain = jpegSize(folder + "/curtain_plot.jpg");
  ASSERT_TRUE(curtain.ok) << log;
  EXPECT_EQ(curtain.width, 800u);
  EXPECT_EQ(curtain.height, 700u);
}

}  // namespace
