// The scripted operator of the tests.
#include "support/scripted_operator.h"

namespace mca::testing {

namespace {

template <typename T>
T takeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T v = std::move(queue.front());
    queue.pop_front();
    return v;
}

}  // namespace

void ScriptedOperator::message(const std::string& text, const std::string& title, MessageKind) {
    m_transcript.push_back({Shown::Kind::Message, text, title});
}

Answer ScriptedOperator::question(const std::string& text, const std::string& title, const Buttons& buttons) {
    m_transcript.push_back({Shown::Kind::Question, text, title});
    return takeFront(answers, buttons.empty() ? Answer::Cancel : buttons.back());
}

std::optional<std::string> ScriptedOperator::chooseOpenFile(const FileChoice& choice) {
    m_transcript.push_back({Shown::Kind::OpenFile, choice.folder, choice.title});
    return takeFront(fileChoices, std::optional<std::string>{});
}

std::optional<std::string> ScriptedOperator::chooseSaveFile(const FileChoice& choice) {
    m_transcript.push_back({Shown::Kind::SaveFile, choice.folder, choice.title});
    return takeFront(fileChoices, std::optional<std::string>{});
}

std::optional<std::string> ScriptedOperator::inputText(const std::string& title, const std::string& prompt,
                                                       const std::string&) {
    m_transcript.push_back({Shown::Kind::Input, prompt, title});
    return takeFront(textInputs, std::optional<std::string>{});
}

std::optional<ColourRef> ScriptedOperator::chooseColour(ColourRef) {
    m_transcript.push_back({Shown::Kind::Colour, {}, {}});
    return takeFront(colours, std::optional<ColourRef>{});
}

void ScriptedOperator::beep() { m_transcript.push_back({Shown::Kind::Beep, {}, {}}); }

std::vector<std::string> ScriptedOperator::messages() const {
    std::vector<std::string> out;
    for (const auto& s : m_transcript) {
        if (s.kind == Shown::Kind::Message) out.push_back(s.text);
    }
    return out;
}

std::vector<std::string> ScriptedOperator::questions() const {
    std::vector<std::string> out;
    for (const auto& s : m_transcript) {
        if (s.kind == Shown::Kind::Question) out.push_back(s.text);
    }
    return out;
}

int ScriptedOperator::beeps() const {
    int n = 0;
    for (const auto& s : m_transcript) n += s.kind == Shown::Kind::Beep ? 1 : 0;
    return n;
}

}  // namespace mca::testing
