#include "app/LibraryOffer.h"

#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>

#include "records/Launch.h"
#include "records/LibraryCopy.h"
#include "records/LibraryPaths.h"
#include "uisupport/UiSeam.h"

namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString Tr(const char* text) {
    return QCoreApplication::translate("LibraryOffer", text);
}

QString OfferText(const kelvane::ProgramFolders& folders, bool sample) {
    const QString where = Text(kelvane::DisplayPath(folders.libraryRoot));
    if (sample)
        return QCoreApplication::translate(
                   "LibraryOffer",
                   "There is no function library in your folder yet. Kelvane looks for it "
                   "here:\n\n%1\n\nCopy the sample library that comes with Kelvane there, or "
                   "open the folder in the file manager to put your own library in it.")
            .arg(where);
    return QCoreApplication::translate(
               "LibraryOffer",
               "There is no function library in your folder yet. Kelvane looks for it "
               "here:\n\n%1\n\nOpen the folder in the file manager to put your own library "
               "in it (the sample library is not installed).")
        .arg(where);
}

void OpenFolder(UiSeam& seam, QWidget* parent, const std::string& folder) {
    if (const kelvane::Status made = kelvane::MakeUserFolders(folder); !made) {
        seam.message(parent, Text(made.message()));
        return;
    }
    const kelvane::LaunchCommand command = kelvane::FileManagerLaunchCommand(folder + "/");
    QStringList arguments;
    for (const std::string& argument : command.arguments)
        arguments << QFile::decodeName(QByteArray::fromStdString(argument));
    if (!seam.launch(QString::fromStdString(command.program), arguments))
        seam.message(parent,
                     QCoreApplication::translate("LibraryOffer", "Could not start %1 to open %2.")
                         .arg(Text(command.program), Text(kelvane::DisplayPath(folder))));
    else
        seam.message(parent, QCoreApplication::translate("LibraryOffer",
                                                         "Put your library's groups in %1; "
                                                         "Kelvane shows them when it starts "
                                                         "next.")
                                 .arg(Text(kelvane::DisplayPath(folder))));
}

}  // namespace

void OfferSampleLibrary(UiSeam& seam, QWidget* parent, const kelvane::ProgramFolders& folders) {
    if (!kelvane::LacksUserLibrary(folders))
        return;
    const bool sample = kelvane::HasSampleLibrary(folders);
    QMessageBox box(QMessageBox::Information,
                    QCoreApplication::translate("LibraryOffer", "Kelvane v1.0"),
                    OfferText(folders, sample), QMessageBox::NoButton, parent);
    // Rich text, so that the option is never broken at its dashes.
    box.setInformativeText(
        QCoreApplication::translate("LibraryOffer",
                                    "To use a library somewhere else, start Kelvane with "
                                    "<nobr>--home DIR</nobr> or set KELVANE_HOME."));
    QPushButton* copy =
        sample ? box.addButton(Tr(kCopySampleButton), QMessageBox::AcceptRole) : nullptr;
    QPushButton* open = box.addButton(Tr(kOpenFolderButton), QMessageBox::ActionRole);
    box.addButton(QMessageBox::Close);
    box.setDefaultButton(copy ? copy : open);
    seam.exec(box);

    if (copy && box.clickedButton() == copy) {
        if (const kelvane::Status copied = kelvane::CopySampleLibrary(folders); !copied)
            seam.message(parent, Text(copied.message()));
    } else if (box.clickedButton() == open) {
        OpenFolder(seam, parent, folders.libraryRoot);
    }
}
