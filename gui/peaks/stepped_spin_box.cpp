// Spin steps by rule, and Enter reported.
#include "stepped_spin_box.h"

#include <QKeyEvent>

namespace mca::gui {

SteppedSpinBox::SteppedSpinBox(StepRule up, StepRule down, QWidget* parent)
    : QDoubleSpinBox(parent), m_up(std::move(up)), m_down(std::move(down)) {
    setDecimals(2);
    setKeyboardTracking(false);
}

void SteppedSpinBox::stepBy(int steps) {
    double v = value();
    for (; steps > 0; --steps) v = m_up(v);
    for (; steps < 0; ++steps) v = m_down(v);
    setValue(v);
    selectAll();
}

QAbstractSpinBox::StepEnabled SteppedSpinBox::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (value() < maximum()) enabled |= StepUpEnabled;
    if (value() > minimum()) enabled |= StepDownEnabled;
    return enabled;
}

void SteppedSpinBox::keyPressEvent(QKeyEvent* event) {
    QDoubleSpinBox::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) emit returnPressed();
}

}  // namespace mca::gui
