// Live heap bytes and their peak, counted through glibc's malloc_usable_size by replacing the
// global allocation functions. A program includes this in one of its source files only: the
// replacements are definitions, and the language forbids declaring them inline.
#pragma once

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace zr4 {

inline std::size_t liveBytes = 0;
inline std::size_t peakBytes = 0;

inline void* Counted(void* block) {
  if (block == nullptr) throw std::bad_alloc();
  liveBytes += malloc_usable_size(block);
  peakBytes = std::max(peakBytes, liveBytes);
  return block;
}

inline void Uncounted(void* block) noexcept {
  if (block == nullptr) return;
  liveBytes -= malloc_usable_size(block);
  std::free(block);
}

}  // namespace zr4

void* operator new(std::size_t size) {
  return zr4::Counted(std::malloc(size));
}
void* operator new[](std::size_t size) {
  return zr4::Counted(std::malloc(size));
}
void operator delete(void* block) noexcept {
  zr4::Uncounted(block);
}
void operator delete[](void* block) noexcept {
  zr4::Uncounted(block);
}
void operator delete(void* block, std::size_t) noexcept {
  zr4::Uncounted(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  zr4::Uncounted(block);
}
