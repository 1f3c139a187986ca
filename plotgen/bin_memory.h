// Memory for the values of the altitude bins. A run keeps one value per kept
// data line until the median file is written, millions of them for a long
// list of files. Taken piece by piece from the heap, that memory costs one
// page fault per 4 KiB page; here the pieces come from large blocks that the
// kernel may back with huge pages, so the same values cost a few hundred
// times fewer faults.
#pragma once

#include <cstddef>
#include <vector>

namespace plotgen {

// Pieces of at most kBinPieceSize bytes come from the pool's blocks (a freed
// piece is used again); larger ones from operator new.
inline constexpr size_t kBinPieceSize = 512;

// The blocks of one run's bins and the pieces handed back. The blocks are
// released when the pool ends, so the pool must outlive every container that
// takes memory from it.
class BinPool {
 public:
  BinPool() = default;
  BinPool(const BinPool&) = delete;
  BinPool& operator=(const BinPool&) = delete;
  ~BinPool();

  void* allocate(size_t bytes);
  void free(void* piece, size_t bytes);

 private:
  struct FreePiece {
    FreePiece* next;
  };
  void* take();

  std::vector<void*> blocks_;
  char* next_ = nullptr;  // the unused rest of the newest block
  size_t left_ = 0;
  FreePiece* freed_ = nullptr;
};

// The allocator of the bins' containers: all containers of one pool share
// its blocks.
template <class T>
struct BinAllocator {
  using value_type = T;
  explicit BinAllocator(BinPool* binPool) : pool(binPool) {}
  template <class U>
  BinAllocator(const BinAllocator<U>& other) : pool(other.pool) {}
  T* allocate(size_t n) { return static_cast<T*>(pool->allocate(n * sizeof(T))); }
  void deallocate(T* piece, size_t n) { pool->free(piece, n * sizeof(T)); }
  template <class U>
  bool operator==(const BinAllocator<U>& other) const {
    return pool == other.pool;
  }

  BinPool* pool;
};

}  // namespace plotgen
