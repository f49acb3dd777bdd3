// The "Gain Stabilization Setup" window.
#include "gain_stabilization_window.h"

#include "panel_support.h"

#include "device/gain_stabilization.h"
#include "device/gain_stabilization_setup.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace mca::gui {

namespace {

QSpinBox* parameterField(QWidget* parent, const char* objectName, int maximum) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(objectName);
    field->setRange(0, maximum);
    return field;
}

QString ratioText(double ratio) { return QString::number(ratio, 'f', 3); }

}  // namespace

GainStabilizationWindow::GainStabilizationWindow(Workstation& w, const GainStabilization& stabilization,
                                                 QWidget* parent)
    : QDialog(parent), m_w(w), m_stabilization(stabilization) {
    setObjectName("frmGainStab");
    setWindowTitle("Gain Stabilization Setup");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_targetChannel = parameterField(this, "intedtGSTargetChn", kMaxStabilizationTargetChannel);
    m_plusMinus = parameterField(this, "intedtGSPlusMinus", kMaxStabilizationPlusMinus);
    m_targetSum = parameterField(this, "intedtGSTargetSum", kMaxStabilizationTargetSum);
    m_imbalance = parameterField(this, "intedtGSImbal", kMaxStabilizationImbalance);
    form->addRow("Target Channel", m_targetChannel);
    form->addRow("Plus/Minus Channels", m_plusMinus);
    form->addRow("Target Sum", m_targetSum);
    form->addRow("Allowed Imbalance (%)", m_imbalance);
    layout->addLayout(form);
    m_applied = new QCheckBox("Apply Auto Background Gain Stabilization", this);
    m_applied->setObjectName("chkAutoStab");
    layout->addWidget(m_applied);

    auto* show = new QPushButton("Show", this);
    show->setObjectName("btnShowTarget");
    connect(show, &QPushButton::clicked, this, [this] { emit showTargetChannel(m_targetChannel->value()); });
    layout->addWidget(show);

    m_counts = new QLabel(this);
    m_counts->setObjectName("lblGSCounts");
    m_range = new QLabel(this);
    m_range->setObjectName("lblGSRange");
    layout->addWidget(m_counts);
    layout->addWidget(m_range);
    m_showMessages = new QCheckBox("Show auto gain stabilization messages (debug)", this);
    m_showMessages->setObjectName("chkGSMessages");
    m_messages = new QListWidget(this);
    m_messages->setObjectName("lstGSMessages");
    connect(m_showMessages, &QCheckBox::toggled, this, [this] { refresh(); });
    layout->addWidget(m_showMessages);
    layout->addWidget(m_messages, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("btnOK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("btnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &GainStabilizationWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    load();
    refresh();
}

void GainStabilizationWindow::load() {
    const GainStabilizationSetup s = GainStabilizationSetup::fromSettings(m_w.settings);
    m_targetChannel->setValue(s.targetChannel);
    m_plusMinus->setValue(s.plusMinus);
    m_targetSum->setValue(s.targetSum);
    m_imbalance->setValue(s.imbalance);
    m_applied->setChecked(s.applied);
}

GainStabilizationSetup GainStabilizationWindow::setup() const {
    return GainStabilizationSetup{m_targetChannel->value(), m_plusMinus->value(), m_targetSum->value(),
                                  m_imbalance->value(), m_applied->isChecked()};
}

void GainStabilizationWindow::accept() {
    setup().storeInto(m_w.settings);
    emit setupStored();
    QDialog::accept();
}

void GainStabilizationWindow::refresh() {
    m_counts->setText(QString("Evaluations: %1   Adjustments: %2")
                          .arg(m_stabilization.evaluations())
                          .arg(m_stabilization.adjustments()));
    m_range->setText(QString("Fine gain reached: %1 to %2")
                         .arg(ratioText(m_stabilization.lowestRatio()), ratioText(m_stabilization.highestRatio())));
    const bool show = m_showMessages->isChecked();
    m_messages->setVisible(show);
    if (!show) return;
    const std::vector<std::string>& log = m_stabilization.messages();
    if (m_messages->count() > static_cast<int>(log.size())) m_messages->clear();
    for (std::size_t i = static_cast<std::size_t>(m_messages->count()); i < log.size(); ++i) m_messages->addItem(qs(log[i]));
}

}  // namespace mca::gui
