// A floating-point entry whose spin buttons step by a rule of the value (the peak panel's
// Sensitivity and Significance thresholds step by 0.01, 0.1 or 1 depending on where they stand),
// and that reports the Enter key.
#pragma once

#include <QDoubleSpinBox>

#include <functional>

namespace mca::gui {

class SteppedSpinBox : public QDoubleSpinBox {
    Q_OBJECT
public:
    using StepRule = std::function<double(double value)>;

    // `up` and `down` give the value after one step.
    SteppedSpinBox(StepRule up, StepRule down, QWidget* parent = nullptr);

    void stepBy(int steps) override;

signals:
    void returnPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    StepEnabled stepEnabled() const override;

private:
    StepRule m_up;
    StepRule m_down;
};

}  // namespace mca::gui
