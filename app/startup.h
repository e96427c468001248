#pragma once

#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/result.h"

#include <QString>

#include <memory>

class ConfigFile;
class Waiting;
class Messages;

// The first screen of a terminal mode; MODO= must name it exactly.
enum class TerminalMode { None, Sale, Entry, Console };

// "VENDA", "ENTRADA", "GERENCIA", compared exactly (letter case counts);
// any other word is None: no screen opens.
TerminalMode terminalModeFromWord(const QString& word);

// Where each road of the start-up ends. The navigator opens real windows; the
// tests record what was asked.
class ScreenOpener
{
public:
    virtual ~ScreenOpener() = default;
    virtual void openConfigEditor() = 0;
    virtual void openModeScreen(TerminalMode mode) = 0;
};

// What a run holds between start-ups: the settings (those read before a
// failure stay set, and the editor shows some of them) and the connection.
struct RunState
{
    TerminalSettings settings;
    std::unique_ptr<Connection> connection;
    // What the connection shows while a call waits (none in most tests).
    Waiting* waiting = nullptr;
};

// The start-up procedure: reads the configuration file, opens a fresh
// connection (replacing the one held), reads the working hours, checks the
// cash register, loads the trade name and opens the mode's screen. Every
// failure asks whether to show the original message, is logged, and ends in
// the configuration editor.
class Startup
{
public:
    Startup(RunState& state, Messages& messages, ScreenOpener& screens);

    void run();

private:
    enum class Road { NotConfigured, UnknownRegister, ModeScreen };
    Result<Road> steps(TerminalMode& mode);
    Result<void> readSettings(const ConfigFile& file, TerminalMode& mode);
    Result<void> connect();
    Result<void> readWorkingHours();
    Result<bool> registerExists();

    RunState& m_state;
    Messages& m_messages;
    ScreenOpener& m_screens;
};
