// The Grid container, its comma-separated text form and its file edges.
#include "core/csv_grid.h"

#include <algorithm>
#include <stdexcept>

#include "core/atomic_file.h"
#include "core/text_encoding.h"

namespace mca {
namespace {

std::size_t checkedIndex(int index, const char* what) {
    if (index < 0) {
        throw std::out_of_range(std::string("Grid: negative ") + what + " index");
    }
    return static_cast<std::size_t>(index);
}

std::size_t clampedSize(int size) {
    return static_cast<std::size_t>(std::max(size, 0));
}

// Inside quoted text a CR LF becomes LF, both when writing and when reading.
void appendReducingLineBreaks(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            out.push_back(text[i]);
        }
    }
}

bool needsQuotes(std::string_view field) {
    return field.front() == '"' || field.find_first_of(",\r\n") != std::string_view::npos;
}

void appendField(std::string& out, std::string_view field) {
    if (field.empty()) {
        out += "\"\"";
    } else if (!needsQuotes(field)) {
        out += field;
    } else {
        out.push_back('"');
        appendReducingLineBreaks(out, field);
        out.push_back('"');
    }
}

// Rows end with CR LF, and the writer reduces line breaks inside a field to a bare LF, so in such a
// file a bare LF inside quotes belongs to the field. A file with no CR LF at all (edited on Linux)
// ends its rows with LF, and there a quoted field cannot span lines. Either way a quote that is
// never closed takes only the rest of its own row, so the damage stays there.
class GridReader {
public:
    explicit GridReader(std::string_view text)
        : m_text(text), m_crLfRows(text.find("\r\n") != std::string_view::npos) {}

    Grid read() {
        Grid grid;
        while (m_pos < m_text.size()) {
            grid.appendRow(readRow());
        }
        return grid;
    }

private:
    bool isRowEnd(std::size_t pos) const {
        if (m_crLfRows) {
            return m_text[pos] == '\r' && pos + 1 < m_text.size() && m_text[pos + 1] == '\n';
        }
        return m_text[pos] == '\n';
    }

    std::size_t rowEndLength() const { return m_crLfRows ? 2 : 1; }

    // Fields are not escaped, so a closing quote can only be told from a quote inside the text by
    // what follows it. A field holding a quote directly before a comma or line break cannot
    // survive this; the rule is kept because other tools read these files.
    bool isClosingQuote(std::size_t pos) const {
        if (m_text[pos] != '"') {
            return false;
        }
        const std::size_t next = pos + 1;
        return next == m_text.size() || m_text[next] == ',' || m_text[next] == '\r' || m_text[next] == '\n';
    }

    std::vector<std::string> readRow() {
        std::vector<std::string> cells;
        for (;;) {
            cells.push_back(readField());
            if (m_pos == m_text.size()) {
                return cells;
            }
            if (m_text[m_pos] != ',') {
                m_pos += rowEndLength();
                return cells;
            }
            ++m_pos;  // a comma announces another field, even at the very end of the text
        }
    }

    std::string readField() {
        std::string field;
        if (m_pos < m_text.size() && m_text[m_pos] == '"') {
            readQuotedPart(field);
        }
        // Text after a closing quote, or a field that never was quoted, runs to the separator.
        while (m_pos < m_text.size() && m_text[m_pos] != ',' && !isRowEnd(m_pos)) {
            field.push_back(m_text[m_pos++]);
        }
        return field;
    }

    void readQuotedPart(std::string& field) {
        const std::size_t start = m_pos + 1;
        std::size_t pos = start;
        while (pos < m_text.size() && !isClosingQuote(pos) && !isRowEnd(pos)) {
            ++pos;
        }
        const bool closed = pos < m_text.size() && isClosingQuote(pos);
        appendReducingLineBreaks(field, m_text.substr(start, pos - start));
        m_pos = closed ? pos + 1 : pos;
    }

    std::string_view m_text;
    bool m_crLfRows;
    std::size_t m_pos = 0;
};

}  // namespace

std::string writeGridText(const Grid& grid) {
    std::string out;
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            if (c > 0) {
                out.push_back(',');
            }
            appendField(out, grid.cell(r, c));
        }
        out += "\r\n";
    }
    return out;
}

Grid readGridText(std::string_view text) {
    return GridReader(text).read();
}

Grid::Grid(int rows, int columns) {
    resize(rows, columns);
}

int Grid::rowCount() const {
    return static_cast<int>(m_rows.size());
}

int Grid::columnCount() const {
    return static_cast<int>(m_columnCount);
}

const std::string& Grid::cell(int row, int column) const {
    static const std::string kEmpty;
    if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= m_rows.size() ||
        static_cast<std::size_t>(column) >= m_columnCount) {
        return kEmpty;
    }
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void Grid::setCell(int row, int column, std::string text) {
    const std::size_t r = checkedIndex(row, "row");
    const std::size_t c = checkedIndex(column, "column");
    widen(c + 1);
    if (r >= m_rows.size()) {
        m_rows.resize(r + 1, std::vector<std::string>(m_columnCount));
    }
    m_rows[r][c] = std::move(text);
}

const std::vector<std::string>& Grid::row(int r) const {
    static const std::vector<std::string> kEmpty;
    if (r < 0 || static_cast<std::size_t>(r) >= m_rows.size()) {
        return kEmpty;
    }
    return m_rows[static_cast<std::size_t>(r)];
}

void Grid::resize(int rows, int columns) {
    m_columnCount = clampedSize(columns);
    m_rows.resize(clampedSize(rows));
    for (auto& cells : m_rows) {
        cells.resize(m_columnCount);
    }
}

void Grid::appendRow(std::vector<std::string> cells) {
    widen(cells.size());
    cells.resize(m_columnCount);
    m_rows.push_back(std::move(cells));
}

void Grid::widen(std::size_t columns) {
    if (columns <= m_columnCount) {
        return;
    }
    m_columnCount = columns;
    for (auto& cells : m_rows) {
        cells.resize(m_columnCount);
    }
}

void saveGridFile(const std::filesystem::path& path, const Grid& grid) {
    writeFileAtomically(path, utf8ToCp1252(writeGridText(grid)));
}

Grid loadGridFile(const std::filesystem::path& path) {
    return readGridText(cp1252ToUtf8(readFileBytes(path)));
}

}  // namespace mca
