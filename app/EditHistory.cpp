#include "app/EditHistory.h"

#include <sys/stat.h>

#include "app/EditSave.h"
#include "app/FileChangeCommand.h"
#include "app/MainFrame.h"
#include "uisupport/UiSeam.h"

CEditHistory::CEditHistory(CMainFrame& frame, std::size_t budget)
    : QObject(&frame), m_frame(frame), m_budget(budget) {}

void CEditHistory::Record(kelvane::WrittenChange change, const std::string& folderName,
                          const std::string& folderPath, const QString& text) {
    if (change.before == change.after)
        return;
    // The stack drops the steps that were undone, as a new change makes them void.
    m_stack.push(new CFileChangeCommand(std::move(change), folderName, folderPath, text));
    KeepWithinBudget();
}

void CEditHistory::KeepWithinBudget() {
    std::size_t kept = 0;
    for (int i = m_stack.count() - 1; i >= 0; --i) {
        auto* command =
            static_cast<CFileChangeCommand*>(const_cast<QUndoCommand*>(m_stack.command(i)));
        if (command->Forgotten())
            break;  // and so are all older ones
        kept += command->Bytes();
        if (kept > m_budget)
            command->Forget();
    }
}

void CEditHistory::Undo() {
    Step(true);
}

void CEditHistory::Redo() {
    Step(false);
}

void CEditHistory::Step(bool undo) {
    const int index = undo ? m_stack.index() - 1 : m_stack.index();
    if (index < 0 || index >= m_stack.count())
        return;
    const auto* command = static_cast<const CFileChangeCommand*>(m_stack.command(index));
    if (command->Forgotten()) {
        m_frame.Seam().message(&m_frame, tr("This change is too old to be undone: the oldest "
                                            "changes are no longer kept, to save memory."));
        return;
    }
    const kelvane::ChangeStep step = command->Write(undo);
    if (!step.message.empty())
        TellUser(m_frame, step.message);
    if (step.done) {
        if (undo)
            m_stack.undo();
        else
            m_stack.redo();
    }
    // A function renamed or removed since has nothing to show.
    struct stat st {};
    if (step.done || stat(command->FolderPath().c_str(), &st) == 0)
        m_frame.ShowFunctionSelected(command->FolderName(), command->FolderPath());
}
