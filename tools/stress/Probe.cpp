// Single operations for the fault and permission tests: each runs one call of the save
// path and prints its outcome ("ok" or the message), exit status 0 or 1.
#include "tools/stress/Probe.h"

#include <cstdio>
#include <cstdlib>

#include "records/FileOps.h"
#include "records/FunctionRecord.h"

extern "C" void kelvane_fault_arm() __attribute__((weak));

namespace kelvane::stress {

namespace {

void Arm() {
    if (kelvane_fault_arm)
        kelvane_fault_arm();
}

int Report(const Status& status) {
    std::printf("%s\n", status.ok() ? "ok" : status.message().c_str());
    return status.ok() ? 0 : 1;
}

}  // namespace

// The editing commands' road: load with a stamp, change the description, save.
int ProbeEdit(const std::string& path) {
    FunctionRecord record;
    FileStamp stamp;
    if (!record.Load(path, &stamp)) {
        std::printf("load failed\n");
        return 2;
    }
    static_cast<void>(SetFieldText(record.header().description, "Edited by the probe"));
    Arm();
    return Report(record.Save(path, &stamp));
}

// A plain save of size bytes, as the wizard writes a new file.
int ProbeWrite(const std::string& path, long size) {
    const std::string bytes(static_cast<std::size_t>(size), 'x');
    Arm();
    return Report(WriteFileAtomically(path, bytes));
}

int ProbeRename(const std::string& from, const std::string& to) {
    Arm();
    return Report(RenameNoReplace(from, to));
}

}  // namespace kelvane::stress
