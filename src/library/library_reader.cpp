// The library file reader: separator detection and the quote rules.
#include "library/library_reader.h"

#include "core/atomic_file.h"
#include "core/text_encoding.h"

#include <algorithm>
#include <array>

namespace mca {
namespace {

using Counts = std::array<std::size_t, kLibrarySeparators.size()>;

Counts countSeparators(std::string_view line) {
    Counts counts{};
    for (std::size_t i = 0; i < kLibrarySeparators.size(); ++i) {
        counts[i] = static_cast<std::size_t>(std::count(line.begin(), line.end(), kLibrarySeparators[i]));
    }
    return counts;
}

// The line starting at `from`, without its line end; npos-safe.
std::string_view lineAt(std::string_view text, std::size_t from) {
    if (from >= text.size()) return {};
    const std::size_t end = text.find('\n', from);
    std::string_view line = text.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

class LibraryTextReader {
public:
    LibraryTextReader(std::string_view text, char separator) : m_text(text), m_separator(separator) {}

    LibraryTable read() {
        LibraryTable table;
        while (m_pos < m_text.size()) {
            if (const std::size_t end = rowEndLength(m_pos); end > 0) {
                m_pos += end;  // an empty line holds no row
                continue;
            }
            table.push_back(readRow());
        }
        return table;
    }

private:
    // 2 for CR LF, 1 for LF, 0 when `pos` is not at a line end.
    std::size_t rowEndLength(std::size_t pos) const {
        if (m_text[pos] == '\n') return 1;
        if (m_text[pos] == '\r' && pos + 1 < m_text.size() && m_text[pos + 1] == '\n') return 2;
        return 0;
    }

    LibraryRow readRow() {
        LibraryRow row;
        std::size_t column = 0;
        for (;;) {
            std::string cell = readCell();
            if (column < row.size()) row[column] = std::move(cell);
            ++column;
            if (m_pos >= m_text.size()) return row;
            if (m_text[m_pos] != m_separator) {
                m_pos += rowEndLength(m_pos);
                return row;
            }
            ++m_pos;
        }
    }

    std::string readCell() {
        std::string cell;
        if (m_pos < m_text.size() && m_text[m_pos] == '"') readQuoted(cell);
        while (m_pos < m_text.size() && m_text[m_pos] != m_separator && rowEndLength(m_pos) == 0) {
            cell.push_back(m_text[m_pos++]);
        }
        return cell;
    }

    void readQuoted(std::string& cell) {
        std::size_t pos = m_pos + 1;
        std::string inside;
        while (pos < m_text.size()) {
            if (m_text[pos] != '"') {
                inside.push_back(m_text[pos++]);
            } else if (pos + 1 < m_text.size() && m_text[pos + 1] == '"') {
                inside.push_back('"');
                pos += 2;
            } else {
                cell += inside;
                m_pos = pos + 1;
                return;
            }
        }
        // Never closed: the quote opened nothing and stays part of a plain cell.
    }

    std::string_view m_text;
    char m_separator;
    std::size_t m_pos = 0;
};

}  // namespace

char detectLibrarySeparator(std::string_view text) {
    const std::string_view first = lineAt(text, 0);
    const std::size_t secondStart = text.find('\n');
    const bool hasSecond = secondStart != std::string_view::npos && secondStart + 1 < text.size();
    const Counts a = countSeparators(first);
    const Counts b = hasSecond ? countSeparators(lineAt(text, secondStart + 1)) : a;
    char chosen = ',';
    std::size_t best = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i] && a[i] > best) {
            best = a[i];
            chosen = kLibrarySeparators[i];
        }
    }
    return chosen;
}

LibraryTable readLibraryText(std::string_view text) {
    return LibraryTextReader(text, detectLibrarySeparator(text)).read();
}

LibraryTable readLibraryFile(const std::filesystem::path& path) {
    return readLibraryText(cp1252ToUtf8(readFileBytes(path)));
}

}  // namespace mca
