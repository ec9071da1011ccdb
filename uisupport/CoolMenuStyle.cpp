#include "uisupport/CoolMenuStyle.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include "uisupport/CoolMenuPainter.h"
#include "uisupport/MenuMessage.h"

namespace {
constexpr int kFrameWidth = 2;  // the raised edge around a menu
constexpr int kFrameSpace = 1;  // between the edge and the items

QStyle* CreateApplicationStyle() {
    return QStyleFactory::create(QApplication::style()->name());
}

QMenu* AsMenu(const QWidget* pWidget) {
    return qobject_cast<QMenu*>(const_cast<QWidget*>(pWidget));
}
}  // namespace

CCoolMenuStyle::CCoolMenuStyle(QWidget* pOwner)
    : QProxyStyle(CreateApplicationStyle()), m_pOwner(pOwner) {}

void CCoolMenuStyle::ResetBaseStyle() {
    setBaseStyle(CreateApplicationStyle());
}

QSize CCoolMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* pOption,
                                       const QSize& size, const QWidget* pWidget) const {
    QMenu* pMenu = AsMenu(pWidget);
    const auto* pItem = qstyleoption_cast<const QStyleOptionMenuItem*>(pOption);
    if (type == CT_MenuItem && pMenu && pItem && m_pOwner) {
        CMenuMessage message(CMenuMessage::Kind::kMeasureItem, pMenu);
        message.m_pOption = pItem;
        QApplication::sendEvent(m_pOwner, &message);
        if (message.m_bHandled)
            return message.m_sizeItem;
    }
    return QProxyStyle::sizeFromContents(type, pOption, size, pWidget);
}

void CCoolMenuStyle::drawControl(ControlElement element, const QStyleOption* pOption,
                                 QPainter* pPainter, const QWidget* pWidget) const {
    QMenu* pMenu = AsMenu(pWidget);
    if (element == CE_MenuEmptyArea && pMenu) {
        const QPalette palette = coolmenu::MenuPalette(pOption->palette);
        pPainter->fillRect(pOption->rect, palette.color(QPalette::Window));
        return;
    }
    const auto* pItem = qstyleoption_cast<const QStyleOptionMenuItem*>(pOption);
    if (element == CE_MenuItem && pMenu && pItem && m_pOwner) {
        CMenuMessage message(CMenuMessage::Kind::kDrawItem, pMenu);
        message.m_pOption = pItem;
        message.m_pPainter = pPainter;
        pPainter->save();
        QApplication::sendEvent(m_pOwner, &message);
        pPainter->restore();
        if (message.m_bHandled)
            return;
    }
    QProxyStyle::drawControl(element, pOption, pPainter, pWidget);
}

void CCoolMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* pOption,
                                   QPainter* pPainter, const QWidget* pWidget) const {
    if (element == PE_PanelMenu && AsMenu(pWidget)) {
        const QPalette palette = coolmenu::MenuPalette(pOption->palette);
        pPainter->fillRect(pOption->rect, palette.color(QPalette::Window));
        return;
    }
    if (element == PE_FrameMenu && AsMenu(pWidget)) {
        const QPalette palette = coolmenu::MenuPalette(pOption->palette);
        coolmenu::DrawEdge(*pPainter, pOption->rect, coolmenu::Edge::kRaisedOuter, palette);
        coolmenu::DrawEdge(*pPainter, pOption->rect.adjusted(1, 1, -1, -1),
                           coolmenu::Edge::kRaisedInner, palette);
        return;
    }
    QProxyStyle::drawPrimitive(element, pOption, pPainter, pWidget);
}

int CCoolMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* pOption,
                                const QWidget* pWidget) const {
    if (AsMenu(pWidget)) {
        switch (metric) {
            case PM_MenuPanelWidth:
                return kFrameWidth;
            case PM_MenuHMargin:
            case PM_MenuVMargin:
                return kFrameSpace;
            default:
                break;
        }
    }
    return QProxyStyle::pixelMetric(metric, pOption, pWidget);
}

int CCoolMenuStyle::styleHint(StyleHint hint, const QStyleOption* pOption, const QWidget* pWidget,
                              QStyleHintReturn* pReturn) const {
    if (hint == SH_Menu_AllowActiveAndDisabled && AsMenu(pWidget))
        return 1;
    return QProxyStyle::styleHint(hint, pOption, pWidget, pReturn);
}
