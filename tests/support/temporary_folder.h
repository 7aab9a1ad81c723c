#pragma once

#include <string>
#include <string_view>

namespace kelvane::testing {

// A fresh folder under the system's temporary folder, removed with everything in it at the end of
// the test. Path() ends with "/", ready to be used as a folder prefix.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + std::string(name); }

  void Write(std::string_view name, std::string_view bytes) const;
  std::string Read(std::string_view name) const;
  bool Exists(std::string_view name) const;

 private:
  std::string path_;
};

// The bytes of a file, or "" when it cannot be read.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::string_view bytes);

// A file of tests/data.
std::string TestDataPath(std::string_view name);

}  // namespace kelvane::testing
