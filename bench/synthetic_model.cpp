#include "synthetic_model.h"

#include <array>
#include <string_view>

namespace kelvane::bench {
namespace {

// splitmix64: tiny, fast and the same everywhere (the standard distributions are not).
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  template <typename Container>
  const auto& Pick(const Container& choices) {
    return choices[Next() % choices.size()];
  }
  // A multiple of step in [-span, span].
  long Grid(long span, long step) {
    const long count = 2 * span / step + 1;
    return -span + static_cast<long>(Next() % static_cast<std::uint64_t>(count)) * step;
  }

 private:
  std::uint64_t state_;
};

constexpr std::array<std::string_view, 12> kColors{"0",  "1",  "4",  "7",  "14",  "15",
                                                   "19", "25", "71", "72", "320", "484"};
constexpr std::array<std::string_view, 12> kParts{"3001.dat",  "3003.dat",  "3004.dat",  "3010.dat",
                                                  "3020.dat",  "3023.dat",  "3040b.dat", "3068b.dat",
                                                  "3069b.dat", "3070b.dat", "30414.dat", "60481.dat"};
// The four quarter turns about the vertical axis.
constexpr std::array<std::string_view, 4> kRotations{"1 0 0 0 1 0 0 0 1", "0 0 1 0 1 0 -1 0 0",
                                                     "-1 0 0 0 1 0 0 0 -1", "0 0 -1 0 1 0 1 0 0"};
constexpr std::array<std::string_view, 4> kHeader{"0 Synthetic model", "0 Name: synthetic.ldr",
                                                  "0 Author: kelvane-make-model",
                                                  "0 !LDRAW_ORG Unofficial_Model"};
constexpr int kPartsPerStep = 50;
constexpr std::string_view kInvertNext = "0 BFC INVERTNEXT";

std::string PartLine(Random& random) {
  std::string line = "1 ";
  line.append(random.Pick(kColors)).push_back(' ');
  // Studs are 20 units apart and plates 8 high: a grid of 41 x 61 x 41 positions.
  line.append(std::to_string(random.Grid(400, 20))).push_back(' ');
  line.append(std::to_string(random.Grid(240, 8))).push_back(' ');
  line.append(std::to_string(random.Grid(400, 20))).push_back(' ');
  line.append(random.Pick(kRotations)).push_back(' ');
  line.append(random.Pick(kParts));
  return line;
}

}  // namespace

std::vector<std::string> MakeSyntheticModel(std::size_t lineCount, std::uint64_t seed,
                                            std::size_t invertNextEvery) {
  Random random(seed);
  std::vector<std::string> lines;
  lines.reserve(lineCount);
  for (std::size_t i = 0; i < kHeader.size() && lines.size() < lineCount; ++i) {
    lines.emplace_back(kHeader[i]);
  }
  int partsInStep = 0;
  std::size_t parts = 0;
  while (lines.size() < lineCount) {
    if (partsInStep == kPartsPerStep) {
      lines.emplace_back("0 STEP");
      partsInStep = 0;
    } else if (invertNextEvery != 0 && parts % invertNextEvery == 0 && lines.size() + 1 < lineCount &&
               (lines.empty() || lines.back() != kInvertNext)) {
      lines.emplace_back(kInvertNext);
    } else {
      lines.push_back(PartLine(random));
      ++partsInStep;
      ++parts;
    }
  }
  return lines;
}

}  // namespace kelvane::bench
