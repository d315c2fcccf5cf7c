// The private heap: blocks from the C heap with guard words, kept in a list for validation.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

#include "ornautil.h"

namespace {

constexpr std::uint32_t kHeadGuard = 0x4F524E48;  // "ORNH"
constexpr std::uint32_t kTailGuard = 0x4F524E54;  // "ORNT"

struct Block {
  std::uint32_t guard;
  std::size_t size;
  Block* previous;
  Block* next;
  // Aligns the data that follows as malloc would.
  alignas(std::max_align_t) unsigned char data[1];
};

constexpr std::size_t kDataOffset = offsetof(Block, data);

Block* BlockOf(void* data) {
  return reinterpret_cast<Block*>(static_cast<unsigned char*>(data) - kDataOffset);
}

bool TailIntact(const Block* block) {
  std::uint32_t tail = 0;
  std::memcpy(&tail, block->data + block->size, sizeof tail);
  return tail == kTailGuard;
}

}  // namespace

struct UtlHeap {
  std::mutex lock;
  Block* first = nullptr;
  std::size_t blocks = 0;
  std::size_t bytes = 0;
  std::size_t limit = 0;
};

extern "C" {

UtlHeap* UtlHeapCreate(void) { return new (std::nothrow) UtlHeap; }

void UtlHeapDestroy(UtlHeap* heap) {
  if (heap == nullptr) return;
  for (Block* block = heap->first; block != nullptr;) {
    Block* next = block->next;
    std::free(block);
    block = next;
  }
  delete heap;
}

void* UtlHeapAlloc(UtlHeap* heap, size_t size) {
  if (heap == nullptr || size > SIZE_MAX / 2) return nullptr;
  std::lock_guard guard(heap->lock);
  if (heap->limit != 0 && (size > heap->limit || heap->bytes > heap->limit - size)) {
    return nullptr;
  }
  auto* block = static_cast<Block*>(std::calloc(1, kDataOffset + size + sizeof(kTailGuard)));
  if (block == nullptr) return nullptr;
  block->guard = kHeadGuard;
  block->size = size;
  std::memcpy(block->data + size, &kTailGuard, sizeof kTailGuard);
  block->next = heap->first;
  if (heap->first != nullptr) heap->first->previous = block;
  heap->first = block;
  ++heap->blocks;
  heap->bytes += size;
  return block->data;
}

void UtlHeapFree(UtlHeap* heap, void* data) {
  if (heap == nullptr || data == nullptr) return;
  std::lock_guard guard(heap->lock);
  Block* target = BlockOf(data);
  // Only blocks of this heap are given back; anything else is left alone.
  Block* block = heap->first;
  while (block != nullptr && block != target) block = block->next;
  if (block == nullptr) return;
  if (block->previous != nullptr) block->previous->next = block->next;
  if (block->next != nullptr) block->next->previous = block->previous;
  if (heap->first == block) heap->first = block->next;
  --heap->blocks;
  heap->bytes -= block->size;
  std::free(block);
}

int32_t UtlHeapValidate(UtlHeap* heap) {
  if (heap == nullptr) return 0;
  std::lock_guard guard(heap->lock);
  for (const Block* block = heap->first; block != nullptr; block = block->next) {
    if (block->guard != kHeadGuard || !TailIntact(block)) return 0;
  }
  return 1;
}

size_t UtlHeapBlockCount(UtlHeap* heap) {
  if (heap == nullptr) return 0;
  std::lock_guard guard(heap->lock);
  return heap->blocks;
}

void UtlHeapSetLimit(UtlHeap* heap, size_t bytes) {
  if (heap == nullptr) return;
  std::lock_guard guard(heap->lock);
  heap->limit = bytes;
}

}  // extern "C"
