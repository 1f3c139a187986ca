// Damage done to the bytes of a GEOMS file by the robustness run and the
// identity check: bytes flipped, a run of bytes overwritten, the file cut.
#pragma once

#include <random>
#include <string>

namespace file_damage {

inline constexpr int kKindCount = 3;
inline constexpr const char* kKinds[kKindCount] = {"bytes flipped", "run overwritten", "truncated"};

// A copy of bytes (not empty) with one damage of the kind (0 to kKindCount - 1).
std::string damaged(const std::string& bytes, int kind, std::mt19937& random);

}  // namespace file_damage
