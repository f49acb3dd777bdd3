// Pictures of the spectrum and of the whole window: to the clipboard (PNG through the desktop),
// to files by their extension, the print preview and the printer setup.
#pragma once

#include "core/workstation.h"

#include <QString>

#include <functional>
#include <memory>

class QDialog;
class QImage;
class QPrinter;
class QWidget;

namespace mca {

class SpectrumChart;

// Offered by "Save Spectrum as &Graphic...", and by "Save Screen as Graphic".
inline constexpr const char* kChartPictureFilter =
    "Bitmap File (*.bmp)|*.bmp|PNG Image (*.png)|*.png|Jpeg Image (*.jpg)|*.jpg|"
    "SVG Drawing (*.svg)|*.svg|PDF Document (*.pdf)|*.pdf";
inline constexpr const char* kWindowPictureFilter =
    "Jpeg Image (*.jpg)|*.jpg|Bitmap File (*.bmp)|*.bmp|PNG Image (*.png)|*.png";
inline constexpr const char* kPictureDialogTitle = "Save Spectrum as Graphic";

class ChartPictures {
public:
    // Runs a modal dialog (print preview, printer setup) and returns its result; tests replace it.
    using DialogRunner = std::function<int(QDialog&)>;

    explicit ChartPictures(Workstation& w);
    ~ChartPictures();
    ChartPictures(const ChartPictures&) = delete;
    ChartPictures& operator=(const ChartPictures&) = delete;

    void setDialogRunner(DialogRunner runner) { m_run = std::move(runner); }

    void captureChart(const SpectrumChart& chart);
    void saveChart(const SpectrumChart& chart);
    void captureWindow(QWidget& window);
    void saveWindow(QWidget& window);
    // The preview of the chart, maximised, under `title`; the chart is painted when the preview asks.
    void preview(const SpectrumChart& chart, const QString& title, QWidget* parent);
    void printerSetup(QWidget* parent);

private:
    FileChoice pictureChoice(const char* filter, const char* suffix) const;
    void toClipboard(const QImage& image);
    bool writeImage(const QImage& image, const QString& path);
    bool writeChart(const SpectrumChart& chart, const QString& path);
    void reportFailure(const QString& text);

    Workstation& m_w;
    std::unique_ptr<QPrinter> m_printer;
    DialogRunner m_run;
};

}  // namespace mca
