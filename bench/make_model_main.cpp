// kelvane-make-model: writes a large synthetic model for the benchmarks.
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <string_view>

#include "document/model_file_writer.h"
#include "synthetic_model.h"

namespace {

bool ReadNumber(std::string_view text, unsigned long long& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char* argv[]) {
  unsigned long long lineCount = 0;
  unsigned long long seed = 1;
  unsigned long long invertNextEvery = 0;
  if (argc < 2 || argc > 4 || !ReadNumber(argv[1], lineCount) || (argc >= 3 && !ReadNumber(argv[2], seed)) ||
      (argc == 4 && !ReadNumber(argv[3], invertNextEvery))) {
    std::fputs(
        "Usage: kelvane-make-model LINES [SEED [INVERTNEXT_EVERY]] > FILE\n"
        "Writes a synthetic LDraw model of LINES lines (CR LF) to standard output; with INVERTNEXT_EVERY = "
        "n,\n"
        "every n-th part line has a \"0 BFC INVERTNEXT\" line before it.\n",
        stderr);
    return 2;
  }
  const auto lines = kelvane::bench::MakeSyntheticModel(lineCount, seed, invertNextEvery);
  const std::string error =
      kelvane::document::WriteLinesToDescriptor(STDOUT_FILENO, kelvane::document::LineList(lines));
  if (!error.empty()) {
    std::fprintf(stderr, "kelvane-make-model: standard output: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
