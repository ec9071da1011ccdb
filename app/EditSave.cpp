#include "app/EditSave.h"

#include <QCoreApplication>

#include "app/EditHistory.h"
#include "app/MainFrame.h"
#include "infoview/ui/KLVView.h"
#include "uisupport/UiSeam.h"

using namespace kelvane;

namespace {

QString Sentence(const std::string& text) {
    QString sentence = QString::fromStdString(text);
    if (!sentence.isEmpty())
        sentence[0] = sentence[0].toUpper();
    return sentence;
}

// True when the user chose to make the change to the file as it is now.
bool OfferToApplyAgain(CMainFrame& frame, const std::string& refusal) {
    QString reason = Sentence(refusal);
    if (!reason.endsWith(QLatin1Char('.')))
        reason += QLatin1Char('.');
    const QString text =
        QCoreApplication::translate(
            "SaveEdit", "%1\n\nYour change can be made to the file as it is now, or discarded.")
            .arg(reason);
    const QStringList choices = {
        QCoreApplication::translate("SaveEdit", "Apply my change to the current file"),
        QCoreApplication::translate("SaveEdit", "Discard")};
    return frame.Seam().choose(&frame, text, choices) == 0;
}

}  // namespace

void TellUser(CMainFrame& frame, const std::string& text) {
    frame.Seam().message(&frame, Sentence(text));
}

void TellUser(CMainFrame& frame, const QString& text) {
    frame.Seam().message(&frame, text);
}

void SaveEdit(CMainFrame& frame, CEditHistory& history, FunctionEdit& file,
              const RepeatableEdit& edit, const QString& what, bool rebuild) {
    CFuncInfoTreeCtrl& tree = *frame.GetView()->InfoTree();
    const std::string name = tree.m_strFolderName;
    const std::string path = tree.m_strFolderPath;
    for (Status applied = edit.ApplyTo(file.record());;) {
        if (!applied) {
            TellUser(frame, applied.message());
            break;
        }
        const Status saved = file.Save();
        WrittenChange change = file.Change();
        // A save whose folder could not be flushed has written the file all the same.
        if (saved || FileHolds(change.path, change.after)) {
            if (!saved)
                TellUser(frame, saved.message());
            history.Record(std::move(change), name, path, what);
            break;
        }
        if (!file.ChangedSinceRead()) {
            TellUser(frame, saved.message());
            break;
        }
        if (!OfferToApplyAgain(frame, saved.message()))
            break;
        FunctionEdit fresh;
        if (const Status loaded = fresh.Load(file.path()); !loaded) {
            TellUser(frame, loaded.message());
            break;
        }
        file = std::move(fresh);
        applied = edit.ApplyTo(file.record());
    }
    if (rebuild)
        tree.ShowFunction(name, path);
    else
        tree.SendRefresh();
}
