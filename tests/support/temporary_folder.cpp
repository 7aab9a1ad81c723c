#include "support/temporary_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kelvane::testing {

TemporaryFolder::TemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kelvane-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern + "/";
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  // Tests may have made parts of the tree read-only; give write access back before removing it.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                               ignored);
  std::filesystem::remove_all(path_, ignored);
}

void TemporaryFolder::Write(std::string_view name, std::string_view bytes) const {
  WriteFileBytes(File(name), bytes);
}

std::string TemporaryFolder::Read(std::string_view name) const { return ReadFileBytes(File(name)); }

bool TemporaryFolder::Exists(std::string_view name) const {
  std::error_code ignored;
  return std::filesystem::exists(File(name), ignored);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string TestDataPath(std::string_view name) {
  return std::string(KELVANE_TEST_DATA_DIR) + "/" + std::string(name);
}

}  // namespace kelvane::testing
