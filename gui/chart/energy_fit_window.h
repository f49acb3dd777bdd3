// The energy-calibration fit display ("ECal Fit..."): MCA 1's stored calibration points with the
// fitted line and parabola, the two equations and their fit qualities, and a linear or
// logarithmic vertical axis. The numbers are the calibration's; the window only draws them.
#pragma once

#include <QDialog>

class QCustomPlot;
class QLabel;

namespace mca {

class Application;

class EnergyFitWindow : public QDialog {
    Q_OBJECT
public:
    explicit EnergyFitWindow(Application& app, QWidget* parent = nullptr);

    // Draws the current calibration again (after a fit, an order choice or a detector change).
    void refresh();
    QCustomPlot* plot() const { return m_plot; }
    QString text(const char* label) const;

public slots:
    void setLogarithmic(bool on);

private:
    Application& m_app;
    QCustomPlot* m_plot;
    QLabel* m_linearEquation;
    QLabel* m_linearFit;
    QLabel* m_quadraticEquation;
    QLabel* m_quadraticFit;
};

}  // namespace mca
