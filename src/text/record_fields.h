#ifndef QZ_TEXT_RECORD_FIELDS_H_
#define QZ_TEXT_RECORD_FIELDS_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>

#include "text/text.h"

namespace qz {

/// A record of a data file as bytes; fields are read and written only through
/// the helpers below, which never touch bytes outside the buffer.
using Bytes = std::span<uint8_t>;
using ConstBytes = std::span<const uint8_t>;

namespace field_detail {
inline void Check(std::size_t size, std::size_t off, std::size_t n) {
  if (off > size || n > size - off) throw std::out_of_range("record field outside its record");
}
}  // namespace field_detail

/// Little-endian unsigned integer of `N` bytes at `off`.
template <typename T>
T GetLe(ConstBytes rec, std::size_t off) {
  field_detail::Check(rec.size(), off, sizeof(T));
  uint64_t v = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) v |= uint64_t{rec[off + i]} << (8 * i);
  return static_cast<T>(v);
}

template <typename T>
void PutLe(Bytes rec, std::size_t off, T value) {
  field_detail::Check(rec.size(), off, sizeof(T));
  uint64_t v = static_cast<uint64_t>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) rec[off + i] = static_cast<uint8_t>(v >> (8 * i));
}

inline uint8_t GetU8(ConstBytes r, std::size_t off) { return GetLe<uint8_t>(r, off); }
inline uint16_t GetU16(ConstBytes r, std::size_t off) { return GetLe<uint16_t>(r, off); }
inline int16_t GetI16(ConstBytes r, std::size_t off) { return GetLe<int16_t>(r, off); }
inline uint32_t GetU32(ConstBytes r, std::size_t off) { return GetLe<uint32_t>(r, off); }
inline int32_t GetI32(ConstBytes r, std::size_t off) { return GetLe<int32_t>(r, off); }
inline void PutU8(Bytes r, std::size_t off, uint8_t v) { PutLe<uint8_t>(r, off, v); }
inline void PutU16(Bytes r, std::size_t off, uint16_t v) { PutLe<uint16_t>(r, off, v); }
inline void PutI16(Bytes r, std::size_t off, int16_t v) { PutLe<int16_t>(r, off, v); }
inline void PutU32(Bytes r, std::size_t off, uint32_t v) { PutLe<uint32_t>(r, off, v); }
inline void PutI32(Bytes r, std::size_t off, int32_t v) { PutLe<int32_t>(r, off, v); }

/// 8-byte IEEE real (little-endian) at `off`.
inline double GetReal(ConstBytes rec, std::size_t off) {
  uint64_t bits = GetLe<uint64_t>(rec, off);
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

inline void PutReal(Bytes rec, std::size_t off, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutLe<uint64_t>(rec, off, bits);
}

/// The text field `text (max)` at `off`: a length byte and at most `max`
/// characters. A stored length above `max` (or reaching past the record) is
/// cut, so reading never leaves the field.
inline Text GetText(ConstBytes rec, std::size_t off, std::size_t max) {
  if (off >= rec.size()) throw std::out_of_range("record field outside its record");
  std::size_t n = rec[off];
  if (n > max) n = max;
  if (n > rec.size() - off - 1) n = rec.size() - off - 1;
  return Text(reinterpret_cast<const char*>(rec.data() + off + 1), n);
}

/// What `PutText` does with the bytes of the field after the text.
enum class TextTail { Keep, Zero };

/// Stores `text` cut to `max` characters in the field `text (max)` at `off`.
/// The bytes after the text keep their value or are zeroed, as `tail` says.
inline void PutText(Bytes rec, std::size_t off, std::size_t max, TextView text,
                    TextTail tail = TextTail::Keep) {
  field_detail::Check(rec.size(), off, max + 1);
  std::size_t n = text.size() < max ? text.size() : max;
  rec[off] = static_cast<uint8_t>(n);
  std::memcpy(rec.data() + off + 1, text.data(), n);
  if (tail == TextTail::Zero) std::memset(rec.data() + off + 1 + n, 0, max - n);
}

/// Copies `n` bytes from `src` at `srcOff` to `dst` at `dstOff`.
inline void CopyBytes(Bytes dst, std::size_t dstOff, ConstBytes src, std::size_t srcOff,
                      std::size_t n) {
  field_detail::Check(dst.size(), dstOff, n);
  field_detail::Check(src.size(), srcOff, n);
  std::memmove(dst.data() + dstOff, src.data() + srcOff, n);
}

/// Sets `n` bytes at `off` to `value`.
inline void FillBytes(Bytes rec, std::size_t off, std::size_t n, uint8_t value) {
  field_detail::Check(rec.size(), off, n);
  std::memset(rec.data() + off, value, n);
}

}  // namespace qz

#endif  // QZ_TEXT_RECORD_FIELDS_H_
