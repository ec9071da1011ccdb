#include "cli/Cli.h"

#include <algorithm>
#include <new>

#include "cli/CommandTable.h"
#include "cli/TextOut.h"
#include "records/LibraryPaths.h"

namespace kelvane::cli {

namespace {

void PrintHelp(const std::vector<std::unique_ptr<Command>>& commands, std::ostream& out) {
    out << "usage: kelvane-cli [--home DIR] COMMAND [ARGS...]\n"
           "\n"
           "Reads and edits the function library beside the program (DIR/FunctionLibrary\n"
           "with --home DIR). Texts are printed as UTF-8; in item texts and cells CR, LF,\n"
           "TAB and backslash are written as \\r \\n \\t \\\\ so that one item stays one line,\n"
           "and in every line (messages too) any other control character as \\xHH.\n"
           "Exit status: 0 success, 1 failure (message on stderr), 2 usage error.\n"
           "\n"
           "commands:\n";
    for (const auto& command : commands) {
        out << "  " << command->name() << " " << command->usage() << "\n      "
            << command->summary() << "\n";
    }
}

// Puts the program directory back as it was when the run ends.
class HomeOverride {
public:
    explicit HomeOverride(const std::string& dir) : m_saved(GetProgramDirectoryOverride()) {
        SetProgramDirectoryOverride(dir);
    }
    ~HomeOverride() { SetProgramDirectoryOverride(m_saved); }

private:
    std::string m_saved;
};

}  // namespace

int Command::UsageError(std::ostream& err, std::string_view why) const {
    err << "kelvane-cli: " << EscapeLine(why) << "\nusage: kelvane-cli " << m_name << " " << m_usage
        << "\n";
    return kExitUsage;
}

int Command::Failure(std::ostream& err, std::string_view message) {
    err << "kelvane-cli: " << EscapeLine(message) << "\n";
    return kExitFailure;
}

int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const auto commands = MakeCommands();
    std::size_t next = 0;
    std::string home;
    while (next < words.size() && words[next].compare(0, 2, "--") == 0) {
        const std::string& word = words[next];
        if (word == "--help" || word == "-h") {
            PrintHelp(commands, out);
            return kExitOk;
        }
        if (word == "--home" && next + 1 < words.size()) {
            home = words[next + 1];
            next += 2;
        } else if (word.compare(0, 7, "--home=") == 0) {
            home = word.substr(7);
            ++next;
        } else {
            err << "kelvane-cli: "
                << (word == "--home" ? "--home needs a directory"
                                     : "unknown option " + EscapeLine(word))
                << "\nTry 'kelvane-cli --help'.\n";
            return kExitUsage;
        }
        if (home.empty()) {
            err << "kelvane-cli: --home needs a directory\n";
            return kExitUsage;
        }
    }
    if (next == words.size()) {
        PrintHelp(commands, err);
        return kExitUsage;
    }
    const std::string& name = words[next];
    if (name == "help") {
        PrintHelp(commands, out);
        return kExitOk;
    }
    for (const auto& command : commands) {
        if (command->name() != name)
            continue;
        const std::vector<std::string> args(words.begin() + static_cast<long>(next) + 1,
                                            words.end());
        if (std::find(args.begin(), args.end(), "--help") != args.end()) {
            out << "usage: kelvane-cli " << command->name() << " " << command->usage() << "\n"
                << command->summary() << "\n";
            return kExitOk;
        }
        HomeOverride override(home.empty() ? GetProgramDirectoryOverride() : home);
        try {
            return command->run(args, out, err);
        } catch (const std::bad_alloc&) {
            out.flush();
            return Command::Failure(
                err, std::string(command->name()) + ": there is not enough memory to finish");
        }
    }
    err << "kelvane-cli: unknown command " << EscapeLine(name) << "\nTry 'kelvane-cli --help'.\n";
    return kExitUsage;
}

}  // namespace kelvane::cli
