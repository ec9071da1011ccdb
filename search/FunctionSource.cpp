#include "search/FunctionSource.h"

#include "records/FunctionFile.h"

namespace kelvane {

FunctionSource ReadFunctionSource(const std::string& filePath, bool withParameters) {
    FdbRead read = ReadFunctionFile(filePath, withParameters ? FdbPart::Records : FdbPart::Header);
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

}  // namespace kelvane
