#pragma once

#include <QChar>
#include <QEvent>
#include <QSize>

class QAction;
class QMenu;
class QPainter;
class QStyleOptionMenuItem;

// A menu's request sent to the window that owns the menu, so hooks on that window can
// answer it: the popup is about to show, the menu closed, a key was typed, an item needs
// its size or its picture. Unanswered requests get the menu's usual behaviour.
class CMenuMessage : public QEvent {
public:
    enum class Kind { kInitMenuPopup, kMenuSelect, kMenuChar, kMeasureItem, kDrawItem };

    static QEvent::Type EventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    CMenuMessage(Kind kind, QMenu* pMenu) : QEvent(EventType()), m_kind(kind), m_pMenu(pMenu) {}

    Kind m_kind;
    QMenu* m_pMenu;  // kMenuSelect with kMenuClosed: none

    // kMenuSelect
    QAction* m_pItem = nullptr;
    unsigned m_nFlags = 0;
    // kMenuChar
    QChar m_chTyped;
    // kMeasureItem, kDrawItem
    const QStyleOptionMenuItem* m_pOption = nullptr;
    QPainter* m_pPainter = nullptr;

    // Answers.
    bool m_bHandled = false;
    QSize m_sizeItem;         // kMeasureItem
    int m_nCharPosition = 0;  // kMenuChar: the item, by position
    int m_nCharAction = 0;    // kMenuChar: 0 not handled, kMenuCharExecute or kMenuCharSelect
};

inline constexpr unsigned kMenuClosed = 0xFFFF;  // m_nFlags of kMenuSelect once the menu closed
inline constexpr int kMenuCharExecute = 2;
inline constexpr int kMenuCharSelect = 3;
