#include "uisupport/TreeRows.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <algorithm>

QTreeWidgetItem* ItemOnRow(const QTreeWidget& tree, const QPoint& viewportPos) {
    if (!tree.viewport()->rect().contains(viewportPos))
        return nullptr;
    const int x = std::max(0, tree.header()->sectionViewportPosition(0));
    return tree.itemAt(QPoint(x, viewportPos.y()));
}
