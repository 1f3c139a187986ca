// GEOMS data type names and the HDF4 number types they stand for.
#pragma once

#include <string>
#include <string_view>

namespace hdfverify {

// HDF4 number types the verifier knows by number (kept here so that files which
// do not include the HDF4 headers can name them).
constexpr int kNumberTypeChar8 = 4;
constexpr int kNumberTypeFloat32 = 5;
constexpr int kNumberTypeFloat64 = 6;
constexpr int kNumberTypeUint8 = 21;
constexpr int kNumberTypeInt16 = 22;
constexpr int kNumberTypeInt32 = 24;

// HDF4 number type of a GEOMS type name (exact, capitals); -1 for any other text.
int geomsTypeToHdf(std::string_view typeName);

// GEOMS type name of an HDF4 number type; "UNKNOWN_GEOMS_TYPE" for any other number.
std::string hdfTypeToGeoms(int numberType);

}  // namespace hdfverify
