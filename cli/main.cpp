#include <sys/resource.h>

#include <csignal>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/Command.h"
#include "i18n/Language.h"
#include "i18n/Translate.h"
#include "records/ProgramFolders.h"

namespace {

// The language: --lang among the options before the command, else the messages locale.
// A --lang that names no language is reported by RunCli, in the language of the locale.
kelvane::i18n::Language LanguageOf(const std::vector<std::string>& words) {
    std::optional<std::string> option;
    std::size_t at = 0;
    while (at < words.size() && words[at].starts_with("-")) {
        const kelvane::i18n::LanguageOption language = kelvane::i18n::ReadLanguageOption(words, at);
        const kelvane::HomeOption home = kelvane::ReadHomeOption(words, at);
        if (language.used != 0) {
            if (!language.lastWord)
                option = language.value;
            at += language.used;
        } else if (home.used != 0) {
            at += home.used;
        } else {
            break;
        }
    }
    const auto variables = kelvane::i18n::LocaleVariables::OfProcess();
    const kelvane::i18n::LanguageChoice choice = kelvane::i18n::ChooseLanguage(option, variables);
    return choice.ok() ? choice.language
                       : kelvane::i18n::ChooseLanguage(std::nullopt, variables).language;
}

}  // namespace

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
    kelvane::i18n::UseLanguage(LanguageOf(words));
    const int status = kelvane::cli::RunCli(words, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "kelvane-cli: " << kelvane::i18n::Tr("Could not write the output.") << "\n";
        return kelvane::cli::kExitFailure;
    }
    return status;
}
