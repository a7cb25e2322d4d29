// The forms runtime's continue mode: under it a failing step is skipped and
// the next one runs.
#pragma once

#include <exception>

namespace orvanth::forms {

// Runs one step of a routine under that rule.
template <typename Step>
void step(Step&& body) {
  try {
    body();
  } catch (const std::exception&) {  // NOLINT(bugprone-empty-catch): the rule itself
  }
}

}  // namespace orvanth::forms
