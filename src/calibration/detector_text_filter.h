// The characters a detector's name, serial number and description may not hold. Those fields name
// the detector's calibration files, so the characters that file names cannot carry are refused.
#pragma once

#include <string>
#include <string_view>

namespace mca {

class Operator;

// " # * / : < > ? \ |
bool isForbiddenDetectorCharacter(char c);

// `text` without the forbidden characters; beeps once when any was dropped. The Add dialog calls
// it on every edit of the three fields and again on "&Add", so pasted text is caught too.
std::string dropForbiddenDetectorCharacters(std::string_view text, Operator& op);

}  // namespace mca
