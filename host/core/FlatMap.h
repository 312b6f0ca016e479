// A hash map for the object model's indexes (pointer or integer keys): open
// addressing with linear probing in one array, so an entry costs no
// allocation and a look-up costs the same at ten objects and at a million.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

namespace host {

// Key{} (a null pointer, 0) marks an empty slot and is never stored.
template <class Key, class Value> class FlatMap {
public:
    size_t Size() const { return fSize; }

    // The value stored under `key`, or Value{} when there is none.
    Value Find(Key key) const {
        // Key{} finds an empty slot, whose value is Value{}.
        if (fSize == 0)
            return Value{};
        for (size_t i = Home(key);; i = (i + 1) & fMask) {
            const Slot& slot = fSlots[i];
            if (slot.key == key)
                return slot.value;
            if (slot.key == Key{})
                return Value{};
        }
    }

    // Stores `value` under `key`, replacing what was there.
    void Insert(Key key, Value value) {
        if (key == Key{})
            return;
        // At most half full, so that probes stay short.
        if ((fSize + 1) * 2 > fSlots.size())
            Grow();
        for (size_t i = Home(key);; i = (i + 1) & fMask) {
            Slot& slot = fSlots[i];
            if (slot.key == key) {
                slot.value = value;
                return;
            }
            if (slot.key == Key{}) {
                slot = {key, value};
                ++fSize;
                return;
            }
        }
    }

    void Erase(Key key) {
        if (fSize == 0 || key == Key{})
            return;
        size_t hole = Home(key);
        for (;; hole = (hole + 1) & fMask) {
            if (fSlots[hole].key == key)
                break;
            if (fSlots[hole].key == Key{})
                return;
        }
        // Close the gap: an entry further on moves back into the hole when
        // the hole lies between its home slot and where it sits, so that no
        // probe sequence is cut short.
        for (size_t j = (hole + 1) & fMask; fSlots[j].key != Key{}; j = (j + 1) & fMask) {
            const size_t home = Home(fSlots[j].key);
            if (((j - home) & fMask) >= ((j - hole) & fMask)) {
                fSlots[hole] = fSlots[j];
                hole = j;
            }
        }
        fSlots[hole] = Slot{};
        --fSize;
    }

    void Clear() {
        fSlots.clear();
        fSize = 0;
        fMask = 0;
        fShift = 64;
    }

    template <class F> void ForEach(F f) const {
        for (const Slot& slot : fSlots)
            if (slot.key != Key{})
                f(slot.key, slot.value);
    }

private:
    struct Slot {
        Key key{};
        Value value{};
    };

    static uint64_t Bits(Key key) {
        if constexpr (std::is_pointer_v<Key>)
            return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(key));
        else
            return static_cast<uint64_t>(key);
    }

    // Fibonacci hashing: the multiplication spreads aligned addresses and
    // consecutive numbers alike over the top bits.
    size_t Home(Key key) const {
        return static_cast<size_t>((Bits(key) * 0x9E3779B97F4A7C15ull) >> fShift);
    }

    // Kept out of line, so that Insert stays small where it is inlined.
    [[gnu::noinline]] void Grow() {
        std::vector<Slot> old = std::move(fSlots);
        const size_t capacity = old.empty() ? 16 : old.size() * 2;
        fSlots.assign(capacity, Slot{});
        fMask = capacity - 1;
        fShift = 64;
        for (size_t c = capacity; c > 1; c >>= 1)
            --fShift;
        fSize = 0;
        for (const Slot& slot : old)
            if (slot.key != Key{})
                Insert(slot.key, slot.value);
    }

    std::vector<Slot> fSlots;
    size_t fSize = 0;
    size_t fMask = 0;
    unsigned fShift = 64;
};

} // namespace host
