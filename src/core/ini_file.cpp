// Windows-profile settings files.
#include "core/ini_file.h"

#include "core/atomic_file.h"
#include "core/number_text.h"
#include "core/text_encoding.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace mca {

namespace {

std::string_view trim(std::string_view s) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool sameText(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string_view unquote(std::string_view v) {
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return v.substr(1, v.size() - 2);
    return v;
}

// The form kept in the file: blanks at either end, or enclosing quotes of the value itself, would
// be lost on reading, so such a value is written inside a pair of double quotes.
std::string storedForm(std::string value) {
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (quoted || trim(value).size() != value.size()) return '"' + value + '"';
    return value;
}

}  // namespace

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    ini.m_sections.push_back(Section{});
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);

        const std::string_view t = trim(raw);
        if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string_view::npos) {
            ini.m_sections.push_back(Section{std::string(trim(t.substr(1, t.find(']') - 1))), {}});
            continue;
        }
        Line line{std::string(raw), {}, {}};
        const std::size_t eq = t.find('=');
        if (eq != std::string_view::npos && eq > 0 && t.front() != ';') {
            line.key = std::string(trim(t.substr(0, eq)));
            line.value = std::string(trim(t.substr(eq + 1)));
        }
        ini.m_sections.back().lines.push_back(std::move(line));
    }
    return ini;
}

IniFile IniFile::load(const std::filesystem::path& path) {
    const std::optional<std::string> bytes = readFileIfExists(path);
    return bytes ? parse(cp1252ToUtf8(*bytes)) : IniFile{};
}

std::string IniFile::text() const {
    std::string out;
    for (const Section& s : m_sections) {
        if (!s.name.empty()) out += "[" + s.name + "]\r\n";
        for (const Line& l : s.lines) {
            out += l.key.empty() ? l.text : l.key + "=" + l.value;
            out += "\r\n";
        }
    }
    return out;
}

void IniFile::save(const std::filesystem::path& path) const { writeFileAtomically(path, utf8ToCp1252(text())); }

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    for (const Section& s : m_sections) {
        if (!s.name.empty() && sameText(s.name, name)) return &s;
    }
    return nullptr;
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

const IniFile::Line* IniFile::findKey(const Section& section, std::string_view key) {
    for (const Line& l : section.lines) {
        if (!l.key.empty() && sameText(l.key, key)) return &l;
    }
    return nullptr;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    const Line* l = s ? findKey(*s, key) : nullptr;
    if (!l) return std::nullopt;
    return std::string(unquote(l->value));
}

bool IniFile::hasSection(std::string_view section) const { return findSection(section) != nullptr; }

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view rawValue) {
    // A line break would split the entry and corrupt the lines after it.
    std::string plain(rawValue);
    std::replace_if(plain.begin(), plain.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    std::string value = storedForm(std::move(plain));
    Section* s = findSection(section);
    if (!s) {
        if (m_sections.empty()) m_sections.push_back(Section{});
        m_sections.push_back(Section{std::string(section), {}});
        s = &m_sections.back();
    }
    if (Line* l = const_cast<Line*>(findKey(*s, key))) {
        l->value = std::move(value);
        return;
    }
    // New keys go after the section's last key, so blank lines and comments that close the
    // section stay where they were.
    auto lastKey = std::find_if(s->lines.rbegin(), s->lines.rend(), [](const Line& l) { return !l.key.empty(); });
    s->lines.insert(lastKey.base(), Line{{}, std::string(key), std::move(value)});
}

void IniFile::removeKey(std::string_view section, std::string_view key) {
    if (Section* s = findSection(section)) {
        std::erase_if(s->lines, [&](const Line& l) { return !l.key.empty() && sameText(l.key, key); });
    }
}

long long IniFile::readInteger(std::string_view section, std::string_view key, long long defaultValue) const {
    const auto v = value(section, key);
    const auto n = v ? parseInteger(*v) : std::nullopt;
    return n.value_or(defaultValue);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double IniFile::readFloat(std::string_view section, std::string_view key, double defaultValue) const {
    const auto v = value(section, key);
    const auto n = v ? parseFloat(*v) : std::nullopt;
    return n.value_or(defaultValue);
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    return value(section, key).value_or(std::string(defaultValue));
}

ColourRef IniFile::readColour(std::string_view section, std::string_view key, ColourRef defaultValue) const {
    const long long n = readInteger(section, key, static_cast<long long>(defaultValue));
    if (n < 0 || n > 0xFFFFFFFFLL) return defaultValue;
    return static_cast<ColourRef>(n);
}

void IniFile::writeInteger(std::string_view section, std::string_view key, long long value) {
    setValue(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    setValue(section, key, value ? "1" : "0");
}

void IniFile::writeFloat(std::string_view section, std::string_view key, double value) {
    setValue(section, key, formatFull(value));
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    setValue(section, key, value);
}

void IniFile::writeColour(std::string_view section, std::string_view key, ColourRef value) {
    setValue(section, key, std::to_string(value));
}

}  // namespace mca
