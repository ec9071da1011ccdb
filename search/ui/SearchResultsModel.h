#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "search/LibrarySearch.h"

// The functions a search found, one row each: the function, its group below the library
// root, the field that matched and an excerpt. Rows keep the hits as found; the texts are
// made for the rows shown, so a list of a hundred thousand fills and clears at once.
class CSearchResultsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kFunctionColumn, kGroupColumn, kFieldColumn, kExcerptColumn, kColumnCount };

    explicit CSearchResultsModel(QObject* parent = nullptr);

    void SetLibraryRoot(const std::string& root) { m_root = root; }
    void Clear();
    void Append(const std::vector<kelvane::SearchHit>& hits);
    const kelvane::SearchHit& Hit(int row) const { return m_hits[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString Text(const kelvane::SearchHit& hit, int column) const;

    std::string m_root;
    std::vector<kelvane::SearchHit> m_hits;
};
