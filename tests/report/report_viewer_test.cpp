// The report viewer over a small report: what the document shows, zoom and paging limits, and
// the save, PDF and print paths writing files that read back.
#include "report/report_document.h"
#include "report/report_viewer.h"

#include "core/folders.h"
#include "qtsupport/qt_test_application.h"
#include "roi/rtf_report_reader.h"
#include "support/scripted_operator.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace mca::gui {
namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

ReportBuilder sampleReport(int bodyLines = 3) {
    ReportBuilder r("TREL Simple ROI Count Report", "ROI Report");
    r.addTitle("TREL MCA:  Simple ROI Count Report");
    r.addBoldLine("ROI #1");
    for (int i = 0; i < bodyLines; ++i) r.addLine("Line " + std::to_string(i + 1));
    return r;
}

class ReportViewerTest : public ::testing::Test {
protected:
    ReportViewerTest() { std::filesystem::create_directories(folders.reports); }

    ReportViewer& viewer(int bodyLines = 3) {
        m_viewer = std::make_unique<ReportViewer>(sampleReport(bodyLines), op, folders);
        return *m_viewer;
    }
    QPushButton* button(const char* name) { return m_viewer->findChild<QPushButton*>(name); }

    struct QtApp {
        QtApp() { qtTestApplication(); }
    } qt;
    testing::TempFolder temp;
    AppFolders folders = appFoldersFor(temp.path() / "app", temp.path() / "docs");
    testing::ScriptedOperator op;
    std::unique_ptr<ReportViewer> m_viewer;
};

TEST_F(ReportViewerTest, ShowsEveryParagraphWithItsSizeAndWeight) {
    const ReportBuilder report = sampleReport();
    ReportViewer& v = viewer();
    EXPECT_EQ(v.windowTitle(), "TREL Simple ROI Count Report");
    const QTextDocument& doc = v.document();
    ASSERT_EQ(doc.blockCount(), static_cast<int>(report.paragraphs().size()));
    int i = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next(), ++i) {
        const ReportParagraph& p = report.paragraphs()[static_cast<std::size_t>(i)];
        SCOPED_TRACE(p.text);
        EXPECT_EQ(b.text().toStdString(), p.text);
        EXPECT_EQ(b.charFormat().fontPointSize(), p.style.sizePoints);
        EXPECT_EQ(b.charFormat().fontWeight() == QFont::Bold, p.style.bold);
    }
    // Title bold 12, the blank after it, the bold section line, regular body.
    EXPECT_EQ(doc.begin().charFormat().fontPointSize(), 12);
    EXPECT_TRUE(doc.findBlockByNumber(2).charFormat().fontWeight() == QFont::Bold);
    EXPECT_FALSE(doc.findBlockByNumber(3).charFormat().fontWeight() == QFont::Bold);
}

TEST_F(ReportViewerTest, ZoomStepsByTenAndStopsAtTwentyAndTwoHundred) {
    ReportViewer& v = viewer();
    EXPECT_EQ(v.zoomPercent(), 100);
    QPushButton* in = button("btnZoomIn");
    QPushButton* out = button("btnZoomOut");
    for (int i = 0; i < 20; ++i) QTest::mouseClick(in, Qt::LeftButton);
    EXPECT_EQ(v.zoomPercent(), 200);
    EXPECT_FALSE(in->isEnabled());
    EXPECT_TRUE(out->isEnabled());
    v.zoomOut();
    EXPECT_EQ(v.zoomPercent(), 190);
    for (int i = 0; i < 30; ++i) v.zoomOut();
    EXPECT_EQ(v.zoomPercent(), 20);
    EXPECT_FALSE(out->isEnabled());
    EXPECT_TRUE(in->isEnabled());
    QTest::keyClick(&v, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(v.zoomPercent(), 30);
    v.setZoomPercent(500);
    EXPECT_EQ(v.zoomPercent(), 200);
}

TEST_F(ReportViewerTest, PageKeysMoveBetweenPagesAndStopAtTheEnds) {
    ReportViewer& v = viewer(300);
    ASSERT_GT(v.pageCount(), 2);
    EXPECT_EQ(v.currentPage(), 1);
    EXPECT_FALSE(button("btnPreviousPage")->isEnabled());
    QTest::keyClick(&v, Qt::Key_PageDown);
    EXPECT_EQ(v.currentPage(), 2);
    QTest::keyClick(&v, Qt::Key_End);
    EXPECT_EQ(v.currentPage(), v.pageCount());
    EXPECT_FALSE(button("btnNextPage")->isEnabled());
    QTest::keyClick(&v, Qt::Key_PageDown);
    EXPECT_EQ(v.currentPage(), v.pageCount());
    QTest::keyClick(&v, Qt::Key_PageUp);
    EXPECT_EQ(v.currentPage(), v.pageCount() - 1);
    QTest::keyClick(&v, Qt::Key_Home);
    EXPECT_EQ(v.currentPage(), 1);
}

TEST_F(ReportViewerTest, ASinglePageDisablesBothPageButtons) {
    ReportViewer& v = viewer();
    EXPECT_EQ(v.pageCount(), 1);
    EXPECT_FALSE(button("btnPreviousPage")->isEnabled());
    EXPECT_FALSE(button("btnNextPage")->isEnabled());
}

TEST_F(ReportViewerTest, SaveOffersReportsFolderAndWritesByTheChosenType) {
    ReportViewer& v = viewer();
    const auto txt = folders.reports / "out.txt";
    const auto rtf = folders.reports / "out.rtf";
    op.fileChoices = {txt.string(), rtf.string(), std::nullopt};
    EXPECT_TRUE(v.save());
    EXPECT_TRUE(v.save());
    EXPECT_FALSE(v.save());   // cancelled
    ASSERT_EQ(op.transcript().size(), 3u);
    EXPECT_EQ(op.transcript()[0].kind, testing::ScriptedOperator::Shown::Kind::SaveFile);

    EXPECT_EQ(readFile(txt), "TREL MCA:  Simple ROI Count Report\r\n\r\nROI #1\r\nLine 1\r\nLine 2\r\nLine 3\r\n");
    const ReportBuilder back = loadReport(rtf);
    EXPECT_EQ(back.paragraphs(), sampleReport().paragraphs());
    EXPECT_TRUE(op.messages().empty());
}

TEST_F(ReportViewerTest, SaveFailureShowsThePlatformsReason) {
    ReportViewer& v = viewer();
    op.fileChoices = {(temp.path() / "missing" / "folder" / "out.rtf").string()};
    EXPECT_FALSE(v.save());
    ASSERT_EQ(op.messages().size(), 1u);
    EXPECT_FALSE(op.messages()[0].empty());
}

TEST_F(ReportViewerTest, ExportPdfWritesAPdfFile) {
    ReportViewer& v = viewer(200);
    const auto pdf = folders.reports / "Report";
    op.fileChoices = {pdf.string()};
    ASSERT_TRUE(v.exportPdf());
    const std::string bytes = readFile(folders.reports / "Report.pdf");
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
}

TEST_F(ReportViewerTest, PrintNamesTheJobAndWritesToTheChosenPrinter) {
    ReportViewer& v = viewer(200);
    const auto out = temp.path() / "printed.pdf";
    QString jobTitle;
    v.setPrinterChooser([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(out.string()));
        jobTitle = printer.docName();
        return true;
    });
    ASSERT_TRUE(v.print());
    EXPECT_EQ(jobTitle, "MCA Report");
    EXPECT_EQ(readFile(out).substr(0, 5), "%PDF-");

    v.setPrinterChooser([](QPrinter&) { return false; });
    EXPECT_FALSE(v.print());
}

TEST(ReportDocumentTest, MarginsAreAnInchOnEverySide) {
    const QMarginsF m = reportMarginsMm();
    EXPECT_DOUBLE_EQ(m.left(), 25.4);
    EXPECT_DOUBLE_EQ(m.top(), 25.4);
    EXPECT_DOUBLE_EQ(m.right(), 25.4);
    EXPECT_DOUBLE_EQ(m.bottom(), 25.4);
}

}  // namespace
}  // namespace mca::gui
