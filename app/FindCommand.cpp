#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QScreen>
#include <algorithm>
#include <thread>

#include "app/Commands.h"
#include "app/MainFrame.h"
#include "browser/FuncTreeView.h"
#include "infoview/ui/KLVView.h"
#include "records/LibraryPaths.h"
#include "records/TextCodec.h"
#include "resources/CommandIds.h"
#include "search/ui/FindFunctionDlg.h"
#include "uisupport/UiSeam.h"

namespace {

// Room between the main window and the Find Function window beside it.
constexpr int kGap = 8;

// Beside the main window, where the tree stays in sight, when the screen has room for it
// there or below; else where the window system puts it.
void PlaceBeside(CMainFrame& frame, QWidget& dialog) {
    const QScreen* screen = frame.screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QRect main = frame.frameGeometry();
    const QSize size = dialog.frameGeometry().size();
    for (const QPoint& at : {QPoint(main.right() + 1 + kGap, main.top()),
                             QPoint(main.left(), main.bottom() + 1 + kGap)}) {
        if (room.contains(QRect(at, size))) {
            dialog.move(at);
            return;
        }
    }
}

// The window of Find Function, made the first time it is asked for and kept with the frame.
CFindFunctionDlg& FindDialog(CMainFrame& frame) {
    if (auto* dialog = frame.findChild<CFindFunctionDlg*>())
        return *dialog;
    auto* dialog = new CFindFunctionDlg(&frame);
    dialog->SetThreads(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    // A result: selected in the library tree of its tab, the groups above it opened, and
    // shown on the right.
    QObject::connect(dialog, &CFindFunctionDlg::functionActivated, &frame,
                     [&frame](const std::string& name, const std::string& path) {
                         if (!frame.GetBrowser()->SelectPath(path)) {
                             frame.Seam().message(
                                 &frame,
                                 QCoreApplication::translate(
                                     "FindCommand", "%1 is not in the library tree any more.")
                                     .arg(QString::fromStdString(kelvane::DisplayPath(path))));
                             return;
                         }
                         frame.GetView()->ShowFunction(name, path);
                         frame.UpdateCommandStates();
                         frame.raise();
                         frame.activateWindow();
                         if (CLibraryTreeCtrl* tree = frame.GetBrowser()->CurrentTree())
                             tree->setFocus(Qt::OtherFocusReason);
                     });
    PlaceBeside(frame, *dialog);
    return *dialog;
}

void FindFunction(CMainFrame& frame) {
    CFindFunctionDlg& dialog = FindDialog(frame);
    dialog.SetStart(kelvane::GetLibraryRoot());
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    dialog.QueryEdit()->setFocus(Qt::ShortcutFocusReason);
    dialog.QueryEdit()->selectAll();
}

}  // namespace

void RegisterFindCommand(CMainFrame& frame) {
    frame.SetCommandHandler(cmd::kFindFunction, {nullptr, [&frame] { FindFunction(frame); }});
    // A key of its own, as F6 has: the menus show no key names.
    auto* key = new QAction(&frame);
    key->setData(cmd::kFindFunction);
    key->setShortcut(Qt::CTRL | Qt::Key_F);
    QObject::connect(key, &QAction::triggered, &frame,
                     [&frame] { frame.RunCommand(cmd::kFindFunction); });
    frame.addAction(key);
}
