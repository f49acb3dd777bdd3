// The detector dialogs at the terminal: the list is printed and the operator types a number;
// adding a detector asks for its name, serial number and high voltage and takes the rest from the
// detector it is based on.
#pragma once

#include "app/front_end.h"

#include <iosfwd>

namespace mca {
class Operator;
}

namespace mca::console {

class ConsoleFrontEnd : public FrontEnd {
public:
    ConsoleFrontEnd(Operator& op, std::ostream& out) : m_op(op), m_out(out) {}
    SelectDialogEnd runDetectorSelect(DetectorSelectDialog& dialog) override;
    void runDetectorAdd(DetectorAddDialog& dialog) override;
    void showDoneWindow() override;

private:
    Operator& m_op;
    std::ostream& m_out;
};

}  // namespace mca::console
