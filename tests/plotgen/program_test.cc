// The built program: exit statuses, a start folder with a blank, and the real
// gnuplot drawing both images at their sizes.
#include <gtest/gtest.h>

#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

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


int runProgram(const std::string& folder, const std::vector<std::string>& args) {
  return runVantorProgram(folder, args, 120000);
}

std::string sampleFile(int profiles, int rows) { return hourlyProfileFile(profiles, rows); }

struct JpegSize {
  bool ok = false;
  unsigned width = 0;
  unsigned height = 0;
  std::vector<unsigned char> pixels;  // RGB rows, when asked for
};

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void jpegErrorExit(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }

// Reads the header of a JPEG file with libjpeg, and its pixels as RGB when asked.
JpegSize jpegSize(const std::string& path, bool withPixels = false) {
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
      size.width = info.image_width;
      size.height = info.image_height;
      size.ok = true;
      if (withPixels) {
        info.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info);
        const size_t stride = static_cast<size_t>(info.output_width) * 3;
        size.pixels.resize(stride * info.output_height);
        while (info.output_scanline < info.output_height) {
          JSAMPROW row = size.pixels.data() + stride * info.output_scanline;
          jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        size.ok = info.output_components == 3;
      }
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

// One pixel of an RGB image.
std::array<int, 3> pixel(const JpegSize& image, unsigned x, unsigned y) {
  const unsigned char* at = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 3;
  return {at[0], at[1], at[2]};
}

bool near(const std::array<int, 3>& a, const std::array<int, 3>& b, int tolerance) {
  for (size_t i = 0; i < 3; ++i)
    if (std::abs(a[i] - b[i]) > tolerance) return false;
  return true;
}

// The palette's colour of 0 ppbv.
constexpr std::array<int, 3> kZeroColour = {0xff, 0x8c, 0xff};

// Down the pixel column x: how many rows show the colour of 0, and in how
// many rows the two images differ clearly.
struct ColumnCounts {
  int zeroRows = 0;
  int differingRows = 0;
};
ColumnCounts columnCounts(const JpegSize& image, const JpegSize& reference, unsigned x) {
  ColumnCounts counts;
  for (unsigned y = 0; y < image.height; ++y) {
    if (near(pixel(image, x, y), kZeroColour, 40)) ++counts.zeroRows;
    if (!near(pixel(image, x, y), pixel(reference, x, y), 60)) ++counts.differingRows;
  }
  return counts;
}

// Six profiles of 40 altitudes from 100 m to 1270 m; with negatives, the
// mixing ratio of three altitudes in the middle is below zero (noise) and
// that of the top three is the missing-value flag.
std::string curtainSample(bool withNegatives) {
  std::vector<testing_support::ProfileBlock> blocks;
  for (int i = 0; i < 6; ++i) {
    std::string hour = "0" + std::to_string(i);
    testing_support::ProfileBlock b = testing_support::profileBlock(
        "2018-04-12, " + hour + ":00:00", "2018-04-12, " + hour + ":59:59", "2018-04-12, " + hour + ":30:00", 40);
    if (withNegatives) {
      for (int row : {19, 20, 21}) b.dataRows[row] = testing_support::profileDataRow(100 + 30 * row, 1e18, -5.0);
      for (int row : {37, 38, 39}) b.dataRows[row] = testing_support::profileDataRow(100 + 30 * row, 1e18, -9999);
    }
    blocks.push_back(b);
  }
  return testing_support::profileFileText(blocks);
}

TEST(PlotgenProgram, RealGnuplotCurtainDrawsNegativeCellsAtTheirOwnAltitudes) {
  // A negative value is drawn as 0 at its own altitude: the curtain differs
  // from the one without negative cells only in the rows of those altitudes,
  // not in bands down to the ground.
  TempDir dir;
  JpegSize images[2];
  for (int withNegatives = 0; withNegatives < 2; ++withNegatives) {
    std::string folder = dir.path() + "/curtain" + std::to_string(withNegatives);
    std::filesystem::create_directories(folder);
    std::string data = folder + "/data.dat";
    ASSERT_TRUE(writeFile(data, curtainSample(withNegatives == 1)));
    writeList(folder, {data});
    ASSERT_EQ(runProgram(folder, words("ANY 0 1 true false 0 1000 20000000000000 20200000000000 false 0 300 100 1300 "
                                       "false false false false 0 0")),
              1);
    images[withNegatives] = jpegSize(folder + "/curtain_plot.jpg", true);
    ASSERT_TRUE(images[withNegatives].ok) << logAfterStart(folder);
    ASSERT_EQ(images[withNegatives].width, 800u);
    ASSERT_EQ(images[withNegatives].height, 700u);
  }
  // Columns at the left, in the middle and at the right of the plot area.
  for (unsigned x : {100u, 400u, 650u}) {
    EXPECT_EQ(columnCounts(images[0], images[0], x).zeroRows, 0) << x;
    ColumnCounts counts = columnCounts(images[1], images[0], x);
    // The six altitudes of 0 (60 m in the middle, 60 m at the top of 1200 m)
    // show as 0 ppbv: about 50 pixel rows.
    EXPECT_GE(counts.zeroRows, 30) << x;
    // Elsewhere only the shaded edges of those two bands differ (about 40
    // rows); a band down to the ground would take hundreds.
    EXPECT_LT(counts.differingRows, counts.zeroRows + 60) << x;
  }
}

}  // namespace
