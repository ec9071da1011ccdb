#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "i18n/Translate.h"
#include "records/ProgramFolders.h"

namespace kelvane {

inline constexpr std::string_view kSourceOpenErrorMessage =
    i18n::N_("Code Generation : File Open Error!");
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
    bool projectEmpty = false;             // the project file was written without content
    // The first failure that is not a file missing from the skeleton (a file that could
    // not be written, or a skeleton file that could not be read), and its errno.
    std::string faultPath;
    int faultError = 0;
    bool faultReading = false;

    bool complete() const { return failedFiles.empty(); }
    bool faulty() const { return faultError != 0; }
};

// Turns a function folder into a DLL project: copies the skeleton (Skel/Dll) into the
// folder's _Src, writes the skeleton's project file under the function's name with the
// names and paths put in, and writes Function.cpp, which includes the class library.
//
// The name, programmer and signature are UTF-8. Inside the generated files they are
// written in CP949, the code page of the toolchain the project is made for (and of the
// function file); the project file's own name on disk keeps the name's UTF-8 bytes, as
// the function folder does. Paths are written as the file system gives them.
class CCodeGenerator {
public:
    CCodeGenerator(std::string functionName, const ProgramFolders& folders, std::string functionDir,
                   std::string programmer, std::string signature);

    // False when the name, programmer or signature has no CP949 form; Generate then
    // writes neither the project file nor Function.cpp and reports both.
    bool TextsFitCodePage() const { return m_bTextsFit; }

    void SetDate(const GenerationDate& date) { m_date = date; }

    // Creates the folders, copies the seven skeleton files, rewrites the project file and
    // writes Function.cpp; reports what could not be produced. Files are written in place,
    // each flushed: the folder is one that no one else sees yet (a creation's staging
    // folder), and it is put in place whole.
    GenerationReport Generate();

    std::string SkeletonDirectory() const;
    std::string SourceDirectory() const;
    std::string ProjectFilePath() const;
    std::string SourceFilePath() const;

    // One piece of the skeleton's project file with the six replacements applied.
    std::string RewriteLine(std::string line) const;
    // The text of Function.cpp with "\n" line ends.
    std::string FunctionSourceText() const;

private:
    // Writes _Src/N.dsp from the skeleton's Dll.dsp. The new file is created (or emptied)
    // even when the skeleton is missing.
    void RewriteProjectFile(GenerationReport& report) const;
    // Writes _Src/Function.cpp.
    void WriteFunctionSource(GenerationReport& report) const;

    std::string m_strFunctionName;  // as on disk
    std::string m_strNameText;      // the name as written into the files, in CP949
    std::string m_strSkeletonDir;
    std::string m_strClassLibraryDir;
    std::string m_strFunctionDir;
    std::string m_strProgrammer;  // CP949
    std::string m_strSignature;   // CP949
    bool m_bTextsFit = true;
    GenerationDate m_date;
};

// Splits text as a text-mode line reader with a 500-byte buffer would: each "\r\n" read
// as one "\n", pieces of at most 499 bytes ending at and including a "\n".
std::vector<std::string> SplitSkeletonLines(std::string_view bytes);

// Replaces every occurrence of search in line, left to right, without scanning the
// inserted text again. Exact and case-sensitive.
void ReplaceAll(std::string& line, std::string_view search, std::string_view replacement);

}  // namespace kelvane
