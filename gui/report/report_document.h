// A report's paragraphs as a Qt text document, and that document laid out on the pages of a
// printer (the preview, paper and PDF all paint through here): 25.4 mm margins on every side,
// portrait, one sans-serif font with each paragraph's own size and weight.
#pragma once

#include <QMarginsF>

#include <memory>

#ifndef Q_MOC_RUN
#include "roi/report_builder.h"

#include <vector>
#endif

class QPrinter;
class QTextDocument;

namespace mca::gui {

// The page margins of every report, in millimetres (the writers' 1440 twips).
QMarginsF reportMarginsMm();

// One block per paragraph, in order; an empty paragraph is an empty block (a blank line).
std::unique_ptr<QTextDocument> reportDocument(const std::vector<ReportParagraph>& paragraphs);

// Portrait, the report margins and the print job title "MCA Report".
void prepareReportPrinter(QPrinter& printer);

// Lays the paragraphs out on the printer's pages and paints them all; the printer must have been
// prepared. Returns the number of pages painted, 0 when the printer could not be opened.
int paintReport(const std::vector<ReportParagraph>& paragraphs, QPrinter& printer);

}  // namespace mca::gui
