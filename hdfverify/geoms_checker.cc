#include "hdfverify/geoms_checker.h"

namespace hdfverify {

GeomsChecker::GeomsChecker()
    : varAttributeNames{"VAR_NAME",      "VAR_UNITS",         "VAR_SIZE",      "VAR_DEPEND",    "VAR_DESCRIPTION",
                        "VAR_DATA_TYPE", "VAR_SI_CONVERSION", "VAR_VALID_MIN", "VAR_VALID_MAX", "VAR_FILL_VALUE"} {}

}  // namespace hdfverify
