#pragma once

#include <QUndoCommand>
#include <string>

#include "records/WrittenChange.h"

// One change the program wrote to a function file, as a step of the edit history. A step
// that the file refuses must leave the history where it is, so CEditHistory writes the
// file first (Write) and moves the stack only once that is done: undo() and redo() have
// nothing left to do.
class CFileChangeCommand : public QUndoCommand {
public:
    CFileChangeCommand(kelvane::WrittenChange change, std::string folderName,
                       std::string folderPath, const QString& text);

    // Writes the bytes before back (undo) or the change again, as the core allows.
    kelvane::ChangeStep Write(bool undo) const;

    // Frees the bytes of a change too old to keep; it can then no longer be undone.
    void Forget();
    bool Forgotten() const { return m_forgotten; }
    std::size_t Bytes() const { return m_change.size(); }

    // The function the change is of (raw bytes), to be shown after each step.
    const std::string& FolderName() const { return m_folderName; }
    const std::string& FolderPath() const { return m_folderPath; }

    void undo() override {}
    void redo() override {}

private:
    kelvane::WrittenChange m_change;
    std::string m_folderName;
    std::string m_folderPath;
    bool m_forgotten = false;
};
