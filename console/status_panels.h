#pragma once

#include "console/lock_keys.h"

#include <QDateTime>
#include <QStatusBar>

#include <functional>
#include <memory>

class QLabel;
class QTimer;

// StatusBar1: six panels, the version, the date, the time and the three
// lock keys. The panels after the first keep themselves current; a lock key
// that is off is shown dimmed, and all three plainly where the states
// cannot be read.
class StatusPanels final : public QStatusBar
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    explicit StatusPanels(std::unique_ptr<LockKeys> lockKeys, Clock clock = {}, QWidget* parent = nullptr);
    ~StatusPanels() override;

    // Panel `index`, 1 to 6 as the panels are numbered.
    QLabel* panel(int index) const;
    // Reads the clock and the lock keys again.
    void refresh();

private:
    void showLock(QLabel* panel, std::optional<bool> on);

    std::unique_ptr<LockKeys> m_lockKeys;
    Clock m_clock;
    QList<QLabel*> m_panels;
    QTimer* m_timer = nullptr;
};
