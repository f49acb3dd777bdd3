// nuclida's window: the nuclide list, the shown nuclide's fields and line table, and the commands,
// all over the LibraryEditor model. The window holds no library logic: it shows what the model
// holds and hands every action to it.
#pragma once

#include "library/library_editor.h"
#include "platform/qt_operator.h"

#include <QMainWindow>

class QAction;
class QComboBox;
class QLayout;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTableWidgetItem;

namespace mca {

class EditorWindow : public QMainWindow {
    Q_OBJECT
public:
    // `op` answers the model's questions; null: Qt's dialogs over this window.
    EditorWindow(const QString& title, const std::filesystem::path& libraryFolder, Operator* op = nullptr,
                 QWidget* parent = nullptr);
    LibraryEditor& editor() { return m_editor; }
    // Shows the model's state in every widget.
    void refresh();
    // Runs the About box; as the welcome box it has no OK button and closes itself after 3 s.
    void showAbout(bool welcome);
    void openAddLineDialog();
    void openAddNuclideDialog();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLayout* buildCommands();
    void buildMenus();
    QWidget* buildNuclidePanel();
    void fillLineTable();
    void fillRawTable();
    void lineItemChanged(QTableWidgetItem* item);
    void deleteSelectedLine();

    QtOperator m_op;
    LibraryEditor m_editor;
    bool m_refreshing = false;
    QComboBox* m_nuclides = nullptr;
    QLabel* m_fileName = nullptr;
    QRadioButton* m_enabled = nullptr;
    QRadioButton* m_disabled = nullptr;
    QCheckBox* m_allowEdit = nullptr;
    QLineEdit* m_element = nullptr;
    QLineEdit* m_halfLife = nullptr;
    QComboBox* m_units = nullptr;
    QLineEdit* m_row = nullptr;
    QTableWidget* m_lines = nullptr;
    QTableWidget* m_raw = nullptr;
    QPushButton* m_close = nullptr;
    std::vector<QWidget*> m_editingButtons;
    std::vector<QAction*> m_editingActions;
};

}  // namespace mca
