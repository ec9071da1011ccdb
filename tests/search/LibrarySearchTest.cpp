#include "search/LibrarySearch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "HostileTrees.h"
#include "TestFiles.h"
#include "data/SampleLibrary.h"
#include "records/LibraryPaths.h"

using namespace kelvane;
using Lines = std::vector<std::string>;

namespace {

// Hits as "path below the library<TAB>field<TAB>parameter<TAB>excerpt".
class Collector : public SearchSink {
public:
    Collector(std::string root, std::atomic<bool>* stopAfterFirst = nullptr)
        : m_root(std::move(root)), m_stop(stopAfterFirst) {}
    void Hit(const SearchHit& hit) override {
        lines.push_back(hit.folderPath.substr(m_root.size() + 1) + "\t" +
                        std::string(FieldKeyword(hit.match.field)) + "\t" +
                        std::to_string(hit.match.parameter) + "\t" + hit.match.excerpt);
        if (m_stop)
            *m_stop = true;
    }
    Lines lines;

private:
    std::string m_root;
    std::atomic<bool>* m_stop;
};

// Basic/Filter/Blur(), Basic/Edge(), Advanced/ØRSTED(), and beside them what a search must
// skip, count or not enter twice.
class LibrarySearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDirectoryOverride(home.path());
        using sample::WriteFunction;
        ASSERT_TRUE(
            WriteFunction(Lib("Basic/Filter"), {"Blur",
                                                0,
                                                "평균 필터로 영상을 흐리게 한다. Smooths an image",
                                                {{"CImageByte*", true, "입력 영상", {}, {}},
                                                 {"CMatrix*", true, "Kernel matrix", {}, {}},
                                                 {"CImageByte*", false, "Result", {}, {}}}})
                .ok());
        ASSERT_TRUE(WriteFunction(Lib("Basic"), {"Edge",
                                                 0,
                                                 "Sobel EDGE detector, no blur\r\nsecond line",
                                                 {{"int*", false, "threshold Ｖalue", {}, {}}}})
                        .ok());
        ASSERT_TRUE(WriteFunction(Lib("Advanced"), {"ØRSTED", 1, "ŁĦ", {}}).ok());
        // Never searched: a function in a source folder, and a group "_Src".
        ASSERT_TRUE(WriteFunction(Lib("Basic/Edge()/_Src"), {"Blurred", 0, "blur", {}}).ok());
        ASSERT_TRUE(WriteFunction(Lib("Basic/_Src"), {"Blurry", 0, "blur", {}}).ok());
        // Counted: a damaged file and a missing one.
        MakeDirs(Lib("Advanced/Broken()"));
        WriteBytes(Lib("Advanced/Broken()/Broken().fdb"), std::string(1000, 'x'));
        MakeDirs(Lib("Advanced/Missing()"));
        // A link loop, and a tab that is a link into another.
        symlink(Lib("Basic").c_str(), Lib("Basic/Filter/up").c_str());
        symlink(Lib("Basic/Filter").c_str(), Lib("Alias").c_str());
    }
    void TearDown() override { SetProgramDirectoryOverride(""); }

    std::string Lib(const std::string& relative) const {
        return home / ("FunctionLibrary/" + relative);
    }

    Lines Search(const SearchQuery& query, SearchSummary* summary = nullptr, int threads = 1) {
        Collector collector(GetLibraryRoot());
        SearchOptions options;
        options.threads = threads;
        SearchSummary result = SearchLibrary(GetLibraryRoot(), query, collector, options);
        if (summary)
            *summary = result;
        return collector.lines;
    }

    TempDir home;
};

SearchQuery Query(Lines words, SearchFields fields = kAllSearchFields, std::string type = {},
                  DirectionFilter direction = DirectionFilter::kAny) {
    return {std::move(words), fields, std::move(type), direction};
}

constexpr SearchFields kName = FieldBit(SearchField::kName);
constexpr SearchFields kDescription = FieldBit(SearchField::kDescription);

// A hit of Blur(), which the walk may reach through Alias too: the part after its group.
std::string Tail(const std::string& line) {
    return line.substr(line.find("Blur()") == std::string::npos ? 0 : line.find("Blur()"));
}

}  // namespace

TEST_F(LibrarySearchTest, eachFieldWordsFiltersAndCase) {
    using D = DirectionFilter;
    const struct {
        const char* what;
        SearchQuery query;
        Lines expected;  // sorted: the walk's order is the file system's
    } cases[] = {
        {"name", Query({"blur"}, kName), {"Blur()\tname\t-1\tBlur()"}},
        {"description, Korean",
         Query({"영상을"}),
         {"Blur()\tdescription\t-1\t평균 필터로 영상을 흐리게 한다. Smooths an image"}},
        {"parameter type, either case", Query({"cmatrix"}), {"Blur()\ttype\t1\tCMatrix*"}},
        {"parameter description",
         Query({"KERNEL"}),
         {"Blur()\tparam-description\t1\tKernel matrix"}},
        {"full-width and Latin-1 capitals",
         Query({"ｖALUE"}),
         {"Basic/Edge()\tparam-description\t0\tthreshold Ｖalue"}},
        {"Latin Extended-A", Query({"ørsted", "łħ"}), {"Advanced/ØRSTED()\tname\t-1\tØRSTED()"}},
        {"a word in each of two fields: the first field",
         Query({"edge", "threshold"}),
         {"Basic/Edge()\tname\t-1\tEdge()"}},
        {"two words in one field beat one in another",
         Query({"edge", "second"}),
         {"Basic/Edge()\tdescription\t-1\tSobel EDGE detector, no blur second line"}},
        {"every word must match", Query({"edge", "nowhere"}), {}},
        {"all fields",
         Query({"blur"}),
         {"Basic/Edge()\tdescription\t-1\tSobel EDGE detector, no blur second line",
          "Blur()\tname\t-1\tBlur()"}},
        {"description only",
         Query({"blur"}, kDescription),
         {"Basic/Edge()\tdescription\t-1\tSobel EDGE detector, no blur second line"}},
        {"type filter alone",
         Query({}, kAllSearchFields, "CMatrix*"),
         {"Blur()\ttype\t1\tCMatrix*"}},
        {"type names are exact", Query({}, kAllSearchFields, "cmatrix*"), {}},
        {"type and direction of one parameter",
         Query({}, kAllSearchFields, "CMatrix*", D::kOutput),
         {}},
        {"direction filter",
         Query({}, kAllSearchFields, {}, D::kOutput),
         {"Basic/Edge()\ttype\t0\tint*", "Blur()\ttype\t2\tCImageByte*"}},
        {"words and a filter",
         Query({"image"}, kAllSearchFields, "CImageByte*", D::kInput),
         {"Blur()\tdescription\t-1\t평균 필터로 영상을 흐리게 한다. Smooths an image"}},
    };
    for (const auto& c : cases) {
        Lines lines = Search(c.query);
        for (std::string& line : lines)
            line = Tail(line);
        std::sort(lines.begin(), lines.end());
        EXPECT_EQ(lines, c.expected) << c.what;
    }
}

TEST_F(LibrarySearchTest, damagedAndMissingFilesAreCounted_theirNamesStillMatch) {
    SearchSummary summary;
    EXPECT_EQ(Search(Query({"broken"}), &summary), Lines{"Advanced/Broken()\tname\t-1\tBroken()"});
    EXPECT_EQ(summary.functions, 5);  // Blur(), Edge(), ØRSTED(), Broken(), Missing()
    EXPECT_EQ(summary.unreadableFiles, 2);
    ASSERT_EQ(summary.problems.size(), 2u);
    std::sort(summary.problems.begin(), summary.problems.end(),
              [](const auto& a, const auto& b) { return a.path < b.path; });
    EXPECT_EQ(summary.problems[0].path, Lib("Advanced/Broken()/Broken().fdb"));
    EXPECT_EQ(summary.problems[0].reason, "is 1000 bytes, shorter than the 1372-byte header");
    EXPECT_EQ(summary.problems[1].reason, "the function file is missing");

    // Names alone read no file: nothing to count.
    Search(Query({"broken"}, kName), &summary);
    EXPECT_EQ(summary.unreadableFiles, 0);
    // A filter needs the parameters, which a damaged file does not have.
    Search(Query({}, kAllSearchFields, "int*"), &summary);
    EXPECT_EQ(summary.hits, 1);
    EXPECT_EQ(summary.unreadableFiles, 2);
}

TEST_F(LibrarySearchTest, linkLoopsAndLinkedTabsAreSearchedOnce) {
    SearchSummary summary;
    const Lines lines = Search(Query({"blur"}, kName), &summary);
    ASSERT_EQ(lines.size(), 1u);
    // Through its group or through the tab Alias, whichever the file system lists first.
    EXPECT_TRUE(lines[0] == "Basic/Filter/Blur()\tname\t-1\tBlur()" ||
                lines[0] == "Alias/Blur()\tname\t-1\tBlur()")
        << lines[0];
    EXPECT_EQ(summary.functions, 5);
}

// The split search walks the tabs side by side and drops what an earlier tab searched: on
// a web of links between tabs it must give what the one walk gives, in the same order.
TEST_F(LibrarySearchTest, everyNumberOfThreadsGivesTheOneWalksHitsOrderAndCounts) {
    for (int tab = 0; tab < 4; ++tab) {
        const std::string name = "T" + std::to_string(tab);
        MakeLinkWeb(Lib(name), home / ("store" + name), 12);
        // Links into the other tabs' webs and back to the library.
        symlink((home / "storeT0/d05").c_str(), Lib(name + "/d00/x").c_str());
        symlink(Lib("").c_str(), (home / ("store" + name + "/d11/root")).c_str());
        symlink(Lib("T" + std::to_string((tab + 1) % 4)).c_str(), Lib(name + "/next").c_str());
    }
    for (const SearchQuery& query :
         {Query({"f"}), Query({"blur"}), Query({}, 0, {}, DirectionFilter::kOutput)}) {
        SearchSummary one;
        const Lines expected = Search(query, &one, 1);
        ASSERT_FALSE(expected.empty());
        for (int threads : {2, 3, 8}) {
            SearchSummary split;
            EXPECT_EQ(Search(query, &split, threads), expected) << threads << " threads";
            EXPECT_EQ(split.functions, one.functions);
            EXPECT_EQ(split.hits, one.hits);
            EXPECT_EQ(split.unreadableFiles, one.unreadableFiles);
            EXPECT_EQ(split.problems.size(), one.problems.size());
        }
    }
}

TEST_F(LibrarySearchTest, stopEndsTheSearchAndNothingMoreIsReported) {
    for (int threads : {1, 2}) {
        std::atomic<bool> stop = false;
        Collector collector(GetLibraryRoot(), &stop);
        SearchOptions options;
        options.threads = threads;
        options.stop = &stop;
        const SearchSummary summary =
            SearchLibrary(GetLibraryRoot(), Query({"()"}, kName), collector, options);
        EXPECT_TRUE(summary.stopped);
        EXPECT_EQ(collector.lines.size(), 1u) << threads;
        EXPECT_EQ(summary.hits, 1);
    }
}

TEST_F(LibrarySearchTest, oneGroup_linksOutOfItFollowed) {
    Collector collector(GetLibraryRoot());
    SearchLibrary(Lib("Basic/Filter"), Query({"blur"}), collector);
    Lines lines = collector.lines;
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (Lines{"Basic/Filter/Blur()\tname\t-1\tBlur()",
                            "Basic/Filter/up/Edge()\tdescription\t-1\tSobel EDGE detector, no "
                            "blur second line"}));
}

// The listing of a function folder stands for the look at its file before opening it:
// only what it names a regular file is opened unlooked, never a FIFO, and a link to a
// file is still followed.
TEST_F(LibrarySearchTest, whatStandsAtTheFileNameIsReadOnlyWhenItIsARegularFile) {
    using sample::WriteFunction;
    ASSERT_TRUE(WriteFunction(home / "elsewhere", {"Target", 0, "linked file", {}}).ok());
    MakeDirs(Lib("Odd/Linked()"));
    symlink((home / "elsewhere/Target()/Target().fdb").c_str(),
            Lib("Odd/Linked()/Linked().fdb").c_str());
    MakeDirs(Lib("Odd/Fifo()"));
    ASSERT_EQ(mkfifo(Lib("Odd/Fifo()/Fifo().fdb").c_str(), 0600), 0);
    MakeDirs(Lib("Odd/Folder()/Folder().fdb"));
    for (int threads : {1, 2}) {
        SearchSummary summary;
        EXPECT_EQ(Search(Query({"linked"}, kDescription), &summary, threads),
                  Lines{"Odd/Linked()\tdescription\t-1\tlinked file"});
        std::vector<std::string> reasons;
        for (const SearchProblem& problem : summary.problems)
            if (problem.path.find("/Odd/") != std::string::npos)
                reasons.push_back(problem.path.substr(Lib("Odd/").size()) + ": " + problem.reason);
        std::sort(reasons.begin(), reasons.end());
        EXPECT_EQ(reasons, (Lines{"Fifo()/Fifo().fdb: is not a regular file",
                                  "Folder()/Folder().fdb: is not a regular file"}));
    }
}

// A group larger than one read of its entries: every function in it is found.
TEST_F(LibrarySearchTest, aGroupOfMoreEntriesThanOneReadTakesIsListedWhole) {
    constexpr int kFunctions = 600;  // of names near the longest: several reads
    const std::string padding(200, 'p');
    for (int i = 0; i < kFunctions; ++i)
        MakeDirs(Lib("Wide/Many" + std::to_string(i) + padding + "()"));
    SearchSummary summary;
    EXPECT_EQ(Search(Query({"many"}, kName), &summary).size(), std::size_t{kFunctions});
    EXPECT_EQ(summary.functions, 5 + kFunctions);
}
