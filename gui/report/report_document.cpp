// Report paragraphs into a QTextDocument and onto printer pages.
#include "report_document.h"

#include "roi/report_files.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace mca::gui {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kMmPerInch = 25.4;

QTextCharFormat paragraphFormat(const ReportStyle& style) {
    QTextCharFormat format;
    format.setFontFamilies({QString::fromLatin1(kReportFont), QStringLiteral("sans-serif")});
    format.setFontPointSize(style.sizePoints);
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    return format;
}

}  // namespace

QMarginsF reportMarginsMm() {
    const double mm = kReportMarginTwips / kTwipsPerInch * kMmPerInch;
    return {mm, mm, mm, mm};
}

std::unique_ptr<QTextDocument> reportDocument(const std::vector<ReportParagraph>& paragraphs) {
    auto document = std::make_unique<QTextDocument>();
    document->setDocumentMargin(0);
    QTextCursor cursor(document.get());
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignLeft);
    bool first = true;
    for (const ReportParagraph& p : paragraphs) {
        const QTextCharFormat format = paragraphFormat(p.style);
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(format);
            first = false;
        } else {
            cursor.insertBlock(block, format);
        }
        cursor.insertText(QString::fromStdString(p.text), format);
    }
    return document;
}

void prepareReportPrinter(QPrinter& printer) {
    printer.setDocName(QString::fromLatin1(kReportPrintJobTitle));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(reportMarginsMm(), QPageLayout::Millimeter);
    printer.setFullPage(false);
}

int paintReport(const std::vector<ReportParagraph>& paragraphs, QPrinter& printer) {
    const std::unique_ptr<QTextDocument> document = reportDocument(paragraphs);
    // Laid out for the printer itself, so point sizes and line breaks are those of the page.
    document->documentLayout()->setPaintDevice(&printer);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    document->setPageSize(page.size());
    const int pages = std::max(1, document->pageCount());

    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    for (int i = 0; i < pages; ++i) {
        if (i > 0) printer.newPage();
        painter.save();
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.translate(0, -view.top());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(view);
        document->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
    return pages;
}

}  // namespace mca::gui
