#include "transfer/record_moves.h"

#include "app/text_pass.h"

namespace qz {

Text PassFieldText(const Text& text) { return PassText(text); }

void ApplyMoves(ConstBytes in, Bytes out, std::span<const FieldMove> moves, std::size_t in_base,
                std::size_t out_base) {
  for (const FieldMove& m : moves) {
    std::size_t src = in_base + m.src;
    std::size_t dst = out_base + m.dst;
    switch (m.kind) {
      case FieldMove::kBytes:
        CopyBytes(out, dst, in, src, m.size);
        break;
      case FieldMove::kText:
        PutText(out, dst, m.dst_max, GetText(in, src, m.size), TextTail::Zero);
        break;
      case FieldMove::kPass:
        PutText(out, dst, m.dst_max, PassFieldText(GetText(in, src, m.size)), TextTail::Zero);
        break;
      case FieldMove::kByte:
        PutU8(out, out_base + m.dst, static_cast<uint8_t>(m.src));
        break;
      case FieldMove::kWord:
        PutU16(out, out_base + m.dst, m.src);
        break;
    }
  }
}

void PassTextsInPlace(Bytes rec, std::span<const FieldMove> moves, std::size_t base) {
  for (const FieldMove& m : moves) {
    if (m.kind != FieldMove::kPass) continue;
    std::size_t off = base + m.src;
    PutText(rec, off, m.dst_max, PassFieldText(GetText(rec, off, m.size)), TextTail::Keep);
  }
}

}  // namespace qz
