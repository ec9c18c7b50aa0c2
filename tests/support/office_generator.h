#ifndef QZ_TESTS_SUPPORT_OFFICE_GENERATOR_H_
#define QZ_TESTS_SUPPORT_OFFICE_GENERATOR_H_

#include <cstdint>
#include <string>

namespace qz::fixture {

/// How big a generated office is. `Scaled(1.0)` is a large office: 300
/// firms, ten of them with 5 000 ledger entries a month and the others with
/// 200, 50 staff with families in each firm (about 1.3 million entries, half
/// a gigabyte of ledger files). Smaller scales shrink the firm and entry
/// counts (never below one) and keep the per-firm file set, so that every
/// item of a firm's conversion still has something to carry.
struct OfficeSize {
  int firms = 300;
  int big_firms = 10;               ///< the first firms of the list
  int entries_per_month = 200;      ///< ledger entries of an ordinary firm
  int big_entries_per_month = 5000; ///< ledger entries of a big firm
  int staff = 50;                   ///< staff records of each firm
  int family_per_person = 2;        ///< family records of each staff person
  int wage_records = 10;            ///< 2019 wage records of each firm
  int repayments_per_month = 5;
  int dra_files = 2;                ///< DRA declarations of each firm

  static OfficeSize Scaled(double scale);
};

/// What a generated office holds.
struct OfficeTotals {
  int firms = 0;
  int64_t ledger_entries = 0;
  int64_t files = 0;
  int64_t bytes = 0;
};

/// Writes the old installation of an office into the directory `root` (an
/// OS path, made when missing; it must not hold an office already): the
/// firm list "SPISFIRM.DAT", the old program directory "#BIN980" with the
/// office-wide files, and one directory "F001", "F002", ... per firm with
/// its year marker, 2018 annual settings (December approved, no VAT
/// proportion, so no question is asked), "FIRMATXT.INI", staff, families,
/// contracts, PID-5 and PIT-28 persons, local bases, payroll settings,
/// the ledger entries and repayments of every month of 2019, wages, notes,
/// DRA declarations and the asset and mileage module files. Files are
/// written record by record. Throws std::runtime_error when a file cannot
/// be written.
OfficeTotals WriteOffice(const std::string& root, const OfficeSize& size);

/// The directory name of firm number `n` (1-based) of a generated office.
std::string OfficeFirmDir(int n);

}  // namespace qz::fixture

#endif  // QZ_TESTS_SUPPORT_OFFICE_GENERATOR_H_
