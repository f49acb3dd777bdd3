// Reading spectrum files.
#include "spectrumio/spectrum_file_reader.h"

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/text_encoding.h"
#include "spectrumio/spectrum_file_layout.h"

namespace mca {

namespace {

std::string_view stripOneQuotePair(std::string_view s) {
    if (!s.empty() && s.front() == '"') s.remove_prefix(1);
    if (!s.empty() && s.back() == '"') s.remove_suffix(1);
    return s;
}

std::vector<std::string> splitLine(std::string_view line) {
    std::vector<std::string> cells;
    const std::size_t first = line.find(',');
    cells.emplace_back(stripOneQuotePair(line.substr(0, first)));
    if (first == std::string_view::npos) return cells;
    const std::string_view rest = line.substr(first + 1);
    const std::size_t second = rest.find(',');
    cells.emplace_back(stripOneQuotePair(rest.substr(0, second)));
    if (second == std::string_view::npos) return cells;
    const std::string_view third = rest.substr(second + 1);
    if (!third.empty()) cells.emplace_back(stripOneQuotePair(third));
    return cells;
}

}  // namespace

Grid parseSpectrumLines(std::string_view text) {
    Grid grid;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        grid.appendRow(splitLine(line));
    }
    return grid;
}

Grid parseSpectrumText(std::string_view text) {
    Grid grid = readGridText(text);
    if (grid.cell(usf::kProbeRow, usf::kCountsColumn).empty()) grid = parseSpectrumLines(text);
    return grid;
}

Grid readSpectrumFile(const std::filesystem::path& path) {
    try {
        return parseSpectrumText(cp1252ToUtf8(readFileBytes(path)));
    } catch (const FileError& e) {
        throw FileError("Cannot open file " + path.string() + " (" + e.what() + ")");
    }
}

}  // namespace mca
