// The altitude bins of one run: the values per 100 m altitude bin that the
// median file is made of.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>

#include "plotgen/bin_memory.h"

namespace plotgen {

// The values of one bin. It grows in chunks, without moving the values it
// already holds, taken from the blocks of its table's pool.
using BinValues = std::deque<double, BinAllocator<double>>;

// The bins by index; only bins that received a value exist, so wide altitude
// limits cost nothing. The table owns the memory of its bins.
class AltitudeBinTable {
 public:
  AltitudeBinTable() = default;
  AltitudeBinTable(const AltitudeBinTable&) = delete;
  AltitudeBinTable& operator=(const AltitudeBinTable&) = delete;

  // The values of bin `index`; an empty bin is made when it has none yet.
  BinValues& operator[](int64_t index) {
    return bins_.try_emplace(index, BinAllocator<double>(&pool_)).first->second;
  }
  // The bins that exist, in index order.
  const std::map<int64_t, BinValues>& byIndex() const { return bins_; }
  size_t size() const { return bins_.size(); }

 private:
  BinPool pool_;  // declared first: it ends after the bins
  std::map<int64_t, BinValues> bins_;
};

}  // namespace plotgen
