// The preset side panel.
#include "preset_panel.h"

#include "device/acquisition_presets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

namespace mca::gui {

namespace {

QSpinBox* presetField(QWidget* parent, const char* objectName) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(objectName);
    field->setRange(kMinPreset, kMaxPreset);
    // Committed on Enter, the arrows or leaving the field, never half-typed.
    field->setKeyboardTracking(false);
    return field;
}

}  // namespace

PresetPanel::PresetPanel(Workstation& w, QWidget* parent) : QWidget(parent), m_w(w) {
    setObjectName("pnlPresets");
    auto* grid = new QGridLayout(this);
    m_realTimeOn = new QCheckBox("Real Time (sec)", this);
    m_realTimeOn->setObjectName("chkPreSetRealTime");
    m_realTime = presetField(this, "intedtPreSetRealTime");
    grid->addWidget(m_realTimeOn, 0, 0);
    grid->addWidget(m_realTime, 0, 1);

    m_countsRow = new QWidget(this);
    auto* row = new QHBoxLayout(m_countsRow);
    row->setContentsMargins(0, 0, 0, 0);
    m_countsOn = new QCheckBox("Total Counts", m_countsRow);
    m_countsOn->setObjectName("chkPreSetCounts");
    m_counts = presetField(m_countsRow, "intedtPreSetCounts");
    row->addWidget(m_countsOn);
    row->addWidget(m_counts);
    grid->addWidget(m_countsRow, 1, 0, 1, 2);

    connect(m_realTime, &QSpinBox::valueChanged, this, [this](int v) {
        setPresetRealTime(m_w.state, v);
        refresh();
        emit presetsChanged();
    });
    connect(m_realTimeOn, &QCheckBox::toggled, this, [this](bool on) {
        setPresetRealTimeOn(m_w.state, on);
        refresh();
        emit presetsChanged();
    });
    connect(m_counts, &QSpinBox::valueChanged, this, [this](int v) {
        setPresetCounts(m_w.state, v);
        refresh();
        emit presetsChanged();
    });
    connect(m_countsOn, &QCheckBox::toggled, this, [this](bool on) {
        setPresetCountsOn(m_w.state, on);
        refresh();
        emit presetsChanged();
    });
    refresh();
}

void PresetPanel::setLocked(bool locked) {
    m_locked = locked;
    refresh();
}

void PresetPanel::refresh() {
    const AppState& st = m_w.state;
    const ScreenState& screen = m_w.screen;
    const QSignalBlocker b1(m_realTime), b2(m_realTimeOn), b3(m_counts), b4(m_countsOn);
    m_realTime->setValue(st.presetRealTime);
    m_realTimeOn->setChecked(st.presetRealTimeOn);
    m_counts->setValue(st.presetCounts);
    m_countsOn->setChecked(st.presetCountsOn);
    m_realTimeOn->setEnabled(!m_locked && !screen.presetRealTimeReadOnly);
    m_countsOn->setEnabled(!m_locked);
    m_realTime->setReadOnly(m_locked || screen.presetRealTimeReadOnly);
    m_counts->setReadOnly(m_locked);
    m_countsRow->setVisible(screen.presetCountsVisible && screen.advancedCommandsVisible);
}

}  // namespace mca::gui
