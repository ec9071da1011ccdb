#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the message is on stderr
inline constexpr int kExitUsage = 2;    // bad arguments; the usage is on stderr

// One subcommand of kelvane-cli. Each command lives in its own file and is listed in
// CommandTable.cpp. Output goes only to the streams given, so tests run commands
// in-process and compare what they print.
class Command {
public:
    Command(std::string_view name, std::string_view usage, std::string_view summary)
        : m_name(name), m_usage(usage), m_summary(summary) {}
    virtual ~Command() = default;
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    // args are the words after the command's name.
    virtual int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) = 0;

    std::string_view name() const { return m_name; }
    // The arguments, e.g. "FOLDER [--icons] [--json]".
    std::string_view usage() const { return m_usage; }
    std::string_view summary() const { return m_summary; }

    // Prints "kelvane-cli: <why>" and the command's usage line; returns kExitUsage.
    int UsageError(std::ostream& err, std::string_view why) const;
    // Prints "kelvane-cli: <message>"; returns kExitFailure.
    static int Failure(std::ostream& err, std::string_view message);

private:
    std::string_view m_name;
    std::string_view m_usage;
    std::string_view m_summary;
};

}  // namespace kelvane::cli
