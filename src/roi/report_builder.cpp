// The report document model.
#include "roi/report_builder.h"

#include <algorithm>

namespace mca {

ReportBuilder::ReportBuilder(std::string caption, std::string defaultFileName) {
    beginReport(std::move(caption), std::move(defaultFileName));
}

void ReportBuilder::beginReport(std::string caption, std::string defaultFileName) {
    m_paragraphs.clear();
    m_style = ReportStyle{};
    m_caption = std::move(caption);
    m_defaultFileName = std::move(defaultFileName);
}

void ReportBuilder::addTitle(const std::string& text) {
    addParagraph(text, ReportStyle{kTitlePoints, true});
    m_style = ReportStyle{kBodyPoints, false};
    addBlank();
}

void ReportBuilder::addLine(const std::string& text) { addParagraph(text, m_style); }

void ReportBuilder::addBoldLine(const std::string& text) { addParagraph(text, ReportStyle{m_style.sizePoints, true}); }

void ReportBuilder::addBlank() { addParagraph({}, m_style); }

void ReportBuilder::addParagraph(const std::string& text, ReportStyle style) {
    m_paragraphs.push_back(ReportParagraph{text, style});
}

void ReportBuilder::insertParagraphs(std::size_t index, const std::vector<ReportParagraph>& paragraphs) {
    const auto at = m_paragraphs.begin() + static_cast<std::ptrdiff_t>(std::min(index, m_paragraphs.size()));
    m_paragraphs.insert(at, paragraphs.begin(), paragraphs.end());
}

}  // namespace mca
