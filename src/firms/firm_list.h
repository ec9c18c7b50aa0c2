#ifndef QZ_FIRMS_FIRM_LIST_H_
#define QZ_FIRMS_FIRM_LIST_H_

#include <array>
#include <cstdint>

#include "sharedfile/shared_file.h"
#include "text/record_fields.h"
#include "text/text.h"

namespace qz {

struct Context;
struct ProcessInfo;

/// `FirmListRecord`: one firm of a firm list file, 103 bytes, no header.
namespace firm_list {
inline constexpr std::size_t kRecordSize = 103;
inline constexpr std::size_t kNameOff = 0;  ///< `FirmName`, text (31)
inline constexpr std::size_t kNameMax = 31;
inline constexpr std::size_t kDirOff = 32;  ///< `FirmDir`, text (8)
inline constexpr std::size_t kDirMax = 8;
inline constexpr std::size_t kInfoOff = 41;  ///< `FirmInfo`, text (25)
inline constexpr std::size_t kInfoMax = 25;
inline constexpr std::size_t kMaxListName = 12;
}  // namespace firm_list

using FirmListRecord = std::array<uint8_t, firm_list::kRecordSize>;

inline Text FirmName(ConstBytes rec) { return GetText(rec, firm_list::kNameOff, firm_list::kNameMax); }
inline Text FirmDir(ConstBytes rec) { return GetText(rec, firm_list::kDirOff, firm_list::kDirMax); }
inline Text FirmInfo(ConstBytes rec) { return GetText(rec, firm_list::kInfoOff, firm_list::kInfoMax); }

/// The sort key of a firm list record: `FirmName` padded to 31, a blank,
/// `FirmDir` padded to 8, a blank, `FirmInfo` padded to 25.
Text FirmListKey(ConstBytes rec);

/// The value of the switch "/kprspis:" (or "-kprspis:", any letter case)
/// among the arguments after the program's own path, empty when absent.
Text FirmListSwitch(const ProcessInfo& process);
/// Sets `ctx.firms.list_name` from the switch, else from the environment
/// variable "KPRSPIS", else leaves "SPISFIRM.DAT"; cut to 12 characters.
void SetFirmListName(Context& ctx);

/// A firm list file opened for shared use, kept in key order.
class FirmListFile : public SharedFile {
 public:
  FirmListFile(Context& ctx, const Text& name);
  Text KeyOf(ConstBytes rec) override { return FirmListKey(rec); }
  /// The order of the upper-cased keys, compared in place: an insertion
  /// into a long list compares the new firm with every firm after it.
  int16_t Compare(ConstBytes existing, ConstBytes added) override;

 private:
  std::array<uint8_t, 256> weight_;  ///< sort weight of each byte, upper-cased
};

/// A firm directory name read from a firm list that is safe to use as one
/// directory below a data root: not empty, not "." or "..", and without a
/// path separator ("/" or "\\") or drive colon.
bool IsPlainDirName(TextView dir);

}  // namespace qz

#endif  // QZ_FIRMS_FIRM_LIST_H_
