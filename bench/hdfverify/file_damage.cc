#include "file_damage.h"

#include <algorithm>

namespace file_damage {

std::string damaged(const std::string& bytes, int kind, std::mt19937& random) {
  std::string copy = bytes;
  auto offset = [&](size_t size) { return std::uniform_int_distribution<size_t>(0, size - 1)(random); };
  if (kind == 0) {
    int flips = std::uniform_int_distribution<int>(1, 16)(random);
    for (int i = 0; i < flips; ++i) copy[offset(copy.size())] ^= static_cast<char>(1 << (random() % 8));
  } else if (kind == 1) {
    size_t at = offset(copy.size());
    size_t length = std::min(copy.size() - at, std::uniform_int_distribution<size_t>(1, 512)(random));
    int fill = static_cast<int>(random() % 3);  // zeros, 0xFF or random bytes
    for (size_t i = 0; i < length; ++i)
      copy[at + i] = static_cast<char>(fill == 0 ? 0 : fill == 1 ? 0xFF : random() % 256);
  } else {
    copy.resize(offset(copy.size()));
  }
  return copy;
}

}  // namespace file_damage
