#pragma once

#include <QEvent>
#include <QPoint>
#include <QTreeWidget>
#include <string>

#include "infoview/InfoTreeModel.h"

class UiSeam;

// Windows' first private message number, kept so the refresh request keeps its old name.
constexpr int WM_USER = 0x0400;
// Asks the information tree to read the function it shows again and rebuild itself.
constexpr int kRefreshMessage = WM_USER + 1;

// The information tree of one function: every field of its function file, rebuilt from the
// file on each ShowFunction or refresh. Its selected item is what the editing commands act on.
class CFuncInfoTreeCtrl : public QTreeWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFuncInfoTreeCtrl)

public:
    // Popups a right-click asks for.
    enum Popup { kFunctionPopup, kParameterPopup };

    // Item data roles: the icon cells of strip 132 the item shows.
    static constexpr int kIconRole = Qt::UserRole + 1;
    static constexpr int kSelectedIconRole = Qt::UserRole + 2;

    static constexpr QEvent::Type kRefreshEvent =
        static_cast<QEvent::Type>(QEvent::User + kRefreshMessage);

    explicit CFuncInfoTreeCtrl(QWidget* parent = nullptr);

    // The seam that shows the missing-file message.
    void SetSeam(UiSeam& seam) { m_seam = &seam; }

    // Shows the function folderName in folderPath (raw bytes). Does nothing when either is
    // empty; otherwise remembers both, also when the function file then cannot be loaded.
    void ShowFunction(const std::string& folderName, const std::string& folderPath);

    // Sends the refresh request synchronously: ShowFunction again with the remembered folder.
    void SendRefresh();

    // The folder shown last (raw bytes); the editing commands rebuild the file path from it.
    std::string m_strFolderPath;
    std::string m_strFolderName;

signals:
    // A command for the main window (Edit Field after a double click on a value).
    void commandRequested(int id);
    // A right-click on an item's row; globalPos is where the popup opens.
    void popupRequested(int popup, const QPoint& globalPos);

protected:
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void AddItems(QTreeWidgetItem* parent, const kelvane::InfoItem& item);

    UiSeam* m_seam = nullptr;
};
