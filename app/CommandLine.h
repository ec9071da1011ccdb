#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

// The window's own command line: --help, --version, --home DIR and --lang LANG. Qt's own options
// (-platform, -style, ...) are taken out by QApplication before these are parsed.
struct WindowCommandLine {
    enum class Action { Run, Help, Version, UsageError };

    Action action = Action::Run;
    QString home;                     // --home DIR, empty when not given
    std::optional<std::string> lang;  // --lang LANG as given, to be chosen from
    QString message;                  // the help, the version, or what was wrong
};

// arguments[0] is the program. With lenient set, options it does not know are passed
// over, for answering --help and --version before Qt has taken out its own options.
WindowCommandLine ParseWindowCommandLine(const QStringList& arguments, bool lenient = false);

// True when the words ask for --help or --version, which need no display.
bool AsksForHelpOrVersion(int argc, char** argv);
