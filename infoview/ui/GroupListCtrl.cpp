#include "infoview/ui/GroupListCtrl.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>

#include "infoview/GroupListModel.h"
#include "records/LibraryPaths.h"
#include "resources/Icons.h"
#include "uisupport/UiSeam.h"

namespace {

void SetColumns(QTreeWidget& list, const std::vector<kelvane::ListColumn>& columns) {
    QStringList headers;
    for (const kelvane::ListColumn& column : columns)
        headers << QString::fromStdString(column.header);
    list.setColumnCount(static_cast<int>(columns.size()));
    list.setHeaderLabels(headers);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        list.setColumnWidth(i, columns[static_cast<std::size_t>(i)].width);
}

// A report row is one line high: line breaks show as spaces, the whole text as a tooltip.
void SetCell(QTreeWidgetItem& item, int column, const QString& text) {
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))) {
        item.setText(column, text);
        return;
    }
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    item.setText(column, line);
    item.setToolTip(column, text);
}

}  // namespace

CGroupListCtrl::CGroupListCtrl(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(false);
    header()->setMinimumSectionSize(1);  // the "#" column is narrower than Qt's default minimum
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetColumns(*this, kelvane::SubgroupColumns());
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { OnDoubleClick(item); });
    hide();
}

void CGroupListCtrl::ShowGroup(const std::string& name, const std::string& path) {
    if (name.empty() || path.empty())
        return;
    m_strFolderName = name;
    m_strFolderPath = path;

    const kelvane::GroupListing listing = kelvane::BuildGroupListing(path);
    clear();
    SetColumns(*this, listing.columns);
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(listing.rows.size()));
    for (const kelvane::ListRow& row : listing.rows) {
        auto* item = new QTreeWidgetItem;
        for (int i = 0; i < static_cast<int>(row.cells.size()); ++i)
            SetCell(*item, i, QString::fromStdString(row.cells[static_cast<std::size_t>(i)]));
        item->setIcon(0, icons::Library(row.icon));
        item->setData(0, kIconRole, row.icon);
        item->setData(0, kNameRole, QByteArray::fromStdString(row.name));
        rows.push_back(item);
    }
    addTopLevelItems(rows);
    if (!listing.complete && m_seam)
        m_seam->message(window(), QString::fromStdString(listing.message));
}

void CGroupListCtrl::OnDoubleClick(QTreeWidgetItem* item) {
    if (!item || m_strFolderPath.empty())
        return;
    const std::string name = item->data(0, kNameRole).toByteArray().toStdString();
    if (name.empty())
        return;
    const std::string path = m_strFolderPath + "/" + name;
    if (kelvane::IsFunctionFolderName(name))
        emit functionActivated(name, path);
    else
        emit groupActivated(name, path);
}

QString CGroupListCtrl::CutText(const QModelIndex& index) const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    // The delegate elides exactly when the cell is narrower than the size it asks for.
    const QSize needed = itemDelegateForIndex(index)->sizeHint(option, index);
    if (needed.width() <= option.rect.width())
        return {};
    return index.data(Qt::DisplayRole).toString();
}

bool CGroupListCtrl::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        // A cell with a tooltip of its own (a description of several lines) keeps it.
        if (index.isValid() && !index.data(Qt::ToolTipRole).isValid()) {
            const QString text = CutText(index);
            if (text.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
            return true;
        }
    }
    return QTreeWidget::viewportEvent(event);
}
