// The reference pages of an export, the folder they go to, the JSON schema, and git diffs
// through dump: each checked with the real tool where there is one.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>

#include "CliRun.h"
#include "TestFiles.h"
#include "data/SampleLibrary.h"

using namespace kelvane;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

struct Shell {
    int code = -1;
    std::string out;  // standard output and error
};

Shell RunShell(const std::string& command) {
    Shell result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.out.append(buffer, got);
    const int status = pclose(pipe);
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool Have(const std::string& program) {
    return RunShell("command -v " + program).code == 0;
}

std::set<std::string> Matches(const std::string& text, const std::regex& pattern) {
    std::set<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it)
        found.insert((*it)[1].str());
    return found;
}

// Every link of every page leads to a page that exists and to an anchor it holds; every
// function page is linked from the index. Returns the pages.
std::vector<fs::path> CheckLinks(const fs::path& root, const std::string& index,
                                 const std::regex& links, const std::regex& anchors) {
    std::vector<fs::path> pages;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.' &&
            entry.path().extension() != ".css")
            pages.push_back(entry.path());
    std::set<fs::path> linkedFromIndex;
    for (const fs::path& page : pages) {
        for (const std::string& link : Matches(ReadBytes(page.string()), links)) {
            const auto hash = link.find('#');
            const fs::path target = fs::weakly_canonical(page.parent_path() / link.substr(0, hash));
            EXPECT_TRUE(fs::exists(target)) << page << " -> " << link;
            if (page.filename() == index)
                linkedFromIndex.insert(target);
            if (hash != std::string::npos && fs::exists(target)) {
                EXPECT_EQ(Matches(ReadBytes(target.string()), anchors).count(link.substr(hash + 1)),
                          1u)
                    << page << " -> " << link;
            }
        }
    }
    for (const fs::path& page : pages) {
        if (page.filename() != index) {
            EXPECT_EQ(linkedFromIndex.count(fs::weakly_canonical(page)), 1u) << page;
        }
    }
    return pages;
}

class Reference : public ::testing::Test {
protected:
    CliRun Run(Lines words) {
        words.insert(words.begin(), {"--home", home.path()});
        return RunCliWords(words);
    }
    TempDir home;
};

}  // namespace

TEST_F(Reference, htmlAndMarkdown_areValidAndLinkedBothWays) {
    ASSERT_TRUE(sample::WriteEdgeLibrary(home.path()));
    ASSERT_TRUE(sample::WriteSampleLibrary(home.path()));  // beside the odd and damaged ones
    EXPECT_EQ(Run({"export", "--format", "html", "--output", home / "html"}).code, 1);
    const std::vector<fs::path> pages =
        CheckLinks(home / "html", "index.html", std::regex("href=\"([^\"]+\\.html[^\"]*)\""),
                   std::regex("id=\"([^\"]+)\""));
    EXPECT_EQ(pages.size(), 1u + 15 + 10);  // the index and every function, unreadable too
    const std::string index = ReadBytes(home / "html/index.html");
    EXPECT_NE(index.find("<span class=\"unreadable\">unreadable: is 1000 bytes"),
              std::string::npos);
    if (Have("tidy")) {
        for (const fs::path& page : pages) {
            const Shell tidy = RunShell("tidy -q -e '" + page.string() + "'");
            EXPECT_EQ(tidy.code, 0) << page << "\n" << tidy.out;
        }
    } else {
        ADD_FAILURE() << "tidy is not installed (bash scripts/deps.sh --tests installs it)";
    }

    ASSERT_EQ(Run({"export", "--format", "markdown", "--output", home / "md"}).code, 1);
    EXPECT_EQ(CheckLinks(home / "md", "index.md", std::regex("\\]\\(([^)]+\\.md[^)]*)\\)"),
                         std::regex("<a id=\"([^\"]+)\"></a>"))
                  .size(),
              pages.size());
    // One document: every link to an anchor it holds, every function a section.
    const CliRun md = Run({"export", "--format", "markdown"});
    const std::set<std::string> links = Matches(md.out, std::regex("\\]\\(#([^)]+)\\)"));
    const std::set<std::string> anchors = Matches(md.out, std::regex("<a id=\"([^\"]+)\"></a>"));
    EXPECT_TRUE(std::includes(anchors.begin(), anchors.end(), links.begin(), links.end()));
    EXPECT_EQ(std::count(md.out.begin(), md.out.end(), '\n') > 100, true);
    EXPECT_EQ(Matches(md.out, std::regex("\n## ([^\n]+)")).size(), 15u + 10);
}

TEST_F(Reference, outputFolder_isReplacedOnlyWhenItHoldsAnExportAlone) {
    ASSERT_TRUE(sample::WriteSampleLibrary(home.path()));
    const std::string out = home / "out";
    auto exportTo = [&](const std::string& dir) {
        return Run({"export", "--format", "html", "--output", dir});
    };
    ASSERT_EQ(exportTo(out).code, 0);
    const std::string first = ReadBytes(out + "/index.html");
    ASSERT_EQ(exportTo(out + "/").code, 0);  // an earlier export is replaced
    EXPECT_EQ(ReadBytes(out + "/index.html"), first);
    EXPECT_EQ(SortedNames(home.path()), (Lines{"FunctionLibrary", "out"}));  // nothing left over

    WriteBytes(out + "/notes.txt", "mine");
    const CliRun refused = exportTo(out);
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("holds notes.txt, which kelvane-cli export did not write"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(ReadBytes(out + "/notes.txt"), "mine");
    EXPECT_EQ(ReadBytes(out + "/index.html"), first);

    MakeDirs(home / "foreign");
    WriteBytes(home / "foreign/a.txt", "a");
    EXPECT_NE(exportTo(home / "foreign").err.find("is not an earlier export"), std::string::npos);
    EXPECT_EQ(SortedNames(home / "foreign"), (Lines{"a.txt"}));
    MakeDirs(home / "empty");
    EXPECT_EQ(exportTo(home / "empty").code, 0);
    EXPECT_TRUE(fs::exists(home / "empty/index.html"));
    EXPECT_NE(exportTo(home / "FunctionLibrary/Basic/ref").err.find("inside the exported folder"),
              std::string::npos);

    // A crash's staging folder goes with the next export; anything else stays.
    MakeDirs(home / ".fresh.export-17/functions");
    WriteBytes(home / ".fresh.export-17/.kelvane-export", "kelvane-cli export\n");
    MakeDirs(home / ".fresh.export-18");
    EXPECT_EQ(exportTo(home / "fresh").code, 0);
    EXPECT_FALSE(fs::exists(home / ".fresh.export-17"));
    EXPECT_TRUE(fs::exists(home / ".fresh.export-18"));
}

TEST_F(Reference, everyExportedForm_matchesTheSchema) {
    ASSERT_TRUE(sample::WriteEdgeLibrary(home.path()));
    ASSERT_TRUE(sample::WriteSampleLibrary(home.path()));
    Run({"export", "--output", home / "json"});
    const Shell check = RunShell("/usr/bin/python3 -c 'import jsonschema'");
    if (check.code != 0)
        GTEST_SKIP() << "python3-jsonschema is not installed";
    const std::string script =
        "import json, pathlib, sys, jsonschema\n"
        "schema = json.load(open(sys.argv[1]))\n"
        "jsonschema.Draft202012Validator.check_schema(schema)\n"
        "v = jsonschema.Draft202012Validator(schema)\n"
        "files = sorted(pathlib.Path(sys.argv[2]).glob('*.json'))\n"
        "bad = [f'{f.name}: {e.message}' for f in files for e in "
        "v.iter_errors(json.load(open(f)))]\n"
        "print(len(files), 'forms'); print('\\n'.join(bad)); sys.exit(1 if bad else 0)\n";
    WriteBytes(home / "check.py", script);
    const Shell run =
        RunShell("/usr/bin/python3 " + home / "check.py" +
                 " " KELVANE_SOURCE_DIR "/docs/function.schema.json " + home / "json/functions");
    EXPECT_EQ(run.code, 0) << run.out;
    EXPECT_EQ(run.out.rfind("20 forms", 0), 0u) << run.out;
}

TEST_F(Reference, gitDiff_showsAChangedDescriptionAsOneChangedLine) {
    if (!Have("git"))
        GTEST_SKIP() << "git is not installed";
    const std::string repo = home / "repo";
    sample::SampleFunction spec{"Blur", 0, "old text", {{"int*", true, "size", "3", "3"}}};
    ASSERT_TRUE(sample::WriteFunction(repo, spec));
    WriteBytes(repo + "/.gitattributes", "*.fdb diff=kelvane\n");
    const std::string git = "git -C '" + repo + "' -c user.name=t -c user.email=t@example.com ";
    ASSERT_EQ(RunShell(git + "init -q").code, 0);
    ASSERT_EQ(RunShell(git + "config diff.kelvane.textconv '" KELVANE_CLI " dump'").code, 0);
    ASSERT_EQ(RunShell(git + "add -A && " + git + "commit -q -m one").code, 0);
    const std::string folder = repo + "/Blur()";
    ASSERT_EQ(RunCliWords({"edit", folder, "Description(Max:1024 bytes)", "new text"}).code, 0);

    const Shell diff = RunShell(git + "diff --no-color");
    ASSERT_EQ(diff.code, 0) << diff.out;
    Lines changed;
    std::istringstream lines(diff.out);
    for (std::string line; std::getline(lines, line);)
        if ((line[0] == '-' || line[0] == '+') && line.rfind("---", 0) && line.rfind("+++", 0))
            changed.push_back(line);
    EXPECT_EQ(changed, (Lines{"-description: old text", "+description: new text"})) << diff.out;
}
