#pragma once
// A program with content in several rows, for the review screenshots, the
// tests and the benchmarks: text in several colours, a date item, and rows
// with different effects, speeds and times.

#include <string>
#include <string_view>

#include "model/SignProgram.h"

namespace lumitag::app {

// Rich text content of `text` in the colour 0x00BBGGRR at the model's height.
std::string SampleText(std::string_view text, int rows, std::uint32_t colour);

// Fills the first `filledRows` slots of `program` (bound to its work file)
// and saves it.
void WriteSampleProgram(SignProgram& program, int rows, int filledRows);

}  // namespace lumitag::app
