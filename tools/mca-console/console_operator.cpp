// The operator at a terminal.
#include "console_operator.h"

#include "core/number_text.h"

#include <cctype>
#include <ostream>
#include <string>

namespace mca::console {

namespace {

// The title and the text, with the CR some texts carry as a line break shown as one.
void printBox(std::ostream& out, const std::string& title, const std::string& text) {
    std::string shown = text;
    for (char& c : shown) c = c == '\r' ? '\n' : c;
    out << "\n[" << (title.empty() ? "mca" : title) << "] " << shown << "\n";
}

}  // namespace

std::optional<std::string> ConsoleOperator::readLine() { return m_in.readLine(-1); }

void ConsoleOperator::message(const std::string& text, const std::string& title, MessageKind) {
    printBox(m_out, title, text);
}

Answer ConsoleOperator::question(const std::string& text, const std::string& title, const Buttons& buttons) {
    printBox(m_out, title, text);
    if (buttons.empty()) return Answer::Cancel;
    for (;;) {
        for (Answer b : buttons) m_out << " [" << answerCaption(b)[0] << "]" << (answerCaption(b) + 1);
        m_out << " ? " << std::flush;
        const auto line = readLine();
        if (!line) {
            m_out << answerCaption(buttons.front()) << "\n";
            return buttons.front();
        }
        const char first = static_cast<char>(std::toupper(static_cast<unsigned char>(line->empty() ? ' ' : (*line)[0])));
        for (Answer b : buttons) {
            if (answerCaption(b)[0] == first) return b;
        }
    }
}

std::optional<std::string> ConsoleOperator::chooseOpenFile(const FileChoice& choice) {
    return inputText(choice.title, "File (in " + choice.folder + "):", choice.fileName);
}

std::optional<std::string> ConsoleOperator::chooseSaveFile(const FileChoice& choice) {
    return inputText(choice.title, "Save as (in " + choice.folder + "):", choice.fileName);
}

std::optional<std::string> ConsoleOperator::inputText(const std::string& title, const std::string& prompt,
                                                      const std::string& initial) {
    printBox(m_out, title, prompt + (initial.empty() ? "" : " [" + initial + "]"));
    m_out << "> " << std::flush;
    const auto line = readLine();
    if (!line) return std::nullopt;
    return line->empty() ? initial : *line;
}

std::optional<ColourRef> ConsoleOperator::chooseColour(ColourRef initial) {
    const auto text = inputText("Colour", "Colour reference (0x00BBGGRR, decimal)", std::to_string(initial));
    const auto n = text ? parseInteger(*text) : std::nullopt;
    if (!n || *n < 0 || *n > 0xFFFFFF) return std::nullopt;
    return static_cast<ColourRef>(*n);
}

void ConsoleOperator::beep() { m_out << '\a' << std::flush; }

}  // namespace mca::console
