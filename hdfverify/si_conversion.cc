#include "hdfverify/si_conversion.h"

#include <array>

namespace hdfverify {
namespace {

struct UnitRow {
  const char* unit;
  const char* siConversion;
};

// Searched in this order; the first equal unit wins.
constexpr std::array<UnitRow, 43> kUnitTable = {{
    {"%", "0.0;0.01;1"},
    {"1", "0.0;1.0;1"},
    {"deg", "0.0;1.74533E-2;rad"},
    {"DU", "0.0;4.4614E-4;mol m-2"},
    {"h", "0.0;3600.0;s"},
    {"hPa", "0.0;1.0E2;kg m-1 s-2"},
    {"K", "0.0;1.0;K"},
    {"km", "0.0;1.0E3;m"},
    {"km-1", "0.0;1.0E-3;m-1"},
    {"km-2", "0.0;1.0E-6;m-2"},
    {"m", "0.0;1.0;m"},
    {"m-1", "0.0;1.0;m-1"},
    {"m-1 sr-1", "0.0;1.0;sr-1 m-1"},
    {"MJD2K", "0.0;86400.0;s"},
    {"Ymolec cm-2", "0.0;1.66054E4;mol m-2"},
    {"Zmolec cm-2", "0.0;1.66054E1;mol m-2"},
    {"Emolec cm-2", "0.0;1.66054E-2;mol m-2"},
    {"Pmolec cm-2", "0.0;1.66054E-5;mol m-2"},
    {"Tmolec cm-2", "0.0;1.66054E-8;mol m-2"},
    {"Gmolec cm-2", "0.0;1.66054E-11;mol m-2"},
    {"Mmolec cm-2", "0.0;1.66054E-14;mol m-2"},
    {"kmolec cm-2", "0.0;1.66054E-17;mol m-2"},
    {"molec cm-2", "0.0;1.66054E-20;mol m-2"},
    {"mmolec cm-2", "0.0;1.66054E-23;mol m-2"},
    {"umolec cm-2", "0.0;1.66054E-26;mol m-2"},
    {"nmolec cm-2", "0.0;1.66054E-29;mol m-2"},
    {"pmolec cm-2", "0.0;1.66054E-32;mol m-2"},
    {"fmolec cm-2", "0.0;1.66054E-35;mol m-2"},
    {"amolec cm-2", "0.0;1.66054E-38;mol m-2"},
    {"zmolec cm-2", "0.0;1.66054E-41;mol m-2"},
    {"ymolec cm-2", "0.0;1.66054E-44;mol m-2"},
    {"molec m-3", "0.0;1.66054E-24;mol m-3"},
    {"m s-1", "0.0;1.0;m s-1"},
    {"nm", "0.0;1.0E-9;m"},
    {"Np", "0.0;1.0;1"},
    {"ppmv", "0.0;1.0E-6;1"},
    {"ppbv", "0.0;1.0E-9;1"},
    {"pptv", "0.0;1.0E-12;1"},
    {"ppmv2", "0.0;1.0E-12;1"},
    {"ppbv2", "0.0;1.0E-18;1"},
    {"pptv2", "0.0;1.0E-24;1"},
    {"s", "0.0;1.0;s"},
    {"sr", "0.0;1.0;sr"},
}};

}  // namespace

std::string siConversionFor(std::string_view unit) {
  for (const UnitRow& row : kUnitTable) {
    if (unit == row.unit) return row.siConversion;
  }
  return " ";
}

}  // namespace hdfverify
