// How the host and its layers tell whoever listens what happened, and how a
// client lends them what only it can do.
//
// A Channel<Event> carries one kind of event to its subscribers, in the
// order they subscribed. A subscription lasts as long as the handle that
// Subscribe returns; dropping the handle during a delivery is safe (the
// dropped subscriber hears nothing more), and a handle may outlive its
// channel.
//
//   Subscription heard = alerts.shown.Subscribe([](const AlertEvent& e) { … });
//
// A Service<Interface> is something one client provides at a time (answering
// an alert as a person would, waiting for a dialog): Provide returns the
// handle that withdraws it again.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace host {

// Holds one subscription (or a provided service) until it is reset or goes.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> end) : fEnd(std::move(end)) {}
    Subscription(Subscription&& other) noexcept : fEnd(std::exchange(other.fEnd, nullptr)) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            Reset();
            fEnd = std::exchange(other.fEnd, nullptr);
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { Reset(); }

    void Reset() {
        if (auto end = std::exchange(fEnd, nullptr))
            end();
    }
    explicit operator bool() const { return static_cast<bool>(fEnd); }

private:
    std::function<void()> fEnd;
};

template <class Event> class Channel {
public:
    using Callback = std::function<void(const Event&)>;

    Channel() : fState(std::make_shared<State>()) {}
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    [[nodiscard]] Subscription Subscribe(Callback callback) {
        const size_t id = ++fState->lastID;
        fState->entries.push_back({id, std::make_shared<Callback>(std::move(callback))});
        ++fState->live;
        std::weak_ptr<State> weak = fState;
        return Subscription([weak, id] {
            if (auto state = weak.lock())
                state->Remove(id);
        });
    }

    // Delivers to those subscribed now, skipping any that leave meanwhile;
    // those who join during a delivery hear the next event.
    void Publish(const Event& event) const {
        State* const state = fState.get();
        if (state->entries.empty())
            return;
        // Compacted once the outermost delivery ends, even when a subscriber throws.
        struct Delivering {
            State& state;
            explicit Delivering(State& s) : state(s) { ++state.delivering; }
            ~Delivering() {
                if (--state.delivering == 0)
                    state.Compact();
            }
        } delivering(*state);
        const size_t count = state->entries.size();
        for (size_t i = 0; i < count; ++i)
            if (state->entries[i].id != 0) {
                // Held: the callback may drop its own subscription.
                const std::shared_ptr<Callback> callback = state->entries[i].callback;
                (*callback)(event);
            }
    }

    bool HasSubscribers() const { return fState->live != 0; }

private:
    struct Entry {
        size_t id; // 0 once unsubscribed
        std::shared_ptr<Callback> callback;
    };
    struct State {
        std::vector<Entry> entries;
        size_t lastID = 0;
        size_t live = 0;
        int delivering = 0;
        void Remove(size_t id) {
            for (Entry& e : entries)
                if (e.id == id) {
                    e.id = 0;
                    e.callback = nullptr;
                    --live;
                }
            if (delivering == 0)
                Compact();
        }
        void Compact() {
            entries.erase(std::remove_if(entries.begin(), entries.end(),
                                         [](const Entry& e) { return e.id == 0; }),
                          entries.end());
        }
    };
    std::shared_ptr<State> fState;
};

// Something one client at a time provides to the host.
template <class Interface> class Service {
public:
    Service() : fProvider(std::make_shared<Interface*>(nullptr)) {}
    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;

    // Until the handle goes; std::logic_error while another one is provided.
    [[nodiscard]] Subscription Provide(Interface& provider) {
        if (*fProvider)
            throw std::logic_error("a service is provided by one client at a time");
        *fProvider = &provider;
        std::weak_ptr<Interface*> weak = fProvider;
        return Subscription([weak, p = &provider] {
            if (auto slot = weak.lock(); slot && *slot == p)
                *slot = nullptr;
        });
    }
    // The provider, or nullptr.
    Interface* Get() const { return *fProvider; }

private:
    std::shared_ptr<Interface*> fProvider;
};

} // namespace host
