// Small helpers the side panels share: core texts into Qt strings, the pending-edit marker, and
// the boundary where a command's unexpected failure reaches the operator instead of Qt's loop.
#pragma once

#include <QString>
#include <QStyle>
#include <QWidget>

#include "core/workstation.h"

#include <exception>
#include <string>
#include <string_view>

namespace mca::gui {

inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

inline std::string text(const QString& s) { return s.toStdString(); }

// An edited field waiting for its Set button carries the dynamic property "pending", which the
// panel's style sheet paints; tests read the property.
inline void markPending(QWidget* field, bool pending) {
    if (field->property("pending").toBool() == pending) return;
    field->setProperty("pending", pending);
    field->style()->unpolish(field);
    field->style()->polish(field);
}

// Runs one operator command. The core reports the failures it expects itself; anything else is
// shown with its reason rather than lost in the event loop.
template <typename Command>
void runCommand(Workstation& w, Command&& command) {
    try {
        command();
    } catch (const std::exception& e) {
        w.op().message(e.what(), std::string(w.state.edition.windowCaption), MessageKind::Error);
    }
}

}  // namespace mca::gui
