#pragma once

class QEvent;
class QWidget;

// Lets an object that is not the widget watch and handle a widget's events. Several hooks
// may sit on one widget and form a chain: the hook installed last sees an event first and
// passes on what it does not handle, down the chain and finally to the widget itself.
class CSubclassWnd {
public:
    CSubclassWnd() = default;
    // Leaves the widget if still hooked, so the chain never holds a dead hook.
    virtual ~CSubclassWnd();
    CSubclassWnd(const CSubclassWnd&) = delete;
    CSubclassWnd& operator=(const CSubclassWnd&) = delete;

    // With a widget: hooks it, at the head of its chain. With nullptr: leaves the chain,
    // whether this hook is its head or further down. Always true.
    bool HookWindow(QWidget* pWnd);
    bool IsHooked() const { return m_pWndHooked != nullptr; }
    QWidget* GetHookedWindow() const { return m_pWndHooked; }

    // The head of the chain on a widget, or nullptr when it has none.
    static CSubclassWnd* GetHead(const QWidget* pWnd);

protected:
    // Handles one event of the hooked widget. True: handled here, the widget does not see
    // it. The base version passes it on to the next hook, and when there is none returns
    // false, which lets the widget's own handling run.
    virtual bool WindowProc(QEvent* pEvent);

private:
    friend class CHookDispatcher;

    void Install(QWidget* pWnd);
    void Remove();

    QWidget* m_pWndHooked = nullptr;
    CSubclassWnd* m_pNext = nullptr;  // the hook installed on the same widget before this one
};
