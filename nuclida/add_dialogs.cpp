// The library editor's two add dialogs.
#include "add_dialogs.h"

#include "library/editor_captions.h"
#include "library/library_table.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mca {

namespace {

namespace cap = editor_caption;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

QLineEdit* field(QWidget* parent, const char* objectName) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(objectName);
    return e;
}

// "Add to Library" calls `accept` and closes on success; "&Cancel" closes.
QDialogButtonBox* addButtons(QDialog* dialog, std::function<bool()> accept) {
    auto* box = new QDialogButtonBox(dialog);
    auto* add = box->addButton(qs(cap::kAddToLibrary), QDialogButtonBox::AcceptRole);
    add->setObjectName("btnAddToLibrary");
    auto* cancel = box->addButton(qs(cap::kCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName("btnCancel");
    QObject::connect(add, &QPushButton::clicked, dialog, [dialog, accept] {
        if (accept()) dialog->accept();
    });
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return box;
}

}  // namespace

AddLineDialog::AddLineDialog(const QString& nuclide, std::function<bool(const AddLineInput&)> add, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(qs(cap::kAddLineTitle));
    setObjectName("dlgAddEnergy");
    auto* form = new QFormLayout;
    auto* isotope = field(this, "edtIsotope");
    isotope->setText(nuclide);
    isotope->setReadOnly(true);
    m_energy = field(this, "edtEnergy");
    m_yield = field(this, "edtYield");
    m_comments = field(this, "edtComments");
    form->addRow(qs(cap::kIsotope), isotope);
    form->addRow(qs(cap::kEnergy), m_energy);
    form->addRow(qs(cap::kYield), m_yield);
    form->addRow(qs(cap::kComments), m_comments);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(addButtons(this, [this, add] { return add(input()); }));
}

AddLineInput AddLineDialog::input() const {
    return {m_energy->text().toStdString(), m_yield->text().toStdString(), m_comments->text().toStdString()};
}

AddNuclideDialog::AddNuclideDialog(std::function<bool(const AddNuclideInput&)> add, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(qs(cap::kAddNuclideTitle));
    setObjectName("dlgAddIsotope");
    m_abbreviation = field(this, "edtAbbreviation");
    m_element = field(this, "edtElementName");
    m_halfLife = field(this, "edtHalfLife");
    m_units = new QComboBox(this);
    m_units->setObjectName("cmbUnits");
    m_units->addItem(QString());
    for (std::string_view unit : kHalfLifeUnits) m_units->addItem(qs(unit));
    m_energy = field(this, "edtEnergy");
    m_yield = field(this, "edtYield");
    m_comments = field(this, "edtComments");
    auto* form = new QFormLayout;
    form->addRow(qs(cap::kAbbreviation), m_abbreviation);
    form->addRow(qs(cap::kElementName), m_element);
    form->addRow(qs(cap::kHalfLife), m_halfLife);
    form->addRow(qs(cap::kUnits), m_units);
    form->addRow(qs(cap::kEnergy), m_energy);
    form->addRow(qs(cap::kYield), m_yield);
    form->addRow(qs(cap::kComments), m_comments);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(addButtons(this, [this, add] { return add(input()); }));
}

AddNuclideInput AddNuclideDialog::input() const {
    return {m_abbreviation->text().toStdString(), m_element->text().toStdString(), m_halfLife->text().toStdString(),
            m_units->currentText().toStdString(),  m_energy->text().toStdString(),  m_yield->text().toStdString(),
            m_comments->text().toStdString()};
}

}  // namespace mca
