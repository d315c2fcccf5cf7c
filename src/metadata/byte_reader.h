// The one bounds-checked byte reader that every metadata parser reads through, with checked
// arithmetic for offsets and sizes taken from a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>

#include "platform/error.h"

namespace trimora::metadata {

// A structural fault in the data being parsed (an offset or count that does not fit).
class ParseError : public trimora::Error {
 public:
  explicit ParseError(const std::string& what)
      : trimora::Error(ErrorCode::kMetadataStructure, {what}) {}
};

// Throws a ParseError with the given text unless the condition holds.
inline void enforce(bool condition, const char* what) {
  if (!condition) throw ParseError(what);
}

// a + b, throwing a ParseError when the sum does not fit in 64 bits.
inline std::uint64_t CheckedAdd(std::uint64_t a, std::uint64_t b) {
  enforce(a <= std::numeric_limits<std::uint64_t>::max() - b, "offset overflow");
  return a + b;
}

// a * b, throwing a ParseError when the product does not fit in 64 bits.
inline std::uint64_t CheckedMul(std::uint64_t a, std::uint64_t b) {
  enforce(b == 0 || a <= std::numeric_limits<std::uint64_t>::max() / b, "size overflow");
  return a * b;
}

// Byte order of multi-byte numbers: Intel (least significant first) or Motorola.
enum class ByteOrder { Intel, Motorola };

// Reads numbers at 0-based indices of a byte span; every read outside the span throws.
class ByteReader {
 public:
  // Reads the given bytes (not copied: they must outlive the reader) in the given order.
  ByteReader(std::span<const std::uint8_t> bytes, ByteOrder order) : bytes_(bytes), order_(order) {}

  // The number of bytes.
  std::size_t size() const { return bytes_.size(); }
  // The byte order used for 16- and 32-bit numbers.
  ByteOrder order() const { return order_; }
  // All bytes.
  std::span<const std::uint8_t> all() const { return bytes_; }

  // True when count bytes starting at index lie inside the span.
  bool contains(std::uint64_t index, std::uint64_t count) const {
    return index <= bytes_.size() && count <= bytes_.size() - index;
  }

  // The byte at index.
  std::uint8_t u8(std::uint64_t index) const {
    enforce(contains(index, 1), "read outside the data");
    return bytes_[static_cast<std::size_t>(index)];
  }

  // The 16-bit number at index in the reader's byte order.
  std::uint16_t u16(std::uint64_t index) const {
    enforce(contains(index, 2), "read outside the data");
    const std::uint8_t* p = bytes_.data() + index;
    return order_ == ByteOrder::Intel ? static_cast<std::uint16_t>(p[0] | p[1] << 8)
                                      : static_cast<std::uint16_t>(p[0] << 8 | p[1]);
  }

  // The 32-bit number at index in the reader's byte order.
  std::uint32_t u32(std::uint64_t index) const {
    enforce(contains(index, 4), "read outside the data");
    const std::uint8_t* p = bytes_.data() + index;
    if (order_ == ByteOrder::Intel) {
      return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
             static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    }
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
  }

  // count bytes at index; throws unless all of them lie inside the span.
  std::span<const std::uint8_t> bytes(std::uint64_t index, std::uint64_t count) const {
    enforce(contains(index, count), "read outside the data");
    return bytes_.subspan(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
  }

  // The part of [index, index + count) that lies inside the span (possibly empty).
  std::span<const std::uint8_t> clipped(std::uint64_t index, std::uint64_t count) const {
    if (index >= bytes_.size()) return {};
    const std::uint64_t left = bytes_.size() - index;
    return bytes_.subspan(static_cast<std::size_t>(index),
                          static_cast<std::size_t>(count < left ? count : left));
  }

 private:
  std::span<const std::uint8_t> bytes_;
  ByteOrder order_;
};

// Writes a 16- or 32-bit number (width 2 or 4) at index of a byte buffer in the given order;
// throws a ParseError when it does not fit.
void WriteNumber(std::span<std::uint8_t> bytes, std::uint64_t index, int width, std::uint32_t value,
                 ByteOrder order);

}  // namespace trimora::metadata
