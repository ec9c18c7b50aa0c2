#include "support/test_env.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "text/cp852.h"

namespace qz {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string tmpl = (fs::temp_directory_path() / "qz-test-XXXXXX").string();
  if (mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("cannot make a temporary directory");
  native_ = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(native_, ec);
}

Text TempDir::path() const { return Utf8ToCp852(native_) + kPathSep; }

TestEnv::TestEnv() {
  process.args = {"/opt/qz/qz18-19"};
  process.program_path = "/opt/qz/qz18-19";
}

Text TestEnv::Path(const Text& relative) const { return dir.path() + relative; }

void TestEnv::WriteFile(const std::string& relative, const std::string& bytes) const {
  fs::path p = fs::path(dir.native()) / relative;
  fs::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + p.string());
}

std::string TestEnv::ReadFile(const std::string& relative) const {
  fs::path p = fs::path(dir.native()) / relative;
  std::ifstream in(p, std::ios::binary);
  if (!in) throw std::runtime_error("missing file " + p.string());
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool TestEnv::Exists(const std::string& relative) const {
  return fs::exists(fs::path(dir.native()) / relative);
}

}  // namespace qz
