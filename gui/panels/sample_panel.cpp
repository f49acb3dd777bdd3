// The sample panel.
#include "sample_panel.h"

#include "panel_support.h"

#include "core/sample_data.h"
#include "spectrumio/sample_commands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace mca::gui {

SamplePanel::SamplePanel(Application& app, QWidget* parent) : QWidget(parent), m_app(app) {
    setObjectName("pnlSample");
    auto* grid = new QGridLayout(this);
    m_description = new QLineEdit(this);
    m_description->setObjectName("edtSampleDescription");
    grid->addWidget(new QLabel("Sample Description", this), 0, 0);
    grid->addWidget(m_description, 0, 1, 1, 2);

    m_useQuantity = new QCheckBox("Us&e Sample Quantity", this);
    m_useQuantity->setObjectName("chkUseSampleQuantity");
    m_quantity = new QLineEdit(this);
    m_quantity->setObjectName("fltedtSampleQuantity");
    m_units = new QComboBox(this);
    m_units->setObjectName("cmbSampleUnits");
    for (std::string_view unit : kSampleUnits) m_units->addItem(qs(unit));
    grid->addWidget(m_useQuantity, 1, 0);
    grid->addWidget(m_quantity, 1, 1);
    grid->addWidget(m_units, 1, 2);

    auto* clear = new QPushButton("Clea&r Fields", this);
    clear->setObjectName("btnClearSampleFields");
    auto* save = new QPushButton("Sa&ve Spectrum", this);
    save->setObjectName("btnSaveSpectrum");
    grid->addWidget(clear, 2, 1);
    grid->addWidget(save, 2, 2);

    Workstation& w = m_app.workstation();
    connect(m_description, &QLineEdit::textEdited, this, [this, &w](const QString& t) {
        setSampleDescription(w, text(t));
        changed();
    });
    connect(m_useQuantity, &QCheckBox::toggled, this, [this, &w](bool on) {
        setUseSampleQuantity(w, on);
        changed();
    });
    connect(m_quantity, &QLineEdit::editingFinished, this, &SamplePanel::commitQuantity);
    connect(m_units, &QComboBox::currentTextChanged, this, [this, &w](const QString& unit) {
        setSampleUnits(w, text(unit));
        changed();
    });
    connect(clear, &QPushButton::clicked, this, [this, &w] {
        clearSampleFields(w);
        changed();
    });
    connect(save, &QPushButton::clicked, this, [this, &w] {
        runCommand(w, [this] { m_app.saveSpectrumAs(); });
        changed();
    });
    refresh();
}

void SamplePanel::commitQuantity() {
    // Leaving the field untouched changes nothing; what is not a number is refused and the field
    // goes back to the quantity in force.
    if (!m_quantity->isModified()) return;
    m_quantity->setModified(false);
    setSampleQuantity(m_app.workstation(), text(m_quantity->text()));
    changed();
}

void SamplePanel::changed() {
    refresh();
    emit sampleChanged();
}

void SamplePanel::refresh() {
    const Workstation& w = m_app.workstation();
    const SampleData& sample = w.sample;
    const QSignalBlocker b1(m_description), b2(m_useQuantity), b3(m_quantity), b4(m_units);
    if (m_description->text() != qs(sample.description)) m_description->setText(qs(sample.description));
    if (m_quantity->text() != qs(sample.quantity)) m_quantity->setText(qs(sample.quantity));
    m_useQuantity->setChecked(sample.useQuantity);
    m_units->setCurrentText(qs(w.settings.sampleUnits));
    m_quantity->setEnabled(sample.useQuantity);
    m_units->setEnabled(sample.useQuantity);
}

}  // namespace mca::gui
