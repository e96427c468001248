#pragma once

#include "console/console_screens.h"
#include "console/lock_keys.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class Messages;
class Navigation;
class QFrame;
class QLabel;
class QToolBar;
class StatusPanels;
struct TerminalSettings;

// principal: the management console. Menus and toolbar open the other
// screens (one instance each); the status bar shows the version, the date,
// the time and the lock keys; the logo frame stays centred. No database
// work of its own.
class Principal final : public QMainWindow
{
    Q_OBJECT

public:
    // `openConfigEditor` opens the terminal configuration editor, which the
    // program's start-up owns.
    Principal(const TerminalSettings& settings, Navigation& navigation, Messages& messages,
              std::function<void()> openConfigEditor, QWidget* parent = nullptr,
              std::unique_ptr<LockKeys> lockKeys = systemLockKeys());
    ~Principal() override;

    ConsoleScreens& screens() { return m_screens; }
    StatusPanels* panels() const { return m_panels; }
    QFrame* logoFrame() const { return m_frame; }

    // What a menu entry or toolbar button does.
    void open(ConsoleScreen screen);
    // "Migracao": the password first; the migration only on the right one.
    void migracao();
    // Toolbar "Sair": the program ends at once, no screen asked.
    void sair();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void buildToolbar();
    void buildLogo();
    void centreLogo();

    Messages& m_messages;
    ConsoleScreens m_screens;
    StatusPanels* m_panels = nullptr;
    QToolBar* m_toolbar = nullptr;
    QWidget* m_client = nullptr;
    QFrame* m_frame = nullptr;
};
