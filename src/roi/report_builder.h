// The report document every analysis and calibration report is built into: an ordered list of
// one-line paragraphs, each with its size and bold flag, plus the viewer's caption and the file
// name its Save dialog offers. Writers and the viewer read the paragraphs; nothing else is kept.
#pragma once

#include <string>
#include <vector>

namespace mca {

inline constexpr int kTitlePoints = 12;
inline constexpr int kBodyPoints = 10;
// The one sans-serif font of every report.
inline constexpr const char* kReportFont = "Arial";

struct ReportStyle {
    int sizePoints = kBodyPoints;
    bool bold = false;

    bool operator==(const ReportStyle&) const = default;
};

// One line of a report; an empty text is a blank line. Alignment is always left.
struct ReportParagraph {
    std::string text;   // UTF-8
    ReportStyle style;

    bool operator==(const ReportParagraph&) const = default;
};

class ReportBuilder {
public:
    ReportBuilder() = default;
    // begin report: an empty document with the viewer's caption and the Save dialog's file name.
    ReportBuilder(std::string caption, std::string defaultFileName);

    // Empties the document and sets caption and default file name; the style is regular 10 points.
    void beginReport(std::string caption, std::string defaultFileName);

    // A bold 12-point paragraph, then the style becomes regular 10 points and one blank line follows.
    void addTitle(const std::string& text);
    // One paragraph in the current style.
    void addLine(const std::string& text);
    // One paragraph in bold at the current size; the current style is unchanged.
    void addBoldLine(const std::string& text);
    // An empty paragraph in the current style.
    void addBlank();
    // One paragraph in an explicit style; the current style is unchanged.
    void addParagraph(const std::string& text, ReportStyle style);
    // Inserts paragraphs before position `index` (clamped to the end).
    void insertParagraphs(std::size_t index, const std::vector<ReportParagraph>& paragraphs);

    void setStyle(ReportStyle style) { m_style = style; }
    const ReportStyle& style() const { return m_style; }

    const std::vector<ReportParagraph>& paragraphs() const { return m_paragraphs; }
    const std::string& caption() const { return m_caption; }
    const std::string& defaultFileName() const { return m_defaultFileName; }

private:
    std::vector<ReportParagraph> m_paragraphs;
    ReportStyle m_style;
    std::string m_caption;
    std::string m_defaultFileName;
};

}  // namespace mca
