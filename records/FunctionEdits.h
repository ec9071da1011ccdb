#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/FileStamp.h"
#include "records/FunctionRecord.h"
#include "records/Result.h"
#include "records/WrittenChange.h"

namespace kelvane {

// The changes a user can make to a function file, shared by the window's commands and
// kelvane-cli. Texts come in as UTF-8 and are stored as CP949; a change that does not fit
// its field, or text CP949 cannot hold, is refused with a message and changes nothing.
// A text equal to the field's text as shown keeps the field's bytes as they are, also
// bytes that are not CP949: only a text the user changed is checked.

// A function file read for one command. Save writes the whole record back, and refuses
// when the file on disk is no longer the one that was read.
class FunctionEdit {
public:
    Status Load(const std::string& path);
    Status Save() const;

    FunctionRecord& record() { return m_record; }
    const FunctionRecord& record() const { return m_record; }
    const std::string& path() const { return m_path; }

    // Ok when the file (as read) has parameter index; else why not.
    Status CheckParameter(int index) const;

    // What a save writes over the bytes that were read, for undoing it.
    WrittenChange Change() const;
    // True when the file is there but no longer holds the bytes that were read: another
    // program changed it.
    bool ChangedSinceRead() const;

private:
    std::string m_path;
    FunctionRecord m_record;
    FileStamp m_stamp;  // the file as read
};

// Appends an input parameter named "__Empty_Type_NN" (NN the new count), all else zero;
// refused when the file would grow past what a load reads (fdb::kMaxParameterCount).
Status AddParameter(FunctionRecord& record);
Status DeleteParameter(FunctionRecord& record, int index);

// 1 input, 0 output.
Status SetDirection(FunctionRecord& record, int index, std::int32_t direction);
// One of the nine type names; the value kinds and texts stay as they are.
Status SetTypeName(FunctionRecord& record, int index, std::string_view typeName);

// The default value (stored false) or the stored value (stored true) of an "int*",
// "double*" or "char*" parameter: sets the text and both kinds to the type's code.
Status SetTextValue(FunctionRecord& record, int index, bool stored, std::string_view utf8);
// The value of a parameter edited as a matrix (neither an image nor a value type): sets
// the matrix text and that value's kind only. elements holds height rows of width.
Status SetMatrixValue(FunctionRecord& record, int index, bool stored, int width, int height,
                      const std::vector<float>& elements);
// An image parameter has no value: both kinds become 0, the texts are kept.
Status ClearImageValue(FunctionRecord& record, int index);

Status SetParameterDescription(FunctionRecord& record, int index, std::string_view utf8);
Status SetFunctionDescription(FunctionRecord& record, std::string_view utf8);

}  // namespace kelvane
