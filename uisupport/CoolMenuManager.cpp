#include "uisupport/CoolMenuManager.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStyleOption>
#include <QWidgetAction>
#include <algorithm>

#include "uisupport/CoolMenuStyle.h"
#include "uisupport/MenuMessage.h"
#include "uisupport/MenuWatcher.h"

namespace {
constexpr int kButtonMargin = 4;  // button box = image size plus this in each direction

int CommandOf(const QAction* pAction) {
    bool bOk = false;
    const int nCommand = pAction->data().toInt(&bOk);
    return bOk && nCommand > 0 && nCommand <= 0xFFFF ? nCommand : -1;
}
}  // namespace

CCoolMenuManager::CCoolMenuManager() = default;

CCoolMenuManager::~CCoolMenuManager() {
    OnMenuSelect(nullptr, kMenuClosed, nullptr);  // gives back every menu still taken over
    HookWindow(nullptr);
    Destroy();
}

void CCoolMenuManager::Install(QWidget* pFrame) {
    m_pFrame = pFrame;
    HookWindow(pFrame);
    m_pStyle = std::make_unique<CCoolMenuStyle>(pFrame);
    m_pWatcher = std::make_unique<CMenuWatcher>(pFrame);
    m_pWatcher->WatchExisting();
}

void CCoolMenuManager::SetToolbarSource(unsigned nId, ToolbarSource source) {
    m_toolbarSources[nId] = std::move(source);
}

void CCoolMenuManager::SetAcceleratorSource(std::function<CAccelTable()> source) {
    m_accelSource = std::move(source);
}

bool CCoolMenuManager::LoadToolbars(std::span<const unsigned> ids) {
    for (unsigned nId : ids)
        LoadToolbar(nId);
    return true;
}

QPalette CCoolMenuManager::ImagePalette() const {
    return m_pFrame ? m_pFrame->palette() : QApplication::palette();
}

bool CCoolMenuManager::LoadToolbar(unsigned nId) {
    const auto source = m_toolbarSources.find(nId);
    if (source == m_toolbarSources.end() || !source->second)
        return false;
    const std::optional<CToolbarResource> toolbar = source->second();
    if (!toolbar || toolbar->sizeImage.isEmpty())
        return false;

    if (m_szBitmap.isEmpty()) {
        m_szBitmap = toolbar->sizeImage;
        m_szButton = m_szBitmap + QSize(kButtonMargin, kButtonMargin);
    } else if (toolbar->sizeImage != m_szBitmap) {
        return false;
    }

    int nNextImage = static_cast<int>(m_images.size());
    const QPalette palette = ImagePalette();
    for (const QIcon& icon : toolbar->images)
        m_images.push_back(LoadSysColorImage(icon, m_szBitmap, palette));

    for (int nCommand : toolbar->commands) {
        if (nCommand == 0)
            continue;  // separator
        const int nImage = nNextImage++;
        if (nCommand < 0 || nImage >= static_cast<int>(m_images.size()))
            continue;
        const auto nId16 = static_cast<std::uint16_t>(nCommand);
        if (!m_mapIDtoImage.contains(nId16))
            m_mapIDtoImage.insert(nId16, nImage);
    }
    m_arToolbarID.push_back(nId);
    return true;
}

void CCoolMenuManager::Destroy() {
    m_images.clear();
    m_mapIDtoImage.clear();
    m_arToolbarID.clear();
    m_szBitmap = QSize(0, 0);
    m_szButton = QSize(0, 0);
    m_fontMenu.reset();
    m_accelTable.reset();
    m_accelCopy.Clear();
}

void CCoolMenuManager::Refresh() {
    const std::vector<unsigned> ids = m_arToolbarID;
    Destroy();
    for (unsigned nId : ids)
        LoadToolbar(nId);
}

bool CCoolMenuManager::WindowProc(QEvent* pEvent) {
    switch (pEvent->type()) {
        case QEvent::StyleChange:
            if (m_pStyle)
                m_pStyle->ResetBaseStyle();
            [[fallthrough]];
        case QEvent::PaletteChange:
        case QEvent::FontChange:
            Refresh();
            return CSubclassWnd::WindowProc(pEvent);
        default:
            break;
    }
    if (pEvent->type() == CMenuMessage::EventType())
        return OnMenuMessage(*static_cast<CMenuMessage*>(pEvent));
    return CSubclassWnd::WindowProc(pEvent);
}

bool CCoolMenuManager::OnMenuMessage(CMenuMessage& message) {
    switch (message.m_kind) {
        case CMenuMessage::Kind::kDrawItem:
            if (message.m_pOption && message.m_pPainter &&
                OnDrawItem(message.m_pMenu, *message.m_pOption, *message.m_pPainter)) {
                message.m_bHandled = true;
                return true;
            }
            break;
        case CMenuMessage::Kind::kMeasureItem:
            if (message.m_pOption &&
                OnMeasureItem(message.m_pMenu, *message.m_pOption, message.m_sizeItem)) {
                message.m_bHandled = true;
                return true;
            }
            break;
        case CMenuMessage::Kind::kInitMenuPopup: {
            // The window sees it first, then the items are taken over as it left them.
            const bool bResult = CSubclassWnd::WindowProc(&message);
            OnInitMenuPopup(message.m_pMenu);
            return bResult;
        }
        case CMenuMessage::Kind::kMenuSelect:
            OnMenuSelect(message.m_pItem, message.m_nFlags, message.m_pMenu);
            break;
        case CMenuMessage::Kind::kMenuChar: {
            const CMenuCharResult result = OnMenuChar(message.m_chTyped, message.m_pMenu);
            if (result.nAction != 0) {
                message.m_nCharPosition = result.nPosition;
                message.m_nCharAction = result.nAction;
                message.m_bHandled = true;
                return true;
            }
            break;
        }
    }
    return CSubclassWnd::WindowProc(&message);
}

void CCoolMenuManager::LoadAccel(const CAccelTable& table) {
    m_accelCopy.Clear();
    m_accelTable = table;
    if (!table.empty())
        m_accelCopy.Load(table);
}

bool CCoolMenuManager::AppendAccelText(QString& strText, std::uint16_t nCommand) const {
    return m_accelCopy.AppendAccelText(strText, nCommand);
}

void CCoolMenuManager::OnInitMenuPopup(QMenu* pMenu) {
    if (!pMenu)
        return;
    if (m_bAutoAccel && m_pFrame) {
        const CAccelTable table = m_accelSource ? m_accelSource() : AccelTableOfActions(*m_pFrame);
        if (!m_accelTable || *m_accelTable != table)
            LoadAccel(table);
    }
    ConvertMenu(pMenu, m_bShowButtons);
}

CCoolMenuManager::CConvertedMenu* CCoolMenuManager::FindConverted(const QMenu* pMenu) {
    for (CConvertedMenu& menu : m_menusConverted)
        if (menu.pMenu == pMenu)
            return &menu;
    return nullptr;
}

void CCoolMenuManager::ConvertMenu(QMenu* pMenu, bool bToOwnerDrawn) {
    if (!pMenu)
        return;
    CConvertedMenu* pConverted = FindConverted(pMenu);
    if (!bToOwnerDrawn) {
        if (!pConverted)
            return;
        const QPointer<QStyle> pOwnStyle = pConverted->pOwnStyle;
        std::erase_if(m_menusConverted,
                      [pMenu](const CConvertedMenu& menu) { return menu.pMenu == pMenu; });
        pMenu->setStyle(pOwnStyle);
        return;
    }
    if (!m_pStyle)
        return;  // not installed

    if (!pConverted) {
        CConvertedMenu menu;
        menu.pMenu = pMenu;
        if (pMenu->testAttribute(Qt::WA_SetStyle))
            menu.pOwnStyle = pMenu->style();
        m_menusConverted.insert(m_menusConverted.begin(), std::move(menu));
        pConverted = &m_menusConverted.front();
    }
    for (const QAction* pAction : pMenu->actions()) {
        if (qobject_cast<const QWidgetAction*>(pAction))
            continue;  // drawn by its widget
        const int nCommand = CommandOf(pAction);
        auto item = pConverted->items.find(pAction);
        if (item == pConverted->items.end()) {
            CMenuItemData data;
            data.bSeparator = pAction->isSeparator();
            data.nImage = nCommand < 0 ? -1 : GetCommandImage(static_cast<std::uint16_t>(nCommand));
            data.strText = pAction->text();
            item = pConverted->items.insert(pAction, data);
        }
        if (!m_accelCopy.IsEmpty() && m_bAutoAccel && nCommand > 0)
            AppendAccelText(item->strText, static_cast<std::uint16_t>(nCommand));
    }
    if (pMenu->style() != m_pStyle.get()) {
        pMenu->setStyle(m_pStyle.get());
    } else {
        // Same style, new records: let the menu measure its items again.
        QEvent styleChange(QEvent::StyleChange);
        QApplication::sendEvent(pMenu, &styleChange);
    }
}

void CCoolMenuManager::OnMenuSelect(QAction*, unsigned nFlags, QMenu* pMenu) {
    if (nFlags != kMenuClosed || pMenu)
        return;
    while (!m_menusConverted.empty()) {
        QMenu* pConverted = m_menusConverted.front().pMenu;
        if (pConverted) {
            ConvertMenu(pConverted, false);
        } else {
            m_menusConverted.erase(m_menusConverted.begin());  // the menu is gone
        }
    }
}

CMenuCharResult CCoolMenuManager::OnMenuChar(QChar chTyped, QMenu* pMenu) {
    const CConvertedMenu* pConverted = pMenu ? FindConverted(pMenu) : nullptr;
    if (!pConverted)
        return {};
    const QChar chUpper = chTyped.toUpper();
    const QList<QAction*> actions = pMenu->actions();
    const QAction* pActive = pMenu->activeAction();
    std::vector<int> candidates;
    int nHighlighted = -1;
    for (int i = 0; i < actions.size(); ++i) {
        if (actions[i] == pActive)
            nHighlighted = i;
        if (!actions[i]->isVisible())
            continue;
        const auto item = pConverted->items.constFind(actions[i]);
        if (item == pConverted->items.cend() || item->bSeparator)
            continue;
        const qsizetype nAmp = item->strText.indexOf(u'&');
        if (nAmp < 0 || nAmp + 1 >= item->strText.size())
            continue;
        if (item->strText[nAmp + 1].toUpper() == chUpper)
            candidates.push_back(i);
    }
    if (candidates.empty())
        return {};
    if (candidates.size() == 1)
        return {candidates.front(), kMenuCharExecute};
    const auto next = std::find_if(candidates.begin(), candidates.end(),
                                   [nHighlighted](int i) { return i > nHighlighted; });
    return {nHighlighted < 0 || next == candidates.end() ? candidates.front() : *next,
            kMenuCharSelect};
}

const CMenuItemData* CCoolMenuManager::GetItemData(const QMenu* pMenu,
                                                   const QAction* pAction) const {
    for (const CConvertedMenu& menu : m_menusConverted) {
        if (menu.pMenu != pMenu)
            continue;
        const auto item = menu.items.constFind(pAction);
        return item == menu.items.cend() ? nullptr : &*item;
    }
    return nullptr;
}

std::vector<QMenu*> CCoolMenuManager::GetConvertedMenus() const {
    std::vector<QMenu*> menus;
    for (const CConvertedMenu& menu : m_menusConverted)
        menus.push_back(menu.pMenu);
    return menus;
}
