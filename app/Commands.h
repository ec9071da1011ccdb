#pragma once

#include <functional>

class CMainFrame;

// A command of the main window: runs only while enabled() holds, whichever way it is
// given (menu, context menu, toolbar, double click).
struct CommandHandler {
    std::function<bool()> enabled;
    std::function<void()> run;
};

// Function editing commands: Add Parameter, Delete Parameter, Edit Field, Modify.
void RegisterEditCommands(CMainFrame& frame);
// Library commands: Rename, Code Wizard, Launch Explorer.
void RegisterLibraryCommands(CMainFrame& frame);
// Find Function, and Ctrl+F for it.
void RegisterFindCommand(CMainFrame& frame);
