// The library file writer and its cell rules.
#include "library/library_writer.h"

#include "core/atomic_file.h"
#include "core/text_encoding.h"

namespace mca {
namespace {

bool needsQuotes(const std::string& cell) {
    return cell.front() == '"' || cell.find_first_of(",\r\n") != std::string::npos;
}

void appendCell(std::string& out, const std::string& cell) {
    if (cell.empty()) {
        out += "\"\"";
        return;
    }
    if (!needsQuotes(cell)) {
        out += cell;
        return;
    }
    out.push_back('"');
    for (const char c : cell) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

}  // namespace

std::string writeLibraryText(const LibraryTable& table) {
    std::string out;
    for (const LibraryRow& row : table) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) out.push_back(',');
            appendCell(out, row[c]);
        }
        out += "\r\n";
    }
    return out;
}

void writeLibraryFile(const std::filesystem::path& path, const LibraryTable& table) {
    writeFileAtomically(path, utf8ToCp1252(writeLibraryText(table)));
}

}  // namespace mca
