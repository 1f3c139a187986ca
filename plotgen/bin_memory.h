// Memory for the values of the altitude bins. A run keeps one value per kept
// data line until the median file is written, millions of them for a long
// list of files. Taken piece by piece from the heap, that memory costs one
// page fault per 4 KiB page; here the pieces come from large blocks that the
// kernel may back with huge pages, so the same values cost a few hundred
// times fewer faults.
#pragma once

#include <cstddef>

namespace plotgen {

// Pieces of at most kBinPieceSize bytes come from the blocks (a freed piece is
// used again); larger ones from operator new.
inline constexpr size_t kBinPieceSize = 512;
void* allocateBinMemory(size_t bytes);
void freeBinMemory(void* piece, size_t bytes);

// The allocator of the bins' containers: stateless, all bins share the blocks.
template <class T>
struct BinAllocator {
  using value_type = T;
  BinAllocator() = default;
  template <class U>
  BinAllocator(const BinAllocator<U>&) {}
  T* allocate(size_t n) { return static_cast<T*>(allocateBinMemory(n * sizeof(T))); }
  void deallocate(T* piece, size_t n) { freeBinMemory(piece, n * sizeof(T)); }
  template <class U>
  bool operator==(const BinAllocator<U>&) const {
    return true;
  }
};

}  // namespace plotgen
