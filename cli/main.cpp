#include <sys/resource.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/Command.h"

int main(int argc, char** argv) {
    // A file-size limit then makes a write fail with EFBIG instead of killing us mid-save.
    std::signal(SIGXFSZ, SIG_IGN);
    // A walk holds one descriptor per level it is below: allow as many as we may.
    struct rlimit files {};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> words(argv + 1, argv + argc);
    const int status = kelvane::cli::RunCli(words, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "kelvane-cli: could not write the output\n";
        return kelvane::cli::kExitFailure;
    }
    return status;
}
