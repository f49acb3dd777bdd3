// The transcript of a scripted run: one line per operator prompt and per script note, written to a
// file and flushed at once, so a run that ends badly still leaves every line it reached.
// Fields are separated by " | "; a backslash, a tab and line ends inside a field are written as
// \\, \t, \r and \n.
#pragma once

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace mca {

class UiTranscript {
public:
    // No file: lines are only kept in memory.
    UiTranscript() = default;
    // Creates or empties `path`; an empty path means no file.
    explicit UiTranscript(const std::string& path);

    // Writes one line made of `fields` joined by " | ", each field escaped.
    void write(const std::vector<std::string>& fields);
    // Every line written so far, as in the file.
    const std::vector<std::string>& lines() const { return m_lines; }

    static std::string escape(std::string_view field);

private:
    std::ofstream m_file;
    std::vector<std::string> m_lines;
};

}  // namespace mca
