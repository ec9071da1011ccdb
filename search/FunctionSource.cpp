#include "search/FunctionSource.h"

#include <utility>

#include "records/FunctionFile.h"

namespace kelvane {

namespace {

FunctionSource SourceOf(FdbRead read, bool withParameters) {
    FunctionSource source;
    source.loaded = read.ok();
    if (source.loaded && withParameters)
        source.record = read.TakeRecord();
    else if (source.loaded)
        source.record.header() = read.header;  // its count as the file gives it
    else
        source.problem = read.Reason();
    return source;
}

FdbPart PartFor(bool withParameters) {
    return withParameters ? FdbPart::Records : FdbPart::Header;
}

}  // namespace

FunctionSource ReadFunctionSource(const std::string& filePath, bool withParameters) {
    return SourceOf(ReadFunctionFile(filePath, PartFor(withParameters)), withParameters);
}

FunctionSource ReadListedFunctionSource(int dirFd, const std::string& fileName,
                                        const std::string& filePath, bool withParameters) {
    FdbRead read = ReadListedFunctionFile(dirFd, fileName, PartFor(withParameters));
    if (read.fault == FdbFault::Missing)
        return ReadFunctionSource(filePath, withParameters);  // put back if moved aside
    return SourceOf(std::move(read), withParameters);
}

}  // namespace kelvane
