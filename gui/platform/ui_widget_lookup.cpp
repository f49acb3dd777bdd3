// Finding windows, buttons, menu items and fields for a UI script.
#include "ui_widget_lookup.h"

#include "ui_script.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace mca {

namespace {

bool isTargetWindow(const QWidget* w) {
    if (!w->isWindow() || !w->isVisible()) return false;
    const Qt::WindowType type = w->windowType();
    return type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop;
}

// "Open..." and "Open" name the same item.
QString menuCaption(const QString& text) {
    QString caption = QString::fromStdString(plainCaption(text.toStdString()));
    if (caption.endsWith(QStringLiteral("..."))) caption.chop(3);
    else if (caption.endsWith(QChar(0x2026))) caption.chop(1);
    return caption.trimmed();
}

QAction* findInActions(const QList<QAction*>& actions, const std::vector<std::string>& path, std::size_t depth) {
    const QString wanted = menuCaption(QString::fromStdString(path[depth]));
    for (QAction* a : actions) {
        if (!a->isVisible() || a->isSeparator() || menuCaption(a->text()) != wanted) continue;
        if (depth + 1 == path.size()) return a;
        if (QMenu* sub = a->menu()) {
            if (QAction* found = findInActions(sub->actions(), path, depth + 1)) return found;
        }
    }
    return nullptr;
}

QWidget* firstNamed(QWidget* window, const QString& name, bool visibleOnly) {
    if (window->objectName() == name) return window;
    for (QWidget* w : window->findChildren<QWidget*>(name)) {
        if (!visibleOnly || w->isVisible()) return w;
    }
    return nullptr;
}

}  // namespace

std::vector<QWidget*> scriptTargetWindows() {
    if (QWidget* modal = QApplication::activeModalWidget()) return {modal};
    std::vector<QWidget*> windows;
    QWidget* active = QApplication::activeWindow();
    if (active && isTargetWindow(active)) windows.push_back(active);
    std::vector<QWidget*> others;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != active && isTargetWindow(w)) others.push_back(w);
    }
    // The list of top-level widgets has no order; a dialog is more likely on top than a main window.
    std::stable_sort(others.begin(), others.end(), [](QWidget* a, QWidget* b) {
        return qobject_cast<QDialog*>(a) && !qobject_cast<QDialog*>(b);
    });
    windows.insert(windows.end(), others.begin(), others.end());
    return windows;
}

QAbstractButton* findButton(const std::string& caption) {
    const QString wanted = QString::fromStdString(plainCaption(caption));
    const QString name = QString::fromStdString(caption);
    QAbstractButton* disabled = nullptr;
    for (QWidget* window : scriptTargetWindows()) {
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
            if (!b->isVisible()) continue;
            if (QString::fromStdString(plainCaption(b->text().toStdString())) != wanted && b->objectName() != name)
                continue;
            if (b->isEnabled()) return b;
            if (!disabled) disabled = b;
        }
    }
    return disabled;
}

QAction* findMenuAction(const std::vector<std::string>& path) {
    if (path.empty()) return nullptr;
    std::vector<QMainWindow*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* main = qobject_cast<QMainWindow*>(w)) windows.push_back(main);
    }
    std::stable_partition(windows.begin(), windows.end(), [](QMainWindow* w) { return w->isVisible(); });
    for (QMainWindow* window : windows) {
        // menuBar() would make a bar for a window without one.
        auto* bar = qobject_cast<QMenuBar*>(window->menuWidget());
        if (!bar) continue;
        if (QAction* found = findInActions(bar->actions(), path, 0)) return found;
    }
    return nullptr;
}

QWidget* findNamedWidget(const std::string& name) {
    const QString wanted = QString::fromStdString(name);
    const std::vector<QWidget*> targets = scriptTargetWindows();
    for (bool visibleOnly : {true, false}) {
        for (QWidget* window : targets) {
            if (QWidget* w = firstNamed(window, wanted, visibleOnly)) return w;
        }
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (QWidget* w = firstNamed(window, wanted, false)) return w;
    }
    return nullptr;
}

}  // namespace mca
