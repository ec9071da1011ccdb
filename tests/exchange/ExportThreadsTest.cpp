// An export that walks the tabs side by side gives what the one walk gives, byte for byte.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "HostileTrees.h"
#include "TestFiles.h"
#include "data/SampleLibrary.h"
#include "exchange/ExportFolder.h"
#include "exchange/JsonExport.h"
#include "exchange/MarkupExport.h"
#include "records/LibraryPaths.h"

using namespace kelvane;
namespace fs = std::filesystem;

namespace {

// Everything an export gave: its document or the files of its folder, and its tree's
// counts and notes.
struct Exported {
    std::map<std::string, std::string> files;
    int functions = 0;
    int unreadable = 0;
    std::vector<std::string> linksOut;
    bool operator==(const Exported&) const = default;
};

using Format = std::function<std::unique_ptr<ExportSink>(std::ostream&, ExportFolder&)>;

class ExportThreads : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDirectoryOverride(home.path());
        using sample::WriteFunction;
        ASSERT_TRUE(WriteFunction(Lib("Basic/Filter"),
                                  {"Blur", 0, "평균 필터", {{"CImageByte*", true, "입력", {}, {}}}})
                        .ok());
        ASSERT_TRUE(WriteFunction(Lib("Basic"), {"Edge", 0, "Sobel", {}}).ok());
        ASSERT_TRUE(WriteFunction(Lib("Basic/_Src"), {"Hidden", 0, "never", {}}).ok());
        MakeDirs(Lib("Advanced/Broken()"));
        WriteBytes(Lib("Advanced/Broken()/Broken().fdb"), std::string(1000, 'x'));
        MakeDirs(Lib("Advanced/Missing()"));
        // A loop, a tab that is a link into another, and tabs whose webs of links lead out
        // of the library, into each other and back to the library.
        symlink(Lib("Basic").c_str(), Lib("Basic/Filter/up").c_str());
        symlink(Lib("Basic/Filter").c_str(), Lib("Alias").c_str());
        for (int tab = 0; tab < 4; ++tab) {
            const std::string name = "T" + std::to_string(tab);
            MakeLinkWeb(Lib(name), home / ("store" + name), 6);
            symlink((home / "storeT0/d03").c_str(), Lib(name + "/d00/x").c_str());
            symlink(Lib("").c_str(), (home / ("store" + name + "/d05/root")).c_str());
            symlink(Lib("T" + std::to_string((tab + 1) % 4)).c_str(), Lib(name + "/next").c_str());
        }
    }
    void TearDown() override { SetProgramDirectoryOverride(""); }

    std::string Lib(const std::string& relative) const {
        return home / ("FunctionLibrary/" + relative);
    }

    Exported Export(const std::string& start, const Format& format, int threads) {
        const std::string target = home / ("out" + std::to_string(++m_runs));
        ExportFolder folder;
        EXPECT_TRUE(folder.Begin(target).ok());
        std::ostringstream document;
        std::unique_ptr<ExportSink> sink = format(document, folder);
        ExportTree tree;
        const Status done = WalkForExport(start, GetLibraryRoot(), *sink, tree, threads);
        EXPECT_TRUE(done.ok()) << done.message();
        EXPECT_TRUE(folder.Commit().ok());
        Exported exported{{{"-", document.str()}}, tree.functions, tree.unreadable, tree.linksOut};
        for (const auto& entry : fs::recursive_directory_iterator(target))
            if (entry.is_regular_file())
                exported.files[entry.path().string().substr(target.size())] =
                    ReadBytes(entry.path().string());
        return exported;
    }

    TempDir home;
    int m_runs = 0;
};

}  // namespace

TEST_F(ExportThreads, everyFormatAndNumberOfThreadsGivesTheOneWalksOutput) {
    const std::pair<const char*, Format> formats[] = {
        {"json", [](std::ostream& out, ExportFolder&) { return MakeJsonDocumentSink(out); }},
        {"markdown",
         [](std::ostream& out, ExportFolder&) { return MakeMarkdownDocumentSink(out); }},
        {"json folder", [](std::ostream&, ExportFolder& f) { return MakeJsonFolderSink(f); }},
        {"markdown folder",
         [](std::ostream&, ExportFolder& f) { return MakeMarkdownFolderSink(f); }},
        {"html folder", [](std::ostream&, ExportFolder& f) { return MakeHtmlFolderSink(f); }},
    };
    for (const std::string& start : {Lib(""), Lib("T1")}) {
        for (const auto& [what, format] : formats) {
            const Exported one = Export(start, format, 1);
            EXPECT_GT(one.functions, 20) << what;
            EXPECT_EQ(one.unreadable, 2) << what;  // from T1 too, through a link to the library
            EXPECT_FALSE(one.linksOut.empty()) << what;
            for (int threads : {2, 3, 8})
                EXPECT_TRUE(Export(start, format, threads) == one)
                    << what << " from " << start << ", " << threads << " threads";
        }
    }
}
