// Chart and window pictures. Metafiles have no counterpart here; the vector formats are SVG and PDF.
#include "chart_pictures.h"

#include "platform/replacing_output.h"

#include "spectrum_chart.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSvgGenerator>

namespace mca {
namespace {

// The wait cursor while a picture is written.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString suffixOf(const QString& path) { return QFileInfo(path).suffix().toLower(); }

}  // namespace

ChartPictures::ChartPictures(Workstation& w)
    : m_w(w), m_printer(std::make_unique<QPrinter>()), m_run([](QDialog& dialog) { return dialog.exec(); }) {}

ChartPictures::~ChartPictures() = default;

void ChartPictures::toClipboard(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    m_w.platform.desktop.setClipboardImage(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void ChartPictures::reportFailure(const QString& text) {
    m_w.op().message(text.toStdString(), kPictureDialogTitle, MessageKind::Error);
}

bool ChartPictures::writeImage(const QImage& image, const QString& path) {
    QString format = suffixOf(path);
    if (format == QLatin1String("jpg")) format = QStringLiteral("jpeg");
    QString error;
    const bool written = writeReplacing(path, [&](const QString& temporary) {
        QImageWriter writer(temporary, format.toLatin1());
        if (writer.write(image)) return true;
        error = writer.errorString();
        return false;
    });
    if (written) return true;
    reportFailure((error.isEmpty() ? QStringLiteral("Cannot write") : error) + QStringLiteral(": ") + path);
    return false;
}

bool ChartPictures::writeChart(const SpectrumChart& chart, const QString& path) {
    const QString suffix = suffixOf(path);
    if (suffix != QLatin1String("pdf") && suffix != QLatin1String("svg")) return writeImage(chart.image(), path);
    const bool written = writeReplacing(path, [&](const QString& temporary) {
        if (suffix == QLatin1String("pdf")) return chart.savePdf(temporary);
        QSvgGenerator svg;
        svg.setFileName(temporary);
        svg.setSize(chart.plotSize());
        svg.setViewBox(QRect(QPoint(0, 0), chart.plotSize()));
        svg.setTitle(chart.title());
        return chart.paintOn(svg);
    });
    if (written) return true;
    reportFailure(QStringLiteral("Cannot write ") + path);
    return false;
}

FileChoice ChartPictures::pictureChoice(const char* filter, const char* suffix) const {
    return FileChoice{kPictureDialogTitle, m_w.platform.desktop.documentsFolder(), {}, filter, suffix};
}

void ChartPictures::captureChart(const SpectrumChart& chart) { toClipboard(chart.image()); }

void ChartPictures::saveChart(const SpectrumChart& chart) {
    const auto path = m_w.op().chooseSaveFile(pictureChoice(kChartPictureFilter, "bmp"));
    if (!path) return;
    WaitCursor wait;
    writeChart(chart, QString::fromStdString(*path));
}

void ChartPictures::captureWindow(QWidget& window) { toClipboard(window.grab().toImage()); }

void ChartPictures::saveWindow(QWidget& window) {
    const auto path = m_w.op().chooseSaveFile(pictureChoice(kWindowPictureFilter, "jpg"));
    if (!path) return;
    WaitCursor wait;
    const QImage image = window.grab().toImage();
    toClipboard(image);
    writeImage(image, QString::fromStdString(*path));
}

void ChartPictures::preview(const SpectrumChart& chart, const QString& title, QWidget* parent) {
    QPrintPreviewDialog dialog(m_printer.get(), parent);
    dialog.setWindowTitle(title);
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&chart](QPrinter* printer) { chart.paintOn(*printer); });
    m_run(dialog);
}

void ChartPictures::printerSetup(QWidget* parent) {
    QPrintDialog dialog(m_printer.get(), parent);
    m_run(dialog);
}

}  // namespace mca
