#pragma once

#include <QTest>
#include <QTreeWidget>
#include <string>
#include <vector>

// A tree widget as lines of text: two spaces per level, the item's text, its icon cell
// in brackets (from iconRole), "+" when expanded and "*" when bold.
inline void AppendTreeLines(std::vector<std::string>& lines, QTreeWidgetItem* item, int depth,
                            int iconRole) {
    std::string line(static_cast<std::size_t>(depth) * 2, ' ');
    line += item->text(0).toStdString();
    line += " [" + std::to_string(item->data(0, iconRole).toInt()) + "]";
    if (item->isExpanded())
        line += " +";
    if (item->font(0).bold())
        line += " *";
    lines.push_back(line);
    for (int i = 0; i < item->childCount(); ++i)
        AppendTreeLines(lines, item->child(i), depth + 1, iconRole);
}

inline std::vector<std::string> TreeLines(QTreeWidget& tree, int iconRole) {
    std::vector<std::string> lines;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        AppendTreeLines(lines, tree.topLevelItem(i), 0, iconRole);
    return lines;
}

// Finds the first item with the text under parent (depth first), nullptr when none.
inline QTreeWidgetItem* FindItem(QTreeWidgetItem* parent, const QString& text) {
    if (!parent)
        return nullptr;
    if (parent->text(0) == text)
        return parent;
    for (int i = 0; i < parent->childCount(); ++i)
        if (QTreeWidgetItem* found = FindItem(parent->child(i), text))
            return found;
    return nullptr;
}

// A double click as the platform delivers it: press, release, double click, release.
inline void DoubleClick(QWidget* widget, QPoint pos) {
    QTest::mousePress(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}
