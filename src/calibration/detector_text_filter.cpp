// Filtering of detector identity texts.
#include "calibration/detector_text_filter.h"

#include "core/operator.h"

#include <algorithm>

namespace mca {

namespace {

constexpr std::string_view kForbidden = "\"#*/:<>?\\|";

}  // namespace

// Every forbidden character is ASCII, and UTF-8 never uses ASCII bytes inside a multi-byte
// character, so a byte-wise filter leaves other characters whole.
bool isForbiddenDetectorCharacter(char c) { return kForbidden.find(c) != std::string_view::npos; }

std::string dropForbiddenDetectorCharacters(std::string_view text, Operator& op) {
    std::string kept;
    kept.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char c) { return !isForbiddenDetectorCharacter(c); });
    if (kept.size() != text.size()) op.beep();
    return kept;
}

}  // namespace mca
