// Writing report documents as RTF or plain text.
#include "roi/report_files.h"

#include "core/atomic_file.h"
#include "core/folders.h"
#include "core/text_encoding.h"

#include <algorithm>
#include <cctype>

namespace mca {

namespace {

constexpr const char* kCrLf = "\r\n";

void appendHexByte(std::string& out, unsigned char byte) {
    constexpr const char* kHex = "0123456789abcdef";
    out += "\\'";
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

// Windows-1252 bytes with the RTF escapes: \\ \{ \} \tab, \'hh above 0x7F and for controls.
std::string rtfEscaped(const std::string& utf8) {
    std::string out;
    for (const char c : utf8ToCp1252(utf8)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += c;
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == '\n') {
            out += "\\line ";
        } else if (byte >= 0x80 || byte < 0x20) {
            appendHexByte(out, byte);
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string rtfReportBytes(const std::vector<ReportParagraph>& paragraphs) {
    const std::string margin = std::to_string(kReportMarginTwips);
    std::string out = std::string("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 ") + kReportFont +
                      ";}}" + kCrLf;
    out += "\\paperw12240\\paperh15840\\margl" + margin + "\\margr" + margin + "\\margt" + margin + "\\margb" + margin +
           "\\viewkind4\\uc1" + kCrLf;
    for (const ReportParagraph& p : paragraphs) {
        out += "\\pard\\ql\\f0\\fs" + std::to_string(p.style.sizePoints * 2) + (p.style.bold ? "\\b " : "\\b0 ");
        out += rtfEscaped(p.text);
        out += "\\par";
        out += kCrLf;
    }
    out += "}";
    out += kCrLf;
    return out;
}

std::string textReportBytes(const std::vector<ReportParagraph>& paragraphs) {
    std::string out;
    for (const ReportParagraph& p : paragraphs) {
        out += utf8ToCp1252(p.text);
        out += kCrLf;
    }
    return out;
}

ReportFormat reportFormatForPath(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".txt" ? ReportFormat::Text : ReportFormat::Rtf;
}

void saveReport(const ReportBuilder& report, const std::filesystem::path& path, ReportFormat format) {
    const auto& p = report.paragraphs();
    writeFileAtomically(path, format == ReportFormat::Text ? textReportBytes(p) : rtfReportBytes(p));
}

void saveReport(const ReportBuilder& report, const std::filesystem::path& path) {
    saveReport(report, path, reportFormatForPath(path));
}

FileChoice reportSaveChoice(const ReportBuilder& report, const AppFolders& folders) {
    return FileChoice{report.caption(), folders.reports.string(), report.defaultFileName(), kReportSaveFilter, "RTF"};
}

}  // namespace mca
