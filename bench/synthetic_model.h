#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kelvane::bench {

// A model of exactly lineCount lines shaped like a large real one: a short header, then part lines
// of the usual 15 fields (about 47 bytes each) with a "0 STEP" line after every 50 parts. Colors,
// parts, rotations and coordinates are drawn from small sets, so that the sort meets many equal keys
// on every axis, as it does in real models built on a grid. The same seed always gives the same
// lines, on every platform. With invertNextEvery = n > 0, every n-th part line has a "0 BFC
// INVERTNEXT" line before it, which the sort moves along with that part.
std::vector<std::string> MakeSyntheticModel(std::size_t lineCount, std::uint64_t seed,
                                            std::size_t invertNextEvery = 0);

}  // namespace kelvane::bench
