#include "app/text_pass.h"

namespace qz {

Text PassText(TextView text) { return Text(text); }

void CopyNameCode(Bytes target, ConstBytes source) {
  PutText(target, 0, 65, PassText(GetText(source, 0, 65)));
  PutText(target, 66, 4, GetText(source, 66, 4));
}

void NoBlockConversion(std::size_t /*count*/, Bytes /*buffer*/) {}

}  // namespace qz
