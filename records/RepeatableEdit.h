#pragma once

#include <functional>
#include <string>

#include "records/FunctionRecord.h"
#include "records/Result.h"

namespace kelvane {

// One change of a function file as the user asked for it (a field set to a value, a
// parameter added or deleted), kept so that it can be made again to the file as it is now
// when another program changed the file meanwhile. A change of a parameter names it by
// position and by the type name it had when the user chose the change.
class RepeatableEdit {
public:
    using Apply = std::function<Status(FunctionRecord&)>;

    // A change of the function as a whole: its description, or a parameter appended.
    static RepeatableEdit OfFunction(Apply apply);
    // A change of parameter index of record, as it was loaded when the user chose it.
    static RepeatableEdit OfParameter(const FunctionRecord& record, int index, Apply apply);

    // Makes the change to record. A parameter change is made only while the parameter at
    // its position still has the type name it had; else the message says why not and
    // record is left as it was.
    Status ApplyTo(FunctionRecord& record) const;

private:
    RepeatableEdit(Apply apply, int parameter, std::string typeName);

    Apply m_apply;
    int m_parameter = -1;    // -1: no parameter
    std::string m_typeName;  // as the file holds it
};

}  // namespace kelvane
