// Exception types that carry text fit for the operator. The GUI and the console front catch them
// at the command boundary and show the text through Operator.
#pragma once

#include <stdexcept>
#include <string>

namespace mca {

// A file could not be read, written or replaced; the text names the file and the reason.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The start sequence cannot go on; the text is what the operator is shown before the process ends.
class StartupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace mca
