// The splash window of the start sequence: the caption, "Interface Version ... BETA" and the
// feedback line, followed from the core's screen state while the start runs.
#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace mca {

struct ScreenState;

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(const ScreenState& screen, QWidget* parent = nullptr);
    // Shows the current texts now; a timer keeps them current while events run (every pause of
    // the start sequence lets it fire).
    void follow();
    void stop();

private:
    void update();

    const ScreenState& m_screen;
    QLabel* m_caption;
    QLabel* m_version;
    QLabel* m_text;
    QTimer* m_timer;
};

}  // namespace mca
