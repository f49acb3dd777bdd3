// The splash window.
#include "splash_window.h"

#include "core/screen_state.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace mca {

namespace {
constexpr int kFollowMs = 50;
}

SplashWindow::SplashWindow(const ScreenState& screen, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint),
      m_screen(screen),
      m_caption(new QLabel(this)),
      m_version(new QLabel(this)),
      m_text(new QLabel(this)),
      m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("frmSplash"));
    m_caption->setObjectName(QStringLiteral("lblSplashCaption"));
    m_version->setObjectName(QStringLiteral("lblSplashVersion"));
    m_text->setObjectName(QStringLiteral("lblSplashText"));
    QFont big = m_caption->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    m_caption->setFont(big);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(30, 24, 30, 24);
    for (QLabel* label : {m_caption, m_version, m_text}) {
        label->setAlignment(Qt::AlignCenter);
        column->addWidget(label);
    }
    setMinimumSize(420, 160);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::update);
}

void SplashWindow::follow() {
    update();
    show();
    m_timer->start(kFollowMs);
}

void SplashWindow::stop() {
    m_timer->stop();
    hide();
}

void SplashWindow::update() {
    m_caption->setText(QString::fromStdString(m_screen.splashCaption.empty() ? m_screen.caption : m_screen.splashCaption));
    m_version->setText(QString::fromStdString(m_screen.splashVersion));
    m_text->setText(QString::fromStdString(m_screen.splashText));
}

}  // namespace mca
