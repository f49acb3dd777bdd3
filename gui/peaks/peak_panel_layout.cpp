// The peak panel's controls and their layout; object names are the control names operators and
// scripts know (fltedtSensitivity, spdbtnCentroidUp, chkShowGaussFit ...).
#include "peak_panel.h"

#include "stepped_spin_box.h"

#include "analysis/found_peak.h"
#include "analysis/peak_search_settings.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace mca::gui {

namespace {

constexpr double kThresholdMax = 1000.0;   // Sensitivity and Significance: 0 .. 1000

template <typename T>
T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit* readOnlyField(QWidget* parent, const char* name) {
    auto* field = named(new QLineEdit(parent), name);
    field->setReadOnly(true);
    return field;
}

QDoubleSpinBox* spreadField(QWidget* parent, const char* name, double max, double step) {
    auto* field = named(new QDoubleSpinBox(parent), name);
    field->setRange(0, max);
    field->setDecimals(2);
    field->setSingleStep(step);
    field->setKeyboardTracking(false);
    return field;
}

}  // namespace

QGroupBox* PeakPanel::buildSearchBox() {
    auto* box = named(new QGroupBox(tr("Peak Search"), this), "grpPeakSearch");
    auto* form = new QFormLayout(box);
    m_sensitivity = named(new SteppedSpinBox(sensitivityStepUp, sensitivityStepDown, box), "fltedtSensitivity");
    m_sensitivity->setRange(0, kThresholdMax);
    form->addRow(tr("Sensitivity"), m_sensitivity);
    m_significance = named(new SteppedSpinBox(significanceStepUp, significanceStepDown, box), "fltedtMinSignificance");
    m_significance->setRange(0, kThresholdMax);
    form->addRow(tr("Significance"), m_significance);
    m_lowCutoff = named(new QSpinBox(box), "intLowCutoff");
    m_lowCutoff->setRange(0, 4095);
    m_lowCutoff->setKeyboardTracking(false);
    form->addRow(tr("Low Cutoff Chn"), m_lowCutoff);

    auto* buttons = new QGridLayout;
    m_find = named(new QPushButton(tr("Find &Peaks"), box), "btnFindPeaks");
    m_clear = named(new QPushButton(tr("C&lear Peaks"), box), "btnClearPeaks");
    m_report = named(new QPushButton(tr("&Report..."), box), "btnReport");
    m_defaults = named(new QPushButton(tr("Defa&ults"), box), "btnDefaults");
    buttons->addWidget(m_find, 0, 0);
    buttons->addWidget(m_clear, 0, 1);
    buttons->addWidget(m_report, 1, 0);
    buttons->addWidget(m_defaults, 1, 1);
    form->addRow(buttons);

    m_table = named(new QTableWidget(box), "advstrgrdPeaks");
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->setVisible(false);
    m_table->setMinimumHeight(140);
    form->addRow(m_table);
    return box;
}

QToolButton* PeakPanel::moveButton(PeakMove move, const QString& arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(peakMoveControl(move).data(),
                                              static_cast<qsizetype>(peakMoveControl(move).size())));
    button->setToolTip(QString::fromUtf8(peakMoveHint(move).data(), static_cast<qsizetype>(peakMoveHint(move).size())));
    button->setText(arrow);
    m_moves[static_cast<std::size_t>(move)] = button;
    connect(button, &QToolButton::clicked, this, [this, move] { movePeak(move); });
    return button;
}

QGroupBox* PeakPanel::buildEditBox() {
    auto* box = named(new QGroupBox(tr("Peak Edit"), this), "grpPeakEdit");
    auto* grid = new QGridLayout(box);
    auto* number = new QLabel(tr("Selected& Peak"), box);
    m_peakNumber = named(new QSpinBox(box), "intedtPeak");
    m_peakNumber->setRange(1, 1);
    m_peakNumber->setKeyboardTracking(false);
    number->setBuddy(m_peakNumber);
    grid->addWidget(number, 0, 0);
    grid->addWidget(m_peakNumber, 0, 1);

    // One row per thing moved: its energy and channel fields between its down and up buttons.
    struct Row {
        const char* caption;
        QLineEdit** keV;
        const char* keVName;
        QLineEdit** channel;
        const char* channelName;
        PeakMove downDown, down, up, upUp;
    };
    const Row rows[] = {
        {"Centroid", &m_centroidKeV, "fltedtCentroidkeV", &m_centroidChannel, "intedtCentroidChn",
         PeakMove::CentroidDownDown, PeakMove::CentroidDown, PeakMove::CentroidUp, PeakMove::CentroidUpUp},
        {"Left Edge", &m_leftKeV, "fltedtLeftEdgekeV", &m_leftChannel, "intedtLeftEdgeChn",
         PeakMove::LeftEdgeDownDown, PeakMove::LeftEdgeDown, PeakMove::LeftEdgeUp, PeakMove::LeftEdgeUpUp},
        {"Right Edge", &m_rightKeV, "fltedtRightEdgekeV", &m_rightChannel, "intedtRightEdgeChn",
         PeakMove::RightEdgeDownDown, PeakMove::RightEdgeDown, PeakMove::RightEdgeUp, PeakMove::RightEdgeUpUp},
    };
    int r = 1;
    for (const Row& row : rows) {
        grid->addWidget(new QLabel(tr(row.caption), box), r, 0);
        *row.keV = readOnlyField(box, row.keVName);
        *row.channel = readOnlyField(box, row.channelName);
        (*row.keV)->installEventFilter(this);
        auto* line = new QHBoxLayout;
        line->addWidget(moveButton(row.downDown, QStringLiteral("<<"), box));
        line->addWidget(moveButton(row.down, QStringLiteral("<"), box));
        line->addWidget(*row.keV);
        line->addWidget(*row.channel);
        line->addWidget(moveButton(row.up, QStringLiteral(">"), box));
        line->addWidget(moveButton(row.upUp, QStringLiteral(">>"), box));
        grid->addLayout(line, r, 1);
        ++r;
    }
    m_kill = named(new QPushButton(tr("&Kill Peak"), box), "btnKillPeak");
    m_allowEdit = named(new QCheckBox(tr("&Allow Edit"), box), "chkbxAllowPeakEdit");
    m_allowAdd = named(new QCheckBox(tr("&Double Click Adds Peak"), box), "chkbxAllowAddPeak");
    grid->addWidget(m_kill, r, 0);
    grid->addWidget(m_allowEdit, r, 1);
    grid->addWidget(m_allowAdd, r + 1, 1);
    return box;
}

QGroupBox* PeakPanel::buildIdentificationBox() {
    auto* box = named(new QGroupBox(tr("ID peak when library value is"), this), "grpIdentification");
    auto* grid = new QGridLayout(box);
    m_ruleKeV = named(new QRadioButton(QStringLiteral("±"), box), "rdokevError");
    m_keVSpread = spreadField(box, "fltedtkeVSpread", kSpreadMax, 1.0);
    m_rulePercent = named(new QRadioButton(QStringLiteral("±"), box), "rdoPercentError");
    m_percentSpread = spreadField(box, "fltedtPercentSpread", kSpreadMax, 1.0);
    m_ruleArea = named(new QRadioButton(tr("within a&rea"), box), "rdoWithinArea");
    m_ruleFwhm = named(new QRadioButton(tr("within FW&HM *"), box), "rdoWithinFWHM");
    m_fwhmMult = spreadField(box, "fltFWHMMult", kFwhmMultMax, kFwhmMultStep);
    m_fwhmMult->setMinimum(kFwhmMultMin);
    grid->addWidget(m_ruleKeV, 0, 0);
    grid->addWidget(m_keVSpread, 0, 1);
    grid->addWidget(new QLabel(tr("keV"), box), 0, 2);
    grid->addWidget(m_rulePercent, 1, 0);
    grid->addWidget(m_percentSpread, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("%"), box), 1, 2);
    grid->addWidget(m_ruleArea, 2, 0, 1, 3);
    grid->addWidget(m_ruleFwhm, 3, 0);
    grid->addWidget(m_fwhmMult, 3, 1);
    return box;
}

QGroupBox* PeakPanel::buildDisplayBox() {
    auto* box = named(new QGroupBox(tr("Display"), this), "grpPeakDisplay");
    auto* column = new QVBoxLayout(box);
    m_showFit = named(new QCheckBox(tr("Show Gauss Fit"), box), "chkShowGaussFit");
    m_show2nd = named(new QCheckBox(tr("2nd deriv line"), box), "chkbxShow2ndDerivative");
    m_showExpanded = named(new QCheckBox(tr("Show Expanded"), box), "chkShowExpanded");
    m_showLabels = named(new QCheckBox(tr("Show Peak Labels"), box), "chkShowPeakLabels");
    for (QCheckBox* check : {m_showFit, m_show2nd, m_showExpanded, m_showLabels}) column->addWidget(check);
    return box;
}

void PeakPanel::connectControls() {
    connect(m_find, &QPushButton::clicked, this, &PeakPanel::findPeaks);
    connect(m_sensitivity, &SteppedSpinBox::returnPressed, this, &PeakPanel::findPeaks);
    connect(m_clear, &QPushButton::clicked, this, &PeakPanel::clearPeaks);
    connect(m_report, &QPushButton::clicked, this, &PeakPanel::showReport);
    connect(m_defaults, &QPushButton::clicked, this, &PeakPanel::applyDefaults);
    connect(m_kill, &QPushButton::clicked, this, &PeakPanel::killPeak);
    for (QDoubleSpinBox* field : {static_cast<QDoubleSpinBox*>(m_sensitivity),
                                  static_cast<QDoubleSpinBox*>(m_significance), m_keVSpread, m_percentSpread}) {
        connect(field, &QDoubleSpinBox::valueChanged, this, [this] { readFieldsIntoSettings(); });
    }
    connect(m_lowCutoff, &QSpinBox::valueChanged, this, [this] { readFieldsIntoSettings(); });
    connect(m_fwhmMult, &QDoubleSpinBox::valueChanged, this, &PeakPanel::setFwhmMult);
    connect(m_peakNumber, &QSpinBox::valueChanged, this, &PeakPanel::selectPeak);
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0) selectPeak(row + 1);
    });
    const std::pair<QRadioButton*, IdWindowRule> rules[] = {
        {m_ruleKeV, IdWindowRule::KeV}, {m_rulePercent, IdWindowRule::Percent},
        {m_ruleArea, IdWindowRule::Area}, {m_ruleFwhm, IdWindowRule::Fwhm}};
    for (const auto& [button, rule] : rules) {
        connect(button, &QRadioButton::clicked, this, [this, rule = rule] { setRule(rule); });
    }
    connect(m_allowEdit, &QCheckBox::toggled, this, [this](bool on) {
        m_search.allowPeakEdit = on;
        refreshEditFields();
        refreshCharts();
    });
    connect(m_allowAdd, &QCheckBox::toggled, this, [this](bool on) { m_search.allowAddPeak = on; });
    const std::pair<QCheckBox*, bool PeakSearchSettings::*> overlays[] = {
        {m_showFit, &PeakSearchSettings::showGaussFit},
        {m_show2nd, &PeakSearchSettings::show2ndDerivative},
        {m_showExpanded, &PeakSearchSettings::showExpanded}};
    for (const auto& [check, member] : overlays) {
        connect(check, &QCheckBox::toggled, this, [this, member = member](bool on) {
            m_search.*member = on;
            refreshOverlay();
        });
    }
    connect(m_showLabels, &QCheckBox::toggled, this, [this] { refreshOverlay(); });
}

}  // namespace mca::gui
