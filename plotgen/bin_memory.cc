#include "plotgen/bin_memory.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace plotgen {
namespace {

// Huge pages are 2 MiB on the usual machines; a block of several of them,
// aligned to that size, can be backed by them entirely.
constexpr size_t kHugePageSize = size_t{2} << 20;
constexpr size_t kBlockSize = 8 * kHugePageSize;

}  // namespace

BinPool::~BinPool() {
  for (void* block : blocks_) std::free(block);
}

void* BinPool::allocate(size_t bytes) {
  if (bytes > kBinPieceSize) return ::operator new(bytes);
  return take();
}

void BinPool::free(void* piece, size_t bytes) {
  if (bytes > kBinPieceSize) {
    ::operator delete(piece);
    return;
  }
  freed_ = ::new (piece) FreePiece{freed_};
}

void* BinPool::take() {
  if (freed_) {
    FreePiece* piece = freed_;
    freed_ = piece->next;
    return piece;
  }
  if (left_ < kBinPieceSize) {
    blocks_.reserve(blocks_.size() + 1);  // so that the new block is always kept
    void* block = std::aligned_alloc(kHugePageSize, kBlockSize);
    if (!block) throw std::bad_alloc();
    // Only a request: where the kernel does not allow huge pages on
    // request, the block is backed by ordinary pages.
    ::madvise(block, kBlockSize, MADV_HUGEPAGE);
    blocks_.push_back(block);
    next_ = static_cast<char*>(block);
    left_ = kBlockSize;
  }
  void* piece = next_;
  next_ += kBinPieceSize;
  left_ -= kBinPieceSize;
  return piece;
}

}  // namespace plotgen
