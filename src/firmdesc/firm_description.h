#ifndef QZ_FIRMDESC_FIRM_DESCRIPTION_H_
#define QZ_FIRMDESC_FIRM_DESCRIPTION_H_

#include <cstdint>
#include <vector>

#include "text/format.h"
#include "text/text.h"

namespace qz {

struct Context;

/// How a key of the firm description file holds its value.
enum class FieldType : uint8_t {
  kText,   ///< the text, cut to the field's capacity
  kWord,   ///< decimal 0..65535
  kChar,   ///< one character
  kYesNo,  ///< "TAK" / "NIE"
  kDate,   ///< "DD-MM-YYYY", "-" for no date
  kWords,  ///< twelve "$XXXX" groups
};

/// One key of the firm description file.
struct FieldDef {
  Text section;
  Text key;
  FieldType type = FieldType::kText;
  uint8_t capacity = 0;  ///< characters of a text field
  uint16_t word_default = 0;
};

/// Every key the firm description carries, in the order they are
/// processed (and appended to a file that lacks them); the year-numbered
/// keys are named from the working year.
const std::vector<FieldDef>& FirmDescriptionKeys();

/// The value of one key.
struct FieldValue {
  Text text;  ///< text fields; the one character of a character field
  uint16_t word = 0;
  bool yes = false;
  Date date;
  Words12 words{};
};

/// `FirmDescription`: one value per key of `FirmDescriptionKeys`, same order.
struct FirmDescription {
  FirmDescription();
  std::vector<FieldValue> values;
  /// The value of `key` in `section` (exact names as in the key table);
  /// null when the table has no such key.
  FieldValue* Find(TextView section, TextView key);
};

/// Exchanges every key between `info` and the file at `path`: reads them
/// (missing keys take their defaults) or writes them. A file that cannot be
/// opened, created or locked shows the error box "Błąd odczytu danych
/// firmy" and ends the process (`ExitRequest{1}`); a failed rewrite is
/// reported in the progress log and the run goes on.
bool FirmDescriptionFile(Context& ctx, const Text& path, bool write, FirmDescription& info);

/// Carries the firm description file "FIRMATXT.INI" into the new year:
/// every known key is read from `source_file` (the old firm directory's file;
/// a missing file gives the defaults), PATH2018 is set to the firm's old
/// directory, and every known key is written into `target_file`, keeping the
/// target's own unknown lines. A target that cannot be opened, created or
/// locked shows an error box and ends the process (`ExitRequest{1}`).
void CarryFirmDescription(Context& ctx, const Text& source_file, const Text& target_file);

}  // namespace qz

#endif  // QZ_FIRMDESC_FIRM_DESCRIPTION_H_
