#include "app/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <new>

#include "app/AboutDlg.h"
#include "app/MainMenu.h"
#include "browser/FuncTreeView.h"
#include "infoview/ui/KLVView.h"
#include "records/LibraryPaths.h"
#include "resources/CommandIds.h"
#include "resources/Icons.h"
#include "uisupport/ToolbarImages.h"
#include "uisupport/UiSeam.h"

namespace {

constexpr int kBrowserWidth = 220;
constexpr int kViewWidth = 400;
constexpr QSize kWindowSize(640, 480);
// How often the toolbar's enabled states are brought up to date while idle.
constexpr int kIdleUpdateMs = 250;
// The toolbar whose button images the menus show.
constexpr unsigned kToolbarId = 128;

bool Contains(QWidget* ancestor, QWidget* widget) {
    return widget && (widget == ancestor || ancestor->isAncestorOf(widget));
}

}  // namespace

CMainFrame::CMainFrame(UiSeam& seam, QWidget* parent) : QMainWindow(parent), m_seam(seam) {
    setWindowTitle(tr("Kelvane v1.0"));
    setWindowIcon(icons::Application());
    // No menu of the window's own on the toolbar or menu bar (it would hide the toolbar).
    setContextMenuPolicy(Qt::PreventContextMenu);
    BuildPanes();

    MainMenus menus = BuildMainMenus(*this);
    m_toolBar = menus.toolBar;
    m_groupPopup = menus.group;
    m_functionPopup = menus.function;
    m_parameterPopup = menus.parameter;
    m_actions = std::move(menus.actions);
    for (const auto& [id, action] : m_actions)
        connect(action, &QAction::triggered, this, [this, id = id] { RunCommand(id); });
    for (QMenu* menu : findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);

    AddAccelerators();

    SetCommandHandler(cmd::kAppExit, {nullptr, [this] { close(); }});
    SetCommandHandler(cmd::kAppAbout, {nullptr, [this] { ShowAbout(); }});

    resize(kWindowSize);
    ConnectPanes();

    m_idleTimer = new QTimer(this);
    m_idleTimer->setInterval(kIdleUpdateMs);
    connect(m_idleTimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandStates);
    m_idleTimer->start();

    // ---- Owner-drawn menu manager: install it here, once the menus and toolbar exist. ----
    m_menuManager.Install(this);
    m_menuManager.SetToolbarSource(kToolbarId, ToolbarSourceOf(m_toolBar));
    const unsigned toolbars[] = {kToolbarId};
    m_menuManager.LoadToolbars(toolbars);
    m_menuManager.m_bAutoAccel = false;

    RegisterEditCommands(*this);
    RegisterLibraryCommands(*this);
    RegisterFindCommand(*this);
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildPanes() {
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    m_browser = new CFuncTreeView(m_splitter);
    m_view = new CKLVView(m_seam, m_splitter);
    m_view->setFocusPolicy(Qt::StrongFocus);
    m_splitter->addWidget(m_browser);
    m_splitter->addWidget(m_view);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({kBrowserWidth, kViewWidth});
    setCentralWidget(m_splitter);
    m_browser->InitialUpdate(kelvane::GetLibraryRoot());
}

// Keys of the window that no menu item shows.
void CMainFrame::AddAccelerators() {
    auto* next = new QAction(this);
    next->setData(cmd::kNextPane);
    next->setShortcut(Qt::Key_F6);
    connect(next, &QAction::triggered, this, &CMainFrame::NextPane);
    auto* previous = new QAction(this);
    previous->setData(cmd::kPrevPane);
    previous->setShortcut(Qt::SHIFT | Qt::Key_F6);
    connect(previous, &QAction::triggered, this, &CMainFrame::PreviousPane);
    addActions({next, previous});

    // Undo and redo run under their commands' rules, as a menu item would.
    const std::pair<int, QList<QKeySequence>> commands[] = {
        {cmd::kEditUndo, {Qt::CTRL | Qt::Key_Z, Qt::ALT | Qt::Key_Backspace}},
        {cmd::kEditRedo, {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}},
    };
    for (const auto& [id, keys] : commands) {
        auto* action = new QAction(this);
        action->setData(id);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, [this, id = id] { RunCommand(id); });
        addAction(action);
    }
}

void CMainFrame::ShowFunctionSelected(const std::string& folderName,
                                      const std::string& folderPath) {
    m_browser->SelectPath(folderPath);
    m_view->ShowFunction(folderName, folderPath);
}

void CMainFrame::ConnectPanes() {
    connect(m_browser, &CFuncTreeView::showRequested, this,
            [this](const std::string& name, const std::string& path) {
                Guarded([&] { m_view->ShowItem(name, path); });
            });
    connect(m_browser, &CFuncTreeView::popupRequested, this, [this](int popup, const QPoint& pos) {
        ShowPopup(popup == CLibraryTreeCtrl::kFunctionPopup ? m_functionPopup : m_groupPopup, pos);
    });
    connect(m_browser, &CFuncTreeView::selectionChanged, this, &CMainFrame::UpdateCommandStates);

    CFuncInfoTreeCtrl* info = m_view->InfoTree();
    connect(info, &CFuncInfoTreeCtrl::commandRequested, this, &CMainFrame::RunCommand);
    connect(info, &CFuncInfoTreeCtrl::popupRequested, this, [this](int popup, const QPoint& pos) {
        ShowPopup(popup == CFuncInfoTreeCtrl::kFunctionPopup ? m_functionPopup : m_parameterPopup,
                  pos);
    });
    connect(info, &QTreeWidget::currentItemChanged, this, &CMainFrame::UpdateCommandStates);

    // A function row of the listing, which the view shows: select it in the library tree.
    connect(m_view, &CKLVView::functionActivated, this,
            [this](const std::string&, const std::string& path) { m_browser->SelectPath(path); });
    // A subgroup row of the listing: select it in the library tree and list it.
    connect(m_view, &CKLVView::groupActivated, this,
            [this](const std::string& name, const std::string& path) {
                if (m_browser->SelectPath(path))
                    m_view->ShowGroup(name, path);
            });
}

void CMainFrame::ShowPopup(QMenu* menu, const QPoint& globalPos) {
    menu->popup(globalPos);
}

void CMainFrame::SetCommandHandler(int id, CommandHandler handler) {
    m_handlers[id] = std::move(handler);
    if (QAction* action = Action(id))
        action->setEnabled(IsCommandEnabled(id));
}

bool CMainFrame::IsCommandEnabled(int id) {
    const auto it = m_handlers.find(id);
    if (it == m_handlers.end() || !it->second.run)
        return false;
    return !it->second.enabled || it->second.enabled();
}

bool CMainFrame::RunCommand(int id) {
    if (!IsCommandEnabled(id))
        return false;
    // Copied: the handler may replace itself while it runs.
    const CommandHandler handler = m_handlers[id];
    Guarded(handler.run);
    UpdateCommandStates();
    return true;
}

void CMainFrame::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::bad_alloc&) {
        // Every save goes whole through the save path: a file is old or new, never torn.
        m_seam.message(this, tr("There is not enough memory to finish this; it stopped where "
                                "it was."));
    }
}

QAction* CMainFrame::Action(int id) {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::UpdateCommandStates() {
    for (const auto& [id, action] : m_actions)
        action->setEnabled(IsCommandEnabled(id));
}

void CMainFrame::ShowAbout() {
    CAboutDlg about(this);
    m_seam.exec(about);
}

void CMainFrame::NextPane() {
    QWidget* focus = QApplication::focusWidget();
    QWidget* target = Contains(m_browser, focus) ? static_cast<QWidget*>(m_view) : m_browser;
    if (target == m_view) {
        if (m_view->InfoTree()->isVisible())
            target = m_view->InfoTree();
        else if (m_view->GroupList()->isVisible())
            target = m_view->GroupList();
    } else if (CLibraryTreeCtrl* tree = m_browser->CurrentTree()) {
        target = tree;
    }
    target->setFocus(Qt::OtherFocusReason);
}

// Two panes: the previous one is the next one.
void CMainFrame::PreviousPane() {
    NextPane();
}
