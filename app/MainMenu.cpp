#include "app/MainMenu.h"

#include <QAction>
#include <QCoreApplication>
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
    {cmd::kAppExit, QT_TRANSLATE_NOOP("MainMenu", "E&xit"), nullptr},
    {cmd::kRename, QT_TRANSLATE_NOOP("MainMenu", "Rename..."), nullptr},
    {cmd::kAddParameter, QT_TRANSLATE_NOOP("MainMenu", "&Add Parameter..."),
     QT_TRANSLATE_NOOP("MainMenu", "Add Parameter")},
    {cmd::kDeleteParameter, QT_TRANSLATE_NOOP("MainMenu", "&Delete Parameter"),
     QT_TRANSLATE_NOOP("MainMenu", "Delete Parameter")},
    {cmd::kEditField, QT_TRANSLATE_NOOP("MainMenu", "&Edit Field..."),
     QT_TRANSLATE_NOOP("MainMenu", "Edit Field")},
    {cmd::kModify, QT_TRANSLATE_NOOP("MainMenu", "&Modify"),
     QT_TRANSLATE_NOOP("MainMenu", "Modify Function")},
    {cmd::kCodeWizard, QT_TRANSLATE_NOOP("MainMenu", "Code &Wizard..."),
     QT_TRANSLATE_NOOP("MainMenu", "Function Code Wizard")},
    {cmd::kLaunchExplorer, QT_TRANSLATE_NOOP("MainMenu", "Launch Explorer"),
     QT_TRANSLATE_NOOP("MainMenu", "Launch Explorer")},
    {cmd::kFindFunction, QT_TRANSLATE_NOOP("MainMenu", "Find Function..."), nullptr},
    {cmd::kAppAbout, QT_TRANSLATE_NOOP("MainMenu", "&About KLV..."),
     QT_TRANSLATE_NOOP("MainMenu", "About")},
};

// Toolbar order; 0 is a gap.
constexpr int kToolbarLayout[] = {
    cmd::kCodeWizard,      cmd::kLaunchExplorer, 0, cmd::kModify,  0, cmd::kAddParameter,
    cmd::kDeleteParameter, cmd::kEditField,      0, cmd::kAppAbout};

constexpr QSize kToolbarImageSize(16, 15);

// A text of the table above, in the user's language.
QString Tr(const char* text) {
    return QCoreApplication::translate("MainMenu", text);
}

}  // namespace

MainMenus BuildMainMenus(QMainWindow& window) {
    MainMenus menus;
    for (const CommandText& command : kCommands) {
        auto* action = new QAction(Tr(command.menuText), &window);
        action->setData(command.id);
        action->setObjectName(QString::number(command.id));
        if (command.toolTip) {
            action->setToolTip(Tr(command.toolTip));
            action->setStatusTip(action->toolTip());
            action->setIcon(icons::Toolbar(command.id));
            // Plain text menus until the menu look puts the images beside the commands.
            action->setIconVisibleInMenu(false);
        }
        menus.actions[command.id] = action;
    }
    const auto& a = menus.actions;

    QMenuBar* bar = window.menuBar();
    QMenu* file = bar->addMenu(QCoreApplication::translate("MainMenu", "&File"));
    file->addAction(a.at(cmd::kAppExit));

    QMenu* dbms = bar->addMenu(QCoreApplication::translate("MainMenu", "&DBMS"));
    menus.group = dbms->addMenu(QCoreApplication::translate("MainMenu", "Group"));
    menus.group->addAction(a.at(cmd::kRename));
    menus.function = dbms->addMenu(QCoreApplication::translate("MainMenu", "Function"));
    menus.parameter =
        menus.function->addMenu(QCoreApplication::translate("MainMenu", "&Parameter Management"));
    menus.parameter->addAction(a.at(cmd::kAddParameter));
    menus.parameter->addAction(a.at(cmd::kDeleteParameter));
    menus.parameter->addSeparator();
    menus.parameter->addAction(a.at(cmd::kEditField));
    menus.function->addSeparator();
    menus.function->addAction(a.at(cmd::kModify));

    QMenu* tools = bar->addMenu(QCoreApplication::translate("MainMenu", "&Tools"));
    tools->addAction(a.at(cmd::kCodeWizard));
    tools->addAction(a.at(cmd::kLaunchExplorer));
    tools->addSeparator();
    tools->addAction(a.at(cmd::kFindFunction));

    QMenu* help = bar->addMenu(QCoreApplication::translate("MainMenu", "&Help"));
    help->addAction(a.at(cmd::kAppAbout));

    menus.toolBar = new QToolBar(QCoreApplication::translate("MainMenu", "Toolbar"), &window);
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
