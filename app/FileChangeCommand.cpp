#include "app/FileChangeCommand.h"

#include <utility>

CFileChangeCommand::CFileChangeCommand(kelvane::WrittenChange change, std::string folderName,
                                       std::string folderPath, const QString& text)
    : QUndoCommand(text),
      m_change(std::move(change)),
      m_folderName(std::move(folderName)),
      m_folderPath(std::move(folderPath)) {}

kelvane::ChangeStep CFileChangeCommand::Write(bool undo) const {
    return undo ? kelvane::UndoChange(m_change) : kelvane::RedoChange(m_change);
}

void CFileChangeCommand::Forget() {
    m_change.before = std::string();
    m_change.after = std::string();
    m_forgotten = true;
}
