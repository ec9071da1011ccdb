#include "resources/Icons.h"

#include <QPixmap>
#include <array>
#include <map>
#include <tuple>
#include <vector>

#include "infoview/IconCells.h"
#include "resources/CommandIds.h"

// Outside any namespace: the resource file lives in this static library, so it is
// registered here, on first use, rather than relying on the linker to keep it.
static void InitResources() {
    Q_INIT_RESOURCE(resources);
}

namespace icons {

namespace {

constexpr int kCellWidth = 16;
constexpr int kCellHeight = 16;
constexpr int kToolbarWidth = 16;
constexpr int kToolbarHeight = 15;

// Toolbar image cells, in the order of the toolbar's buttons.
constexpr std::array<int, 7> kToolbarCommands = {
    cmd::kCodeWizard,      cmd::kLaunchExplorer, cmd::kModify,  cmd::kAddParameter,
    cmd::kDeleteParameter, cmd::kEditField,      cmd::kAppAbout};

struct Strip {
    QPixmap normal;
    QPixmap dense;  // 2x
};

Strip LoadStrip(const QString& name) {
    static const bool initialised = (InitResources(), true);
    (void)initialised;
    return {QPixmap(QStringLiteral(":/icons/%1.png").arg(name)),
            QPixmap(QStringLiteral(":/icons/%1@2x.png").arg(name))};
}

void AddCell(QIcon& icon, const Strip& strip, int cell, int w, int h, QIcon::Mode mode) {
    icon.addPixmap(strip.normal.copy(cell * w, 0, w, h), mode);
    QPixmap dense = strip.dense.copy(cell * w * 2, 0, w * 2, h * 2);
    dense.setDevicePixelRatio(2.0);
    icon.addPixmap(dense, mode);
}

std::vector<QIcon> CutStrip(const QString& name, int count, int w, int h) {
    const Strip strip = LoadStrip(name);
    std::vector<QIcon> cells(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        AddCell(cells[static_cast<std::size_t>(i)], strip, i, w, h, QIcon::Normal);
    return cells;
}

const std::vector<QIcon>& LibraryCells() {
    static const std::vector<QIcon> cells =
        CutStrip(QStringLiteral("strip131"), kelvane::libicon::kCount, kCellWidth, kCellHeight);
    return cells;
}

const std::vector<QIcon>& InfoCells() {
    static const std::vector<QIcon> cells =
        CutStrip(QStringLiteral("strip132"), kelvane::infoicon::kCount, kCellWidth, kCellHeight);
    return cells;
}

const QIcon& Cell(const std::vector<QIcon>& cells, int cell) {
    static const QIcon empty;
    if (cell < 0 || cell >= static_cast<int>(cells.size()))
        return empty;
    return cells[static_cast<std::size_t>(cell)];
}

// Icons with another cell for the selected look, made once per pair.
const QIcon& Pair(const QString& name, int count, int normal, int selected) {
    static std::map<QString, Strip> strips;
    static std::map<std::tuple<QString, int, int>, QIcon> pairs;
    static const QIcon empty;
    if (normal < 0 || normal >= count || selected < 0 || selected >= count)
        return empty;
    const auto key = std::make_tuple(name, normal, selected);
    auto found = pairs.find(key);
    if (found != pairs.end())
        return found->second;
    auto it = strips.find(name);
    if (it == strips.end())
        it = strips.emplace(name, LoadStrip(name)).first;
    QIcon icon;
    AddCell(icon, it->second, normal, kCellWidth, kCellHeight, QIcon::Normal);
    AddCell(icon, it->second, selected, kCellWidth, kCellHeight, QIcon::Selected);
    return pairs.emplace(key, icon).first->second;
}

}  // namespace

const QIcon& Library(int cell) {
    return Cell(LibraryCells(), cell);
}

const QIcon& Info(int cell) {
    return Cell(InfoCells(), cell);
}

const QIcon& Toolbar(int commandId) {
    static const std::vector<QIcon> cells =
        CutStrip(QStringLiteral("toolbar"), static_cast<int>(kToolbarCommands.size()),
                 kToolbarWidth, kToolbarHeight);
    for (std::size_t i = 0; i < kToolbarCommands.size(); ++i)
        if (kToolbarCommands[i] == commandId)
            return cells[i];
    static const QIcon empty;
    return empty;
}

const QIcon& Application() {
    static const QIcon icon = [] {
        static const bool initialised = (InitResources(), true);
        (void)initialised;
        QIcon result;
        // addFile picks up the @2x file beside each one by itself.
        for (const char* size : {"16", "32", "48"})
            result.addFile(QStringLiteral(":/icons/app%1.png").arg(QLatin1String(size)));
        return result;
    }();
    return icon;
}

const QIcon& LibraryPair(int normal, int selected) {
    if (normal == selected)
        return Library(normal);
    return Pair(QStringLiteral("strip131"), kelvane::libicon::kCount, normal, selected);
}

const QIcon& InfoPair(int normal, int selected) {
    if (normal == selected)
        return Info(normal);
    return Pair(QStringLiteral("strip132"), kelvane::infoicon::kCount, normal, selected);
}

}  // namespace icons
