// Benchmarks of the main window, each against a floor measured in the same run, several
// rounds each, alternating; prints the medians and their ratios:
//   start-up to the first paint      vs a bare window with the same widgets
//   listing a group of 10,000 functions vs opening and reading the same files
//   expanding a group of 10,000 folders  vs scanning that directory
//   every click and expansion on the sample library (slowest one)
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/MainFrame.h"
#include "bench/SyntheticLibrary.h"
#include "browser/FuncTreeView.h"
#include "data/SampleLibrary.h"
#include "infoview/ui/KLVView.h"
#include "records/DirScan.h"
#include "records/LibraryPaths.h"
#include "uisupport/UiSeam.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class NullSeam : public UiSeam {
public:
    int exec(QDialog&) override { return 0; }
    void message(QWidget*, const QString& text) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
    bool confirm(QWidget*, const QString&) override { return false; }
    int choose(QWidget*, const QString&, const QStringList& choices) override {
        return static_cast<int>(choices.size()) - 1;
    }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    bool launch(const QString&, const QStringList&) override { return false; }
};

// Notes the first paint of a window.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// Shows the window made by make and returns the time until its first paint.
double TimeToFirstPaint(const std::function<std::unique_ptr<QWidget>()>& make) {
    PaintWatch watch;
    const auto start = Clock::now();
    std::unique_ptr<QWidget> window = make();
    window->installEventFilter(&watch);
    window->show();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = Ms(start);
    window.reset();
    QCoreApplication::processEvents();
    return ms;
}

// A plain window with what the main window holds: menus, a toolbar of seven buttons, a
// splitter with a tab control of trees and two hidden controls; no library is read.
std::unique_ptr<QWidget> BareWindow(int tabs) {
    auto window = std::make_unique<QMainWindow>();
    window->setWindowTitle(QStringLiteral("Kelvane v1.0"));
    for (const char* title : {"&File", "&DBMS", "&Tools", "&Help"}) {
        QMenu* menu = window->menuBar()->addMenu(QString::fromLatin1(title));
        menu->addAction(QStringLiteral("Item"));
        menu->addMenu(QStringLiteral("Sub"))->addAction(QStringLiteral("Item"));
    }
    QToolBar* bar = window->addToolBar(QStringLiteral("Toolbar"));
    for (int i = 0; i < 7; ++i)
        bar->addAction(QStringLiteral("B"));
    auto* splitter = new QSplitter(window.get());
    auto* tabWidget = new QTabWidget(splitter);
    for (int i = 0; i < tabs; ++i) {
        auto* tree = new QTreeWidget(tabWidget);
        new QTreeWidgetItem(tree, QStringList(QStringLiteral("Root")));
        tabWidget->addTab(tree, QStringLiteral("Tab"));
    }
    auto* right = new QWidget(splitter);
    (new QTreeWidget(right))->hide();
    (new QTreeWidget(right))->hide();
    splitter->setSizes({220, 400});
    window->setCentralWidget(splitter);
    window->resize(640, 480);
    return window;
}

// Opens and reads every file whole: the least a listing that reads them must do.
double ReadFloor(const std::vector<std::string>& files) {
    const auto start = Clock::now();
    char buffer[65536];
    std::size_t total = 0;
    for (const std::string& file : files) {
        const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            std::abort();
        for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
            total += static_cast<std::size_t>(got);
        close(fd);
    }
    if (total == 0)
        std::abort();
    return Ms(start);
}

void PrintRatio(const char* what, double value, const char* floorName, double floor,
                const char* goal) {
    std::printf("%-44s %9.1f ms\n", floorName, floor);
    std::printf("%-44s %9.1f ms\n", what, value);
    std::printf("%-44s %9.2f  %s\n\n", "ratio", value / floor, goal);
}

void StartupBench(const std::string& home, int rounds, NullSeam& seam) {
    kelvane::SetProgramDirectoryOverride(home);
    const int tabs = static_cast<int>(kelvane::ScanDirectories(kelvane::GetLibraryRoot()).size());
    auto frame = [&] { return std::unique_ptr<QWidget>(new CMainFrame(seam)); };
    auto bare = [&] { return BareWindow(tabs); };
    TimeToFirstPaint(frame);  // first use of fonts, styles and images
    TimeToFirstPaint(bare);
    std::vector<double> ours, floor;
    for (int r = 0; r < rounds; ++r) {
        floor.push_back(TimeToFirstPaint(bare));
        ours.push_back(TimeToFirstPaint(frame));
    }
    std::printf("== start-up to the first paint (sample library, %d tabs, %d rounds)\n", tabs,
                rounds);
    PrintRatio("main window", Median(ours), "bare window, same widgets", Median(floor),
               "(goal: within 1.30)");
}

void SampleActionsBench(const std::string& home, NullSeam& seam) {
    kelvane::SetProgramDirectoryOverride(home);
    CMainFrame frame(seam);
    frame.show();
    QCoreApplication::processEvents();
    CFuncTreeView* browser = frame.GetBrowser();
    double slowest = 0;
    std::string slowestWhat;
    int actions = 0;
    auto time = [&](const std::string& what, const std::function<void()>& action) {
        const auto start = Clock::now();
        action();
        QCoreApplication::processEvents();  // painted as well
        const double ms = Ms(start);
        ++actions;
        if (ms > slowest) {
            slowest = ms;
            slowestWhat = what;
        }
    };
    // Every item of every tab: expand it, then click it.
    for (CLibraryTreeCtrl* tree : browser->m_pTrees) {
        browser->TabControl()->setCurrentWidget(tree);
        std::vector<QTreeWidgetItem*> pending = {tree->RootItem()};
        while (!pending.empty()) {
            QTreeWidgetItem* item = pending.back();
            pending.pop_back();
            const std::string name = CLibraryTreeCtrl::ItemName(item);
            const std::string path = tree->GetItemPath(item);
            if (item->parent())
                time("expand " + name, [&] { item->setExpanded(true); });
            time("click " + name, [&] { frame.GetView()->ShowItem(name, path); });
            for (int i = 0; i < item->childCount(); ++i)
                pending.push_back(item->child(i));
        }
    }
    std::printf("== every expansion and click on the sample library\n");
    std::printf("%-44s %9d\n", "actions", actions);
    std::printf("%-44s %9.1f ms  (%s; goal: under 100 ms)\n\n", "slowest", slowest,
                slowestWhat.c_str());
}

void WideBench(const std::string& dir, int rounds, NullSeam& seam) {
    kelvane::bench::LibraryShape shape;
    shape.topLevelGroups = 0;
    const kelvane::bench::GeneratedLibrary library = kelvane::bench::GenerateLibrary(dir, shape);
    kelvane::SetProgramDirectoryOverride(dir);

    CKLVView view(seam);
    view.resize(420, 400);
    view.show();
    auto listing = [&] {
        const auto start = Clock::now();
        view.ShowGroup("All", library.wideGroup);
        return Ms(start);
    };
    ReadFloor(library.wideFiles);  // warm the cache once
    listing();
    std::vector<double> floor, ours;
    for (int r = 0; r < rounds; ++r) {
        floor.push_back(ReadFloor(library.wideFiles));
        ours.push_back(listing());
    }
    std::printf("== listing a group of %zu functions (%d parameters each, %d rounds)\n",
                library.wideFiles.size(), shape.parametersPerFunction, rounds);
    PrintRatio("group listing filled", Median(ours), "read floor (open + read every file)",
               Median(floor), "(goal: within 2.00)");

    CFuncTreeView browser;
    browser.resize(220, 400);
    browser.InitialUpdate(kelvane::GetLibraryRoot());
    browser.show();
    QCoreApplication::processEvents();
    CLibraryTreeCtrl* tree = browser.CurrentTree();
    QTreeWidgetItem* all = tree->RootItem()->child(0);
    auto expand = [&] {
        const auto start = Clock::now();
        all->setExpanded(true);
        const double ms = Ms(start);
        all->setExpanded(false);
        return ms;
    };
    auto scan = [&] {
        const auto start = Clock::now();
        if (kelvane::ScanDirectories(library.wideGroup).size() != library.wideFiles.size())
            std::abort();
        return Ms(start);
    };
    expand();
    std::vector<double> scans, expansions;
    for (int r = 0; r < rounds; ++r) {
        scans.push_back(scan());
        expansions.push_back(expand());
    }
    std::printf("== expanding a group of %zu folders (%d rounds)\n", library.wideFiles.size(),
                rounds);
    PrintRatio("expansion", Median(expansions), "directory scan floor", Median(scans),
               "(no goal; reported)");
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const std::string dir =
        argc > 1 ? argv[1]
                 : (std::filesystem::temp_directory_path() / "kelvane-gui-bench").string();
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
    std::filesystem::remove_all(dir);
    std::printf("platform: %s\n\n", qPrintable(QGuiApplication::platformName()));

    NullSeam seam;
    const std::string sample = dir + "/sample";
    if (!kelvane::sample::WriteSampleLibrary(sample).ok())
        return 1;
    StartupBench(sample, rounds * 2, seam);
    SampleActionsBench(sample, seam);
    WideBench(dir + "/wide", rounds, seam);
    std::filesystem::remove_all(dir);
    return 0;
}
