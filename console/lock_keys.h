#pragma once

#include <memory>
#include <optional>

// The Caps, Num and Scroll Lock states of the keyboard, which Qt does not
// offer: read from the display server where it can tell them.
class LockKeys
{
public:
    struct State
    {
        bool caps = false;
        bool num = false;
        bool scroll = false;
        bool operator==(const State&) const = default;
    };

    virtual ~LockKeys() = default;
    // Empty when the states cannot be read here (no X display, offscreen).
    virtual std::optional<State> read() = 0;
};

// The reader of this session: the X keyboard extension under X11, otherwise
// one that never knows.
std::unique_ptr<LockKeys> systemLockKeys();
