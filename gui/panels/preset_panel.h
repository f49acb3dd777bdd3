// The preset side panel: the real-time preset `intedtPreSetRealTime` and the total-counts preset,
// each with the check box that arms it. Edits go straight into AppState through the core's preset
// commands; the tick compares against them from the next second on. The field station's real-time
// preset is always armed, and the counts preset is hidden there and in the simplified mode.
#pragma once

// Qt's headers come first: moc cannot parse the standard library's concepts (<compare>) unless
// Qt has been read before them.
#include <QWidget>

#include "core/workstation.h"

class QCheckBox;
class QSpinBox;

namespace mca::gui {

class PresetPanel : public QWidget {
    Q_OBJECT

public:
    // `w` must outlive the panel.
    explicit PresetPanel(Workstation& w, QWidget* parent = nullptr);

    // Shows AppState's presets and the ScreenState rules again; the main window calls it after
    // each tick and after anything else (a script, fine tuning, the field-station options) that
    // changes the presets.
    void refresh();

    // A series of sequential spectra owns the presets while it runs: the check boxes are disabled
    // and the fields read-only until it ends.
    void setLocked(bool locked);

signals:
    // The operator changed a preset.
    void presetsChanged();

private:
    Workstation& m_w;
    QSpinBox* m_realTime = nullptr;
    QCheckBox* m_realTimeOn = nullptr;
    QWidget* m_countsRow = nullptr;
    QSpinBox* m_counts = nullptr;
    QCheckBox* m_countsOn = nullptr;
    bool m_locked = false;
};

}  // namespace mca::gui
