#pragma once

#include "common/navigation.h"
#include "console/lock_keys.h"
#include "tests/support/when_modal.h"

// Counts the counters the console asks for.
class CountingNavigation final : public Navigation
{
public:
    void openSaleScreen() override { ++sales; }
    void openEntryScreen() override { ++entries; }
    void runSaleScreen() override { ++modalSales; }
    void runEntryScreen() override { ++modalEntries; }
    int sales = 0;
    int entries = 0;
    int modalSales = 0;
    int modalEntries = 0;
};

// The lock keys as a test sets them, read at each refresh.
class SettableLockKeys final : public LockKeys
{
public:
    explicit SettableLockKeys(const std::optional<State>* state = nullptr) : m_state(state) {}
    std::optional<State> read() override { return m_state ? *m_state : std::nullopt; }

private:
    const std::optional<State>* m_state;
};
