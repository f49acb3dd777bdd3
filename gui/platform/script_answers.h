// Answers a UI script queues for the operator prompts still to come, in order.
#pragma once

#include <deque>
#include <optional>
#include <string>

namespace mca {

class ScriptAnswers {
public:
    void push(std::string answer) { m_answers.push_back(std::move(answer)); }
    bool empty() const { return m_answers.empty(); }
    const std::string* front() const { return m_answers.empty() ? nullptr : &m_answers.front(); }
    std::optional<std::string> take();
    void clear() { m_answers.clear(); }

private:
    std::deque<std::string> m_answers;
};

}  // namespace mca
