#ifndef QZ_UI_UI_H_
#define QZ_UI_UI_H_

#include "platform/platform.h"

namespace qz {

/// The program-wide user-interface state and the screen/keyboard layer: the
/// colour set, the event reader, hint bars, windows, sound. One instance,
/// owned by the run's `Context`.
class Ui {
 public:
  explicit Ui(Platform& platform) : platform_(platform) {}
  Platform& platform() { return platform_; }

 private:
  Platform& platform_;
};

}  // namespace qz

#endif  // QZ_UI_UI_H_
