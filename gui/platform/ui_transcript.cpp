// The transcript file of a scripted run.
#include "ui_transcript.h"

namespace mca {

UiTranscript::UiTranscript(const std::string& path) {
    if (!path.empty()) m_file.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
}

std::string UiTranscript::escape(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (char c : field) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default: out += c;
        }
    }
    return out;
}

void UiTranscript::write(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += " | ";
        line += escape(fields[i]);
    }
    m_lines.push_back(line);
    if (m_file.is_open()) {
        m_file << line << '\n';
        m_file.flush();
    }
}

}  // namespace mca
