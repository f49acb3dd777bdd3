// The queue of scripted answers.
#include "script_answers.h"

namespace mca {

std::optional<std::string> ScriptAnswers::take() {
    if (m_answers.empty()) return std::nullopt;
    std::string answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer;
}

}  // namespace mca
