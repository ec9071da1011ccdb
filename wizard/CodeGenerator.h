#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "records/ProgramFolders.h"

namespace kelvane {

inline constexpr std::string_view kSourceOpenErrorMessage = "Code Generation : File Open Error!";
inline constexpr std::string_view kProgrammerText = "KLV Code Generator v1.0";

// The day written into the header comment of Function.cpp.
struct GenerationDate {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;

    static GenerationDate Today();  // local time
};

// What a generation could not produce. Generation never stops at a failure: every other
// file is still copied and written.
struct GenerationReport {
    std::vector<std::string> failedFiles;  // paths in the source folder, in generation order
    bool sourceFailed = false;             // Function.cpp could not be created

    bool complete() const { return failedFiles.empty(); }
};

// Turns a function folder into a DLL project: copies the skeleton (Skel/Dll) into the
// folder's _Src, writes the skeleton's project file under the function's name with the
// names and paths put in, and writes Function.cpp, which includes the class library.
class CCodeGenerator {
public:
    CCodeGenerator(std::string functionName, const ProgramFolders& folders, std::string functionDir,
                   std::string programmer, std::string signature);

    void SetDate(const GenerationDate& date) { m_date = date; }

    // Creates the folders, copies the seven skeleton files, rewrites the project file and
    // writes Function.cpp; reports what could not be produced.
    GenerationReport Generate();

    // Writes _Src/N.dsp from the skeleton's Dll.dsp. The new file is created (or emptied)
    // even when the skeleton cannot be read; false when either file cannot be opened.
    bool RewriteProjectFile();

    // Writes _Src/Function.cpp; false when it cannot be created.
    bool WriteFunctionSource();

    std::string SkeletonDirectory() const;
    std::string SourceDirectory() const;
    std::string ProjectFilePath() const;
    std::string SourceFilePath() const;

    // One piece of the skeleton's project file with the six replacements applied.
    std::string RewriteLine(std::string line) const;
    // The text of Function.cpp with "\n" line ends.
    std::string FunctionSourceText() const;

private:
    std::string m_strFunctionName;
    std::string m_strSkeletonDir;
    std::string m_strClassLibraryDir;
    std::string m_strFunctionDir;
    std::string m_strProgrammer;
    std::string m_strSignature;
    GenerationDate m_date;
};

// Splits text as a text-mode line reader with a 500-byte buffer would: each "\r\n" read
// as one "\n", pieces of at most 499 bytes ending at and including a "\n".
std::vector<std::string> SplitSkeletonLines(std::string_view bytes);

// Writes every "\n" as "\r\n", as a text-mode writer does.
std::string ToCrLf(std::string_view text);

// Replaces every occurrence of search in line, left to right, without scanning the
// inserted text again. Exact and case-sensitive.
void ReplaceAll(std::string& line, std::string_view search, std::string_view replacement);

}  // namespace kelvane
