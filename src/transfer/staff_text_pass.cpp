#include "transfer/staff_text_pass.h"

#include "app/text_pass.h"

namespace qz {

namespace {
constexpr std::size_t kNameCodeBlockSize = 71;
}  // namespace

void PassTextField(Bytes rec, std::size_t off, std::size_t max) {
  PutText(rec, off, max, PassText(GetText(rec, off, max)), TextTail::Keep);
}

void PassTextFields(Bytes rec, std::initializer_list<TextField> fields, std::size_t base) {
  for (const TextField& f : fields) PassTextField(rec, base + f.off, f.max);
}

void CopyNameCodeBlock(Bytes out, ConstBytes in, std::size_t off) {
  field_detail::Check(out.size(), off, kNameCodeBlockSize);
  field_detail::Check(in.size(), off, kNameCodeBlockSize);
  CopyNameCode(out.subspan(off, kNameCodeBlockSize), in.subspan(off, kNameCodeBlockSize));
}

}  // namespace qz
