#include "hdfverify/geoms_checker.h"

#include <algorithm>

namespace hdfverify {

std::vector<size_t> listedDimensions(const Variable& variable) {
  std::vector<size_t> listed = {0};
  const size_t rank = static_cast<size_t>(std::clamp(variable.rank, 1, kMaxRank));
  for (size_t d = 1; d < rank; ++d) {
    if (variable.dims[d] != 1) listed.push_back(d);
  }
  return listed;
}

GeomsChecker::GeomsChecker()
    : varAttributeNames{"VAR_NAME",      "VAR_UNITS",         "VAR_SIZE",      "VAR_DEPEND",    "VAR_DESCRIPTION",
                        "VAR_DATA_TYPE", "VAR_SI_CONVERSION", "VAR_VALID_MIN", "VAR_VALID_MAX", "VAR_FILL_VALUE"} {}

}  // namespace hdfverify
