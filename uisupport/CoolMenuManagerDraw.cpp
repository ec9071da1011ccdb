// Measuring and drawing the items of the menus the manager has taken over.
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

#include "uisupport/CoolMenuManager.h"
#include "uisupport/CoolMenuPainter.h"
#include "uisupport/CoolMenuStyle.h"

namespace {
constexpr int kMeasureExtra = 5;    // item width beyond the text and two button widths
constexpr int kTextGap = 2;         // between the button box and the text
constexpr int kHighlightShift = 1;  // the highlight copy of disabled text, right and down
}  // namespace

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
