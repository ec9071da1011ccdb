#include "cli/Cli.h"

#include <algorithm>
#include <new>

#include "cli/CommandTable.h"
#include "cli/TextOut.h"
#include "i18n/Language.h"
#include "i18n/Translate.h"
#include "records/BuildInfo.h"
#include "records/LibraryCopy.h"
#include "records/LibraryPaths.h"
#include "records/ProgramFolders.h"

namespace kelvane::cli {

using kelvane::i18n::Say;
using kelvane::i18n::Tr;

namespace {

void PrintHelp(const std::vector<std::unique_ptr<Command>>& commands, std::ostream& out) {
    out << Tr("usage: kelvane-cli [--lang ko|en] [--home DIR] COMMAND [ARGS...]\n"
              "       kelvane-cli --help | --version\n")
        << "\n"
        << Tr("Reads and edits a Kelvane function library. Texts are printed as UTF-8; in item\n"
              "texts and cells CR, LF, TAB and backslash are written as \\r \\n \\t \\\\ so that\n"
              "one item stays one line, and in every line (messages too) any other control\n"
              "character as \\xHH.\n"
              "Exit status: 0 success, 1 failure (message on stderr), 2 usage error.\n")
        << "\n"
        << Tr("The library (FunctionLibrary), the project skeleton (Skel/Dll) and the class\n"
              "library (ClassLibrary) are taken from the first of:\n"
              "  --home DIR        the folder DIR\n"
              "  $KELVANE_HOME     the folder it names\n"
              "  the program's own folder, when it holds FunctionLibrary or Skel\n"
              "  $XDG_DATA_HOME/kelvane (default ~/.local/share/kelvane) for the library; the\n"
              "  skeleton and class library from there when present, else as installed\n")
        << "\n"
        << Tr("Messages are in English when the messages locale is English (LANGUAGE, LC_ALL,\n"
              "LC_MESSAGES, LANG: en_*), else in Korean; --lang ko or --lang en chooses.\n")
        << "\n"
        << Tr("commands:\n");
    for (const auto& command : commands) {
        out << "  " << command->name() << " " << command->usage() << "\n      "
            << Tr(std::string(command->summary()).c_str()) << "\n";
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

// An installed program without a library in the user's folder says where it looks.
void ExplainMissingLibrary(std::ostream& err) {
    const ProgramFolders folders = GetProgramFolders();
    if (!LacksUserLibrary(folders))
        return;
    err << "kelvane-cli: "
        << Say("Kelvane looks for its library in {path}, and there is none there yet.",
               {{"path", EscapeLine(DisplayPath(folders.libraryRoot))}})
        << "\n";
    if (HasSampleLibrary(folders))
        err << Tr("Copy the sample library there with 'kelvane-cli copy-sample', or put your own "
                  "library there; --home DIR or KELVANE_HOME name another folder.")
            << "\n";
    else
        err << Tr("Put your own library there; --home DIR or KELVANE_HOME name another folder.")
            << "\n";
}

}  // namespace

int Command::UsageError(std::ostream& err, std::string_view why) const {
    err << "kelvane-cli: " << EscapeLine(why) << "\n"
        << Say("usage: kelvane-cli {command} {arguments}",
               {{"command", m_name}, {"arguments", m_usage}})
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
        if (word == "--version") {
            out << "kelvane-cli " << ProgramVersion() << "\n";
            return kExitOk;
        }
        // The language is set by main before this runs; here it is only checked.
        if (const i18n::LanguageOption language = i18n::ReadLanguageOption(words, next);
            language.used != 0) {
            if (language.lastWord || language.value.empty()) {
                err << "kelvane-cli: " << i18n::MissingLanguageMessage() << "\n";
                return kExitUsage;
            }
            if (!i18n::ChooseLanguage(language.value, {}).ok()) {
                err << "kelvane-cli: " << i18n::UnknownLanguageMessage(EscapeLine(language.value))
                    << "\n"
                    << Tr("Try 'kelvane-cli --help'.") << "\n";
                return kExitUsage;
            }
            next += language.used;
            continue;
        }
        const HomeOption option = ReadHomeOption(words, next);
        if (option.used == 0 || option.lastWord) {
            err << "kelvane-cli: "
                << (option.lastWord
                        ? HomeMissingMessage()
                        : Say("Unknown option {option}.", {{"option", EscapeLine(word)}}))
                << "\n"
                << Tr("Try 'kelvane-cli --help'.") << "\n";
            return kExitUsage;
        }
        if (option.missing()) {
            err << "kelvane-cli: " << HomeMissingMessage() << "\n";
            return kExitUsage;
        }
        home = option.dir;
        next += option.used;
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
            out << Say("usage: kelvane-cli {command} {arguments}",
                       {{"command", command->name()}, {"arguments", command->usage()}})
                << "\n"
                << Tr(std::string(command->summary()).c_str()) << "\n";
            return kExitOk;
        }
        HomeOverride override(home.empty() ? GetProgramDirectoryOverride() : home);
        int status;
        try {
            status = command->run(args, out, err);
        } catch (const std::bad_alloc&) {
            out.flush();
            return Command::Failure(err, Say("{command}: there is not enough memory to finish.",
                                             {{"command", command->name()}}));
        }
        if (status == kExitFailure && command->name() != "copy-sample")
            ExplainMissingLibrary(err);
        return status;
    }
    err << "kelvane-cli: " << Say("Unknown command {command}.", {{"command", EscapeLine(name)}})
        << "\n"
        << Tr("Try 'kelvane-cli --help'.") << "\n";
    return kExitUsage;
}

}  // namespace kelvane::cli
