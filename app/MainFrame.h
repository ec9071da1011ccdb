#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <string>

#include "app/Commands.h"
#include "uisupport/CoolMenuManager.h"

class CFuncTreeView;
class CKLVView;
class QAction;
class QMenu;
class QSplitter;
class QTimer;
class QToolBar;
class UiSeam;

// The one main window: the library browser on the left, the information view on the
// right, the menu bar and the toolbar. Every command of the menus, the toolbar and the
// panes' popups and double clicks runs here, and only while its enabling rule holds.
class CMainFrame : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CMainFrame)

public:
    explicit CMainFrame(UiSeam& seam, QWidget* parent = nullptr);
    ~CMainFrame() override;

    UiSeam& Seam() { return m_seam; }
    CFuncTreeView* GetBrowser() { return m_browser; }
    CKLVView* GetView() { return m_view; }
    QSplitter* Splitter() { return m_splitter; }
    QToolBar* ToolBar() { return m_toolBar; }

    // Gives command id its handler (replacing any earlier one).
    void SetCommandHandler(int id, CommandHandler handler);
    // A command is enabled when it has a handler whose rule holds (or that has no rule).
    bool IsCommandEnabled(int id);
    // Runs the command if it is enabled; returns whether it ran.
    bool RunCommand(int id);
    // The menu bar and toolbar action carrying command id (nullptr for an unknown id).
    QAction* Action(int id);

    // Popups of the menu bar, also opened as context menus by the panes.
    QMenu* GroupPopup() { return m_groupPopup; }
    QMenu* FunctionPopup() { return m_functionPopup; }
    QMenu* ParameterPopup() { return m_parameterPopup; }

    // Enables or disables every action by its command's rule.
    void UpdateCommandStates();

    // F6 / Shift+F6: the keyboard focus to the other pane.
    void NextPane();
    void PreviousPane();

    // Shows the function folderName in folderPath (raw bytes) on the right, and selects it
    // in the library tree where a tab holds it, its group expanded.
    void ShowFunctionSelected(const std::string& folderName, const std::string& folderPath);

private:
    void BuildPanes();
    void AddAccelerators();
    void ConnectPanes();
    void ShowAbout();
    void ShowPopup(QMenu* menu, const QPoint& globalPos);
    // Runs what the user asked for; running out of memory ends it with a message.
    void Guarded(const std::function<void()>& action);

    UiSeam& m_seam;
    QSplitter* m_splitter = nullptr;
    CFuncTreeView* m_browser = nullptr;
    CKLVView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_groupPopup = nullptr;
    QMenu* m_functionPopup = nullptr;
    QMenu* m_parameterPopup = nullptr;
    QTimer* m_idleTimer = nullptr;
    std::map<int, QAction*> m_actions;
    std::map<int, CommandHandler> m_handlers;
    CCoolMenuManager m_menuManager;  // the drawn look of the menus; hooks this window
};
