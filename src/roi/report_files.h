// Report documents as files: rich text (RTF) or plain text, both Windows-1252 with CR LF line
// ends, replaced atomically; and what the report viewer's Save and Print offer.
#pragma once

#include "core/operator.h"
#include "roi/report_builder.h"

#include <filesystem>
#include <string>
#include <vector>

namespace mca {

struct AppFolders;

enum class ReportFormat { Rtf, Text };

inline constexpr const char* kReportSaveFilter = "Text Files (*.TXT)|*.TXT|Rich Text File (*.RTF)|*.RTF";
inline constexpr const char* kReportPrintJobTitle = "MCA Report";
// Page margins on all four sides: 25.4 mm.
inline constexpr int kReportMarginTwips = 1440;

// RTF with one \par per paragraph: the Arial font table, the margins, and per paragraph its size
// and bold flag. Characters without a Windows-1252 byte become "?".
std::string rtfReportBytes(const std::vector<ReportParagraph>& paragraphs);

// One line per paragraph, each ended by CR LF, no styling.
std::string textReportBytes(const std::vector<ReportParagraph>& paragraphs);

// Text for a ".txt" extension in any case, rich text for anything else.
ReportFormat reportFormatForPath(const std::filesystem::path& path);

// save(path, format): replaces the file atomically; FileError (the platform's reason) on failure.
void saveReport(const ReportBuilder& report, const std::filesystem::path& path, ReportFormat format);
// The same with the format chosen by the extension.
void saveReport(const ReportBuilder& report, const std::filesystem::path& path);

// The viewer's Save dialog: Reports/, the report's default file name, both file types, rich text
// offered first by its suffix.
FileChoice reportSaveChoice(const ReportBuilder& report, const AppFolders& folders);

}  // namespace mca
