#ifndef QZ_TESTS_SUPPORT_DEMO_OFFICE_H_
#define QZ_TESTS_SUPPORT_DEMO_OFFICE_H_

#include <string>
#include <vector>

#include "support/fixture.h"

namespace qz::demo {

/// One record of a firm list file: name, directory and information text
/// (UTF-8, stored as CP852); the bytes after them are blank.
std::string FirmListRecord(const std::string& name, const std::string& dir,
                           const std::string& info);

/// Writes files below a root directory of the native file system.
class OfficeWriter {
 public:
  explicit OfficeWriter(std::string root) : root_(std::move(root)) {}
  /// Writes `relative` (parents made) with exactly `bytes`.
  void Write(const std::string& relative, const std::string& bytes) const;
  void WriteRecords(const std::string& relative, const std::vector<fixture::Record>& records) const;
  void MakeDir(const std::string& relative) const;
  const std::string& root() const { return root_; }

 private:
  std::string root_;
};

/// The office-wide files of an old program directory ("#BIN980" below
/// `old_root`, relative to the writer): address and tax office bases,
/// function-key texts, office data, configuration files, payroll settings,
/// colours, the operator file, ZUS and contract settings.
void WriteProgramDirectory(const OfficeWriter& w, const std::string& old_root);

/// A plain firm of the old installation below `old_root`: year marker, 2018
/// annual settings with December approved, the firm description and a few
/// bases; nothing that asks a question.
void WritePlainFirm(const OfficeWriter& w, const std::string& old_root, const std::string& dir,
                    const std::string& name);

/// A small office for whole-run tests: "RUR_2018/" with the program
/// directory and a firm list of five firms (three plain firms "ALFA",
/// "BETA", "GAMMA", one whose directory is missing, one already in the new
/// installation), and "RUR_2019/" holding only that firm's directory.
void WriteSmallOffice(const OfficeWriter& w);

/// The demonstration office: "RUR_2018/" with the program directory and a
/// firm list of six firms with everything the carry-over handles, and an
/// empty new installation "RUR_2019/" (apart from one firm already there).
void WriteDemoOffice(const OfficeWriter& w);

}  // namespace qz::demo

#endif  // QZ_TESTS_SUPPORT_DEMO_OFFICE_H_
