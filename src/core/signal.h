#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace vexmoor {

// A connection disconnects itself when destroyed. It only holds a weak link to
// the signal, so either side may die first.
class Connection {
public:
    Connection() = default;
    Connection(std::function<void()> disconnect) : disconnect_(std::move(disconnect)) {}
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Connection(Connection&& other) noexcept : disconnect_(std::exchange(other.disconnect_, {})) {}
    Connection& operator=(Connection&& other) noexcept {
        if (this != &other) {
            disconnect();
            disconnect_ = std::exchange(other.disconnect_, {});
        }
        return *this;
    }
    ~Connection() { disconnect(); }

    void disconnect() {
        if (disconnect_) std::exchange(disconnect_, {})();
    }

private:
    std::function<void()> disconnect_;
};

// Core-to-view notifier. Connecting or disconnecting while the signal is being
// emitted is safe: a slot added during an emission is not called by it, a slot
// removed during an emission is not called after its removal.
template <class... Args>
class Signal {
public:
    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    [[nodiscard]] Connection connect(std::function<void(Args...)> slot) {
        const std::size_t id = state_->nextId++;
        state_->slots.push_back({id, std::make_shared<std::function<void(Args...)>>(std::move(slot))});
        std::weak_ptr<State> weak = state_;
        return Connection([weak, id] {
            if (auto state = weak.lock()) {
                auto& slots = state->slots;
                slots.erase(std::remove_if(slots.begin(), slots.end(),
                                           [id](const Slot& s) { return s.id == id; }),
                            slots.end());
            }
        });
    }

    void emit(Args... args) const {
        const auto state = state_;  // keeps the slot list alive if the owner dies in a slot
        const auto snapshot = state->slots;
        for (const auto& slot : snapshot) {
            const bool stillConnected =
                std::any_of(state->slots.begin(), state->slots.end(),
                            [&](const Slot& s) { return s.id == slot.id; });
            if (stillConnected) (*slot.function)(args...);
        }
    }

    std::size_t size() const { return state_->slots.size(); }

private:
    struct Slot {
        std::size_t id;
        std::shared_ptr<std::function<void(Args...)>> function;
    };
    struct State {
        std::vector<Slot> slots;
        std::size_t nextId = 0;
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace vexmoor
