// The sample panel: the description of the measured sample and, when used, its quantity and
// units, written into every spectrum file and report header. Edits go to the core's sample
// commands, which also mark the spectrum unsaved; "Clea&r Fields" and "Sa&ve Spectrum" are the
// core's commands too.
#pragma once

// Qt's headers come first: moc cannot parse the standard library's concepts (<compare>) unless
// Qt has been read before them.
#include <QWidget>

#include "app/application.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace mca::gui {

class SamplePanel : public QWidget {
    Q_OBJECT

public:
    // `app` must outlive the panel.
    explicit SamplePanel(Application& app, QWidget* parent = nullptr);

    // Shows the core's sample data again, for instance after a spectrum file or a script set them.
    void refresh();

signals:
    // The sample data or the spectrum file changed: the "Spectrum Not Saved!" warning and the file
    // name label follow.
    void sampleChanged();

private:
    void commitQuantity();
    void changed();

    Application& m_app;
    QLineEdit* m_description = nullptr;
    QCheckBox* m_useQuantity = nullptr;
    QLineEdit* m_quantity = nullptr;
    QComboBox* m_units = nullptr;
};

}  // namespace mca::gui
