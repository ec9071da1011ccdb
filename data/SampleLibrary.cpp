#include "data/SampleLibrary.h"

#include <filesystem>
#include <stdexcept>

#include "records/FileOps.h"
#include "records/LibraryPaths.h"
#include "records/ParamTypes.h"
#include "records/TextCodec.h"

namespace kelvane::sample {

namespace fs = std::filesystem;

namespace {

template <std::size_t N>
void Store(char (&field)[N], const std::string& utf8) {
    const auto cp949 = Utf8ToCp949(utf8);
    if (!cp949 || !SetFieldText(field, *cp949))
        throw std::invalid_argument("sample text does not fit: " + utf8);
}

Status MakeDirs(const std::string& dir) {
    std::error_code error;
    fs::create_directories(dir, error);
    if (error)
        return Status::Fail("Could not create " + dir + ": " + error.message() + ".");
    return Status::Ok();
}

}  // namespace

FunctionRecord MakeRecord(const SampleFunction& spec) {
    FunctionRecord record;
    FunctionHeader& h = record.header();
    h.kind = spec.kind;
    Store(h.name, spec.name);
    Store(h.nameCopy, spec.name);
    Store(h.description, spec.description);
    record.AllocateParameters(static_cast<int>(spec.params.size()));
    for (std::size_t i = 0; i < spec.params.size(); ++i) {
        const SampleParameter& p = spec.params[i];
        ParameterRecord& r = record.parameter(static_cast<int>(i));
        Store(r.typeName, p.type);
        r.direction = p.input ? fdb::kInput : fdb::kOutput;
        Store(r.description, p.description);
        const auto initial = InitialValueOf(p.type);
        const std::int32_t kind = initial ? initial->kind : kKindMatrix;
        const std::string text = initial ? std::string(initial->text) : "(1x1) 1.000000";
        r.defaultKind = kind;
        r.storedKind = kind;
        Store(r.defaultText, p.defaultText.value_or(text));
        Store(r.storedText, p.storedText.value_or(p.defaultText.value_or(text)));
    }
    return record;
}

Status WriteFunction(const std::string& dir, const SampleFunction& spec) {
    const std::string folderName = spec.name + "()";
    const std::string folder = dir + "/" + folderName;
    if (Status made = MakeDirs(folder); !made)
        return made;
    return MakeRecord(spec).Save(GetFunctionFilePath(folder, folderName));
}

Status CopyProjectData(const std::string& sourceDir, const std::string& programDir) {
    const std::string skel = programDir + "/Skel/Dll";
    for (const std::string& dir : {skel + "/res", programDir + "/ClassLibrary"})
        if (Status made = MakeDirs(dir); !made)
            return made;
    for (const char* name : {"res/Dll.rc2", "StdAfx.h", "StdAfx.cpp", "resource.h", "Dll.rc",
                             "Dll.h", "Dll.cpp", "Dll.dsp"}) {
        std::string text;
        const std::string from = sourceDir + "/Skel/Dll/" + name;
        if (!ReadWholeFile(from, text))
            return Status::Fail("Could not read " + from + ".");
        std::string crlf;
        for (char c : text) {
            if (c == '\n')
                crlf += '\r';
            if (c != '\r')
                crlf += c;
        }
        if (Status saved = WriteFileAtomically(skel + "/" + name, crlf); !saved)
            return saved;
    }
    for (const char* name : {"ImageClass.h", "MatrixClass.h", "SequenceClass.h", "README.md"}) {
        Status copied = CopyFileReplacing(sourceDir + "/ClassLibrary/" + name,
                                          programDir + "/ClassLibrary/" + name);
        if (!copied)
            return copied;
    }
    return Status::Ok();
}

}  // namespace kelvane::sample
