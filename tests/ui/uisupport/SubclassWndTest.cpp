#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "uisupport/SubclassWnd.h"

namespace {

const auto kProbe = static_cast<QEvent::Type>(QEvent::registerEventType());

using Log = std::vector<std::string>;

// A widget that notes the probe events its own handling gets.
class ProbeWidget : public QWidget {
public:
    explicit ProbeWidget(Log& log) : m_log(log) {}

protected:
    bool event(QEvent* pEvent) override {
        if (pEvent->type() == kProbe) {
            m_log.push_back("widget");
            return true;
        }
        return QWidget::event(pEvent);
    }

private:
    Log& m_log;
};

// Notes each probe event it sees, then consumes it or passes it on.
class RecordingHook : public CSubclassWnd {
public:
    RecordingHook(Log& log, std::string name, bool bConsume = false)
        : m_log(log), m_name(std::move(name)), m_bConsume(bConsume) {}

protected:
    bool WindowProc(QEvent* pEvent) override {
        if (pEvent->type() == kProbe) {
            m_log.push_back(m_name);
            if (m_bConsume)
                return true;
        }
        return CSubclassWnd::WindowProc(pEvent);
    }

private:
    Log& m_log;
    std::string m_name;
    bool m_bConsume;
};

// Passes everything on.
class PassingHook : public CSubclassWnd {};

Log Probe(QWidget& widget, Log& log) {
    log.clear();
    QEvent probe(kProbe);
    QApplication::sendEvent(&widget, &probe);
    return log;
}

// Notes which event types reach it, and lets them go on.
class EventObserver : public QObject {
public:
    std::vector<QEvent::Type> seen;

protected:
    bool eventFilter(QObject*, QEvent* pEvent) override {
        seen.push_back(pEvent->type());
        return false;
    }
};

}  // namespace

TEST(SubclassWnd, lastInstalledHookSeesEventFirstAndChainEndsAtWidget) {
    Log log;
    ProbeWidget widget(log);
    RecordingHook first(log, "first"), second(log, "second");
    first.HookWindow(&widget);
    second.HookWindow(&widget);

    EXPECT_EQ(Probe(widget, log), (Log{"second", "first", "widget"}));
    EXPECT_EQ(CSubclassWnd::GetHead(&widget), &second);
    EXPECT_EQ(first.GetHookedWindow(), &widget);
}

TEST(SubclassWnd, consumingHookStopsTheChain) {
    Log log;
    ProbeWidget widget(log);
    RecordingHook first(log, "first"), second(log, "second", true);
    first.HookWindow(&widget);
    second.HookWindow(&widget);

    EXPECT_EQ(Probe(widget, log), (Log{"second"}));
}

TEST(SubclassWnd, removingHooksFromMiddleHeadAndLastRestoresTheWidget) {
    Log log;
    ProbeWidget widget(log);
    RecordingHook first(log, "first"), second(log, "second"), third(log, "third");
    first.HookWindow(&widget);
    second.HookWindow(&widget);
    third.HookWindow(&widget);

    // Not the head: the chain closes over it.
    second.HookWindow(nullptr);
    EXPECT_FALSE(second.IsHooked());
    EXPECT_EQ(Probe(widget, log), (Log{"third", "first", "widget"}));
    EXPECT_EQ(CSubclassWnd::GetHead(&widget), &third);

    // The head: the next one takes its place.
    third.HookWindow(nullptr);
    EXPECT_EQ(Probe(widget, log), (Log{"first", "widget"}));
    EXPECT_EQ(CSubclassWnd::GetHead(&widget), &first);

    // The only one: the widget is on its own again.
    first.HookWindow(nullptr);
    EXPECT_EQ(Probe(widget, log), (Log{"widget"}));
    EXPECT_EQ(CSubclassWnd::GetHead(&widget), nullptr);

    // Unhooking twice changes nothing; a removed hook can hook again.
    first.HookWindow(nullptr);
    second.HookWindow(&widget);
    EXPECT_EQ(Probe(widget, log), (Log{"second", "widget"}));
    second.HookWindow(nullptr);
}

TEST(SubclassWnd, hookingAgainMovesTheHookInsteadOfLoopingTheChain) {
    Log log;
    ProbeWidget one(log), two(log);
    RecordingHook first(log, "first"), second(log, "second");
    first.HookWindow(&one);
    second.HookWindow(&one);
    first.HookWindow(&one);  // again on the same widget: now the head, once

    EXPECT_EQ(Probe(one, log), (Log{"first", "second", "widget"}));

    second.HookWindow(&two);
    EXPECT_EQ(Probe(one, log), (Log{"first", "widget"}));
    EXPECT_EQ(Probe(two, log), (Log{"second", "widget"}));
}

TEST(SubclassWnd, destroyingHookedWidgetUnhooksAllAndDestructionStillReachesIt) {
    Log log;
    auto* pWidget = new ProbeWidget(log);
    EventObserver observer;
    pWidget->installEventFilter(&observer);  // sees what the hooks let through
    RecordingHook first(log, "first"), second(log, "second");
    first.HookWindow(pWidget);
    second.HookWindow(pWidget);

    pWidget->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_FALSE(first.IsHooked());
    EXPECT_FALSE(second.IsHooked());
    EXPECT_EQ(CSubclassWnd::GetHead(pWidget), nullptr);
    EXPECT_NE(std::find(observer.seen.begin(), observer.seen.end(), QEvent::Destroy),
              observer.seen.end());
}

TEST(SubclassWnd, destroyingHookedHookLeavesTheChainIntact) {
    Log log;
    ProbeWidget widget(log);
    RecordingHook first(log, "first");
    first.HookWindow(&widget);
    {
        RecordingHook second(log, "second");
        second.HookWindow(&widget);
        RecordingHook third(log, "third");
        third.HookWindow(&widget);
    }
    EXPECT_EQ(Probe(widget, log), (Log{"first", "widget"}));
}

namespace {
struct EditRun {
    QString text;
    int nCursor = 0;
    bool bSelection = false;
    std::vector<bool> results;
    std::vector<bool> accepted;
};

// The same input to a line edit: typing, moving, selecting with the mouse, deleting.
EditRun Drive(QLineEdit& edit) {
    EditRun run;
    edit.resize(200, 30);
    auto send = [&](QEvent& event) {
        run.results.push_back(QApplication::sendEvent(&edit, &event));
        run.accepted.push_back(event.isAccepted());
    };
    for (const QString& key : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (key[0].unicode() - 'a'), Qt::NoModifier,
                        key);
        send(press);
    }
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    send(home);
    QKeyEvent selectRight(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier);
    send(selectRight);
    QKeyEvent unused(QEvent::KeyPress, Qt::Key_F13, Qt::NoModifier);
    send(unused);
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 10), QPointF(5, 10), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    send(click);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    send(del);
    QKeyEvent x(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    send(x);
    run.text = edit.text();
    run.nCursor = edit.cursorPosition();
    run.bSelection = edit.hasSelectedText();
    return run;
}
}  // namespace

TEST(SubclassWnd, passingHookIsInvisible) {
    QLineEdit plain;
    QLineEdit hooked;
    PassingHook one, two;
    one.HookWindow(&hooked);
    two.HookWindow(&hooked);

    const EditRun expected = Drive(plain);
    const EditRun actual = Drive(hooked);

    EXPECT_EQ(actual.text, expected.text);
    EXPECT_EQ(actual.nCursor, expected.nCursor);
    EXPECT_EQ(actual.bSelection, expected.bSelection);
    EXPECT_EQ(actual.results, expected.results);
    EXPECT_EQ(actual.accepted, expected.accepted);
    EXPECT_EQ(expected.text, QStringLiteral("x"));
}
