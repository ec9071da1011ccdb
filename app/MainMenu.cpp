#include "app/MainMenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "resources/CommandIds.h"
#include "resources/Icons.h"

namespace {

struct CommandText {
    int id;
    const char* menuText;
    const char* toolTip;  // nullptr when the command has no toolbar button
};

constexpr CommandText kCommands[] = {
    {cmd::kAppExit, "E&xit", nullptr},
    {cmd::kRename, "Rename...", nullptr},
    {cmd::kAddParameter, "&Add Parameter...", "Add Parameter"},
    {cmd::kDeleteParameter, "&Delete Parameter", "Delete Parameter"},
    {cmd::kEditField, "&Edit Field...", "Edit Field"},
    {cmd::kModify, "&Modify", "Modify Function"},
    {cmd::kCodeWizard, "Code &Wizard...", "Function Code Wizard"},
    {cmd::kLaunchExplorer, "Launch Explorer", "Launch Explorer"},
    {cmd::kFindFunction, "Find Function...", nullptr},
    {cmd::kAppAbout, "&About KLV...", "About"},
};

// Toolbar order; 0 is a gap.
constexpr int kToolbarLayout[] = {
    cmd::kCodeWizard,      cmd::kLaunchExplorer, 0, cmd::kModify,  0, cmd::kAddParameter,
    cmd::kDeleteParameter, cmd::kEditField,      0, cmd::kAppAbout};

constexpr QSize kToolbarImageSize(16, 15);

}  // namespace

MainMenus BuildMainMenus(QMainWindow& window) {
    MainMenus menus;
    for (const CommandText& command : kCommands) {
        auto* action = new QAction(QString::fromUtf8(command.menuText), &window);
        action->setData(command.id);
        action->setObjectName(QString::number(command.id));
        if (command.toolTip) {
            action->setToolTip(QString::fromUtf8(command.toolTip));
            action->setStatusTip(action->toolTip());
            action->setIcon(icons::Toolbar(command.id));
            // Plain text menus until the menu look puts the images beside the commands.
            action->setIconVisibleInMenu(false);
        }
        menus.actions[command.id] = action;
    }
    const auto& a = menus.actions;

    QMenuBar* bar = window.menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(a.at(cmd::kAppExit));

    QMenu* dbms = bar->addMenu(QStringLiteral("&DBMS"));
    menus.group = dbms->addMenu(QStringLiteral("Group"));
    menus.group->addAction(a.at(cmd::kRename));
    menus.function = dbms->addMenu(QStringLiteral("Function"));
    menus.parameter = menus.function->addMenu(QStringLiteral("&Parameter Management"));
    menus.parameter->addAction(a.at(cmd::kAddParameter));
    menus.parameter->addAction(a.at(cmd::kDeleteParameter));
    menus.parameter->addSeparator();
    menus.parameter->addAction(a.at(cmd::kEditField));
    menus.function->addSeparator();
    menus.function->addAction(a.at(cmd::kModify));

    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    tools->addAction(a.at(cmd::kCodeWizard));
    tools->addAction(a.at(cmd::kLaunchExplorer));
    tools->addSeparator();
    tools->addAction(a.at(cmd::kFindFunction));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->addAction(a.at(cmd::kAppAbout));

    menus.toolBar = new QToolBar(QStringLiteral("Toolbar"), &window);
    menus.toolBar->setObjectName(QStringLiteral("toolbar"));
    menus.toolBar->setIconSize(kToolbarImageSize);
    menus.toolBar->setMovable(true);  // shows the gripper
    menus.toolBar->setFloatable(false);
    menus.toolBar->setAllowedAreas(Qt::TopToolBarArea);  // a band along the top edge only
    menus.toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (int id : kToolbarLayout) {
        if (id == 0)
            menus.toolBar->addSeparator();
        else
            menus.toolBar->addAction(a.at(id));
    }
    window.addToolBar(Qt::TopToolBarArea, menus.toolBar);
    return menus;
}
