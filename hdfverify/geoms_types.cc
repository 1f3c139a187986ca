#include "hdfverify/geoms_types.h"

#include <array>

namespace hdfverify {
namespace {

struct GeomsType {
  const char* name;
  int numberType;
};

constexpr std::array<GeomsType, 6> kGeomsTypes = {{
    {"STRING", kNumberTypeChar8},
    {"REAL", kNumberTypeFloat32},
    {"DOUBLE", kNumberTypeFloat64},
    {"BYTE", kNumberTypeUint8},
    {"SHORT", kNumberTypeInt16},
    {"INTEGER", kNumberTypeInt32},
}};

}  // namespace

int geomsTypeToHdf(std::string_view typeName) {
  for (const GeomsType& t : kGeomsTypes) {
    if (typeName == t.name) return t.numberType;
  }
  return -1;
}

std::string hdfTypeToGeoms(int numberType) {
  for (const GeomsType& t : kGeomsTypes) {
    if (numberType == t.numberType) return t.name;
  }
  return "UNKNOWN_GEOMS_TYPE";
}

}  // namespace hdfverify
