#pragma once

#include <span>
#include <string>

#include "exchange/Json.h"
#include "i18n/Translate.h"
#include "records/FunctionRecord.h"

namespace kelvane {

// The JSON form of a function file (docs/function.schema.json): every field by its name,
// texts as UTF-8, and whatever the record holds besides (bytes after a text's terminator,
// reserved bytes that are not zero, a text that is not CP949) as hex, so that the form
// gives back the same bytes.
Json FunctionToJson(const FunctionHeader& header, std::span<const ParameterRecord> parameters);
Json FunctionToJson(const FunctionRecord& record);

// Appends the form's text, as DumpJson(FunctionToJson(record), 2) lays it out with every
// line after the first indented by indent spaces more; for output written as it goes.
void WriteFunctionJson(JsonTextWriter& out, const FunctionRecord& record, std::size_t indent);

// A field of a form that a function file cannot hold: where (a JSON pointer such as
// /parameters/2/defaultText) and why.
struct FormError {
    std::string pointer;
    std::string problem;

    // "/parameters/2/defaultText: is 2050 bytes in CP949; ..."; the whole form is "the form".
    std::string message() const {
        return (pointer.empty() ? std::string(i18n::Tr("the form")) : pointer) + ": " + problem;
    }
};

struct FormResult {
    bool ok = false;
    FunctionRecord record;
    FormError error;  // when not ok
};

// The record a form describes; refuses the first field that is missing, of the wrong type,
// unknown, or that its record field cannot hold (too long, not CP949, a NUL in a text).
FormResult FunctionFromJson(const Json& form);

// The form's field names, for messages and documents.
inline constexpr std::string_view kParametersKey = "parameters";
inline constexpr std::string_view kTailSuffix = "Tail";
inline constexpr std::string_view kHexKey = "hex";

}  // namespace kelvane
