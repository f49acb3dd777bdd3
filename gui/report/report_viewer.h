// The report viewer: a report shown as printed pages (page preview), zoomed from 20 % to 200 %
// in steps of 10, paged with the page keys, printed with the job title "MCA Report", saved as rich
// text or plain text, and exported as PDF. Every analysis and calibration report opens here.
#pragma once

#include <QDialog>

#include <functional>

#ifndef Q_MOC_RUN
#include "core/folders.h"
#include "core/operator.h"
#include "roi/report_builder.h"
#endif

class QLabel;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;
class QTextDocument;

namespace mca::gui {

inline constexpr int kMinZoomPercent = 20;
inline constexpr int kMaxZoomPercent = 200;
inline constexpr int kZoomStepPercent = 10;

class ReportViewer : public QDialog {
    Q_OBJECT
public:
    // Lets the operator pick and set up a printer; false cancels the print. The default runs the
    // platform's print dialog.
    using PrinterChooser = std::function<bool(QPrinter& printer)>;

    // `op` and `folders` must outlive the viewer; the report is copied.
    ReportViewer(ReportBuilder report, Operator& op, const AppFolders& folders, QWidget* parent = nullptr);
    ~ReportViewer() override;

    void setPrinterChooser(PrinterChooser chooser) { m_chooser = std::move(chooser); }

    const ReportBuilder& report() const { return m_report; }
    // The document as shown (one block per paragraph).
    const QTextDocument& document() const { return *m_document; }
    int zoomPercent() const { return m_zoom; }
    int currentPage() const;   // 1-based
    int pageCount() const;

public slots:
    void zoomIn();
    void zoomOut();
    void setZoomPercent(int percent);   // clamped to 20 .. 200
    void nextPage();
    void previousPage();
    void firstPage();
    void lastPage();
    // Print dialog, then all pages. False when cancelled or the printer could not be opened.
    bool print();
    // Save dialog in Reports/ with the report's file name; .txt writes plain text, else RTF.
    bool save();
    // Save dialog for a .pdf, then every page into it.
    bool exportPdf();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void goToPage(int page);
    void updateControls();
    void paintRequested(QPrinter* printer);
    void reportFailure(const std::string& text);

    ReportBuilder m_report;
    Operator& m_op;
    const AppFolders& m_folders;
    PrinterChooser m_chooser;
    std::unique_ptr<QTextDocument> m_document;
    std::unique_ptr<QPrinter> m_previewPrinter;
    QPrintPreviewWidget* m_preview = nullptr;
    QPushButton* m_zoomIn = nullptr;
    QPushButton* m_zoomOut = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QLabel* m_pageLabel = nullptr;
    int m_zoom = 100;
};

// Shows the report modally, maximised and on top, until the operator closes it (Return).
void showReport(const ReportBuilder& report, Operator& op, const AppFolders& folders, QWidget* parent = nullptr);

}  // namespace mca::gui
