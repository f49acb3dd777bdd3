// A small RTF reader: groups, control words and symbols, \'hh and \u escapes, \par paragraphs.
#include "roi/rtf_report_reader.h"

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/text_encoding.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace mca {

namespace {

constexpr int kDefaultHalfPoints = 24;   // RTF's default size, 12 points
constexpr long long kMinHalfPoints = 2;
constexpr long long kMaxHalfPoints = 3276;
constexpr long long kParameterLimit = 1'000'000'000;

struct CharState {
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool skip = false;    // inside a destination whose text is not report text
    int unicodeSkip = 1;  // \ucN: fallback characters after each \u
};

constexpr std::array<std::string_view, 11> kSkippedDestinations{
    "fonttbl", "colortbl", "stylesheet", "info", "pict", "header", "footer", "object", "listtable", "themedata",
    "generator"};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One pass over the text, keeping the group stack and the paragraph being read.
class RtfReader {
public:
    explicit RtfReader(std::string_view in) : m_in(in) {}

    std::vector<ReportParagraph> read() {
        while (m_pos < m_in.size()) step();
        if (!m_text.empty()) finishParagraph();
        return std::move(m_paragraphs);
    }

private:
    void step() {
        const char c = m_in[m_pos++];
        if (c == '{') {
            m_stack.push_back(m_state);
        } else if (c == '}') {
            if (!m_stack.empty()) {
                m_state = m_stack.back();
                m_stack.pop_back();
            }
        } else if (c == '\\') {
            control();
        } else if (c != '\r' && c != '\n') {
            appendByte(c);
        }
    }

    void control() {
        if (m_pos >= m_in.size()) return;
        const char c = m_in[m_pos];
        if (isLetter(c)) {
            controlWord();
            return;
        }
        ++m_pos;
        switch (c) {
        case '\'': hexEscape(); break;
        case '*': m_state.skip = true; break;
        case '~': appendText(" "); break;
        case '\r':
        case '\n': finishParagraph(); break;
        case '\\':
        case '{':
        case '}': appendByte(c); break;
        default: break;   // \- \_ \| \: and unknown symbols carry no report text
        }
    }

    void hexEscape() {
        if (m_pos + 2 > m_in.size()) {
            m_pos = m_in.size();
            return;
        }
        const int hi = hexValue(m_in[m_pos]);
        const int lo = hexValue(m_in[m_pos + 1]);
        m_pos += 2;
        if (hi >= 0 && lo >= 0) appendByte(static_cast<char>(hi * 16 + lo));
    }

    void controlWord() {
        const std::size_t start = m_pos;
        while (m_pos < m_in.size() && isLetter(m_in[m_pos])) ++m_pos;
        const std::string_view word = m_in.substr(start, m_pos - start);
        const std::optional<long long> parameter = readParameter();
        if (m_pos < m_in.size() && m_in[m_pos] == ' ') ++m_pos;
        apply(word, parameter);
    }

    std::optional<long long> readParameter() {
        bool negative = false;
        if (m_pos < m_in.size() && m_in[m_pos] == '-') {
            negative = true;
            ++m_pos;
        }
        if (m_pos >= m_in.size() || !isDigit(m_in[m_pos])) return negative ? std::optional<long long>(0) : std::nullopt;
        long long value = 0;
        while (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
            value = std::min(kParameterLimit, value * 10 + (m_in[m_pos] - '0'));
            ++m_pos;
        }
        return negative ? -value : value;
    }

    void apply(std::string_view word, std::optional<long long> parameter) {
        if (std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), word) != kSkippedDestinations.end()) {
            m_state.skip = true;
        } else if (word == "par") {
            finishParagraph();
        } else if (word == "plain") {
            m_state.halfPoints = kDefaultHalfPoints;
            m_state.bold = false;
        } else if (word == "b") {
            m_state.bold = parameter.value_or(1) != 0;
        } else if (word == "fs" && parameter && *parameter > 0) {
            // Whole points from 1 to 1638, so every size read is one the writer can write.
            m_state.halfPoints = static_cast<int>(std::clamp<long long>(*parameter, kMinHalfPoints, kMaxHalfPoints));
        } else if (word == "tab") {
            appendText("\t");
        } else if (word == "line") {
            appendText("\n");
        } else if (word == "uc" && parameter) {
            m_state.unicodeSkip = static_cast<int>(std::clamp<long long>(*parameter, 0, 8));
        } else if (word == "u" && parameter) {
            unicodeCharacter(*parameter);
        }
    }

    void unicodeCharacter(long long code) {
        if (code < 0) code += 65536;
        appendText(utf8Of(static_cast<unsigned>(code)));
        // The fallback characters stand for the same character: skip them.
        for (int n = 0; n < m_state.unicodeSkip && m_pos < m_in.size(); ++n) {
            if (m_in[m_pos] == '\\' && m_pos + 1 < m_in.size() && m_in[m_pos + 1] == '\'') {
                m_pos = std::min(m_in.size(), m_pos + 4);
            } else if (m_in[m_pos] == '{' || m_in[m_pos] == '}' || m_in[m_pos] == '\\') {
                break;
            } else {
                ++m_pos;
            }
        }
    }

    static std::string utf8Of(unsigned code) {
        if (code == 0 || code > 0xFFFF || (code >= 0xD800 && code <= 0xDFFF)) return "?";
        std::string out;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
        return out;
    }

    void appendByte(char c) { appendText(cp1252ToUtf8(std::string_view(&c, 1))); }

    void appendText(const std::string& utf8) {
        if (m_state.skip) return;
        if (m_text.empty()) m_textStyle = styleNow();
        m_text += utf8;
    }

    ReportStyle styleNow() const { return ReportStyle{m_state.halfPoints / 2, m_state.bold}; }

    void finishParagraph() {
        if (m_state.skip) return;
        m_paragraphs.push_back(ReportParagraph{m_text, m_text.empty() ? styleNow() : m_textStyle});
        m_text.clear();
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    CharState m_state;
    std::vector<CharState> m_stack;
    std::string m_text;
    ReportStyle m_textStyle;
    std::vector<ReportParagraph> m_paragraphs;
};

}  // namespace

std::optional<std::vector<ReportParagraph>> parseRtfReport(std::string_view bytes) {
    const std::size_t start = bytes.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || bytes.substr(start, 5) != "{\\rtf") return std::nullopt;
    return RtfReader(bytes.substr(start)).read();
}

ReportBuilder loadReport(const std::filesystem::path& path) {
    const std::string bytes = readFileBytes(path);
    const auto paragraphs = parseRtfReport(bytes);
    if (!paragraphs) throw FileError(path.string() + " is not a rich-text report");
    ReportBuilder report;
    for (const ReportParagraph& p : *paragraphs) report.addParagraph(p.text, p.style);
    return report;
}

}  // namespace mca
