#include "records/FunctionFileCheck.h"

#include "records/LibraryPaths.h"
#include "records/TextCodec.h"

namespace kelvane {

namespace {

template <std::size_t N>
void CheckTerminated(const char (&field)[N], const std::string& what,
                     std::vector<std::string>& findings) {
    if (!FieldTerminated(field))
        findings.push_back(what + " text fills its " + std::to_string(N) +
                           " bytes without a terminator");
}

}  // namespace

std::vector<std::string> FunctionFileFindings(const FdbRead& read) {
    if (!read.ok())
        return {read.Reason()};
    std::vector<std::string> findings;
    if (read.fileSize > fdb::kMaxFunctionFileBytes) {
        FdbRead tooLong;
        tooLong.fault = FdbFault::TooLongToEdit;
        tooLong.fileSize = read.fileSize;
        findings.push_back(tooLong.Reason());
    }
    if (read.trailingBytes > 0)
        findings.push_back("has " + std::to_string(read.trailingBytes) +
                           " bytes after its last parameter record, which the next save "
                           "drops");

    CheckTerminated(read.header.name, "the function's name", findings);
    CheckTerminated(read.header.nameCopy, "the function's name copy", findings);
    CheckTerminated(read.header.description, "the function's description", findings);
    for (std::size_t i = 0; i < read.parameters.size(); ++i) {
        const ParameterRecord& p = read.parameters[i];
        const std::string which = "parameter " + std::to_string(i) + ": the ";
        CheckTerminated(p.typeName, which + "type name", findings);
        CheckTerminated(p.description, which + "description", findings);
        CheckTerminated(p.defaultText, which + "default value", findings);
        CheckTerminated(p.storedText, which + "stored value", findings);
    }
    return findings;
}

std::vector<std::string> CheckFunctionFile(const std::string& path) {
    return FunctionFileFindings(ReadFunctionFile(path));
}

std::vector<std::string> CheckFunctionFileAt(int dirFd, const std::string& name) {
    return FunctionFileFindings(ReadFunctionFileAt(dirFd, name));
}

std::string LoadFailureMessage(const std::string& folderPath, const std::string& folderName,
                               const FdbRead& read) {
    std::string message = MissingFileMessage(folderPath, folderName);
    if (!read.ok() && read.fault != FdbFault::Missing)
        message += " (" + DisplayName(folderName + std::string(kFunctionFileExtension)) + " " +
                   read.Reason() + ")";
    return message;
}

}  // namespace kelvane
