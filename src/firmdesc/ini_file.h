#ifndef QZ_FIRMDESC_INI_FILE_H_
#define QZ_FIRMDESC_INI_FILE_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/file_system.h"
#include "text/text.h"

namespace qz {

/// A settings file of sections and key lines ("[SECTION]", "KEY=value"),
/// held in memory. Lines are trimmed of control characters and blanks at
/// both ends and empty ones dropped; lines before the first section belong
/// to a nameless head section; lines without "=" are kept as they are and
/// never match a key. Section names and keys match without regard to case
/// (Polish letters included). Opened for writing, the file's first byte is
/// locked until `Close`, which rewrites the file only when something changed.
class IniFile {
 public:
  /// Opens `path`. Reading: a missing file gives an empty one. Writing: an
  /// existing file is read, a missing one created, then its first byte is
  /// locked. Null when the file cannot be opened, read, created or locked.
  static std::unique_ptr<IniFile> Open(FileSystem& fs, const Text& path, bool for_writing);
  /// Releases the lock and closes the file if `Close` was not called.
  ~IniFile();
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  /// The value of `key` in `section` (text after the first "="), or `def`.
  Text ReadString(TextView section, TextView key, TextView def) const;
  /// Sets `key` in `section`: replaces a key line whose value differs or
  /// appends one (creating the section at the end); marks the file modified.
  void WriteString(TextView section, TextView key, TextView value);

  /// A decimal number 0..65535; `def` for anything else (also "!").
  uint16_t ReadWord(TextView section, TextView key, uint16_t def) const;
  void WriteWord(TextView section, TextView key, uint16_t value);
  /// The value's first character; a blank for an empty value.
  uint8_t ReadChar(TextView section, TextView key, uint8_t def) const;
  /// Writes one character; the zero character is written as a blank.
  void WriteChar(TextView section, TextView key, uint8_t value);
  /// "TAK" = yes, "NIE" = no (any case), `def` for anything else.
  bool ReadYesNo(TextView section, TextView key, bool def) const;
  void WriteYesNo(TextView section, TextView key, bool value);

  /// Writing: rewrites the file when modified, unlocks and closes it.
  /// Returns the first DOS error met (0 when all went well).
  int Close();

  bool modified() const { return modified_; }
  /// The file as it would be written now (lines ending with CR LF).
  Text Render() const;

 private:
  struct Section {
    bool head = false;
    Text name;
    std::vector<Text> lines;
  };
  IniFile(std::unique_ptr<File> file, bool for_writing);
  int ReadLines(File& file);
  const Section* FindSection(TextView name) const;
  static int FindKey(const Section& section, TextView key);

  std::unique_ptr<File> file_;
  bool for_writing_;
  bool modified_ = false;
  bool locked_ = false;
  std::vector<Section> sections_;
};

}  // namespace qz

#endif  // QZ_FIRMDESC_INI_FILE_H_
