#pragma once

#include <QPoint>

class QTreeWidget;
class QTreeWidgetItem;

// The item whose row holds the point (viewport coordinates): any part of the row counts,
// also right of the text and in the indentation. nullptr below the last row.
QTreeWidgetItem* ItemOnRow(const QTreeWidget& tree, const QPoint& viewportPos);
