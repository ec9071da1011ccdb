#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstring>
#include <string>
#include <vector>

#include "i18n/Language.h"
#include "records/BuildInfo.h"
#include "records/ProgramFolders.h"

namespace {

const char* const kDescription = QT_TRANSLATE_NOOP(
    "CommandLine",
    "Keeps and creates the functions of an image-processing function library.\n"
    "\n"
    "The library (FunctionLibrary), the project skeleton (Skel/Dll) and the class\n"
    "library (ClassLibrary) are taken from the first of: the folder given with --home;\n"
    "the folder named by KELVANE_HOME; the program's own folder, when it holds\n"
    "FunctionLibrary or Skel; else $XDG_DATA_HOME/kelvane (default ~/.local/share/kelvane)\n"
    "for the library, with the skeleton and class library from there when present and\n"
    "else as installed. Qt's own options, such as -platform and -style, work as in\n"
    "any Qt program.");

constexpr const char* kHelpWords[] = {"--help", "-h", "-?", "--help-all", "--version", "-v"};

}  // namespace

WindowCommandLine ParseWindowCommandLine(const QStringList& arguments, bool lenient) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("CommandLine", kDescription));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption home(
        QStringLiteral("home"),
        QCoreApplication::translate("CommandLine",
                                    "Use DIR/FunctionLibrary, DIR/Skel/Dll and DIR/ClassLibrary."),
        QStringLiteral("DIR"));
    parser.addOption(home);
    const QCommandLineOption lang(
        QStringLiteral("lang"),
        QCoreApplication::translate("CommandLine",
                                    "Show the window in LANG: ko (the Korean texts) or en "
                                    "(English); else as the messages locale says."),
        QStringLiteral("LANG"));
    parser.addOption(lang);

    // --home and --lang are read by the rules kelvane-cli uses; the parser still lists them
    // in the help.
    std::vector<std::string> words;
    for (const QString& argument : arguments)
        words.push_back(QFile::encodeName(argument).toStdString());
    QStringList rest;
    WindowCommandLine result;
    QString homeDir;
    bool homeMissing = false;
    bool langMissing = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size();) {
        optionsEnded = optionsEnded || words[i] == "--";
        const bool options = i != 0 && !optionsEnded;
        if (const kelvane::HomeOption option =
                options ? kelvane::ReadHomeOption(words, i) : kelvane::HomeOption{};
            option.used != 0) {
            homeMissing = option.missing();
            homeDir = QFile::decodeName(QByteArray::fromStdString(option.dir));
            i += option.used;
        } else if (const kelvane::i18n::LanguageOption language =
                       options ? kelvane::i18n::ReadLanguageOption(words, i)
                               : kelvane::i18n::LanguageOption{};
                   language.used != 0) {
            langMissing = language.lastWord;
            result.lang = language.value;
            i += language.used;
        } else {
            rest << arguments[static_cast<qsizetype>(i++)];
        }
    }

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
        result.message = QCoreApplication::translate("CommandLine", "Unexpected argument '%1'.")
                             .arg(parser.positionalArguments().front());
    } else if (langMissing) {
        result.action = WindowCommandLine::Action::UsageError;
        result.message = QString::fromStdString(kelvane::i18n::MissingLanguageMessage());
    } else if (homeMissing) {
        result.action = WindowCommandLine::Action::UsageError;
        result.message = QString::fromStdString(kelvane::HomeMissingMessage());
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
