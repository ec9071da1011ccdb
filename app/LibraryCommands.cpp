#include <QCoreApplication>
#include <QDialog>
#include <QFile>

#include "app/Commands.h"
#include "app/MainFrame.h"
#include "browser/FuncTreeView.h"
#include "browser/LibraryTreeCtrl.h"
#include "dialogs/ui/RenameDlg.h"
#include "records/FileOps.h"
#include "records/Launch.h"
#include "records/LibraryPaths.h"
#include "resources/CommandIds.h"
#include "uisupport/UiSeam.h"
#include "wizard/ui/CodeWizard.h"

namespace {

QStringList Arguments(const kelvane::LaunchCommand& command) {
    QStringList arguments;
    for (const std::string& argument : command.arguments)
        arguments << QFile::decodeName(QByteArray::fromStdString(argument));
    return arguments;
}

// Why a new name for a library folder cannot be used; empty when it can.
QString NameProblem(const std::string& name) {
    switch (kelvane::FolderNameFault(name)) {
        case kelvane::NameFault::None:
            return {};
        case kelvane::NameFault::Empty:
            return QCoreApplication::translate("LibraryCommands",
                                               "The new name is empty; nothing was renamed.");
        case kelvane::NameFault::Separator:
            return QCoreApplication::translate("LibraryCommands",
                                               "A name cannot contain \"/\"; nothing was renamed.");
        case kelvane::NameFault::DotName:
            return QCoreApplication::translate(
                "LibraryCommands", "\".\" and \"..\" cannot be names; nothing was renamed.");
    }
    return {};
}

// Renames the folder of the item selected in the current tab, beside itself. The move
// never replaces anything; the parent's children are then read again from disk.
void Rename(CMainFrame& frame) {
    CLibraryTreeCtrl* tree = frame.GetBrowser()->CurrentTree();
    if (!tree)
        return;
    // The focus frame alone (as on a tab just switched to) is no selection.
    QTreeWidgetItem* item = tree->currentItem();
    if (!item || !item->isSelected())
        return;
    UiSeam& seam = frame.Seam();
    QTreeWidgetItem* parent = item->parent();
    if (!parent) {
        // The top-level group is the tab itself, and its tab keeps the old name.
        seam.message(&frame, QCoreApplication::translate("LibraryCommands",
                                                         "A top-level group is renamed in the file "
                                                         "manager (Launch Explorer); nothing was "
                                                         "renamed."));
        return;
    }
    const std::string oldPath = tree->GetItemPath(item);

    CRenameDlg dialog(&frame);
    dialog.SetName(item->text(0));
    if (seam.exec(dialog) != QDialog::Accepted)
        return;
    if (dialog.Name() == item->text(0))
        return;  // unchanged

    const std::string name = dialog.Name().toStdString();
    if (const QString problem = NameProblem(name); !problem.isEmpty()) {
        seam.message(&frame, problem);
        return;
    }
    const std::string newPath = kelvane::ParentPath(oldPath) + "/" + name;
    if (const kelvane::Status moved = kelvane::RenameNoReplace(oldPath, newPath); !moved)
        seam.message(&frame, QString::fromStdString(moved.message()));
    tree->RefreshItem(parent);
}

void RunCodeWizard(CMainFrame& frame) {
    // The browser is not told: a new function shows once its group is opened again.
    CCodeWizard wizard(frame.Seam(), &frame);
    frame.Seam().exec(wizard);
}

void LaunchExplorer(CMainFrame& frame) {
    const kelvane::LaunchCommand command =
        kelvane::FileManagerLaunchCommand(kelvane::GetLibraryRoot() + "/");
    frame.Seam().launch(QString::fromStdString(command.program), Arguments(command));
}

}  // namespace

void RegisterLibraryCommands(CMainFrame& frame) {
    frame.SetCommandHandler(cmd::kRename, {nullptr, [&frame] { Rename(frame); }});
    frame.SetCommandHandler(cmd::kCodeWizard, {nullptr, [&frame] { RunCodeWizard(frame); }});
    frame.SetCommandHandler(cmd::kLaunchExplorer, {nullptr, [&frame] { LaunchExplorer(frame); }});
}
