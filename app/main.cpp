#include <QApplication>
#include <clocale>
#include <csignal>
#include <cstring>
#include <string>

#include "app/MainFrame.h"
#include "app/QtSeam.h"
#include "records/LibraryPaths.h"

namespace {

// --home DIR (or --home=DIR) uses DIR as the program directory.
void ApplyHomeOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--home") == 0 && i + 1 < argc)
            kelvane::SetProgramDirectoryOverride(argv[++i]);
        else if (std::strncmp(argv[i], "--home=", 7) == 0)
            kelvane::SetProgramDirectoryOverride(argv[i] + 7);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // A write past the file size limit must fail with an error, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    // Value texts and generated files are written with printf-style "%f": keep "." as the
    // decimal point whatever the user's locale (QApplication adopted it).
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    ApplyHomeOption(argc, argv);

    QtSeam seam;
    CMainFrame frame(seam);
    frame.show();
    return app.exec();
}
