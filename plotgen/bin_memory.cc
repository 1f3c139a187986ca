#include "plotgen/bin_memory.h"

#include <sys/mman.h>

#include <cstdlib>
#include <limits>
#include <new>
#include <vector>

namespace plotgen {
namespace {

// Huge pages are 2 MiB on the usual machines; a block of several of them,
// aligned to that size, can be backed by them entirely.
constexpr size_t kHugePageSize = size_t{2} << 20;
constexpr size_t kBlockSize = 8 * kHugePageSize;

struct FreePiece {
  FreePiece* next;
};

// The blocks and the pieces handed back. The blocks live as long as the
// process (the pool is never destroyed, so that no bin can outlive it).
struct BinPool {
  std::vector<void*> blocks;
  char* next = nullptr;  // the unused rest of the newest block
  size_t left = 0;
  FreePiece* freed = nullptr;

  void* take() {
    if (freed) {
      FreePiece* piece = freed;
      freed = piece->next;
      return piece;
    }
    if (left < kBinPieceSize) {
      void* block = std::aligned_alloc(kHugePageSize, kBlockSize);
      if (!block) throw std::bad_alloc();
      // Only a request: where the kernel does not allow huge pages on
      // request, the block is backed by ordinary pages.
      ::madvise(block, kBlockSize, MADV_HUGEPAGE);
      blocks.push_back(block);
      next = static_cast<char*>(block);
      left = kBlockSize;
    }
    void* piece = next;
    next += kBinPieceSize;
    left -= kBinPieceSize;
    return piece;
  }

  void give(void* piece) {
    FreePiece* freePiece = ::new (piece) FreePiece{freed};
    freed = freePiece;
  }
};

BinPool& pool() {
  static BinPool* const instance = new BinPool;
  return *instance;
}

}  // namespace

void* allocateBinMemory(size_t bytes) {
  if (bytes > kBinPieceSize) return ::operator new(bytes);
  return pool().take();
}

void freeBinMemory(void* piece, size_t bytes) {
  if (bytes > kBinPieceSize) {
    ::operator delete(piece);
    return;
  }
  pool().give(piece);
}

}  // namespace plotgen
