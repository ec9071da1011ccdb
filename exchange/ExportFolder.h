#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "records/Result.h"

namespace kelvane {

// The marker an export leaves in its folder: a first line naming the program, then every
// file the export wrote, one per line. It makes a later export free to replace the folder.
inline constexpr std::string_view kExportMarkerName = ".kelvane-export";
inline constexpr std::string_view kExportMarkerTitle = "kelvane-cli export";
inline constexpr std::string_view kExportFunctionsFolder = "functions";

// The folder an export is written to, whole or not at all. The files are written into a
// hidden staging folder beside it (".NAME.export-DIGITS") and put in place in one step:
// moved to the free name, or exchanged with the folder standing there, which must be empty
// or an earlier export holding only the files it wrote; that one is then removed. Two
// exports into one folder exclude each other with a lock the kernel holds on it; a staging
// folder left by an export that crashed is removed by the next one.
class ExportFolder {
public:
    ExportFolder() = default;
    ExportFolder(const ExportFolder&) = delete;
    ExportFolder& operator=(const ExportFolder&) = delete;
    ~ExportFolder();  // unless committed, the staging folder is removed

    Status Begin(const std::string& target);

    // A new file at relative ("index.html" or "functions/NAME.html").
    Status Write(const std::string& relative, std::string_view bytes);

    // Puts the export in place. warning() then says what could not be cleaned up.
    Status Commit();
    const std::string& warning() const { return m_warning; }

private:
    Status Fail(const std::string& why) const;
    void Abandon();

    std::string m_target;
    std::string m_parent;
    std::string m_name;
    int m_parentFd = -1;
    int m_stagingFd = -1;
    std::string m_stagingName;
    bool m_replace = false;  // something stands at the target, to be exchanged
    bool m_functionsMade = false;
    std::vector<std::string> m_written;
    std::string m_warning;
};

// Whether the open folder dirFd is empty or an export that holds only what it wrote; the
// file names of its marker when it is. Otherwise the reason, naming the entry.
Status CheckReplaceableExport(int dirFd, const std::string& shownPath,
                              std::set<std::string>& files);

}  // namespace kelvane
