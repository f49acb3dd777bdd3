// The fine-tune tool's window: the nuclide and line lists from the loaded library, "&Fine Tune"
// and "&Cancel", and the label and progress the core's FineTune reports. The procedure, its
// questions and its messages are the core's; the window passes the choice and the presses on.
#pragma once

// Qt's headers come first: moc cannot parse the standard library's concepts (<compare>) unless
// Qt has been read before them.
#include <QDialog>

#include "device/fine_tune.h"
#include "library/nuclide_library.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace mca::gui {

class FineTuneWindow : public QDialog {
    Q_OBJECT

public:
    // `tool` and `library` must outlive the window. The tool is opened by whoever shows the window.
    FineTuneWindow(FineTune& tool, const NuclideLibrary& library, QWidget* parent = nullptr);

    // Shows the tool's label, button state and progress; the main window calls it after each tick
    // while a run is in progress. Hides the window once the tool has closed.
    void refresh();

public slots:
    // "&Fine Tune": runs the procedure; returns when it has ended.
    void fineTune();
    // "&Cancel".
    void cancel();

signals:
    // The tool closed: the main window is enabled again and the presets are restored.
    void toolClosed();

protected:
    // Each opening lists the library as it is loaded now.
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void listNuclides();
    void listLines(const QString& nuclide);

    FineTune& m_tool;
    const NuclideLibrary& m_library;
    QComboBox* m_nuclides = nullptr;
    QComboBox* m_lines = nullptr;
    QPushButton* m_fineTune = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_label = nullptr;
    QLabel* m_progress = nullptr;
};

}  // namespace mca::gui
