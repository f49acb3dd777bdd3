// nuclida's window.
#include "editor_window.h"

#include "add_dialogs.h"
#include "library/editor_captions.h"
#include "library/editor_edition.h"
#include "library/library_table.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace mca {

namespace {

namespace cap = editor_caption;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

LineColumn columnAt(int column) { return static_cast<LineColumn>(column); }

QTableWidgetItem* checkItem(bool checked) {
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

QTableWidgetItem* textItem(const std::string& text, bool editable) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsSelectable
                            : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// Cell editors of the line table pass typed keys through the model's key rule: in the energy and
// yield columns only what can make a number gets through, anything else beeps.
class LineCellDelegate : public QStyledItemDelegate {
public:
    LineCellDelegate(LibraryEditor& editor, QObject* parent) : QStyledItemDelegate(parent), m_editor(editor) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
        w->setProperty("lineColumn", index.column());
        w->installEventFilter(const_cast<LineCellDelegate*>(this));
        return w;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            const int column = watched->property("lineColumn").toInt();
            for (QChar ch : text) {
                if (ch.isPrint() && !m_editor.acceptsKey(columnAt(column), ch.unicode())) return true;
            }
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

private:
    LibraryEditor& m_editor;
};

}  // namespace

EditorWindow::EditorWindow(const QString& title, const std::filesystem::path& libraryFolder, Operator* op,
                           QWidget* parent)
    : QMainWindow(parent), m_op(this), m_editor(op ? *op : m_op, libraryFolder) {
    setObjectName("frmNuclida");
    setWindowTitle(title);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(qs(cap::kFileBeingEdited), central));
    m_fileName = new QLabel(central);
    m_fileName->setObjectName("lblFileName");
    fileRow->addWidget(m_fileName, 1);
    layout->addLayout(fileRow);
    layout->addWidget(buildNuclidePanel());
    m_lines = new QTableWidget(0, static_cast<int>(kLineTableTitles.size()), central);
    m_lines->setObjectName("advstrgrdIsotope");
    QStringList titles;
    for (std::string_view t : kLineTableTitles) titles << qs(t);
    m_lines->setHorizontalHeaderLabels(titles);
    m_lines->horizontalHeader()->setStretchLastSection(true);
    m_lines->setItemDelegate(new LineCellDelegate(m_editor, m_lines));
    m_lines->installEventFilter(this);
    connect(m_lines, &QTableWidget::itemChanged, this, &EditorWindow::lineItemChanged);
    layout->addWidget(m_lines, 1);
    m_raw = new QTableWidget(0, kLibraryColumnCount, central);
    m_raw->setObjectName("advstrgrdRaw");
    m_raw->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_raw->hide();
    layout->addWidget(m_raw, 1);
    layout->addLayout(buildCommands());
    setCentralWidget(central);
    buildMenus();
    resize(760, 520);
    refresh();
}

QWidget* EditorWindow::buildNuclidePanel() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    m_nuclides = new QComboBox(panel);
    m_nuclides->setObjectName("cmbNuclides");
    m_nuclides->setMinimumWidth(120);
    connect(m_nuclides, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_refreshing) return;
        m_editor.selectEntry(index);
        refresh();
    });
    m_enabled = new QRadioButton(qs(cap::kEnabled), panel);
    m_enabled->setObjectName("rdoEnabled");
    m_disabled = new QRadioButton(qs(cap::kDisabled), panel);
    m_disabled->setObjectName("rdoDisabled");
    auto* group = new QButtonGroup(panel);
    group->addButton(m_enabled);
    group->addButton(m_disabled);
    connect(m_enabled, &QRadioButton::clicked, this, [this] { m_editor.setEnabled(true), refresh(); });
    connect(m_disabled, &QRadioButton::clicked, this, [this] { m_editor.setEnabled(false), refresh(); });
    m_element = new QLineEdit(panel);
    m_element->setObjectName("edtElement");
    m_element->installEventFilter(this);
    connect(m_element, &QLineEdit::editingFinished, this, [this] {
        if (!m_refreshing) m_editor.setElement(m_element->text().toStdString()), refresh();
    });
    m_halfLife = new QLineEdit(panel);
    m_halfLife->setObjectName("fltedtHalfLife");
    connect(m_halfLife, &QLineEdit::editingFinished, this, [this] {
        if (!m_refreshing) m_editor.setHalfLife(m_halfLife->text().toStdString()), refresh();
    });
    m_units = new QComboBox(panel);
    m_units->setObjectName("cmbHalfLifeUnits");
    for (std::string_view unit : kHalfLifeUnits) m_units->addItem(qs(unit));
    connect(m_units, &QComboBox::currentTextChanged, this, [this](const QString& unit) {
        if (!m_refreshing) m_editor.setHalfLifeUnit(unit.toStdString()), refresh();
    });
    m_allowEdit = new QCheckBox(qs(cap::kAllowNuclideEdit), panel);
    m_allowEdit->setObjectName("chkAllowEdit");
    connect(m_allowEdit, &QCheckBox::toggled, this, [this](bool on) {
        m_editor.setAllowNuclideEdit(on);
        refresh();
    });
    m_row = new QLineEdit(panel);
    m_row->setObjectName("intedtRow");
    m_row->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{m_nuclides, m_enabled, m_disabled, m_element, m_halfLife, m_units,
                                                      m_allowEdit, m_row}) {
        row->addWidget(w);
    }
    return panel;
}

QLayout* EditorWindow::buildCommands() {
    auto* row = new QHBoxLayout;
    const auto button = [&](const cap::Command& command, const char* name, auto slot, bool editing) {
        auto* b = new QPushButton(qs(command.button), this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        row->addWidget(b);
        if (editing) m_editingButtons.push_back(b);
        return b;
    };
    button(cap::kOpen, "btnOpenLib", [this] { m_editor.open(), refresh(); }, false);
    button(cap::kSave, "btnSaveLib", [this] { m_editor.save(), refresh(); }, true);
    button(cap::kAddLine, "btnAddEnergy", [this] { openAddLineDialog(); }, true);
    button(cap::kAddNuclide, "btnAddIsotope", [this] { openAddNuclideDialog(); }, true);
    button(cap::kDeleteLine, "btnKillEnergy", [this] { deleteSelectedLine(); }, true);
    button(cap::kDeleteNuclide, "btnKillIsotope", [this] { m_editor.deleteNuclide(), refresh(); }, true);
    m_close = button(cap::kClose, "btnClose", [this] { close(); }, false);
    button(cap::kAbout, "btnAbout", [this] { showAbout(false); }, false);
    return row;
}

void EditorWindow::buildMenus() {
    const auto item = [this](QMenu* menu, const cap::Command& command, auto slot, bool editing) {
        QAction* a = menu->addAction(qs(command.menuItem));
        connect(a, &QAction::triggered, this, slot);
        if (editing) m_editingActions.push_back(a);
    };
    QMenu* file = menuBar()->addMenu(qs(cap::kFileMenu));
    item(file, cap::kOpen, [this] { m_editor.open(), refresh(); }, false);
    item(file, cap::kSave, [this] { m_editor.save(), refresh(); }, true);
    item(file, cap::kClose, [this] { close(); }, false);
    QMenu* utility = menuBar()->addMenu(qs(cap::kUtilityMenu));
    item(utility, cap::kAddLine, [this] { openAddLineDialog(); }, true);
    item(utility, cap::kAddNuclide, [this] { openAddNuclideDialog(); }, true);
    item(utility, cap::kDeleteLine, [this] { deleteSelectedLine(); }, true);
    item(utility, cap::kDeleteNuclide, [this] { m_editor.deleteNuclide(), refresh(); }, true);
    QMenu* help = menuBar()->addMenu(qs(cap::kHelpMenu));
    item(help, cap::kAbout, [this] { showAbout(false); }, false);
}

}  // namespace mca

namespace mca {

void EditorWindow::refresh() {
    m_refreshing = true;
    const bool open = m_editor.isOpen();
    for (QWidget* b : m_editingButtons) b->setEnabled(open);
    for (QAction* a : m_editingActions) a->setEnabled(open);
    m_fileName->setText(QString::fromStdString(m_editor.filePath().string()));
    m_close->setText(QString::fromStdString(m_editor.closeCaption()));
    m_nuclides->clear();
    for (const std::string& entry : m_editor.nuclideEntries()) m_nuclides->addItem(QString::fromStdString(entry));
    m_nuclides->setCurrentIndex(m_editor.selectedEntry());
    const NuclideFields f = m_editor.fields();
    m_enabled->setChecked(f.enabled);
    m_disabled->setChecked(!f.enabled);
    m_element->setText(QString::fromStdString(f.element));
    m_halfLife->setText(QString::fromStdString(f.halfLife));
    m_units->setCurrentText(QString::fromStdString(f.halfLifeUnit));
    const bool fieldsEditable = m_editor.allowNuclideEdit();
    m_element->setReadOnly(!fieldsEditable);
    m_halfLife->setReadOnly(!fieldsEditable);
    m_units->setEnabled(fieldsEditable);
    const auto row = m_editor.nuclideRow();
    m_row->setText(row ? QString::number(*row) : QString());
    fillLineTable();
    fillRawTable();
    m_refreshing = false;
}

void EditorWindow::fillLineTable() {
    const LineTable& lines = m_editor.lineTable();
    m_lines->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const LineTableRow& line = lines[static_cast<std::size_t>(r)];
        m_lines->setItem(r, static_cast<int>(LineColumn::Isotope), textItem(line.name, false));
        m_lines->setItem(r, static_cast<int>(LineColumn::Use), checkItem(line.use));
        m_lines->setItem(r, static_cast<int>(LineColumn::Primary), checkItem(line.primary));
        m_lines->setItem(r, static_cast<int>(LineColumn::Secondary), checkItem(line.secondary));
        m_lines->setItem(r, static_cast<int>(LineColumn::Energy), textItem(line.energy, true));
        m_lines->setItem(r, static_cast<int>(LineColumn::Yield), textItem(line.yield, true));
        m_lines->setItem(r, static_cast<int>(LineColumn::Comments), textItem(line.comments, true));
    }
}

void EditorWindow::fillRawTable() {
    const LibraryTable& raw = m_editor.rawTable();
    m_raw->setVisible(m_editor.rawTableVisible());
    if (!m_editor.rawTableVisible()) return;
    m_raw->setRowCount(static_cast<int>(raw.size()));
    for (int r = 0; r < static_cast<int>(raw.size()); ++r) {
        for (int c = 0; c < kLibraryColumnCount; ++c) {
            m_raw->setItem(r, c, textItem(raw[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)], false));
        }
    }
}

void EditorWindow::lineItemChanged(QTableWidgetItem* item) {
    if (m_refreshing) return;
    const int line = item->row();
    switch (columnAt(item->column())) {
        case LineColumn::Use: m_editor.setLineUse(line, item->checkState() == Qt::Checked); break;
        case LineColumn::Primary:
            if (item->checkState() == Qt::Checked) m_editor.selectPrimary(line);
            break;
        case LineColumn::Secondary:
            if (item->checkState() == Qt::Checked) m_editor.selectSecondary(line);
            break;
        case LineColumn::Energy:
        case LineColumn::Yield:
        case LineColumn::Comments: m_editor.editCell(line, columnAt(item->column()), item->text().toStdString()); break;
        case LineColumn::Isotope: break;
    }
    // Queued: the table may not be rebuilt while it is still handing out this item.
    QTimer::singleShot(0, this, [this] { refresh(); });
}

void EditorWindow::deleteSelectedLine() {
    const int line = m_lines->currentRow();
    if (line >= 0) m_editor.deleteLine(line);
    refresh();
}

void EditorWindow::openAddLineDialog() {
    if (!m_editor.isOpen()) return;
    AddLineDialog dialog(QString::fromStdString(m_editor.shownName()),
                         [this](const AddLineInput& in) { return m_editor.addLine(in); }, this);
    dialog.exec();
    refresh();
}

void EditorWindow::openAddNuclideDialog() {
    if (!m_editor.isOpen()) return;
    AddNuclideDialog dialog([this](const AddNuclideInput& in) { return m_editor.addNuclide(in); }, this);
    dialog.exec();
    refresh();
}

void EditorWindow::showAbout(bool welcome) {
    QDialog box(this);
    box.setObjectName(welcome ? "dlgWelcome" : "dlgAbout");
    box.setWindowTitle(welcome ? qs(kWelcomeCaption) : tr("About"));
    auto* layout = new QVBoxLayout(&box);
    layout->addWidget(new QLabel(windowTitle(), &box));
    layout->addWidget(new QLabel(QString::fromStdString(editorVersionLine(MCA_FOUR_PART_VERSION)), &box));
    if (welcome) {
        QTimer::singleShot(kWelcomeMilliseconds, &box, &QDialog::accept);
    } else {
        auto* ok = new QPushButton(tr("OK"), &box);
        ok->setObjectName("btnOk");
        connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
        layout->addWidget(ok);
    }
    box.exec();
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (m_editor.requestClose()) event->accept();
    else event->ignore();
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == m_element && key->key() == Qt::Key_W &&
        key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier)) {
        m_editor.toggleRawTable();
        refresh();
        return true;
    }
    if (watched == m_lines && key->key() == Qt::Key_Insert) {
        m_editor.insertLine(std::max(m_lines->currentRow(), 0));
        refresh();
        return true;
    }
    if (watched == m_lines && key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier) {
        if (m_lines->currentRow() >= 0) m_editor.deleteTableRow(m_lines->currentRow());
        refresh();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace mca
