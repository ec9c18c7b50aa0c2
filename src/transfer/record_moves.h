#ifndef QZ_TRANSFER_RECORD_MOVES_H_
#define QZ_TRANSFER_RECORD_MOVES_H_

#include <cstddef>
#include <cstdint>
#include <span>

#include "text/record_fields.h"

namespace qz {

/// One field of a record layout table: what a converter carries from the
/// source record to the target record, or what a text pass touches in place.
struct FieldMove {
  enum Kind : uint8_t {
    kBytes,  ///< `size` bytes copied as they are
    kText,   ///< a text (length byte + characters) copied without a text pass
    kPass,   ///< a text carried through the text pass
    kByte,   ///< the constant `src` stored as one byte
    kWord,   ///< the constant `src` stored as a 16-bit word
  };
  Kind kind;
  uint16_t src;      ///< source offset (the value for kByte / kWord)
  uint16_t dst;      ///< target offset
  uint16_t size;     ///< kBytes: byte count; kText / kPass: source maximum
  uint16_t dst_max;  ///< kText / kPass: target maximum
};

/// Bytes [off, off + n) carried to the same offset.
constexpr FieldMove Same(uint16_t off, uint16_t n) { return {FieldMove::kBytes, off, off, n, 0}; }
/// `n` bytes from `src` carried to `dst`.
constexpr FieldMove Moved(uint16_t src, uint16_t dst, uint16_t n) {
  return {FieldMove::kBytes, src, dst, n, 0};
}
/// The text (max) at `off` through the text pass, same place.
constexpr FieldMove Pass(uint16_t off, uint16_t max) { return {FieldMove::kPass, off, off, max, max}; }
/// The text (max) at `off` copied as it is, same place.
constexpr FieldMove SameText(uint16_t off, uint16_t max) {
  return {FieldMove::kText, off, off, max, max};
}
/// The text (src_max) at `src` copied as it is into the text (dst_max) at `dst`.
constexpr FieldMove TextTo(uint16_t src, uint16_t src_max, uint16_t dst, uint16_t dst_max) {
  return {FieldMove::kText, src, dst, src_max, dst_max};
}
constexpr FieldMove ByteConst(uint16_t dst, uint8_t value) { return {FieldMove::kByte, value, dst, 1, 0}; }
constexpr FieldMove WordConst(uint16_t dst, uint16_t value) { return {FieldMove::kWord, value, dst, 2, 0}; }

/// The text pass of one text field: the text comes back as it is (the only
/// character standard offered keeps the previous year's) and is stored with
/// at most `max` characters, so an over-long stored length is cut.
Text PassFieldText(const Text& text);

/// Carries every move of `moves` from `in` to `out`; source offsets are
/// taken from `in_base`, target offsets from `out_base` (for repeated
/// blocks). Texts write only their length and characters.
void ApplyMoves(ConstBytes in, Bytes out, std::span<const FieldMove> moves,
                std::size_t in_base = 0, std::size_t out_base = 0);

/// Text pass in place of every kPass move of `moves` at `base`; the rest of
/// the record, and the bytes of a field after its new length, are left alone.
void PassTextsInPlace(Bytes rec, std::span<const FieldMove> moves, std::size_t base = 0);

}  // namespace qz

#endif  // QZ_TRANSFER_RECORD_MOVES_H_
