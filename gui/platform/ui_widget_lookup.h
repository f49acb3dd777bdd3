// Finding what a UI script names: the topmost window, a button by its caption, a menu item by the
// captions on its path, a widget by object name. Only visible widgets count.
#pragma once

#include <string>
#include <vector>

class QAbstractButton;
class QAction;
class QWidget;

namespace mca {

// The windows a script acts on, topmost first: the active modal widget alone when there is one,
// else the active window followed by the other visible top-level windows.
std::vector<QWidget*> scriptTargetWindows();

// A visible button whose caption (compared as plainCaption) or object name is `caption`, searched
// in scriptTargetWindows() order; null when none.
QAbstractButton* findButton(const std::string& caption);

// The menu item at `path` (menu captions, then the item's) in the menu bar of any top-level
// QMainWindow; null when none. A trailing "..." may be left out.
QAction* findMenuAction(const std::vector<std::string>& path);

// The visible widget with object name `name`, in scriptTargetWindows() order, then in any top-level
// widget; null when none.
QWidget* findNamedWidget(const std::string& name);

}  // namespace mca
