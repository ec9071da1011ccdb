#include <QApplication>
#include <QFile>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <optional>

#include "app/CommandLine.h"
#include "app/LibraryOffer.h"
#include "app/MainFrame.h"
#include "app/QtSeam.h"
#include "app/Translators.h"
#include "i18n/Language.h"
#include "records/BuildInfo.h"
#include "records/LibraryPaths.h"
#include "records/ProgramFolders.h"

namespace {

constexpr int kExitUsage = 2;

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void Name(QCoreApplication& app) {
    app.setApplicationName(QStringLiteral("Kelvane"));
    app.setApplicationVersion(Latin1(kelvane::ProgramVersion()));
}

void TellUsageError(const QString& message) {
    std::fprintf(stderr, "kelvane: %s\n%s\n", message.toLocal8Bit().constData(),
                 QCoreApplication::translate("CommandLine", "Try 'kelvane --help'.")
                     .toLocal8Bit()
                     .constData());
}

// The language of --lang, else of the messages locale, spoken from here on by the core and
// the widgets. nullopt, with the reason on stderr, when --lang names no language we have.
std::optional<kelvane::i18n::Language> Speak(QCoreApplication& app, const WindowCommandLine& line) {
    const kelvane::i18n::LanguageChoice choice =
        kelvane::i18n::ChooseLanguage(line.lang, kelvane::i18n::LocaleVariables::OfProcess());
    kelvane::i18n::UseLanguage(choice.language);
    InstallTranslators(app, choice.language);
    if (!choice.ok()) {
        TellUsageError(
            QString::fromStdString(kelvane::i18n::UnknownLanguageMessage(*choice.refused)));
        return std::nullopt;
    }
    return choice.language;
}

// Help and version go to the terminal; they need no display, so no window is set up.
int AnswerWithoutWindow(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Name(app);
    if (!Speak(app, ParseWindowCommandLine(app.arguments(), true)))
        return kExitUsage;
    // Again, now that the help speaks the language.
    const WindowCommandLine line = ParseWindowCommandLine(app.arguments(), true);
    std::fputs(line.message.toLocal8Bit().constData(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // A write past the file size limit must fail with an error, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    if (AsksForHelpOrVersion(argc, argv))
        return AnswerWithoutWindow(argc, argv);

    QApplication app(argc, argv);
    // Value texts and generated files are written with printf-style "%f": keep "." as the
    // decimal point whatever the user's locale (QApplication adopted it).
    std::setlocale(LC_NUMERIC, "C");
    Name(app);
    QGuiApplication::setDesktopFileName(Latin1(kelvane::ApplicationId()));

    // QApplication has taken out Qt's own options; everything left must be ours.
    if (!Speak(app, ParseWindowCommandLine(app.arguments())))
        return kExitUsage;
    // Again, so that a usage error speaks the language.
    const WindowCommandLine line = ParseWindowCommandLine(app.arguments());
    if (line.action == WindowCommandLine::Action::UsageError) {
        TellUsageError(line.message);
        return kExitUsage;
    }
    if (!line.home.isEmpty())
        kelvane::SetProgramDirectoryOverride(QFile::encodeName(line.home).toStdString());

    QtSeam seam;
    OfferSampleLibrary(seam, nullptr, kelvane::GetProgramFolders());
    CMainFrame frame(seam);
    frame.show();
    return app.exec();
}
