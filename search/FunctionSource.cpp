#include "search/FunctionSource.h"

#include "records/FunctionFileCheck.h"

namespace kelvane {

FunctionSource ReadFunctionSource(const std::string& filePath, bool withParameters) {
    FunctionSource source;
    source.loaded = withParameters ? source.record.Load(filePath)
                                   : FunctionRecord::LoadHeader(filePath, source.record.header());
    if (!source.loaded) {
        // The first thing wrong with it, in the words of the check.
        const std::vector<std::string> problems = CheckFunctionFile(filePath);
        source.problem = problems.empty() ? "could not be read" : problems.front();
    }
    return source;
}

}  // namespace kelvane
