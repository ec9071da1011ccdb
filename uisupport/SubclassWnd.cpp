#include "uisupport/SubclassWnd.h"

#include <QEvent>
#include <QHash>
#include <QObject>
#include <QWidget>

// The one event filter shared by all hooked widgets, and the process-wide map from a
// widget to the head of its chain. Only touched from the user-interface thread.
class CHookDispatcher : public QObject {
public:
    static CHookDispatcher& Instance() {
        static CHookDispatcher dispatcher;
        return dispatcher;
    }

    QHash<const QObject*, CSubclassWnd*> m_heads;

    void Attach(QWidget* pWnd) {
        pWnd->installEventFilter(this);
        // Destroy reaches the filter from the widget's destructor; destroyed is the backstop
        // for a widget deleted while its events are blocked.
        QObject::connect(pWnd, &QObject::destroyed, this,
                         [this](QObject* pObj) { RemoveAll(pObj); });
    }

    void Detach(QWidget* pWnd) {
        pWnd->removeEventFilter(this);
        QObject::disconnect(pWnd, &QObject::destroyed, this, nullptr);
    }

    // Unhooks every hook of a widget, head first.
    void RemoveAll(const QObject* pObj) {
        while (CSubclassWnd* pHead = m_heads.value(pObj))
            pHead->HookWindow(nullptr);
    }

protected:
    bool eventFilter(QObject* pObj, QEvent* pEvent) override {
        CSubclassWnd* pHead = m_heads.value(pObj);
        if (!pHead)
            return false;
        if (pEvent->type() == QEvent::Destroy) {
            // The widget is going: the hooks leave it, and the event still reaches it.
            RemoveAll(pObj);
            return false;
        }
        return pHead->WindowProc(pEvent);
    }
};

CSubclassWnd::~CSubclassWnd() {
    if (m_pWndHooked)
        HookWindow(nullptr);
}

bool CSubclassWnd::HookWindow(QWidget* pWnd) {
    // A hook sits on one widget at a time; hooking again first leaves the old place, which
    // keeps the chain free of loops.
    if (m_pWndHooked)
        Remove();
    if (pWnd)
        Install(pWnd);
    return true;
}

CSubclassWnd* CSubclassWnd::GetHead(const QWidget* pWnd) {
    return CHookDispatcher::Instance().m_heads.value(pWnd);
}

bool CSubclassWnd::WindowProc(QEvent* pEvent) {
    return m_pNext ? m_pNext->WindowProc(pEvent) : false;
}

void CSubclassWnd::Install(QWidget* pWnd) {
    CHookDispatcher& dispatcher = CHookDispatcher::Instance();
    m_pNext = dispatcher.m_heads.value(pWnd);
    dispatcher.m_heads.insert(pWnd, this);
    if (!m_pNext)
        dispatcher.Attach(pWnd);
    m_pWndHooked = pWnd;
}

void CSubclassWnd::Remove() {
    CHookDispatcher& dispatcher = CHookDispatcher::Instance();
    CSubclassWnd* pHead = dispatcher.m_heads.value(m_pWndHooked);
    if (pHead == this) {
        if (m_pNext) {
            dispatcher.m_heads.insert(m_pWndHooked, m_pNext);
        } else {
            dispatcher.m_heads.remove(m_pWndHooked);
            dispatcher.Detach(m_pWndHooked);
        }
    } else {
        for (CSubclassWnd* pHook = pHead; pHook; pHook = pHook->m_pNext) {
            if (pHook->m_pNext == this) {
                pHook->m_pNext = m_pNext;
                break;
            }
        }
    }
    m_pWndHooked = nullptr;
    m_pNext = nullptr;
}
