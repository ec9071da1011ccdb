#pragma once

#include <QObject>
#include <QUndoStack>
#include <cstddef>
#include <string>

#include "records/WrittenChange.h"

class CMainFrame;

// Every change the editing commands wrote to a function file, for as long as the program
// runs, across functions: undo puts a file back as it was before the change, redo makes
// the change again. A step is taken only while the file is byte for byte what the other
// step left; otherwise the user is told, and the file and the history stay as they are.
// After each step the information view shows the function as it now is.
class CEditHistory : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditHistory)

public:
    // budget: how many bytes the kept changes may take; the oldest are forgotten beyond it.
    explicit CEditHistory(CMainFrame& frame, std::size_t budget = kelvane::kChangeHistoryBytes);

    // Records a change just written to the function folderName in folderPath (raw bytes);
    // a change that wrote the bytes the file had is none.
    void Record(kelvane::WrittenChange change, const std::string& folderName,
                const std::string& folderPath, const QString& text);

    bool CanUndo() const { return m_stack.canUndo(); }
    bool CanRedo() const { return m_stack.canRedo(); }
    void Undo();
    void Redo();

    const QUndoStack& Stack() const { return m_stack; }

private:
    void Step(bool undo);
    void KeepWithinBudget();

    CMainFrame& m_frame;
    std::size_t m_budget;
    QUndoStack m_stack;
};
