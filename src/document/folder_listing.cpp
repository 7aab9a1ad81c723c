#include "document/folder_listing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "text/ascii_case.h"

namespace kelvane::document {

bool NameLessIgnoringCase(const std::string& a, const std::string& b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(text::LowerAscii(a[i]));
    const auto y = static_cast<unsigned char>(text::LowerAscii(b[i]));
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;  // equal but for case: byte order keeps the listing stable
}

FolderListing ListDatFiles(const std::string& folder) {
  namespace fs = std::filesystem;
  FolderListing listing;
  std::error_code error;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), error);
  if (error) return listing;
  listing.folderFound = true;
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;  // follows links: a link to a model file is listed
    std::string name = it->path().filename().string();
    // Hidden files (editor backups, lock files) are no models to offer.
    if (name.front() == '.') continue;
    if (text::EndsWithIgnoringAsciiCase(name, ".dat")) listing.names.push_back(std::move(name));
  }
  std::sort(listing.names.begin(), listing.names.end(), NameLessIgnoringCase);
  return listing;
}

}  // namespace kelvane::document
