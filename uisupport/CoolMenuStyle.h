#pragma once

#include <QPointer>
#include <QProxyStyle>

class QMenu;

// The style of the menus the menu manager has taken over while they are open. It draws
// nothing itself: the size and picture of each menu item are asked of the owner window
// (a CMenuMessage through its hooks); the menu background is filled with the menu colour
// so the item pictures sit on it. Everything else, and every unanswered item, goes to the
// base style.
class CCoolMenuStyle : public QProxyStyle {
public:
    // The base style is a fresh instance of the application's style.
    explicit CCoolMenuStyle(QWidget* pOwner);
    // Takes the application's style again, after it changed.
    void ResetBaseStyle();

    QSize sizeFromContents(ContentsType type, const QStyleOption* pOption, const QSize& size,
                           const QWidget* pWidget) const override;
    void drawControl(ControlElement element, const QStyleOption* pOption, QPainter* pPainter,
                     const QWidget* pWidget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* pOption, QPainter* pPainter,
                       const QWidget* pWidget) const override;
    // A raised frame of two pixels and one pixel of space around the items.
    int pixelMetric(PixelMetric metric, const QStyleOption* pOption,
                    const QWidget* pWidget) const override;
    // Disabled items can be highlighted, as their picture has a selected look.
    int styleHint(StyleHint hint, const QStyleOption* pOption, const QWidget* pWidget,
                  QStyleHintReturn* pReturn) const override;

private:
    QPointer<QWidget> m_pOwner;
};
