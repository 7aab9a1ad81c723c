#pragma once

#include <string_view>

namespace kelvane::sorting {

// A line that ends a building step: its last four characters are "STEP" in any case ("0 STEP",
// "0 step", but also "0 // next step" and "0 ROTSTEP"; "0 STEP " with a trailing space is not one).
// Only ASCII letters fold case.
bool IsStepLine(std::string_view text);

// A line that starts or ends a model of a multi-model file: after any leading spaces or tabs, "0",
// then at least one space or tab, then the word FILE, NOFILE or !DATA in any case, ending the line or
// followed by a space or tab ("0 FILE main.ldr", "0 NOFILE", "0 !DATA logo.png"). Parts must never
// move from one model into another, so such a line always closes a section.
bool IsModelBoundaryLine(std::string_view text);

}  // namespace kelvane::sorting
