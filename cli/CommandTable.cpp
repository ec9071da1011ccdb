#include "cli/CommandTable.h"

namespace kelvane::cli {

// To add a command: write it in its own file as a Command subclass with a factory
// "std::unique_ptr<Command> MakeXCommand()", declare the factory here and add one line
// to the table below.
// clang-format off
std::unique_ptr<Command> MakeTabsCommand();    // TabsCommand.cpp
std::unique_ptr<Command> MakeTreeCommand();    // TreeCommand.cpp
std::unique_ptr<Command> MakeShowCommand();    // ShowCommand.cpp
std::unique_ptr<Command> MakeListCommand();    // ListCommand.cpp
std::unique_ptr<Command> MakeCheckCommand();   // CheckCommand.cpp
std::unique_ptr<Command> MakeSearchCommand();  // SearchCommand.cpp
std::unique_ptr<Command> MakeCreateCommand();  // CreateCommand.cpp
std::unique_ptr<Command> MakeAddParamCommand();     // EditCommands.cpp
std::unique_ptr<Command> MakeDeleteParamCommand();  // EditCommands.cpp
std::unique_ptr<Command> MakeEditCommand();         // EditCommands.cpp
std::unique_ptr<Command> MakeCopySampleCommand();   // CopySampleCommand.cpp
std::unique_ptr<Command> MakeExportCommand();       // ExportCommand.cpp
std::unique_ptr<Command> MakeImportCommand();       // ImportCommand.cpp
std::unique_ptr<Command> MakeDumpCommand();         // DumpCommand.cpp

std::vector<std::unique_ptr<Command>> MakeCommands() {
    using Factory = std::unique_ptr<Command> (*)();
    static constexpr Factory kTable[] = {
        MakeTabsCommand,
        MakeTreeCommand,
        MakeShowCommand,
        MakeListCommand,
        MakeCheckCommand,
        MakeSearchCommand,
        MakeCreateCommand,
        MakeAddParamCommand,
        MakeDeleteParamCommand,
        MakeEditCommand,
        MakeCopySampleCommand,
        MakeExportCommand,
        MakeImportCommand,
        MakeDumpCommand,
    };
    // clang-format on
    std::vector<std::unique_ptr<Command>> commands;
    for (Factory make : kTable)
        commands.push_back(make());
    return commands;
}

}  // namespace kelvane::cli
