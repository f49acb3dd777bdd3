// The "Energy Cal" tool window: fourteen rows pairing an energy with a channel, the order choice,
// the fitted equations, "E&nrgy Cal!" and "&Cancel"/"&Close", over the core's Energy Cal logic
// (calibration/energy_cal_window.h), which holds the rows and does every calibration step. The
// window is not modal; while it is open the main window sends double-clicks on chart 1 to
// pickChannel().
#pragma once

#include "calibration/energy_cal_window.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mca {
class Application;
}

namespace mca::gui {

class EnergyCalWindow : public QDialog {
    Q_OBJECT
public:
    explicit EnergyCalWindow(Application& app, QWidget* parent = nullptr);
    ~EnergyCalWindow() override;

    // "E&nergy Calibrate...": opens over MCA 1's selected detector record and shows the window.
    // Refused, with the core's message, while the resolution window is open (false). Should MCA 1's
    // selected record change while it is open, the window closes at its next action.
    bool openWindow(const EnergyCalOpening& how = {});
    bool isOpen() const { return m_logic != nullptr; }
    // The core logic while open; null when closed.
    const mca::EnergyCalWindow* logic() const { return m_logic.get(); }
    // Where chart 1's marker stands in chart coordinates: the selected row's channel, or its
    // energy in keV when the axis shows energy. None when closed or the row has no channel.
    std::optional<double> markerPosition() const;

public slots:
    // A double-click on chart 1 at `axisX`, in the axis's coordinates (a channel, or keV in both
    // energy modes): the selected row takes the channel there.
    void pickChannel(double axisX);
    // Whether chart 1's bottom axis shows energy (keV or MeV mode) rather than channels.
    void setAxisShowsEnergy(bool energy);
    // "E&nrgy Cal!".
    void calibrate();
    // "&Cancel" / "&Close": closes keeping the calibration as it stands.
    void cancel();
    // The frame's close box and Escape: asks first; Yes restores the points held on opening.
    void reject() override;

signals:
    void opened();
    void closed();
    // A calibration was applied: the ROI channels follow their energies, the spectrum is redrawn,
    // the energy-axis choices are enabled and, online, the fine-gain tool and fine tuning.
    void calibrationApplied();
    // The conversions may have changed (a fit, an order choice, a restore): axes, read-outs and
    // the fit display follow.
    void calibrationChanged();
    // The marker moved or disappeared; read markerPosition().
    void markerChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Host;
    struct RowWidgets {
        QRadioButton* selector = nullptr;
        QLineEdit* energy = nullptr;
        QLineEdit* channel = nullptr;
    };

    QWidget* buildRows();
    QWidget* buildFit();
    void connectRow(int row);
    void entryEdited(int row, bool energy, const QString& text);
    void selectRow(int row);
    void showRows();
    void showState();
    void showFit();
    bool live();
    void closeWindow();

    Application& m_app;
    std::unique_ptr<Host> m_host;
    std::unique_ptr<mca::EnergyCalWindow> m_logic;
    const DetectorRecord* m_record = nullptr;   // the record the logic was opened over
    bool m_axisShowsEnergy = false;
    std::array<RowWidgets, kCalibrationPointCount> m_rows;
    QRadioButton* m_linear = nullptr;
    QRadioButton* m_quadratic = nullptr;
    QPushButton* m_calibrate = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_linearEquation = nullptr;
    QLabel* m_linearFit = nullptr;
    QLabel* m_quadraticEquation = nullptr;
    QLabel* m_quadraticFit = nullptr;
};

}  // namespace mca::gui
