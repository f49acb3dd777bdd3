// The two dialogs of the library editor: "Add Photon Energy Line" and "Add New Isotope to
// Library". They only collect the entries; the editor model checks and adds them.
#pragma once

#include "library/library_editor.h"

#include <QDialog>
#include <functional>

class QLineEdit;
class QComboBox;

namespace mca {

class AddLineDialog : public QDialog {
    Q_OBJECT
public:
    // `add` is called on "Add to Library"; the dialog closes when it returns true.
    AddLineDialog(const QString& nuclide, std::function<bool(const AddLineInput&)> add, QWidget* parent = nullptr);
    AddLineInput input() const;

private:
    QLineEdit* m_energy;
    QLineEdit* m_yield;
    QLineEdit* m_comments;
};

class AddNuclideDialog : public QDialog {
    Q_OBJECT
public:
    AddNuclideDialog(std::function<bool(const AddNuclideInput&)> add, QWidget* parent = nullptr);
    AddNuclideInput input() const;

private:
    QLineEdit* m_abbreviation;
    QLineEdit* m_element;
    QLineEdit* m_halfLife;
    QComboBox* m_units;
    QLineEdit* m_energy;
    QLineEdit* m_yield;
    QLineEdit* m_comments;
};

}  // namespace mca
