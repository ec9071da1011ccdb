#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>

class QMenu;
class QWidget;

// Finds the popup menus of one window (its menu bar's menus and submenus, and context menus
// made with a parent inside the window) and turns what happens to them into CMenuMessages
// sent to that window: a popup about to show, the whole menu closed, a character typed.
class CMenuWatcher : public QObject {
public:
    explicit CMenuWatcher(QWidget* pOwner);
    ~CMenuWatcher() override;

    // Watches the menus the window already has; later ones are found when first polished.
    void WatchExisting();

protected:
    bool eventFilter(QObject* pObj, QEvent* pEvent) override;

private:
    bool BelongsToOwner(const QMenu* pMenu) const;
    void Watch(QMenu* pMenu);
    void OnAboutToShow(QMenu* pMenu);
    void OnHidden();
    bool OnKeyPress(QMenu* pMenu, QEvent* pEvent);

    QPointer<QWidget> m_pOwner;
    QSet<QMenu*> m_menus;
};
