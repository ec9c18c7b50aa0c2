#ifndef QZ_TESTS_SUPPORT_OFFICE_RUN_H_
#define QZ_TESTS_SUPPORT_OFFICE_RUN_H_

#include <cstddef>
#include <string>

namespace qz::fixture {

/// The keys of an unattended whole run with every default: on the
/// locations page the source line is emptied (Ctrl+Y) and `old_root` typed
/// (the target comes from the command line), PgDn through the data pages,
/// F5 on the start page; F5 on the firm list (all firms ticked); Enter at
/// "Nacisnij Enter".
struct OfficeKeys {
  std::string wizard;      ///< key script up to the start of the run
  std::string firm_list;   ///< key script on the firm list page
  std::string last_key;    ///< key script at "Nacisnij Enter"
  std::string Whole() const { return wizard + " " + firm_list + " " + last_key; }
};
OfficeKeys OfficeKeyScript(const std::string& old_root);

/// What a headless whole run did.
struct OfficeRun {
  int exit_code = -1;
  bool finished = false;    ///< the program ended, having used every key
  std::size_t keys_left = 0;
  std::string error;        ///< why it did not finish (the screen follows)
  std::string screen;       ///< the last screen, UTF-8
};

/// Runs the whole program in this process on the real file system and a
/// headless console fed with `OfficeKeyScript`: `old_root` and `new_root`
/// are OS directories (the new one exists), `program_dir` a directory for
/// the program's own files (none are written there by these keys).
OfficeRun RunOfficeHeadless(const std::string& old_root, const std::string& new_root,
                            const std::string& program_dir);

}  // namespace qz::fixture

#endif  // QZ_TESTS_SUPPORT_OFFICE_RUN_H_
