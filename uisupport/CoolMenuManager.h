#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPointer>
#include <QSize>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "uisupport/AccelTable.h"
#include "uisupport/SubclassWnd.h"
#include "uisupport/ToolbarImages.h"

class QAction;
class QMenu;
class QPainter;
class QStyle;
class QStyleOptionMenuItem;
class CCoolMenuStyle;
class CMenuMessage;
class CMenuWatcher;

// What the manager keeps for each item of a menu it has taken over.
struct CMenuItemData {
    QString strText;  // the item text when taken over, with accelerator text when that is on
    bool bSeparator = false;
    int nImage = -1;  // the image of the item's command, or -1
};

// Answer to a typed character: the item by position and what to do with it.
struct CMenuCharResult {
    int nPosition = 0;
    int nAction = 0;  // 0: not handled; kMenuCharExecute; kMenuCharSelect
};

// Gives the popup menus of one window a drawn look: beside each command the image of the
// toolbar button with the same command, pressed for checked items, embossed for disabled
// ones, etched separators, and optionally the accelerator keys after each text. It hooks
// the window, takes each popup over just before it shows and gives it back as it was once
// the whole menu closes; the menus' actions are never changed.
class CCoolMenuManager : public CSubclassWnd {
public:
    CCoolMenuManager();
    ~CCoolMenuManager() override;

    // Remembers the window and hooks it.
    void Install(QWidget* pFrame);
    // Where the toolbar with this id is read from, now and on every reload.
    void SetToolbarSource(unsigned nId, ToolbarSource source);
    // Loads each toolbar in order; true.
    bool LoadToolbars(std::span<const unsigned> ids);
    // Appends a toolbar's images; refused when it is missing or its image size differs
    // from the first toolbar's. A command keeps the first image it got.
    bool LoadToolbar(unsigned nId);
    // Where the window's accelerator table comes from; by default its actions' shortcuts.
    void SetAcceleratorSource(std::function<CAccelTable()> source);

    virtual void Destroy();
    // Reloads the images of the loaded toolbars, in the current colours.
    virtual void Refresh();

    bool AppendAccelText(QString& strText, std::uint16_t nCommand) const;
    void LoadAccel(const CAccelTable& table);
    // Takes a menu over (its items get records and are drawn here) or gives it back.
    void ConvertMenu(QMenu* pMenu, bool bToOwnerDrawn);

    virtual void OnInitMenuPopup(QMenu* pMenu);
    virtual bool OnMeasureItem(QMenu* pMenu, const QStyleOptionMenuItem& option, QSize& size);
    virtual bool OnDrawItem(QMenu* pMenu, const QStyleOptionMenuItem& option, QPainter& painter);
    virtual CMenuCharResult OnMenuChar(QChar chTyped, QMenu* pMenu);
    virtual void OnMenuSelect(QAction* pItem, unsigned nFlags, QMenu* pMenu);

    // The image of a command, or -1.
    int GetCommandImage(std::uint16_t nCommand) const { return m_mapIDtoImage.value(nCommand, -1); }
    const std::vector<QImage>& GetImages() const { return m_images; }
    const std::vector<unsigned>& GetToolbarIds() const { return m_arToolbarID; }
    QSize GetImageSize() const { return m_szBitmap; }
    QSize GetButtonSize() const { return m_szButton; }
    // The record of an item of a menu taken over, or nullptr.
    const CMenuItemData* GetItemData(const QMenu* pMenu, const QAction* pAction) const;
    // The menus taken over, most recent first.
    std::vector<QMenu*> GetConvertedMenus() const;
    // The platform's menu row height: a separator is half of it, an item at least that.
    int MenuRowHeight() const;
    // The size of the standard check mark and the radio dot.
    int CheckMarkSize() const;
    QFont MenuFont();

    bool m_bShowButtons = true;
    bool m_bAutoAccel = true;
    bool m_bUseDrawState = false;  // disabled images in the style's disabled look
    bool m_bEmbossColour = false;  // emboss from the image's colours, not its shape

protected:
    bool WindowProc(QEvent* pEvent) override;

private:
    struct CConvertedMenu {
        QPointer<QMenu> pMenu;
        QPointer<QStyle> pOwnStyle;  // the menu's own style before it was taken over
        QHash<const QAction*, CMenuItemData> items;
    };

    bool OnMenuMessage(CMenuMessage& message);
    CConvertedMenu* FindConverted(const QMenu* pMenu);
    const CMenuItemData* ItemForOption(const CConvertedMenu& menu,
                                       const QStyleOptionMenuItem& option) const;
    void DrawImage(QPainter& painter, const QStyleOptionMenuItem& option, int nImage,
                   QPoint pos) const;
    QPalette ImagePalette() const;

    QPointer<QWidget> m_pFrame;
    std::unique_ptr<CCoolMenuStyle> m_pStyle;
    std::unique_ptr<CMenuWatcher> m_pWatcher;
    std::map<unsigned, ToolbarSource> m_toolbarSources;
    std::function<CAccelTable()> m_accelSource;

    std::vector<unsigned> m_arToolbarID;
    std::vector<QImage> m_images;
    QHash<std::uint16_t, int> m_mapIDtoImage;
    std::optional<CAccelTable> m_accelTable;  // the table the copy was made from
    CAccelCopy m_accelCopy;
    std::vector<CConvertedMenu> m_menusConverted;  // most recent first
    QSize m_szBitmap{0, 0};
    QSize m_szButton{0, 0};
    std::optional<QFont> m_fontMenu;
};
