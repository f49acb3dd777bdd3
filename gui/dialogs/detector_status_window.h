// The "Detector Status" window: the core's status lines, rebuilt by "&Update" and whenever the
// program asks (a detector was chosen for MCA 1). It is non-modal; the main window disables its
// menu entry while it is open and enables it again on closed().
#pragma once

#include "calibration/detector_status.h"

#include <QDialog>

#include <functional>

class QPlainTextEdit;

namespace mca {
class Application;
}

namespace mca::gui {

// The status values the application itself holds: the detectors of MCA 1 and MCA 2, the library
// file, whether an energy calibration is in force, and the live spectrum file. The ROI set, its
// efficiency calibration and the background and static spectra belong to other windows, which
// add them.
DetectorStatusInput applicationStatusInput(Application& app);

class DetectorStatusWindow : public QDialog {
    Q_OBJECT
public:
    // `gather` collects the values the lines are built from, each time the text is rebuilt.
    explicit DetectorStatusWindow(std::function<DetectorStatusInput()> gather, QWidget* parent = nullptr);

    // The text shown, one status line per line.
    QString text() const;

public slots:
    // "&Update": the lines again from what `gather` says now.
    void refresh();

signals:
    void closed();

protected:
    void done(int result) override;

private:
    std::function<DetectorStatusInput()> m_gather;
    QPlainTextEdit* m_text = nullptr;
};

}  // namespace mca::gui
