#include "copy/copy_support.h"

#include "app/context.h"

namespace qz {
namespace copy_detail {

void LogFailure(Context& ctx, const Text& message, bool wait) {
  ctx.log.SetColour(12);
  ctx.log.Line(message);
  ctx.log.SetColour(7);
  if (wait) ctx.log.WaitKey();
}

}  // namespace copy_detail
}  // namespace qz
