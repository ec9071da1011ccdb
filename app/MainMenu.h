#pragma once

#include <map>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The menu bar and the toolbar of the main window, built from one table of commands.
struct MainMenus {
    QMenu* group = nullptr;      // "&DBMS" > "Group"
    QMenu* function = nullptr;   // "&DBMS" > "Function"
    QMenu* parameter = nullptr;  // "&DBMS" > "Function" > "&Parameter Management"
    QToolBar* toolBar = nullptr;
    std::map<int, QAction*> actions;  // by command id; menu and toolbar share them
};

// Fills window's menu bar and adds its toolbar. The actions only carry their command id
// (QAction::data); the caller connects them.
MainMenus BuildMainMenus(QMainWindow& window);
