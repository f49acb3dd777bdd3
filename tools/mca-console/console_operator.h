// The operator at a terminal: messages are printed, questions and choices read a line from
// standard input. At the end of input every question takes its first button, so a piped or
// unattended run never waits for an answer that cannot come.
#pragma once

#include "core/operator.h"

#include "line_input.h"

#include <iosfwd>

namespace mca::console {

class ConsoleOperator : public Operator {
public:
    ConsoleOperator(LineInput& in, std::ostream& out) : m_in(in), m_out(out) {}

    void message(const std::string& text, const std::string& title, MessageKind kind) override;
    Answer question(const std::string& text, const std::string& title, const Buttons& buttons) override;
    std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
    std::optional<std::string> inputText(const std::string& title, const std::string& prompt,
                                         const std::string& initial) override;
    std::optional<ColourRef> chooseColour(ColourRef initial) override;
    void beep() override;

private:
    std::optional<std::string> readLine();
    LineInput& m_in;
    std::ostream& m_out;
};

}  // namespace mca::console
