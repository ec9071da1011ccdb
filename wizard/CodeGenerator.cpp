#include "wizard/CodeGenerator.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include "records/FileOps.h"
#include "records/TextCodec.h"

namespace kelvane {

namespace {

// A text-mode read with a 500-byte buffer returns at most this many bytes at a time.
constexpr std::size_t kLinePieceSize = 499;

constexpr std::string_view kResSubdir = "/res";
constexpr std::string_view kSkeletonProject = "Dll.dsp";
constexpr std::string_view kSourceFileName = "Function.cpp";
constexpr std::string_view kResourceFile = "Dll.rc2";
constexpr std::array<std::string_view, 6> kCopiedFiles = {
    "StdAfx.h", "StdAfx.cpp", "resource.h", "Dll.rc", "Dll.h", "Dll.cpp",
};

constexpr std::string_view kRuleLine = "///////////////////////////////////////////////////\n";

std::string Format(const char* format, int a, int b, int c) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

}  // namespace

GenerationDate GenerationDate::Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::vector<std::string> SplitSkeletonLines(std::string_view bytes) {
    const std::string text = FromCrLf(bytes);
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t length = 0;
        while (length < kLinePieceSize && start + length < text.size()) {
            if (text[start + length++] == '\n')
                break;
        }
        pieces.push_back(text.substr(start, length));
        start += length;
    }
    return pieces;
}

void ReplaceAll(std::string& line, std::string_view search, std::string_view replacement) {
    if (search.empty())
        return;
    std::size_t at = line.find(search);
    while (at != std::string::npos) {
        line.replace(at, search.size(), replacement);
        at = line.find(search, at + replacement.size());
    }
}

CCodeGenerator::CCodeGenerator(std::string functionName, const ProgramFolders& folders,
                               std::string functionDir, std::string programmer,
                               std::string signature)
    : m_strFunctionName(std::move(functionName)),
      m_strSkeletonDir(folders.skeleton),
      m_strClassLibraryDir(folders.classLibrary),
      m_strFunctionDir(std::move(functionDir)),
      m_date(GenerationDate::Today()) {
    auto encode = [this](const std::string& text) {
        std::optional<std::string> cp949 = Utf8ToCp949(text);
        m_bTextsFit = m_bTextsFit && cp949.has_value();
        return cp949.value_or(std::string());
    };
    m_strNameText = encode(m_strFunctionName);
    m_strProgrammer = encode(programmer);
    m_strSignature = encode(signature);
}

std::string CCodeGenerator::SkeletonDirectory() const {
    return m_strSkeletonDir;
}

std::string CCodeGenerator::SourceDirectory() const {
    return m_strFunctionDir + "/_Src";
}

std::string CCodeGenerator::ProjectFilePath() const {
    return SourceDirectory() + "/" + m_strFunctionName + ".dsp";
}

std::string CCodeGenerator::SourceFilePath() const {
    return SourceDirectory() + "/" + std::string(kSourceFileName);
}

namespace {

// A skeleton file that is not there is a gap in the project, not a fault.
bool IsMissing(int error) {
    return error == ENOENT || error == ENOTDIR;
}

void NoteFault(GenerationReport& report, const std::string& path, int error, bool reading) {
    if (report.faulty())
        return;
    report.faultPath = path;
    report.faultError = error;
    report.faultReading = reading;
}

}  // namespace

GenerationReport CCodeGenerator::Generate() {
    GenerationReport report;
    const std::string skeleton = SkeletonDirectory();
    const std::string source = SourceDirectory();
    const std::string res = source + std::string(kResSubdir);
    // An existing folder is fine; one that cannot be made is a fault.
    for (const std::string& dir : {m_strFunctionDir, source, res}) {
        if (mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST)
            NoteFault(report, dir, errno, false);
    }

    auto copy = [&](const std::string& from, const std::string& to) {
        std::string bytes;
        if (!ReadWholeFile(from, bytes)) {
            report.failedFiles.push_back(to);
            if (!IsMissing(errno))
                NoteFault(report, from, errno, true);
            return;
        }
        if (const int error = WriteNewFile(to, bytes)) {
            report.failedFiles.push_back(to);
            NoteFault(report, to, error, false);
        }
    };
    copy(skeleton + std::string(kResSubdir) + "/" + std::string(kResourceFile),
         res + "/" + std::string(kResourceFile));
    for (const std::string_view name : kCopiedFiles)
        copy(skeleton + "/" + std::string(name), source + "/" + std::string(name));

    if (!m_bTextsFit) {
        for (const std::string& path : {ProjectFilePath(), SourceFilePath()}) {
            report.failedFiles.push_back(path);
            NoteFault(report, path, EILSEQ, false);
        }
        report.sourceFailed = true;
        return report;
    }
    RewriteProjectFile(report);
    WriteFunctionSource(report);
    return report;
}

std::string CCodeGenerator::RewriteLine(std::string line) const {
    const std::string& n = m_strNameText;
    ReplaceAll(line, "\"Dll\"", "\"" + n + "\"");
    ReplaceAll(line, "Dll - Win32 Debug", n + " - Win32 Debug");
    ReplaceAll(line, "Dll - Win32 Release", n + " - Win32 Release");
    ReplaceAll(line, "\"Dll.mak\"", "\"" + n + ".mak\"");
    ReplaceAll(line, "vantor20.lib", "\"" + m_strClassLibraryDir + "/vantor20.lib\"");
    ReplaceAll(line, "../Dll.dll", "../" + n + "().dll");
    return line;
}

void CCodeGenerator::RewriteProjectFile(GenerationReport& report) const {
    const std::string skeletonPath = SkeletonDirectory() + "/" + std::string(kSkeletonProject);
    std::string skeleton;
    const bool haveSkeleton = ReadWholeFile(skeletonPath, skeleton);
    if (!haveSkeleton && !IsMissing(errno))
        NoteFault(report, skeletonPath, errno, true);
    std::string text;
    if (haveSkeleton) {
        for (std::string& piece : SplitSkeletonLines(skeleton))
            text += RewriteLine(std::move(piece));
    }
    // The new file is written even without a skeleton: it is then left empty.
    const int error = WriteNewFile(ProjectFilePath(), ToCrLf(text));
    if (error != 0)
        NoteFault(report, ProjectFilePath(), error, false);
    if (!haveSkeleton || error != 0)
        report.failedFiles.push_back(ProjectFilePath());
    report.projectEmpty = error == 0 && text.empty();
}

std::string CCodeGenerator::FunctionSourceText() const {
    std::string text;
    text += kRuleLine;
    text += "// Function: " + m_strNameText + "()\n";
    text += "//\n";
    text += Format("// Date: %4d/%02d/%02d\n", m_date.year, m_date.month, m_date.day);
    text += "//\n";
    text += "// Programmer: " + m_strProgrammer + "\n";
    text += kRuleLine;
    text += "\n";
    text += "#include \"stdafx.h\"\n";
    text += "#include \"" + m_strClassLibraryDir + "/ImageClass.h\"\n";
    text += "#include \"" + m_strClassLibraryDir + "/MatrixClass.h\"\n";
    text += "#include \"" + m_strClassLibraryDir + "/SequenceClass.h\"\n";
    text += "#include <math.h>\n\n\n";
    text += "extern \"C\" __declspec(dllexport)\n";
    text += m_strSignature + "\n";
    text += "{\n";
    text += "\treturn TRUE;\n";
    text += "}\n\n";
    return text;
}

void CCodeGenerator::WriteFunctionSource(GenerationReport& report) const {
    if (const int error = WriteNewFile(SourceFilePath(), ToCrLf(FunctionSourceText()))) {
        report.failedFiles.push_back(SourceFilePath());
        report.sourceFailed = true;
        NoteFault(report, SourceFilePath(), error, false);
    }
}

}  // namespace kelvane
