#pragma once

#include <QTreeWidget>
#include <string>

class UiSeam;

// The contents of one group as a report list: its subgroups, or else its functions with
// kind, parameter count and description. Rebuilt from disk on every ShowGroup. A cell too
// narrow for its text shows the whole text as its tooltip.
class CGroupListCtrl : public QTreeWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CGroupListCtrl)

public:
    // Item data roles: the raw name bytes of the row's directory, the strip-131 icon cell.
    static constexpr int kNameRole = Qt::UserRole;
    static constexpr int kIconRole = Qt::UserRole + 1;

    explicit CGroupListCtrl(QWidget* parent = nullptr);

    // The seam that shows the missing-file message.
    void SetSeam(UiSeam& seam) { m_seam = &seam; }

    // Lists the group name at path (raw bytes); does nothing when either is empty.
    void ShowGroup(const std::string& name, const std::string& path);

    // The group listed last (raw bytes).
    std::string m_strFolderPath;
    std::string m_strFolderName;

signals:
    // A double click on a function row or a subgroup row; name and path are raw bytes.
    void functionActivated(const std::string& name, const std::string& path);
    void groupActivated(const std::string& name, const std::string& path);

protected:
    bool viewportEvent(QEvent* event) override;

private:
    void OnDoubleClick(QTreeWidgetItem* item);
    // The cell's text when its column is too narrow to show it whole, else empty.
    QString CutText(const QModelIndex& index) const;

    UiSeam* m_seam = nullptr;
};
