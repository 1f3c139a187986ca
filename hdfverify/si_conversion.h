// The GEOMS unit table: the VAR_SI_CONVERSION text a unit must carry.
#pragma once

#include <string>
#include <string_view>

namespace hdfverify {

// Offset, factor to the SI base unit and that base unit, joined by ';', for a
// VAR_UNITS text compared whole and exactly; " " (one blank) for a unit the
// table does not hold.
std::string siConversionFor(std::string_view unit);

}  // namespace hdfverify
