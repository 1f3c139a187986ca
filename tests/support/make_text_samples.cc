// Writes a sample PROFILE file (a day of hourly lidar profiles) and a sample
// SURFACE file into a folder, so that a new user has something to scan and plot.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/text.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

using namespace testing_support;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_text_samples <folder>\n");
    return 2;
  }
  std::string folder = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);

  std::vector<ProfileBlock> profiles;
  for (int hour = 0; hour < 24; ++hour) {
    ProfileBlock block;
    block.start = platform::formatText("2018-04-12, %02d:00:00", hour);
    block.end = platform::formatText("2018-04-12, %02d:59:59", hour);
    block.mean = platform::formatText("2018-04-12, %02d:30:00", hour);
    for (int i = 0; i < 200; ++i) {
      double altitude = 300.0 + 30.0 * i;
      double km = altitude / 1000.0;
      // A boundary layer that deepens during the day over a free-tropospheric background.
      double layerTop = 1.0 + 1.5 * std::sin(M_PI * hour / 24.0);
      double ppbv = 45.0 + 20.0 * std::exp(-std::pow((km - layerTop) / 0.5, 2)) + 2.0 * km;
      double airND = 2.5e25 * std::exp(-km / 8.0);
      block.dataRows.push_back(profileDataRow(altitude, ppbv * 1e-9 * airND, ppbv));
    }
    profiles.push_back(block);
  }
  std::string profilePath = folder + "/" + profileFileName();
  RecordBlock record;
  record.dataRows = recordDataRows(60);
  std::string surfacePath = folder + "/" + surfaceFileName();
  if (!writeFile(profilePath, profileFileText(profiles)) || !writeFile(surfacePath, surfaceFileText({record}))) {
    std::fprintf(stderr, "make_text_samples: cannot write into %s\n", folder.c_str());
    return 1;
  }
  std::printf("%s\n%s\n", profilePath.c_str(), surfacePath.c_str());
  return 0;
}
