// The display and colour menus of the main window: each item is one chart command; check marks
// and choice groups mirror the settings the charts keep in the core.
#include "main_window.h"

#include "chart/chart_area.h"

#include "app/application.h"

#include <QActionGroup>
#include <QMenuBar>

namespace mca {

namespace {

// A group of checkable items of which one is on, each calling its command.
QActionGroup* choiceGroup(QObject* parent) {
    auto* group = new QActionGroup(parent);
    group->setExclusive(true);
    return group;
}

QAction* addChoice(QMenu* menu, QActionGroup* group, const QString& caption, bool checked) {
    QAction* a = menu->addAction(caption);
    a->setCheckable(true);
    a->setChecked(checked);
    group->addAction(a);
    return a;
}

}  // namespace

void MainWindow::buildDisplayMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Display"));
    ChartArea* charts = m_charts;

    QActionGroup* xAxis = choiceGroup(this);
    connect(addChoice(menu, xAxis, QStringLiteral("Show X Axis as Channels"), true), &QAction::triggered, charts,
            &ChartArea::showXAxisAsChannels);
    QAction* keV = addChoice(menu, xAxis, QStringLiteral("Show X Axis as Energy (keV)"), false);
    QAction* meV = addChoice(menu, xAxis, QStringLiteral("Show X Axis as Energy (MeV)"), false);
    connect(keV, &QAction::triggered, charts, &ChartArea::showXAxisAsKeV);
    connect(meV, &QAction::triggered, charts, &ChartArea::showXAxisAsMeV);
    m_energyAxis = {keV, meV};
    m_xAxisGroup = xAxis;
    menu->addSeparator();
    addScaleAndSmoothingItems(menu);
    addTraceItems(menu);
    addAxesItems(menu);

    menu->addSeparator();
    QAction* undo = menu->addAction(QStringLiteral("Undo &Zoom"));
    connect(undo, &QAction::triggered, charts, &ChartArea::undoZoom);
    QAction* full = menu->addAction(QStringLiteral("Full Screen"));
    full->setCheckable(true);
    connect(full, &QAction::toggled, this, [this](bool on) {
        m_sidePanel->setVisible(!on);
        m_charts->setFullScreen(on);
    });
}

void MainWindow::addScaleAndSmoothingItems(QMenu* menu) {
    ChartArea* charts = m_charts;
    const Settings& s = m_app.workstation().settings;
    QActionGroup* yAxis = choiceGroup(this);
    const bool log = s.yAxis == YAxisScale::Logarithmic;
    connect(addChoice(menu, yAxis, QStringLiteral("Li&near Y Axis"), !log), &QAction::triggered, charts,
            &ChartArea::setLinearYAxis);
    connect(addChoice(menu, yAxis, QStringLiteral("Lo&garithmic Y Axis"), log), &QAction::triggered, charts,
            &ChartArea::setLogarithmicYAxis);
    menu->addSeparator();

    QMenu* smoothing = menu->addMenu(QStringLiteral("Smoothing"));
    QActionGroup* factors = choiceGroup(this);
    for (int f : kSmoothFactors) {
        QAction* a = addChoice(smoothing, factors, QString::number(f), s.smoothFactor == f);
        a->setObjectName(QStringLiteral("rbSmooth%1").arg(f));
        connect(a, &QAction::triggered, charts, [charts, f] { charts->setSmoothFactor(f); });
    }
}

// The check items of the traces, then the two style submenus.
void MainWindow::addTraceItems(QMenu* menu) {
    ChartArea* charts = m_charts;
    const Settings& s = m_app.workstation().settings;
    auto toggle = [&](const QString& caption, bool on, auto slot) {
        QAction* a = menu->addAction(caption);
        a->setCheckable(true);
        a->setChecked(on);
        connect(a, &QAction::toggled, charts, slot);
        return a;
    };
    m_advanced.push_back(toggle(QStringLiteral("Show &Background Subtracted"), false, &ChartArea::setBackgroundSubtracted));
    toggle(QStringLiteral("Show R&OIs"), s.showRois, &ChartArea::setShowRois);
    m_advanced.push_back(toggle(QStringLiteral("Sho&w Static Spectrum"), false, &ChartArea::setShowStatic));
    toggle(QStringLiteral("Spectrum Quick Grow"), s.quickGrow, &ChartArea::setQuickGrow);
    toggle(QStringLiteral("Persist"), s.persist, &ChartArea::setPersist);
    menu->addSeparator();

    const std::pair<const char*, TraceStyle> styles[] = {
        {"&Line", TraceStyle::Line}, {"&Bars", TraceStyle::Bars}, {"&Pixels", TraceStyle::Pixels}};
    QMenu* mainStyle = menu->addMenu(QStringLiteral("Show &Main Spectrum as..."));
    QMenu* staticStyle = menu->addMenu(QStringLiteral("Show &Static Spectrum As..."));
    QActionGroup* mainGroup = choiceGroup(this);
    QActionGroup* staticGroup = choiceGroup(this);
    for (const auto& [caption, style] : styles) {
        connect(addChoice(mainStyle, mainGroup, QString::fromUtf8(caption), s.mainTraceStyle == style),
                &QAction::triggered, charts, [charts, style = style] { charts->setMainTraceStyle(style); });
        connect(addChoice(staticStyle, staticGroup, QString::fromUtf8(caption), s.staticTraceStyle == style),
                &QAction::triggered, charts, [charts, style = style] { charts->setStaticTraceStyle(style); });
    }
    m_advanced.push_back(mainStyle->menuAction());
    m_advanced.push_back(staticStyle->menuAction());
}

void MainWindow::addAxesItems(QMenu* menu) {
    ChartArea* charts = m_charts;
    const Settings& s = m_app.workstation().settings;
    QMenu* axes = menu->addMenu(QStringLiteral("Axes"));
    QAction* display = axes->addAction(QStringLiteral("Display"));
    display->setCheckable(true);
    display->setChecked(s.displayChecked);
    QActionGroup* grid = choiceGroup(this);
    QAction* withGrid = addChoice(axes, grid, QStringLiteral("Show Grid and Axis Labels"), s.showGridChecked);
    QAction* justLabels = addChoice(axes, grid, QStringLiteral("Show Just Axis Labels"), !s.showGridChecked);
    connect(withGrid, &QAction::triggered, charts, &ChartArea::showGridAndAxisLabels);
    connect(justLabels, &QAction::triggered, charts, &ChartArea::showJustAxisLabels);
    connect(display, &QAction::toggled, this, [charts, withGrid, justLabels](bool on) {
        charts->setAxesDisplayed(on);
        withGrid->setEnabled(on);
        justLabels->setEnabled(on);
    });
    m_advanced.push_back(axes->menuAction());
}

void MainWindow::buildColourMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Colors"));
    m_advanced.push_back(menu->menuAction());
    ChartArea* charts = m_charts;
    const std::pair<const char*, void (ChartArea::*)()> items[] = {
        {"&Main Spectrum Color...", &ChartArea::chooseMainSpectrumColour},
        {"&Static Spectrum Color...", &ChartArea::chooseStaticSpectrumColour},
        {"&Background Color...", &ChartArea::chooseBackgroundColour},
        {"&ROI Color...", &ChartArea::chooseRoiColour},
        {"S&elected ROI Color...", &ChartArea::chooseSelectedRoiColour},
        {"Found &Peaks Color...", &ChartArea::chooseFoundPeaksColour},
        {"&Isotope Lines Color...", &ChartArea::chooseIsotopeLinesColour},
        {"&Grid Color...", &ChartArea::chooseGridColour},
        {"&Labels Color...", &ChartArea::chooseLabelColour},
    };
    for (const auto& [caption, slot] : items) {
        connect(menu->addAction(QString::fromUtf8(caption)), &QAction::triggered, charts, slot);
    }
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("&Reset to Default Colors")), &QAction::triggered, charts,
            &ChartArea::resetColours);
}

}  // namespace mca
