#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "records/DirIdentitySet.h"
#include "records/DirScan.h"
#include "records/DirWalk.h"

namespace kelvane {

// Whether a file system is mounted below realPath, by the mount table given (the text of
// /proc/self/mountinfo): a bind mount can show one folder in two places without a link.
bool MountsBelow(std::string_view mountInfo, const std::string& realPath);
// The same for path, by the mount table of the process; true when it cannot be told.
bool MountsBelow(const std::string& path);

// A walk from a start split into parts, the folders directly in the start, each walked on
// its own by whichever thread is free, that gives exactly what the one walk from the start
// gives, in its order.
//
// A part's events go out once every part before it is done: the head part streams them,
// the others keep them. Once the kept events of all parts pass keepLimit bytes, a part
// that is not the head waits until it is, so what is kept stays bounded; the head never
// waits. Each event belongs to a folder (its owner). The one walk enters no folder twice,
// so an event of a folder that an earlier part entered is dropped (unless it belongs to the
// start's level), and the emitter may ask about other folders the same way.
//
// Folders of two parts meet only through a symbolic link or across a mount: a part looks
// its folders up among those of the parts before it only once it, or a part before it,
// has been through one, or always when the caller says so (a mount below the start).
// Otherwise an entered folder costs a push onto the part's list.
//
// Event needs the members DirIdentity owner and bool startLevel.
template <typename Event>
class SplitWalk {
public:
    // What a part's walk gives the split; used on the part's thread only.
    class PartOut {
    public:
        void Put(Event event) { m_split.Put(m_index, std::move(event)); }
        // A folder the part's walk entered; throughLink when a link led there or it lies on
        // another file system than the start. True when an earlier part entered it, as far
        // as is known yet: nothing below it is new.
        bool Entered(const DirIdentity& id, bool throughLink) {
            return m_split.Entered(m_index, id, throughLink);
        }
        // The same for a folder as the part's walk met it; partIsLink when the part's own
        // folder is a symbolic link in the start.
        bool Entered(const WalkDir& dir, bool partIsLink) {
            const bool link = dir.throughLink || (dir.depth == 0 && partIsLink);
            return Entered(dir.id, link || dir.id.device != m_split.m_startDevice);
        }
        std::size_t index() const { return m_index; }

    private:
        friend class SplitWalk;
        PartOut(SplitWalk& split, std::size_t index) : m_split(split), m_index(index) {}
        SplitWalk& m_split;
        std::size_t m_index;
    };

    // Given to the emitter during its call.
    class View {
    public:
        // Whether a part before the one emitting entered id (the start counts as entered).
        bool EnteredEarlier(const DirIdentity& id) const {
            return m_split.EnteredBefore(m_index, id);
        }

    private:
        friend class SplitWalk;
        View(SplitWalk& split, std::size_t index) : m_split(split), m_index(index) {}
        SplitWalk& m_split;
        std::size_t m_index;
    };

    using WalkPart = std::function<void(PartOut& out)>;
    using Emit = std::function<void(Event& event, const View& view)>;
    using Bytes = std::function<std::size_t(const Event& event)>;

    struct Settings {
        int threads = 2;
        std::size_t keepLimit = std::size_t{64} << 20;
        const std::atomic<bool>* stop = nullptr;  // once set, parts end and nothing more goes out
        Bytes bytes;                              // of a kept event; sizeof(Event) when empty
        bool lookUpAlways = false;                // every folder, linked or not
    };

    // parts: how many; walk walks the part out.index(). emit gets the events in order, one
    // at a time.
    SplitWalk(const DirIdentity& start, std::size_t parts, Settings settings, WalkPart walk,
              Emit emit)
        : m_settings(std::move(settings)),
          m_walk(std::move(walk)),
          m_emit(std::move(emit)),
          m_parts(parts),
          m_startDevice(start.device) {
        m_closed.Insert(start);
    }

    // Rethrows what a part's walk or the emitter threw, once every thread has ended.
    void Run() {
        std::exception_ptr failure;
        std::mutex failureMutex;
        auto work = [&] {
            try {
                for (std::size_t i; (i = m_next.fetch_add(1)) < m_parts.size();) {
                    if (Stopped())
                        break;
                    RunPart(i);
                }
            } catch (...) {
                std::lock_guard lock(failureMutex);
                failure = std::current_exception();
                m_failed = true;
                m_wake.notify_all();
            }
        };
        std::vector<std::thread> threads;
        for (int t = 1; t < m_settings.threads && static_cast<std::size_t>(t) < m_parts.size(); ++t)
            threads.emplace_back(work);
        work();
        for (std::thread& thread : threads)
            thread.join();
        if (failure)
            std::rethrow_exception(failure);
    }

private:
    struct Part {
        std::vector<Event> kept;           // waiting for the parts before it
        std::vector<DirIdentity> entered;  // folders its walk entered, not yet in m_closed
        bool linked = false;               // its walk went through a link or a mount
        bool done = false;
    };

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    bool Stopped() const {
        return m_failed || (m_settings.stop && m_settings.stop->load(std::memory_order_relaxed));
    }

    std::size_t KeptSize(const Event& event) const {
        return m_settings.bytes ? m_settings.bytes(event) : sizeof(Event);
    }

    void RunPart(std::size_t index) {
        PartOut out(*this, index);
        m_walk(out);
        std::lock_guard lock(m_mutex);
        Part& part = m_parts[index];
        part.done = true;
        if (part.linked && index < m_firstLinked.load(std::memory_order_relaxed))
            m_firstLinked.store(index, std::memory_order_relaxed);
        if (m_head.load(std::memory_order_relaxed) == index)
            Advance();
    }

    void Put(std::size_t index, Event event) {
        if (m_head.load(std::memory_order_acquire) != index) {
            const std::size_t bytes = KeptSize(event);
            m_parts[index].kept.push_back(std::move(event));
            if (m_keptBytes.fetch_add(bytes, std::memory_order_relaxed) + bytes <=
                m_settings.keepLimit)
                return;
            WaitToBeHead(index);
            if (m_head.load(std::memory_order_acquire) != index)
                return;  // stopped
            std::lock_guard lock(m_mutex);
            EmitKept(index);
            return;
        }
        std::lock_guard lock(m_mutex);
        EmitKept(index);
        EmitOne(index, event);
    }

    void WaitToBeHead(std::size_t index) {
        std::unique_lock lock(m_mutex);
        // The stop flag is set without a word to us: look at it now and then.
        while (m_head.load(std::memory_order_relaxed) != index && !Stopped())
            m_wake.wait_for(lock, std::chrono::milliseconds(50));
    }

    bool Entered(std::size_t index, const DirIdentity& id, bool throughLink) {
        Part& part = m_parts[index];
        part.entered.push_back(id);
        part.linked = part.linked || throughLink;
        if (!Checks(index))
            return false;
        std::lock_guard lock(m_mutex);
        // Only the parts before the head are done, so only their folders are known.
        Close(std::min(index, m_head.load(std::memory_order_relaxed)));
        return m_closed.Contains(id);
    }

    // Whether part index looks its folders up: it or a done part before it went through a
    // link or a mount.
    bool Checks(std::size_t index) const {
        return m_settings.lookUpAlways || m_parts[index].linked ||
               m_firstLinked.load(std::memory_order_relaxed) < index;
    }

    // With the mutex held, while part index emits (every part before it is done).
    bool EnteredBefore(std::size_t index, const DirIdentity& id) {
        if (!Checks(index))
            return false;
        Close(index);
        return m_closed.Contains(id);
    }

    // With the mutex held: the folders of the parts before end (all done) into m_closed.
    void Close(std::size_t end) {
        for (; m_closedUpTo < end; ++m_closedUpTo) {
            std::vector<DirIdentity>& entered = m_parts[m_closedUpTo].entered;
            for (const DirIdentity& id : entered)
                m_closed.Insert(id);
            entered = {};
        }
    }

    // With the mutex held: the head part is done; it and the parts after it that are done
    // too go out in turn.
    void Advance() {
        std::size_t head = m_head.load(std::memory_order_relaxed);
        while (head < m_parts.size() && m_parts[head].done) {
            EmitKept(head);
            ++head;
            // The head's folders are needed only when a later part looks one up.
            m_head.store(head, std::memory_order_release);
        }
        // A part that is still running sends what it kept with its next event, or when done.
        m_wake.notify_all();
    }

    void EmitKept(std::size_t index) {
        Part& part = m_parts[index];
        std::size_t bytes = 0;
        for (Event& event : part.kept) {
            bytes += KeptSize(event);
            EmitOne(index, event);
        }
        m_keptBytes.fetch_sub(bytes, std::memory_order_relaxed);
        part.kept = {};
    }

    void EmitOne(std::size_t index, Event& event) {
        if (Stopped())
            return;
        if (!event.startLevel && EnteredBefore(index, event.owner))
            return;
        m_emit(event, View(*this, index));
    }

    Settings m_settings;
    WalkPart m_walk;
    Emit m_emit;
    std::vector<Part> m_parts;
    dev_t m_startDevice;
    std::atomic<std::size_t> m_next{0};
    std::atomic<std::size_t> m_head{0};
    std::atomic<std::size_t> m_firstLinked{kNone};  // the first done part that was linked
    std::atomic<std::size_t> m_keptBytes{0};
    std::atomic<bool> m_failed{false};
    std::mutex m_mutex;  // guards m_closed, the emitter, the parts' done and kept
    std::condition_variable m_wake;
    DirIdentitySet m_closed;
    std::size_t m_closedUpTo = 0;  // the parts whose folders are in m_closed
};

}  // namespace kelvane
