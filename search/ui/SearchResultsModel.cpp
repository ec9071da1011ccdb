#include "search/ui/SearchResultsModel.h"

#include "records/LibraryPaths.h"
#include "records/TextCodec.h"

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CSearchResultsModel::CSearchResultsModel(QObject* parent) : QAbstractTableModel(parent) {}

void CSearchResultsModel::Clear() {
    beginResetModel();
    m_hits.clear();
    m_hits.shrink_to_fit();
    endResetModel();
}

void CSearchResultsModel::Append(const std::vector<kelvane::SearchHit>& hits) {
    if (hits.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(hits.size()) - 1);
    m_hits.insert(m_hits.end(), hits.begin(), hits.end());
    endInsertRows();
}

int CSearchResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_hits.size());
}

int CSearchResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CSearchResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole || (role == Qt::ToolTipRole && index.column() == kExcerptColumn))
        return Text(Hit(index.row()), index.column());
    return {};
}

QVariant CSearchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
        case kFunctionColumn:
            return tr("Function");
        case kGroupColumn:
            return tr("Group");
        case kFieldColumn:
            return tr("Field");
        case kExcerptColumn:
            return tr("Excerpt");
        default:
            return {};
    }
}

QString CSearchResultsModel::Text(const kelvane::SearchHit& hit, int column) const {
    switch (column) {
        case kFunctionColumn:
            return FromUtf8(kelvane::DisplayName(hit.folderName));
        case kGroupColumn: {
            std::string group = kelvane::ParentPath(hit.folderPath);
            if (!m_root.empty() && group.compare(0, m_root.size() + 1, m_root + "/") == 0)
                group.erase(0, m_root.size() + 1);
            return FromUtf8(kelvane::DisplayPath(group));
        }
        case kFieldColumn: {
            const int parameter = hit.match.parameter + 1;  // as the user counts them
            switch (hit.match.field) {
                case kelvane::SearchField::kName:
                    return tr("Name");
                case kelvane::SearchField::kDescription:
                    return tr("Description");
                case kelvane::SearchField::kType:
                    return tr("Parameter %1 type").arg(parameter);
                case kelvane::SearchField::kParamDescription:
                    return tr("Parameter %1 description").arg(parameter);
            }
            return {};
        }
        case kExcerptColumn:
            return FromUtf8(hit.match.excerpt);
        default:
            return {};
    }
}
