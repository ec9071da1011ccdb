#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QFile>
#include <cstring>
#include <string>
#include <vector>

#include "records/BuildInfo.h"
#include "records/ProgramFolders.h"

namespace {

const char* const kDescription =
    "Keeps and creates the functions of an image-processing function library.\n"
    "\n"
    "The library (FunctionLibrary), the project skeleton (Skel/Dll) and the class\n"
    "library (ClassLibrary) are taken from the first of: the folder given with --home;\n"
    "the folder named by KELVANE_HOME; the program's own folder, when it holds\n"
    "FunctionLibrary or Skel; else $XDG_DATA_HOME/kelvane (default ~/.local/share/kelvane)\n"
    "for the library, with the skeleton and class library from there when present and\n"
    "else as installed. Qt's own options, such as -platform and -style, work as in\n"
    "any Qt program.";

constexpr const char* kHelpWords[] = {"--help", "-h", "-?", "--help-all", "--version", "-v"};

}  // namespace

WindowCommandLine ParseWindowCommandLine(const QStringList& arguments, bool lenient) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption home(
        QStringLiteral("home"),
        QStringLiteral("Use DIR/FunctionLibrary, DIR/Skel/Dll and DIR/ClassLibrary."),
        QStringLiteral("DIR"));
    parser.addOption(home);

    // --home is read by the rule kelvane-cli uses; the parser still lists it in the help.
    std::vector<std::string> words;
    for (const QString& argument : arguments)
        words.push_back(QFile::encodeName(argument).toStdString());
    QStringList rest;
    QString homeDir;
    bool homeMissing = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size();) {
        optionsEnded = optionsEnded || words[i] == "--";
        const kelvane::HomeOption option =
            i == 0 || optionsEnded ? kelvane::HomeOption{} : kelvane::ReadHomeOption(words, i);
        if (option.used == 0) {
            rest << arguments[static_cast<qsizetype>(i++)];
            continue;
        }
        homeMissing = option.missing();
        homeDir = QFile::decodeName(QByteArray::fromStdString(option.dir));
        i += option.used;
    }

    WindowCommandLine result;
    const bool parsed = parser.parse(rest);
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        result.action = WindowCommandLine::Action::Help;
        result.message = parser.helpText();
    } else if (parser.isSet(version)) {
        result.action = WindowCommandLine::Action::Version;
        result.message = QStringLiteral("kelvane %1\n")
                             .arg(QString::fromUtf8(kelvane::ProgramVersion().data(),
                                                    kelvane::ProgramVersion().size()));
    } else if (!parsed && !lenient) {
        result.action = WindowCommandLine::Action::UsageError;
        result.message = parser.errorText();
    } else if (!parser.positionalArguments().isEmpty() && !lenient) {
        result.action = WindowCommandLine::Action::UsageError;
        result.message =
            QStringLiteral("unexpected argument '%1'.").arg(parser.positionalArguments().front());
    } else if (homeMissing) {
        result.action = WindowCommandLine::Action::UsageError;
        result.message = QString::fromLatin1(kelvane::kHomeMissingMessage.data(),
                                             kelvane::kHomeMissingMessage.size()) +
                         QLatin1Char('.');
    } else {
        result.home = homeDir;
    }
    return result;
}

bool AsksForHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        for (const char* word : kHelpWords) {
            if (std::strcmp(argv[i], word) == 0)
                return true;
        }
    }
    return false;
}
