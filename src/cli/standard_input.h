#pragma once

#include "document/model_file_reader.h"

namespace kelvane::cli {

// Reads a model from standard input, whatever it is (a pipe, a terminal, a redirected file), with
// the same line rules as a model file. The status is kLoaded, or kUnreadable with the reason.
document::ReadResult ReadStandardInput();

}  // namespace kelvane::cli
