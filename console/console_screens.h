#pragma once

#include "console/console_menu.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

class Messages;
class Navigation;
struct TerminalSettings;

// How the console opens each of its screens, and the one open instance of
// each. Owned screens are shown without blocking the console and stay above
// it; modal ones block the program until they close, with no owner; the
// counters and the configuration editor are opened by whoever runs the
// program (they outlive a console of their own).
class ConsoleScreens final
{
public:
    enum class How { Owned, Modal, Elsewhere };
    // Builds the screen, not yet shown; `owner` is the console for owned
    // screens and null for modal ones.
    using Make = std::function<QWidget*(QWidget* owner)>;
    struct Opening
    {
        How how = How::Owned;
        Make make;
        std::function<void()> elsewhere;   // How::Elsewhere only
    };

    ConsoleScreens(QWidget* console, const TerminalSettings& settings, Navigation& navigation,
                   Messages& messages, std::function<void()> openConfigEditor);

    // Opens `screen`, or brings its open instance forward. An owned screen
    // is returned open; a modal one has closed again when this returns.
    QWidget* open(ConsoleScreen screen);
    // The open instance of `screen`, or null.
    QWidget* instance(ConsoleScreen screen) const;
    How how(ConsoleScreen screen) const;
    // Replaces how one screen opens.
    void setOpening(ConsoleScreen screen, Opening opening);

private:
    QWidget* showOwned(ConsoleScreen screen, const Opening& opening);
    void runModal(ConsoleScreen screen, const Opening& opening);

    QWidget* m_console;
    std::map<ConsoleScreen, Opening> m_openings;
    std::map<ConsoleScreen, QPointer<QWidget>> m_open;
};

// Brings an open window to the front, restoring it when minimised.
void bringForward(QWidget* window);
