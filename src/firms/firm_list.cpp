#include "firms/firm_list.h"

#include <algorithm>

#include "app/context.h"
#include "text/format.h"
#include "text/polish.h"

namespace qz {

Text FirmListKey(ConstBytes rec) {
  return PadRight(firm_list::kNameMax, FirmName(rec)) + ' ' +
         PadRight(firm_list::kDirMax, FirmDir(rec)) + ' ' +
         PadRight(firm_list::kInfoMax, FirmInfo(rec));
}

FirmListFile::FirmListFile(Context& ctx, const Text& name)
    : SharedFile(ctx, name, firm_list::kRecordSize) {
  for (int c = 0; c < 256; ++c) {
    weight_[static_cast<std::size_t>(c)] = CollationWeight(UpCasePL(static_cast<uint8_t>(c)));
  }
}

int16_t FirmListFile::Compare(ConstBytes existing, ConstBytes added) {
  struct Field {
    std::size_t off, max;
  };
  // The key's fields, each padded with blanks; the blanks between them are
  // the same in every key.
  static constexpr Field kFields[] = {{firm_list::kNameOff, firm_list::kNameMax},
                                      {firm_list::kDirOff, firm_list::kDirMax},
                                      {firm_list::kInfoOff, firm_list::kInfoMax}};
  for (const Field& f : kFields) {
    std::size_t na = std::min<std::size_t>(existing[f.off], f.max);
    std::size_t nb = std::min<std::size_t>(added[f.off], f.max);
    for (std::size_t i = 0; i < f.max; ++i) {
      uint8_t a = i < na ? existing[f.off + 1 + i] : ' ';
      uint8_t b = i < nb ? added[f.off + 1 + i] : ' ';
      if (a == b) continue;
      uint8_t wa = weight_[a];
      uint8_t wb = weight_[b];
      if (wa != wb) return wa < wb ? 1 : -1;
    }
  }
  return 0;
}

Text FirmListSwitch(const ProcessInfo& process) {
  static constexpr TextView kName = "KPRSPIS:";
  for (std::size_t i = 1; i < process.args.size(); ++i) {
    TextView arg = process.args[i];
    if (!arg.empty() && (arg[0] == '/' || arg[0] == '-')) arg.remove_prefix(1);
    if (arg.size() >= kName.size() && UpperPL(arg.substr(0, kName.size())) == kName) {
      return Text(arg.substr(kName.size()));
    }
  }
  return Text();
}

void SetFirmListName(Context& ctx) {
  Text name = FirmListSwitch(ctx.process);
  if (name.empty()) name = ctx.process.GetEnv("KPRSPIS");
  if (!name.empty()) ctx.firms.list_name = name.substr(0, firm_list::kMaxListName);
}

bool IsPlainDirName(TextView dir) {
  if (dir.empty() || dir == "." || dir == "..") return false;
  return dir.find_first_of("/\\:") == TextView::npos;
}

}  // namespace qz
