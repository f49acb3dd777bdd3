// The report viewer's pages, zoom, paging, printing and saving.
#include "report_viewer.h"

#include "platform/replacing_output.h"

#include "report_document.h"

#include "roi/report_files.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <optional>

namespace mca::gui {

namespace {

constexpr const char* kPdfFilter = "PDF Files (*.pdf)|*.pdf";
constexpr const char* kPdfTitle = "Export PDF";

QPushButton* addButton(QHBoxLayout* row, QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

bool runPrintDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

ReportViewer::ReportViewer(ReportBuilder report, Operator& op, const AppFolders& folders, QWidget* parent)
    : QDialog(parent),
      m_report(std::move(report)),
      m_op(op),
      m_folders(folders),
      m_document(reportDocument(m_report.paragraphs())),
      m_previewPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName("frmReportViewer");
    setWindowTitle(QString::fromStdString(m_report.caption()));
    m_chooser = [this](QPrinter& printer) { return runPrintDialog(printer, this); };
    prepareReportPrinter(*m_previewPrinter);
    buildControls();
    m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_preview->setZoomFactor(m_zoom / 100.0);
    m_preview->updatePreview();
    goToPage(1);
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_zoomOut = addButton(row, this, "btnZoomOut", tr("Zoom Out"));
    m_zoomLabel = new QLabel(this);
    m_zoomLabel->setObjectName("lblZoom");
    row->addWidget(m_zoomLabel);
    m_zoomIn = addButton(row, this, "btnZoomIn", tr("Zoom In"));
    m_previous = addButton(row, this, "btnPreviousPage", tr("Previous Page"));
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName("lblPage");
    row->addWidget(m_pageLabel);
    m_next = addButton(row, this, "btnNextPage", tr("Next Page"));
    QPushButton* printButton = addButton(row, this, "btnPrint", tr("&Print..."));
    QPushButton* saveButton = addButton(row, this, "btnSave", tr("&Save..."));
    QPushButton* pdfButton = addButton(row, this, "btnExportPdf", tr("Export P&DF..."));
    row->addStretch();
    QPushButton* closeButton = addButton(row, this, "btnClose", tr("&Close"));
    layout->addLayout(row);

    m_preview = new QPrintPreviewWidget(m_previewPrinter.get(), this);
    m_preview->setObjectName("previewReport");
    layout->addWidget(m_preview, 1);

    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, &ReportViewer::paintRequested);
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &ReportViewer::updateControls);
    connect(m_zoomIn, &QPushButton::clicked, this, &ReportViewer::zoomIn);
    connect(m_zoomOut, &QPushButton::clicked, this, &ReportViewer::zoomOut);
    connect(m_previous, &QPushButton::clicked, this, &ReportViewer::previousPage);
    connect(m_next, &QPushButton::clicked, this, &ReportViewer::nextPage);
    connect(printButton, &QPushButton::clicked, this, [this] { print(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(pdfButton, &QPushButton::clicked, this, [this] { exportPdf(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

int ReportViewer::currentPage() const { return m_preview->currentPage(); }

int ReportViewer::pageCount() const { return m_preview->pageCount(); }

void ReportViewer::zoomIn() { setZoomPercent(m_zoom + kZoomStepPercent); }

void ReportViewer::zoomOut() { setZoomPercent(m_zoom - kZoomStepPercent); }

void ReportViewer::setZoomPercent(int percent) {
    m_zoom = std::clamp(percent, kMinZoomPercent, kMaxZoomPercent);
    m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_preview->setZoomFactor(m_zoom / 100.0);
    updateControls();
}

void ReportViewer::goToPage(int page) {
    m_preview->setCurrentPage(std::clamp(page, 1, std::max(1, pageCount())));
    updateControls();
}

void ReportViewer::nextPage() { goToPage(currentPage() + 1); }

void ReportViewer::previousPage() { goToPage(currentPage() - 1); }

void ReportViewer::firstPage() { goToPage(1); }

void ReportViewer::lastPage() { goToPage(pageCount()); }

void ReportViewer::updateControls() {
    m_zoomOut->setEnabled(m_zoom > kMinZoomPercent);
    m_zoomIn->setEnabled(m_zoom < kMaxZoomPercent);
    m_zoomLabel->setText(QStringLiteral("%1 %").arg(m_zoom));
    const int page = currentPage();
    const int pages = pageCount();
    m_previous->setEnabled(page > 1);
    m_next->setEnabled(page < pages);
    m_pageLabel->setText(tr("Page %1 of %2").arg(page).arg(pages));
}

void ReportViewer::paintRequested(QPrinter* printer) { paintReport(m_report.paragraphs(), *printer); }

void ReportViewer::keyPressEvent(QKeyEvent* event) {
    const bool keypad = event->modifiers().testFlag(Qt::KeypadModifier);
    switch (event->key()) {
    case Qt::Key_PageDown: nextPage(); return;
    case Qt::Key_PageUp: previousPage(); return;
    case Qt::Key_Home: firstPage(); return;
    case Qt::Key_End: lastPage(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: accept(); return;
    case Qt::Key_Plus:
        if (keypad) {
            zoomIn();
            return;
        }
        break;
    case Qt::Key_Minus:
        if (keypad) {
            zoomOut();
            return;
        }
        break;
    default: break;
    }
    QDialog::keyPressEvent(event);
}

bool ReportViewer::print() {
    QPrinter printer(QPrinter::HighResolution);
    prepareReportPrinter(printer);
    if (!m_chooser(printer)) return false;
    // The dialog may have changed the printer; the job title and the portrait margins stay.
    prepareReportPrinter(printer);
    if (paintReport(m_report.paragraphs(), printer) == 0) {
        reportFailure("The printer could not be opened.");
        return false;
    }
    return true;
}

bool ReportViewer::save() {
    const std::optional<std::string> path = m_op.chooseSaveFile(reportSaveChoice(m_report, m_folders));
    if (!path) return false;
    try {
        saveReport(m_report, *path);
    } catch (const std::exception& e) {
        reportFailure(e.what());
        return false;
    }
    return true;
}

bool ReportViewer::exportPdf() {
    FileChoice choice;
    choice.title = kPdfTitle;
    choice.folder = m_folders.reports.string();
    choice.fileName = m_report.defaultFileName();
    choice.filter = kPdfFilter;
    choice.defaultSuffix = "pdf";
    std::optional<std::string> path = m_op.chooseSaveFile(choice);
    if (!path) return false;
    if (QFileInfo(QString::fromStdString(*path)).suffix().isEmpty()) *path += ".pdf";
    const bool written = writeReplacing(QString::fromStdString(*path), [this](const QString& temporary) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(temporary);
        prepareReportPrinter(printer);
        return paintReport(m_report.paragraphs(), printer) != 0;
    });
    if (!written) {
        reportFailure("Cannot create " + *path);
        return false;
    }
    return true;
}

void ReportViewer::reportFailure(const std::string& text) {
    m_op.message(text, m_report.caption(), MessageKind::Error);
}

void showReport(const ReportBuilder& report, Operator& op, const AppFolders& folders, QWidget* parent) {
    ReportViewer viewer(report, op, folders, parent);
    viewer.setWindowFlag(Qt::WindowStaysOnTopHint);
    viewer.setWindowState(viewer.windowState() | Qt::WindowMaximized);
    viewer.exec();
}

}  // namespace mca::gui
