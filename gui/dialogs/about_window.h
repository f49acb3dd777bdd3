// The Help menu's windows. "&About..." shows the About window (the edition's product name and the
// interface and firmware versions) through the core's showAbout, which asks first and stops and
// restarts a running acquisition. "Help..." and "&Version Information..." need no window: they are
// the core's openHelp (the manual through the Desktop) and showVersionInformation (a message
// through the Operator).
#pragma once

#include "core/help_commands.h"
#include "dialogs/dialog_support.h"

#include <QDialog>

namespace mca {
class Application;
}

namespace mca::gui {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(const AboutTexts& texts, QWidget* parent = nullptr);
};

// "&About...": the About window, modal, parented to `parent`.
void showAboutWindow(Application& app, QWidget* parent, const ModalRunner& runModal = execModal);

}  // namespace mca::gui
