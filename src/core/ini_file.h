// A settings file with Windows profile semantics: "[Section]" lines followed by "Key=Value" lines,
// sections and keys matched without regard to case, defaults for missing or unreadable values.
// Everything the file holds (other sections, unknown keys, comments) is kept when it is written
// back. The file is Windows-1252 text with CR LF line ends; in memory it is UTF-8.
#pragma once

#include "core/operator.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mca {

class IniFile {
public:
    IniFile() = default;
    static IniFile parse(std::string_view utf8Text);
    // A missing file reads as empty. Throws FileError when the file exists but cannot be read.
    static IniFile load(const std::filesystem::path& path);

    // The text as written to disk (UTF-8, CR LF).
    std::string text() const;
    // Writes the file atomically, creating it when missing. Throws FileError.
    void save(const std::filesystem::path& path) const;

    // The raw value with blanks around it removed and one pair of enclosing double quotes dropped.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    bool hasSection(std::string_view section) const;
    // Sets a key, keeping the spelling of an existing key; appends the key or the section when missing.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    void removeKey(std::string_view section, std::string_view key);

    long long readInteger(std::string_view section, std::string_view key, long long defaultValue) const;
    // Stored as an integer; any non-zero integer is true.
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;
    double readFloat(std::string_view section, std::string_view key, double defaultValue) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // A colour reference 0x00BBGGRR written as a decimal integer.
    ColourRef readColour(std::string_view section, std::string_view key, ColourRef defaultValue) const;

    void writeInteger(std::string_view section, std::string_view key, long long value);
    void writeBool(std::string_view section, std::string_view key, bool value);
    // Written in the shortest decimal form with a decimal point.
    void writeFloat(std::string_view section, std::string_view key, double value);
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeColour(std::string_view section, std::string_view key, ColourRef value);

private:
    struct Line {
        std::string text;    // the line as read, for lines that are not key=value
        std::string key;     // empty for other lines
        std::string value;
    };
    struct Section {
        std::string name;    // empty for lines before the first section header
        std::vector<Line> lines;
    };

    const Section* findSection(std::string_view name) const;
    Section* findSection(std::string_view name);
    static const Line* findKey(const Section& section, std::string_view key);

    std::vector<Section> m_sections;
};

}  // namespace mca
