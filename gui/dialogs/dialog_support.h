// What the dialog windows share: text conversion at the Qt edge, and the step that runs a dialog
// modally, which tests replace so that no test blocks in exec().
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <string>
#include <string_view>

namespace mca::gui {

inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string str(const QString& text) { return text.toStdString(); }

// Shows a dialog modally and returns its result code (QDialog::Accepted or Rejected).
using ModalRunner = std::function<int(QDialog&)>;

inline int execModal(QDialog& dialog) { return dialog.exec(); }

}  // namespace mca::gui
