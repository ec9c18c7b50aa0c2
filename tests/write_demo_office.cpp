// Writes the demonstration office: a fresh old installation RUR_2018 and an
// empty new installation RUR_2019 below the directory given, and the
// location file that points the program at them.
//
//   write_demo_office <demo directory> <location file>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/demo_office.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <demo directory> <location file>\n", argv[0]);
    return 2;
  }
  namespace fs = std::filesystem;
  fs::path root = fs::absolute(argv[1]);
  try {
    fs::remove_all(root);
    qz::demo::WriteDemoOffice(qz::demo::OfficeWriter(root.string()));
    std::ofstream pth(argv[2], std::ios::binary | std::ios::trunc);
    pth << "[PATHS]\r\n"
        << "RUR_2018=" << (root / "RUR_2018").string() << "\r\n"
        << "RUR_2019=" << (root / "RUR_2019").string() << "\r\n";
    if (!pth) throw std::runtime_error(std::string("cannot write ") + argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "write_demo_office: %s\n", e.what());
    return 1;
  }
  std::printf("Demo office written to %s\n", root.string().c_str());
  return 0;
}
