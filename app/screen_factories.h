#pragma once

#include <QString>

#include <functional>

class Messages;
class Navigation;
class QWidget;
struct TerminalSettings;

// What a top-level screen is built with. The references live as long as the
// run; a factory keeps what it needs, not the context itself.
struct ScreenContext
{
    const TerminalSettings& settings;
    Navigation& navigation;
    Messages& messages;
    // The console's "Parâmetros do sistema": opens the configuration editor.
    std::function<void()> openConfigEditor;
};

// Builds one top-level screen, not yet shown.
using ScreenFactory = std::function<QWidget*(const ScreenContext&)>;

// One factory per kind of top-level screen the start-up and the counters open.
struct ScreenFactories
{
    ScreenFactory sale;      // FrmVendas
    ScreenFactory entry;     // FrmEntradas
    ScreenFactory console;   // principal
};

// The screens of this build.
ScreenFactories defaultScreenFactories();
