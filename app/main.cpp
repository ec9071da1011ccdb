#include <QApplication>
#include <QFile>
#include <clocale>
#include <csignal>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/LibraryOffer.h"
#include "app/MainFrame.h"
#include "app/QtSeam.h"
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

// Help and version go to the terminal; they need no display, so no window is set up.
int AnswerWithoutWindow(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Name(app);
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
    const WindowCommandLine line = ParseWindowCommandLine(app.arguments());
    if (line.action == WindowCommandLine::Action::UsageError) {
        std::fprintf(stderr, "kelvane: %s\nTry 'kelvane --help'.\n",
                     line.message.toLocal8Bit().constData());
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
