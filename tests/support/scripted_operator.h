// An operator for tests: answers come from a queue, and every text shown is kept so the exact
// wording can be checked.
#pragma once

#include "core/operator.h"

#include <deque>
#include <string>
#include <vector>

namespace mca::testing {

class ScriptedOperator : public Operator {
public:
    struct Shown {
        enum class Kind { Message, Question, OpenFile, SaveFile, Input, Colour, Beep } kind;
        std::string text;
        std::string title;
    };

    void message(const std::string& text, const std::string& title, MessageKind kind) override;
    Answer question(const std::string& text, const std::string& title, const Buttons& buttons) override;
    std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
    std::optional<std::string> inputText(const std::string& title, const std::string& prompt,
                                         const std::string& initial) override;
    std::optional<ColourRef> chooseColour(ColourRef initial) override;
    void beep() override;

    // Queued answers; a question with an empty queue gets its last button (as closing the box).
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> fileChoices;
    std::deque<std::optional<std::string>> textInputs;
    std::deque<std::optional<ColourRef>> colours;

    const std::vector<Shown>& transcript() const { return m_transcript; }
    // The texts of messages only, in order.
    std::vector<std::string> messages() const;
    // The texts of questions only, in order.
    std::vector<std::string> questions() const;
    int beeps() const;

private:
    std::vector<Shown> m_transcript;
};

}  // namespace mca::testing
