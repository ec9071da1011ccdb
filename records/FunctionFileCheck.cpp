#include "records/FunctionFileCheck.h"

#include "i18n/Translate.h"
#include "records/LibraryPaths.h"
#include "records/TextCodec.h"

namespace kelvane {

using i18n::N_;
using i18n::Say;
using i18n::Tr;

namespace {

template <std::size_t N>
void CheckTerminated(const char (&field)[N], const std::string& what,
                     std::vector<std::string>& findings) {
    if (!FieldTerminated(field))
        findings.push_back(Say("{what} text fills its {size} bytes without a terminator",
                               {{"what", what}, {"size", std::to_string(N)}}));
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
        findings.push_back(
            Say("has {count} bytes after its last parameter record, which the next save drops",
                {{"count", std::to_string(read.trailingBytes)}}));

    CheckTerminated(read.header.name, Tr("the function's name"), findings);
    CheckTerminated(read.header.nameCopy, Tr("the function's name copy"), findings);
    CheckTerminated(read.header.description, Tr("the function's description"), findings);
    for (std::size_t i = 0; i < read.parameters.size(); ++i) {
        const ParameterRecord& p = read.parameters[i];
        auto which = [&](const char* field) {
            return Say("parameter {index}: {field}",
                       {{"index", std::to_string(i)}, {"field", Tr(field)}});
        };
        CheckTerminated(p.typeName, which(N_("the type name")), findings);
        CheckTerminated(p.description, which(N_("the description")), findings);
        CheckTerminated(p.defaultText, which(N_("the default value")), findings);
        CheckTerminated(p.storedText, which(N_("the stored value")), findings);
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
        return Say("{missing} ({file} {reason})",
                   {{"missing", message},
                    {"file", DisplayName(folderName + std::string(kFunctionFileExtension))},
                    {"reason", read.Reason()}});
    return message;
}

}  // namespace kelvane
