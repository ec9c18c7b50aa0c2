#ifndef QZ_UI_COMMANDS_H_
#define QZ_UI_COMMANDS_H_

#include <cstdint>

namespace qz {

/// 16-bit commands carried by page events.
namespace cmd {
inline constexpr uint16_t kNone = 0;
inline constexpr uint16_t kYes = 0xDD01;     ///< `CmdYes`
inline constexpr uint16_t kNo = 0xDD02;      ///< `CmdNo`
inline constexpr uint16_t kOk = 0xDD03;      ///< `CmdOk`
inline constexpr uint16_t kCancel = 0xDD04;  ///< `CmdCancel`
inline constexpr uint16_t kNext = 0x1001;    ///< `CmdNext`
inline constexpr uint16_t kBack = 0x1002;    ///< `CmdBack`
inline constexpr uint16_t kStart = 0x1003;   ///< `CmdStart`
}  // namespace cmd

}  // namespace qz

#endif  // QZ_UI_COMMANDS_H_
