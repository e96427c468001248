#pragma once

#include "app/screen_factories.h"
#include "app/startup.h"
#include "common/navigation.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <memory>

class Messages;
class QEventLoopLocker;
class QWidget;

// Owns the run: its settings and connection, and the top-level screens the
// start-up and the counters open (one instance of each). The program ends
// when the last of them closes; while one screen hands over to another the
// run is kept alive.
class Navigator final : public QObject, public Navigation, public ScreenOpener
{
    Q_OBJECT

public:
    enum class Screen { ConfigEditor, Sale, Entry, Console };

    Navigator(const QString& dataDir, Messages& messages, ScreenFactories factories,
              QString programFolder, QObject* parent = nullptr);
    ~Navigator() override;

    // Runs the start-up; call it from inside the event loop.
    void start();

    // Navigation: F8 between the counters; the other counter is closed.
    void openSaleScreen() override;
    void openEntryScreen() override;
    void runSaleScreen() override;
    void runEntryScreen() override;

    // ScreenOpener: where the start-up's roads end.
    void openConfigEditor() override;
    void openModeScreen(TerminalMode mode) override;

    const RunState& state() const { return m_state; }
    // The waiting indication every connection of the run shows.
    void setWaiting(Waiting* waiting) { m_state.waiting = waiting; }
    // The open instance of a screen, or null.
    QWidget* screen(Screen kind) const;

signals:
    // A start-up has run to one of its ends (tests wait for it).
    void startupFinished();

private:
    QWidget* showScreen(Screen kind, const ScreenFactory& factory, QWidget* owner, bool modal = false);
    void runModal(Screen kind, const ScreenFactory& factory);
    void closeScreen(Screen kind);
    void editorSaved();
    void restart();

    RunState m_state;
    Messages& m_messages;
    ScreenFactories m_factories;
    QString m_programFolder;
    std::map<Screen, QPointer<QWidget>> m_screens;
    // Held from a save in the editor until the start-up it triggers has run.
    std::unique_ptr<QEventLoopLocker> m_keepRunning;
};
