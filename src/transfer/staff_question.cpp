#include "transfer/staff_question.h"

#include "app/context.h"

namespace qz {

char AskStaffKey(Context& ctx, std::string_view answers) {
  for (;;) {
    auto c = static_cast<char>(ctx.log.WaitKey());
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != 0 && answers.find(c) != std::string_view::npos) return c;
  }
}

}  // namespace qz
