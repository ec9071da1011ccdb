#include "uisupport/MenuWatcher.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

#include "uisupport/MenuMessage.h"

CMenuWatcher::CMenuWatcher(QWidget* pOwner) : m_pOwner(pOwner) {
    qApp->installEventFilter(this);
}

CMenuWatcher::~CMenuWatcher() {
    qApp->removeEventFilter(this);
}

void CMenuWatcher::WatchExisting() {
    if (!m_pOwner)
        return;
    const auto menus = m_pOwner->findChildren<QMenu*>();
    for (QMenu* pMenu : menus)
        Watch(pMenu);
}

bool CMenuWatcher::BelongsToOwner(const QMenu* pMenu) const {
    for (const QWidget* pWidget = pMenu->parentWidget(); pWidget;
         pWidget = pWidget->parentWidget()) {
        if (pWidget == m_pOwner)
            return true;
    }
    return false;
}

void CMenuWatcher::Watch(QMenu* pMenu) {
    if (m_menus.contains(pMenu))
        return;
    m_menus.insert(pMenu);
    connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { OnAboutToShow(pMenu); });
    connect(pMenu, &QObject::destroyed, this, [this, pMenu] { m_menus.remove(pMenu); });
}

bool CMenuWatcher::eventFilter(QObject* pObj, QEvent* pEvent) {
    switch (pEvent->type()) {
        case QEvent::Polish:
            // A menu is polished before its first popup asks for the sizes of its items.
            if (auto* pMenu = qobject_cast<QMenu*>(pObj); pMenu && BelongsToOwner(pMenu))
                Watch(pMenu);
            break;
        case QEvent::Hide:
            if (auto* pMenu = qobject_cast<QMenu*>(pObj); pMenu && m_menus.contains(pMenu))
                OnHidden();
            break;
        case QEvent::KeyPress:
            if (auto* pMenu = qobject_cast<QMenu*>(pObj); pMenu && m_menus.contains(pMenu))
                return OnKeyPress(pMenu, pEvent);
            break;
        default:
            break;
    }
    return false;
}

void CMenuWatcher::OnAboutToShow(QMenu* pMenu) {
    if (!m_pOwner)
        return;
    CMenuMessage message(CMenuMessage::Kind::kInitMenuPopup, pMenu);
    QApplication::sendEvent(m_pOwner, &message);
}

void CMenuWatcher::OnHidden() {
    if (!m_pOwner)
        return;
    for (const QMenu* pMenu : std::as_const(m_menus)) {
        if (pMenu->isVisible())
            return;  // a menu of the chain is still open
    }
    CMenuMessage message(CMenuMessage::Kind::kMenuSelect, nullptr);
    message.m_nFlags = kMenuClosed;
    QApplication::sendEvent(m_pOwner, &message);
}

bool CMenuWatcher::OnKeyPress(QMenu* pMenu, QEvent* pEvent) {
    const auto* pKey = static_cast<QKeyEvent*>(pEvent);
    const Qt::KeyboardModifiers modifiers = pKey->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::AltModifier &&
        modifiers != Qt::ShiftModifier)
        return false;
    const QString strText = pKey->text();
    if (strText.size() != 1 || !strText[0].isPrint() || strText[0].isSpace() || !m_pOwner)
        return false;

    CMenuMessage message(CMenuMessage::Kind::kMenuChar, pMenu);
    message.m_chTyped = strText[0];
    QApplication::sendEvent(m_pOwner, &message);
    const QList<QAction*> actions = pMenu->actions();
    if (message.m_nCharAction == 0 || message.m_nCharPosition < 0 ||
        message.m_nCharPosition >= actions.size())
        return false;

    pMenu->setActiveAction(actions[message.m_nCharPosition]);
    if (message.m_nCharAction == kMenuCharExecute) {
        // The menu's own Return carries the item out: triggers it, or opens its submenu.
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(pMenu, &enter);
    }
    return true;
}
