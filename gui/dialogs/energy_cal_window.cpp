// The Energy Cal tool window.
#include "dialogs/energy_cal_window.h"

#include "app/application.h"
#include "calibration/energy_fit_display.h"
#include "core/errors.h"
#include "dialogs/dialog_support.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace mca::gui {

namespace {

constexpr int kMaxChannelDigits = 4;

QString numbered(const char* name, int row) { return QString("%1%2").arg(name).arg(row + 1); }

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setObjectName(name);
    return button;
}

}  // namespace

// What the Energy Cal logic asks of the program, answered by the application and passed on to the
// main window as signals.
class EnergyCalWindow::Host : public EnergyCalHost {
public:
    Host(Application& app, EnergyCalWindow& window) : m_app(app), m_window(window) {}

    bool acquiring() const override { return m_app.workstation().state.acquiring; }
    void stopAcquisition() override { m_app.engine().stopAcquisition(); }
    void startAcquisition() override { m_app.engine().startAcquisition(); }
    void saveDetectorDatabase() override {
        try {
            SaveDetectorDatabase(m_app.workstation(), m_app.detectors(), 1);
        } catch (const FileError& e) {
            m_app.workstation().op().message(e.what(), kEnergyCalCaption, MessageKind::Error);
        }
    }
    void calibrationApplied() override { emit m_window.calibrationApplied(); }
    void refreshFitDisplay() override {
        m_window.showFit();
        emit m_window.calibrationChanged();
    }

private:
    Application& m_app;
    EnergyCalWindow& m_window;
};

EnergyCalWindow::EnergyCalWindow(Application& app, QWidget* parent)
    : QDialog(parent), m_app(app), m_host(std::make_unique<Host>(app, *this)) {
    setObjectName("TfrmECal1");
    setWindowTitle(kEnergyCalCaption);
    setModal(false);
    m_calibrate = new QPushButton(tr("E&nrgy Cal!"), this);
    m_calibrate->setObjectName("energyCalButton");
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName("cancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_calibrate);
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildRows());
    layout->addWidget(buildFit());
    layout->addLayout(buttons);
    // Return in an entry only finishes that entry; it presses no button.
    for (QPushButton* button : {m_calibrate, m_cancel}) button->setAutoDefault(false);
    connect(m_calibrate, &QPushButton::clicked, this, &EnergyCalWindow::calibrate);
    connect(m_cancel, &QPushButton::clicked, this, &EnergyCalWindow::cancel);
    showState();
}

// The logic goes first: releasing it writes the mirror file of the rows.
EnergyCalWindow::~EnergyCalWindow() { m_logic.reset(); }

QWidget* EnergyCalWindow::buildRows() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(tr("Energy (keV)"), box), 0, 1);
    grid->addWidget(new QLabel(tr("Channel"), box), 0, 2);
    auto* selectors = new QButtonGroup(box);
    const QRegularExpression energyText("[0-9]*[.,]?[0-9]*");
    const QRegularExpression channelText(QString("[0-9]{0,%1}").arg(kMaxChannelDigits));
    for (int row = 0; row < kCalibrationPointCount; ++row) {
        RowWidgets& w = m_rows[static_cast<std::size_t>(row)];
        w.selector = new QRadioButton(QString::number(row + 1), box);
        w.selector->setObjectName(numbered("pointSelector", row));
        selectors->addButton(w.selector, row);
        w.energy = new QLineEdit(box);
        w.energy->setObjectName(numbered("energyEdit", row));
        w.energy->setValidator(new QRegularExpressionValidator(energyText, w.energy));
        w.channel = new QLineEdit(box);
        w.channel->setObjectName(numbered("channelEdit", row));
        w.channel->setValidator(new QRegularExpressionValidator(channelText, w.channel));
        auto* up = arrowButton(box, Qt::UpArrow, numbered("channelUpButton", row));
        auto* down = arrowButton(box, Qt::DownArrow, numbered("channelDownButton", row));
        grid->addWidget(w.selector, row + 1, 0);
        grid->addWidget(w.energy, row + 1, 1);
        grid->addWidget(w.channel, row + 1, 2);
        grid->addWidget(up, row + 1, 3);
        grid->addWidget(down, row + 1, 4);
        connectRow(row);
        connect(up, &QToolButton::clicked, this, [this, row] {
            if (live() && m_logic->channelUp(row)) showRows();
            showState();
        });
        connect(down, &QToolButton::clicked, this, [this, row] {
            if (live() && m_logic->channelDown(row)) showRows();
            showState();
        });
    }
    return box;
}

void EnergyCalWindow::connectRow(int row) {
    const RowWidgets& w = m_rows[static_cast<std::size_t>(row)];
    connect(w.selector, &QRadioButton::clicked, this, [this, row] { selectRow(row); });
    connect(w.energy, &QLineEdit::textEdited, this, [this, row](const QString& t) { entryEdited(row, true, t); });
    connect(w.channel, &QLineEdit::textEdited, this, [this, row](const QString& t) { entryEdited(row, false, t); });
    // Text the logic did not take while it was being typed is replaced by what the logic holds.
    connect(w.energy, &QLineEdit::editingFinished, this, &EnergyCalWindow::showRows);
    connect(w.channel, &QLineEdit::editingFinished, this, &EnergyCalWindow::showRows);
    w.energy->installEventFilter(this);
    w.channel->installEventFilter(this);
}

QWidget* EnergyCalWindow::buildFit() {
    auto* box = new QGroupBox(this);
    m_linear = new QRadioButton(tr("Use Linear Fit"), box);
    m_linear->setObjectName("useLinearFit");
    m_quadratic = new QRadioButton(tr("Use Quadratic"), box);
    m_quadratic->setObjectName("useQuadratic");
    const auto label = [box](const char* name) {
        auto* l = new QLabel(box);
        l->setObjectName(name);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return l;
    };
    m_linearEquation = label("linearEquation");
    m_linearFit = label("linearFit");
    m_quadraticEquation = label("quadraticEquation");
    m_quadraticFit = label("quadraticFit");
    auto* grid = new QGridLayout(box);
    grid->addWidget(m_linear, 0, 0);
    grid->addWidget(m_linearEquation, 0, 1);
    grid->addWidget(m_linearFit, 0, 2);
    grid->addWidget(m_quadratic, 1, 0);
    grid->addWidget(m_quadraticEquation, 1, 1);
    grid->addWidget(m_quadraticFit, 1, 2);
    connect(m_linear, &QRadioButton::clicked, this, [this] {
        if (live()) m_logic->useLinearFit();
        showState();
    });
    connect(m_quadratic, &QRadioButton::clicked, this, [this] {
        if (live()) m_logic->useQuadratic();
        showState();
    });
    return box;
}

bool EnergyCalWindow::openWindow(const EnergyCalOpening& how) {
    if (!live()) {
        auto logic = std::make_unique<mca::EnergyCalWindow>(m_app.workstation(), m_app.energyCalibration(),
                                                            SelectedRecord(m_app.detectors(), 1), *m_host);
        if (!logic->open(how)) return false;
        m_logic = std::move(logic);
        m_record = &SelectedRecord(m_app.detectors(), 1);
        emit opened();
    }
    showRows();
    showState();
    show();
    raise();
    emit markerChanged();
    return true;
}

std::optional<double> EnergyCalWindow::markerPosition() const {
    if (!m_logic) return std::nullopt;
    return m_logic->markerPosition(m_axisShowsEnergy ? MarkerAxis::KeV : MarkerAxis::Channels);
}

void EnergyCalWindow::pickChannel(double axisX) {
    if (!live()) return;
    const double channel =
        m_axisShowsEnergy ? KeVToChannel(m_app.energyCalibration(), axisX, m_app.workstation().state.channelCount)
                          : axisX;
    m_logic->spectrumDoubleClicked(channel);
    showRows();
    showState();
    emit markerChanged();
}

void EnergyCalWindow::setAxisShowsEnergy(bool energy) {
    if (m_axisShowsEnergy == energy) return;
    m_axisShowsEnergy = energy;
    emit markerChanged();
}

void EnergyCalWindow::entryEdited(int row, bool energy, const QString& text) {
    if (!live()) return;
    const bool taken = energy ? m_logic->setEnergy(row, str(text)) : m_logic->setChannel(row, str(text));
    if (!taken) return;
    showState();
    emit markerChanged();
}

void EnergyCalWindow::selectRow(int row) {
    if (!live()) return;
    m_logic->selectRow(row);
    showState();
    emit markerChanged();
}

bool EnergyCalWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (int row = 0; row < kCalibrationPointCount; ++row) {
            const RowWidgets& w = m_rows[static_cast<std::size_t>(row)];
            if (watched == w.energy || watched == w.channel) selectRow(row);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void EnergyCalWindow::calibrate() {
    if (!live() || !m_logic->calibrateEnabled()) return;
    m_logic->calibrate();
    showRows();
    showState();
    emit markerChanged();
}

void EnergyCalWindow::cancel() {
    if (live()) m_logic->cancel();
    closeWindow();
}

void EnergyCalWindow::reject() {
    if (live() && !m_logic->closeByFrame()) return;
    closeWindow();
}

// The logic writes into the record it was opened over. When MCA 1's selected record is another
// one now (a detector chosen, added or removed meanwhile), the window closes rather than write
// the points into the wrong detector or a record that no longer exists.
bool EnergyCalWindow::live() {
    if (!m_logic) return false;
    if (&SelectedRecord(m_app.detectors(), 1) == m_record) return true;
    closeWindow();
    return false;
}

void EnergyCalWindow::closeWindow() {
    const bool wasOpen = m_logic != nullptr;
    m_logic.reset();
    QDialog::done(QDialog::Rejected);
    if (!wasOpen) return;
    emit markerChanged();
    emit closed();
}

void EnergyCalWindow::showRows() {
    if (!m_logic) return;
    for (int row = 0; row < kCalibrationPointCount; ++row) {
        const EnergyCalRow& values = m_logic->rows()[static_cast<std::size_t>(row)];
        RowWidgets& w = m_rows[static_cast<std::size_t>(row)];
        w.energy->setText(qs(values.energy));
        w.channel->setText(qs(values.channel));
    }
}

// The selected row's two entries are yellow.
void EnergyCalWindow::showState() {
    const std::optional<int> selected = m_logic ? m_logic->selectedRow() : std::nullopt;
    for (int row = 0; row < kCalibrationPointCount; ++row) {
        RowWidgets& w = m_rows[static_cast<std::size_t>(row)];
        const bool highlighted = selected == row;
        w.selector->setChecked(highlighted);
        for (QLineEdit* entry : {w.energy, w.channel}) {
            QPalette palette = entry->palette();
            palette.setColor(QPalette::Base, highlighted ? QColor(Qt::yellow) : this->palette().color(QPalette::Base));
            entry->setPalette(palette);
        }
    }
    const bool quadratic = m_logic && m_logic->quadraticChosen();
    m_linear->setChecked(!quadratic);
    m_quadratic->setChecked(quadratic);
    m_calibrate->setEnabled(m_logic && m_logic->calibrateEnabled());
    m_cancel->setText(qs(m_logic ? m_logic->cancelCaption() : "&Cancel"));
    showFit();
}

void EnergyCalWindow::showFit() {
    const EnergyFitTexts texts = energyFitTexts(m_app.energyCalibration());
    m_linearEquation->setText(qs(texts.linearEquation));
    m_linearFit->setText(qs(texts.linearFit));
    m_quadraticEquation->setText(qs(texts.quadraticEquation));
    m_quadraticFit->setText(qs(texts.quadraticFit));
}

}  // namespace mca::gui
