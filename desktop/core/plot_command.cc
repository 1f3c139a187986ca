#include "desktop/core/plot_command.h"

#include "platform/text.h"

std::string fixedPlotCommandLine(bool isHdf) {
  return isHdf ? "Ombrel.exe ANY 0 1 true false 0 1000  20000000000000 20200000000000 false 0 300 100 12000 true true false false 0 0"
               : "Vantor.exe ANY 0 1 true false 0 1000  20000000000000 20200000000000 false 0 300 100 12000 true true false false 0 0";
}

namespace {

const char* boolText(bool value) { return value ? "true" : "false"; }

}  // namespace

std::string replotCommandLine(const ReplotArguments& a) {
  int xLower = platform::leadingLong(a.xMin);
  if (xLower < 0) xLower = 0;
  int xUpper = platform::leadingLong(a.xMax);
  int altLower = platform::leadingLong(a.yMin);
  if (altLower < 100) altLower = 100;
  int altUpper = platform::leadingLong(a.yMax);
  std::string exponent = a.numberDensity ? a.exponent : std::string();
  return platform::formatText("%s ANY 0 %d true true %d %d %s %s %s %d %d%s %d %d true %s %s %s %d %d",
                              a.isHdf ? "Ombrel.exe " : "Vantor.exe ", a.plotFileCount, a.startProfile,
                              a.endProfile, a.startTime.c_str(), a.endTime.c_str(), boolText(a.numberDensity),
                              xLower, xUpper, exponent.c_str(), altLower, altUpper, boolText(a.median),
                              boolText(a.quartiles), boolText(a.percentiles), a.hideCurtainGrid ? 1 : 0,
                              a.hideProfileGrid ? 1 : 0);
}

std::vector<std::string> splitCommandLine(const std::string& commandLine) {
  return platform::splitSkippingEmpty(commandLine, " ");
}
