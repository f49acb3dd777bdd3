// Reading a rich-text report back into a document, for viewing a stored report (the efficiency
// report is written without being shown and viewed later). It reads what rtfReportBytes writes
// and tolerates other plain RTF: paragraphs with their size and bold flag, the text of each in
// UTF-8; pictures, tables of fonts and colours and other destinations are skipped.
#pragma once

#include "roi/report_builder.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace mca {

// The paragraphs of an RTF text; nullopt when the text does not open with "{\rtf". Malformed
// input (unbalanced braces, a cut-off escape) never throws: what could be read is returned.
std::optional<std::vector<ReportParagraph>> parseRtfReport(std::string_view bytes);

// load(path): the file's paragraphs in a document with an empty caption and file name. Throws
// FileError when the file cannot be read or is not rich text.
ReportBuilder loadReport(const std::filesystem::path& path);

}  // namespace mca
