#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <functional>
#include <memory>
#include <thread>

#include "FakeSeam.h"
#include "TestFiles.h"
#include "TreeText.h"
#include "app/MainFrame.h"
#include "browser/FuncTreeView.h"
#include "data/SampleLibrary.h"
#include "infoview/ui/KLVView.h"
#include "records/LibraryPaths.h"
#include "resources/CommandIds.h"
#include "search/ui/FindFunctionDlg.h"

namespace {

// Lets the window's event loop run until condition holds, for at most ten seconds.
bool WaitFor(const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

// The texts of a column of the results, sorted.
std::vector<std::string> Column(CFindFunctionDlg* dialog, int column) {
    const CSearchResultsModel& found = dialog->Found();
    std::vector<std::string> texts;
    for (int row = 0; row < found.rowCount(); ++row)
        texts.push_back(found.index(row, column).data().toString().toStdString());
    std::sort(texts.begin(), texts.end());
    return texts;
}

class FindFunctionTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string lib = home / "FunctionLibrary";
        using kelvane::sample::WriteFunction;
        ASSERT_TRUE(WriteFunction(lib + "/Basic/Filter", {"Blur", 0, "a box filter", {}}).ok());
        ASSERT_TRUE(WriteFunction(lib + "/Basic", {"Edge", 0, "edges", {}}).ok());
        ASSERT_TRUE(
            WriteFunction(lib + "/Advanced/Deep/Deeper", {"Gauss", 0, "a BOX of Gauss", {}}).ok());
        kelvane::SetProgramDirectoryOverride(home.path());
        frame = std::make_unique<CMainFrame>(seam);
        frame->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        frame.reset();
        kelvane::SetProgramDirectoryOverride("");
    }

    // Opens Find Function, searches for words and waits for the search to end.
    CFindFunctionDlg* Find(const QString& words) {
        EXPECT_TRUE(frame->RunCommand(cmd::kFindFunction));
        auto* dialog = frame->findChild<CFindFunctionDlg*>();
        if (!dialog)
            return nullptr;
        EXPECT_TRUE(dialog->isVisible());
        dialog->QueryEdit()->setText(words);
        QTest::keyClick(dialog->QueryEdit(), Qt::Key_Return);
        EXPECT_TRUE(WaitFor([&] { return !dialog->IsSearching(); }));
        return dialog;
    }

    static QModelIndex Row(CFindFunctionDlg* dialog, const QString& name) {
        const CSearchResultsModel& found = dialog->Found();
        for (int row = 0; row < found.rowCount(); ++row)
            if (found.index(row, 0).data().toString() == name)
                return found.index(row, 0);
        return {};
    }

    TempDir home;
    FakeSeam seam;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(FindFunctionTest, resultsFill_doubleClickOrEnterSelectsTheFunctionInItsTabAndShowsIt) {
    QApplication::setActiveWindow(frame.get());
    QTest::keyClick(frame->GetBrowser()->CurrentTree(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_NE(frame->findChild<CFindFunctionDlg*>(), nullptr);  // Ctrl+F opened it
    CFindFunctionDlg* dialog = Find(QStringLiteral("box"));
    ASSERT_NE(dialog, nullptr);
    QTreeView* results = dialog->Results();
    EXPECT_EQ(Column(dialog, 0), (std::vector<std::string>{"Blur()", "Gauss()"}));
    EXPECT_EQ(Column(dialog, 1),
              (std::vector<std::string>{"Advanced/Deep/Deeper", "Basic/Filter"}));
    EXPECT_EQ(Column(dialog, 2), (std::vector<std::string>{"Description", "Description"}));
    EXPECT_TRUE(dialog->Status()->text().startsWith(QStringLiteral("2 functions found; ")))
        << dialog->Status()->text().toStdString();

    // Double-click: its tab, the groups above it opened, it selected, and shown.
    const QModelIndex gauss = Row(dialog, QStringLiteral("Gauss()"));
    ASSERT_TRUE(gauss.isValid());
    const QPoint at = results->visualRect(gauss).center();
    DoubleClick(results->viewport(), at);
    CLibraryTreeCtrl* tree = frame->GetBrowser()->CurrentTree();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(kelvane::LastComponent(tree->m_strRootPath), "Advanced");
    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->GetItemPath(tree->currentItem()),
              home / "FunctionLibrary/Advanced/Deep/Deeper/Gauss()");
    EXPECT_TRUE(tree->currentItem()->parent()->isExpanded());
    EXPECT_TRUE(tree->currentItem()->parent()->parent()->isExpanded());
    CFuncInfoTreeCtrl* info = frame->GetView()->InfoTree();
    EXPECT_TRUE(info->isVisible());
    ASSERT_GT(info->topLevelItemCount(), 0);
    EXPECT_EQ(info->topLevelItem(0)->text(0), QStringLiteral("Gauss()"));

    // Enter on another result.
    results->setCurrentIndex(Row(dialog, QStringLiteral("Blur()")));
    QTest::keyClick(results, Qt::Key_Return);
    tree = frame->GetBrowser()->CurrentTree();
    EXPECT_EQ(kelvane::LastComponent(tree->m_strRootPath), "Basic");
    EXPECT_EQ(CLibraryTreeCtrl::ItemName(tree->currentItem()), "Blur()");
    EXPECT_EQ(info->topLevelItem(0)->text(0), QStringLiteral("Blur()"));
    EXPECT_FALSE(dialog->IsSearching());  // Enter in the list does not search again
    EXPECT_EQ(seam.messages, std::vector<QString>{});

    // Only the fields chosen; a function no longer on disk is said to be gone.
    dialog->findChild<QCheckBox*>(QStringLiteral("description"))->setChecked(false);
    dialog = Find(QStringLiteral("EDGE"));
    EXPECT_EQ(Column(dialog, 0), std::vector<std::string>{"Edge()"});
    std::filesystem::remove_all(home / "FunctionLibrary/Basic/Edge()");
    emit results->activated(dialog->Found().index(0, 0));
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(
        seam.messages[0].endsWith(QStringLiteral("Edge() is not in the library tree any more.")));
}

// A search that reports one hit, then runs until it is told to stop, then tries to report
// one more: what a long search on a slow disk looks like to the window.
TEST(FindFunctionDlg, stopNewSearchAndClosingEndTheSearch_laterHitsAreDropped) {
    std::atomic<int> started = 0, ended = 0;
    auto search = [&](const std::string&, const kelvane::SearchQuery& query,
                      kelvane::SearchSink& sink, const kelvane::SearchOptions& options) {
        ++started;
        sink.Hit({"/lib/" + query.words[0] + "()", query.words[0] + "()", {}});
        for (int waited = 0; !options.stop->load() && waited < 10000; ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        sink.Hit({"/lib/Late()", "Late()", {}});
        ++ended;
        kelvane::SearchSummary summary;
        summary.stopped = true;
        return summary;
    };
    auto dialog = std::make_unique<CFindFunctionDlg>(nullptr, search);
    dialog->show();
    dialog->QueryEdit()->setText(QStringLiteral("First"));
    dialog->StartSearch();
    ASSERT_TRUE(WaitFor([&] { return dialog->Found().rowCount() == 1; }));
    EXPECT_TRUE(dialog->IsSearching());  // and the window was not held up meanwhile
    EXPECT_TRUE(dialog->StopButton()->isEnabled());

    dialog->StopButton()->click();
    EXPECT_FALSE(dialog->IsSearching());
    EXPECT_FALSE(dialog->StopButton()->isEnabled());
    EXPECT_TRUE(dialog->Status()->text().startsWith(QStringLiteral("Stopped: ")));
    ASSERT_TRUE(WaitFor([&] { return ended == 1; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(Column(dialog.get(), 0), std::vector<std::string>{"First()"});

    // A new search stops the one running, and shows only its own results.
    dialog->QueryEdit()->setText(QStringLiteral("Second"));
    dialog->StartSearch();
    ASSERT_TRUE(WaitFor([&] { return started == 2 && dialog->Found().rowCount() == 1; }));
    dialog->QueryEdit()->setText(QStringLiteral("Third"));
    dialog->StartSearch();
    ASSERT_TRUE(WaitFor([&] { return ended == 2 && dialog->Found().rowCount() == 1; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(Column(dialog.get(), 0), std::vector<std::string>{"Third()"});

    // Closing the window stops it too.
    dialog->close();
    EXPECT_FALSE(dialog->IsSearching());
    EXPECT_TRUE(WaitFor([&] { return ended == 3; }));
}
