// The "ECal Fit..." window.
#include "energy_fit_window.h"

#include "app/application.h"
#include "calibration/energy_fit_display.h"

#include <qcustomplot.h>

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace mca {

namespace {

QLabel* namedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QVector<double> channelsUpTo(std::size_t count) {
    QVector<double> x(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i) x[static_cast<qsizetype>(i)] = static_cast<double>(i);
    return x;
}

QVector<double> values(const std::vector<double>& v) { return QVector<double>(v.begin(), v.end()); }

}  // namespace

EnergyFitWindow::EnergyFitWindow(Application& app, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_plot(new QCustomPlot(this)),
      m_linearEquation(namedLabel("lblLinearEquation", this)),
      m_linearFit(namedLabel("lblLinearFit", this)),
      m_quadraticEquation(namedLabel("lblQuadraticEquation", this)),
      m_quadraticFit(namedLabel("lblQuadraticFit", this)) {
    setObjectName(QStringLiteral("TfrmCalFit"));
    setWindowTitle(QStringLiteral("ECal Fit"));
    m_plot->setObjectName(QStringLiteral("chtCalFit"));
    m_plot->setMinimumSize(480, 320);
    m_plot->xAxis->setLabel(QStringLiteral("Channel"));
    m_plot->yAxis->setLabel(QStringLiteral("keV"));
    m_plot->addGraph();   // the stored points
    m_plot->graph(0)->setLineStyle(QCPGraph::lsNone);
    m_plot->graph(0)->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, 7));
    m_plot->addGraph();   // the line
    m_plot->graph(1)->setPen(QPen(Qt::blue));
    m_plot->addGraph();   // the parabola
    m_plot->graph(2)->setPen(QPen(Qt::red));

    auto* linear = new QRadioButton(QStringLiteral("Lin Y-Axis"), this);
    auto* logarithmic = new QRadioButton(QStringLiteral("Log Y-Axis"), this);
    linear->setChecked(true);
    connect(logarithmic, &QRadioButton::toggled, this, &EnergyFitWindow::setLogarithmic);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_plot, 0, 0, 1, 3);
    grid->addWidget(m_linearEquation, 1, 0);
    grid->addWidget(m_linearFit, 1, 1);
    grid->addWidget(linear, 1, 2);
    grid->addWidget(m_quadraticEquation, 2, 0);
    grid->addWidget(m_quadraticFit, 2, 1);
    grid->addWidget(logarithmic, 2, 2);
    grid->addWidget(close, 3, 2);
    refresh();
}

void EnergyFitWindow::refresh() {
    const EnergyCalibration& cal = m_app.energyCalibration();
    const EnergyFitTexts texts = energyFitTexts(cal);
    m_linearEquation->setText(QString::fromStdString(texts.linearEquation));
    m_linearFit->setText(QString::fromStdString(texts.linearFit));
    m_quadraticEquation->setText(QString::fromStdString(texts.quadraticEquation));
    m_quadraticFit->setText(QString::fromStdString(texts.quadraticFit));

    const int channels = m_app.workstation().state.channelCount;
    const EnergyFitPlot fit = energyFitPlot(cal, SelectedRecord(m_app.detectors(), 1), channels);
    QVector<double> pointChannels;
    QVector<double> pointKeV;
    for (const EnergyPoint& p : fit.points) {
        pointChannels.push_back(p.channel);
        pointKeV.push_back(p.keV);
    }
    m_plot->graph(0)->setData(pointChannels, pointKeV);
    m_plot->graph(1)->setData(channelsUpTo(fit.linearKeV.size()), values(fit.linearKeV));
    m_plot->graph(2)->setData(channelsUpTo(fit.quadraticKeV.size()), values(fit.quadraticKeV));
    m_plot->xAxis->setRange(0, channels);
    const double top = fit.axisMaxKeV.value_or(1.0);
    m_plot->yAxis->setRange(m_plot->yAxis->scaleType() == QCPAxis::stLogarithmic ? 1.0 : 0.0, top > 1.0 ? top : 1.0);
    m_plot->replot();
}

void EnergyFitWindow::setLogarithmic(bool on) {
    m_plot->yAxis->setScaleType(on ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    if (on) m_plot->yAxis->setTicker(QSharedPointer<QCPAxisTickerLog>(new QCPAxisTickerLog));
    else m_plot->yAxis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    refresh();
}

QString EnergyFitWindow::text(const char* label) const {
    const auto* found = findChild<QLabel*>(QString::fromLatin1(label));
    return found ? found->text() : QString();
}

}  // namespace mca
