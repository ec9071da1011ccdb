#include "uisupport/CoolMenuManager.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QStyleOption>
#include <QWidgetAction>
#include <algorithm>

#include "uisupport/CoolMenuPainter.h"
#include "uisupport/CoolMenuStyle.h"
#include "uisupport/MenuMessage.h"
#include "uisupport/MenuWatcher.h"

namespace {
constexpr int kButtonMargin = 4;    // button box = image size plus this in each direction
constexpr int kMeasureExtra = 5;    // item width beyond the text and two button widths
constexpr int kTextGap = 2;         // between the button box and the text
constexpr int kHighlightShift = 1;  // the highlight copy of disabled text, right and down

int CommandOf(const QAction* pAction) {
    bool bOk = false;
    const int nCommand = pAction->data().toInt(&bOk);
    return bOk && nCommand > 0 && nCommand <= 0xFFFF ? nCommand : -1;
}
}  // namespace

CCoolMenuManager::CCoolMenuManager() = default;

CCoolMenuManager::~CCoolMenuManager() {
    while (!m_menusConverted.empty())
        ConvertMenu(m_menusConverted.front().pMenu, false);
    m_menusConverted.clear();
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

QFont CCoolMenuManager::MenuFont() {
    if (!m_fontMenu)
        m_fontMenu = QApplication::font("QMenu");
    return *m_fontMenu;
}

int CCoolMenuManager::MenuRowHeight() const {
    // The height of a one-letter menu bar item in the menu font: this toolkit's menu bar row.
    const QFont font = m_fontMenu ? *m_fontMenu : QApplication::font("QMenu");
    QStyleOptionMenuItem option;
    option.fontMetrics = QFontMetrics(font);
    option.font = font;
    option.text = QStringLiteral("X");
    option.menuItemType = QStyleOptionMenuItem::Normal;
    const QStyle* pStyle = m_pStyle ? m_pStyle->baseStyle() : QApplication::style();
    const QSize sizeText = option.fontMetrics.size(Qt::TextSingleLine, option.text);
    return pStyle->sizeFromContents(QStyle::CT_MenuBarItem, &option, sizeText, nullptr).height();
}

int CCoolMenuManager::CheckMarkSize() const {
    const QStyle* pStyle = m_pStyle ? m_pStyle->baseStyle() : QApplication::style();
    return pStyle->pixelMetric(QStyle::PM_IndicatorWidth);
}

const CMenuItemData* CCoolMenuManager::ItemForOption(const CConvertedMenu& menu,
                                                     const QStyleOptionMenuItem& option) const {
    // The option does not name its action: a separator is any separator, an item the first
    // one whose text the menu shows (with or without the shortcut the menu adds).
    const bool bSeparator = option.menuItemType == QStyleOptionMenuItem::Separator;
    for (const QAction* pAction : menu.pMenu->actions()) {
        if (!pAction->isVisible() || pAction->isSeparator() != bSeparator)
            continue;
        const auto item = menu.items.constFind(pAction);
        if (item == menu.items.cend())
            continue;
        const QString strText = pAction->text();
        if (bSeparator || option.text == strText ||
            option.text.startsWith(strText + QLatin1Char('\t')))
            return &*item;
    }
    return nullptr;
}

bool CCoolMenuManager::OnMeasureItem(QMenu* pMenu, const QStyleOptionMenuItem& option,
                                     QSize& size) {
    const CConvertedMenu* pConverted = pMenu ? FindConverted(pMenu) : nullptr;
    const CMenuItemData* pItem = pConverted ? ItemForOption(*pConverted, option) : nullptr;
    if (!pItem)
        return false;
    const int nRowHeight = MenuRowHeight();
    if (pItem->bSeparator) {
        // No width of its own; one pixel, as the menu skips items of no size.
        size = QSize(1, nRowHeight / 2);
        return true;
    }
    const QFontMetrics metrics(MenuFont());
    const QSize sizeText = metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, pItem->strText);
    size = QSize(sizeText.width() + 2 * m_szButton.width() + kMeasureExtra,
                 std::max(nRowHeight, sizeText.height()));
    return true;
}

void CCoolMenuManager::DrawImage(QPainter& painter, const QStyleOptionMenuItem& option, int nImage,
                                 QPoint pos) const {
    const QImage& image = m_images[nImage];
    const bool bDisabled = !(option.state & QStyle::State_Enabled);
    if (!bDisabled) {
        painter.drawImage(pos, image);
    } else if (m_bUseDrawState) {
        const QStyle* pStyle = m_pStyle ? m_pStyle->baseStyle() : QApplication::style();
        painter.drawPixmap(
            pos, pStyle->generatedIconPixmap(QIcon::Disabled, QPixmap::fromImage(image), &option));
    } else {
        coolmenu::DrawEmbossed(painter, image, pos, coolmenu::MenuPalette(option.palette),
                               m_bEmbossColour);
    }
}

bool CCoolMenuManager::OnDrawItem(QMenu* pMenu, const QStyleOptionMenuItem& option,
                                  QPainter& painter) {
    const CConvertedMenu* pConverted = pMenu ? FindConverted(pMenu) : nullptr;
    if (!pConverted)
        return false;
    const auto item = pConverted->items.constFind(pMenu->actionAt(option.rect.center()));
    if (item == pConverted->items.cend())
        return false;
    const CMenuItemData& data = *item;
    const QRect& rcItem = option.rect;
    const QPalette palette = coolmenu::MenuPalette(option.palette);

    if (data.bSeparator) {
        coolmenu::DrawEtchedSeparator(painter, rcItem, palette);
        return true;
    }

    const bool bDisabled = !(option.state & QStyle::State_Enabled);
    const bool bSelected = option.state & QStyle::State_Selected;
    const bool bChecked = option.checkType != QStyleOptionMenuItem::NotCheckable && option.checked;
    const QRect rcButton(rcItem.left(), rcItem.top() + (rcItem.height() - m_szButton.height()) / 2,
                         m_szButton.width(), m_szButton.height());
    bool bHasButton = false;

    if (data.nImage >= 0 && data.nImage < static_cast<int>(m_images.size())) {
        bHasButton = true;
        const QPoint pos =
            rcButton.topLeft() + QPoint((m_szButton.width() - m_szBitmap.width()) / 2,
                                        (m_szButton.height() - m_szBitmap.height()) / 2);
        if (!bDisabled) {
            const bool bLight = bChecked && !bSelected;
            painter.fillRect(rcButton,
                             palette.color(bLight ? QPalette::Midlight : QPalette::Window));
            if (bSelected || bChecked) {
                coolmenu::DrawEdge(
                    painter, rcButton,
                    bChecked ? coolmenu::Edge::kSunkenOuter : coolmenu::Edge::kRaisedInner,
                    palette);
            }
        }
        DrawImage(painter, option, data.nImage, pos);
    } else if (bChecked) {
        const bool bRadio = option.checkType == QStyleOptionMenuItem::Exclusive;
        const int nMark = CheckMarkSize();
        coolmenu::DrawCheckMark(
            painter, rcButton, bSelected,
            bRadio ? coolmenu::RadioMark(nMark) : coolmenu::StandardCheckMark(nMark), palette);
        bHasButton = true;
    }

    const QColor back = palette.color(bSelected ? QPalette::Highlight : QPalette::Window);
    if (bSelected) {
        QRect rcFill = rcItem;
        if (bHasButton)
            rcFill.setLeft(rcButton.right() + 1);
        painter.fillRect(rcFill, back);
    }

    QRect rcText = rcItem;
    rcText.setLeft(rcText.left() + m_szButton.width() + kTextGap);
    rcText.setRight(rcText.right() - m_szButton.width());
    const QColor text = bDisabled   ? coolmenu::GrayText(palette)
                        : bSelected ? palette.color(QPalette::HighlightedText)
                                    : palette.color(QPalette::WindowText);
    painter.setFont(MenuFont());
    if (bDisabled && (!bSelected || text == back)) {
        coolmenu::DrawItemText(painter, rcText.translated(kHighlightShift, kHighlightShift),
                               data.strText, palette.color(QPalette::Light));
    }
    coolmenu::DrawItemText(painter, rcText, data.strText, text);
    if (option.menuItemType == QStyleOptionMenuItem::SubMenu) {
        const QRect rcArrow(rcItem.right() + 1 - m_szButton.width(), rcItem.top(),
                            m_szButton.width(), rcItem.height());
        coolmenu::DrawSubmenuArrow(painter, rcArrow, text);
    }
    return true;
}
