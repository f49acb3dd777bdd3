// Filling fields for the set command of a UI script.
#include "ui_field_setter.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextEdit>

#include <optional>

namespace mca {

namespace {

std::optional<bool> readFlag(const QString& value) {
    const QString v = value.trimmed().toLower();
    if (v == QLatin1String("1") || v == QLatin1String("true")) return true;
    if (v == QLatin1String("0") || v == QLatin1String("false")) return false;
    return std::nullopt;
}

std::string setLineEdit(QLineEdit& edit, const QString& value) {
    edit.setText(value);
    emit edit.editingFinished();
    emit edit.returnPressed();
    return {};
}

std::string setSpinBox(QAbstractSpinBox& box, const QString& value) {
    bool ok = true;
    if (auto* spin = qobject_cast<QSpinBox*>(&box)) {
        const int n = value.trimmed().toInt(&ok);
        if (ok) spin->setValue(n);
    } else if (auto* real = qobject_cast<QDoubleSpinBox*>(&box)) {
        const double x = value.trimmed().toDouble(&ok);
        if (ok) real->setValue(x);
    } else if (auto* edit = box.findChild<QLineEdit*>()) {
        // Date, time and other spin boxes read their own text.
        edit->setText(value);
        box.interpretText();
    }
    if (!ok) return "not a number: " + value.toStdString();
    emit box.editingFinished();
    return {};
}

std::string setComboBox(QComboBox& combo, const QString& value) {
    int index = combo.findText(value);
    if (index < 0 && combo.isEditable()) {
        combo.setEditText(value);
        return {};
    }
    if (index < 0) {
        bool ok = false;
        index = value.trimmed().toInt(&ok);
        if (!ok || index < 0 || index >= combo.count()) return "no such item: " + value.toStdString();
    }
    combo.setCurrentIndex(index);
    // A choice by hand also sends these; windows often listen to them alone.
    emit combo.activated(index);
    emit combo.textActivated(combo.itemText(index));
    return {};
}

std::string setCheckable(QAbstractButton& button, const QString& value) {
    const auto flag = readFlag(value);
    if (!flag) return "not 1, 0, true or false: " + value.toStdString();
    if (button.isChecked() == *flag) return {};
    // A click sends what a click by hand sends; a radio button is cleared by setting it, as a
    // click would not clear it.
    if (*flag || qobject_cast<QCheckBox*>(&button)) button.click();
    else button.setChecked(false);
    return {};
}

}  // namespace

std::string setFieldValue(QWidget& widget, const std::string& value) {
    const QString v = QString::fromStdString(value);
    if (auto* edit = qobject_cast<QLineEdit*>(&widget)) return setLineEdit(*edit, v);
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(&widget)) return setSpinBox(*spin, v);
    if (auto* combo = qobject_cast<QComboBox*>(&widget)) return setComboBox(*combo, v);
    if (qobject_cast<QCheckBox*>(&widget) || qobject_cast<QRadioButton*>(&widget))
        return setCheckable(*static_cast<QAbstractButton*>(&widget), v);
    const QString text = QString(v).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    if (auto* plain = qobject_cast<QPlainTextEdit*>(&widget)) {
        plain->setPlainText(text);
        return {};
    }
    if (auto* rich = qobject_cast<QTextEdit*>(&widget)) {
        rich->setPlainText(text);
        return {};
    }
    return std::string("cannot fill a ") + widget.metaObject()->className();
}

}  // namespace mca
