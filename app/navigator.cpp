#include "app/navigator.h"

#include "app/config_editor_window.h"

#include <QEvent>
#include <QEventLoop>
#include <QEventLoopLocker>
#include <QWidget>

namespace {

// Ends a modal run once its window is hidden (closed, or closed by F8).
class QuitWhenHidden final : public QObject
{
public:
    explicit QuitWhenHidden(QEventLoop& loop) : m_loop(loop) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            m_loop.quit();
        return false;
    }

private:
    QEventLoop& m_loop;
};

} // namespace

Navigator::Navigator(const QString& dataDir, Messages& messages, ScreenFactories factories,
                     QString programFolder, QObject* parent)
    : QObject(parent)
    , m_messages(messages)
    , m_factories(std::move(factories))
    , m_programFolder(std::move(programFolder))
{
    m_state.settings.dataDir = dataDir;
}

Navigator::~Navigator()
{
    for (auto& [kind, window] : m_screens)
        delete window.data();
    m_state.settings.conexao = nullptr;
    m_state.connection.reset();
}

void Navigator::start()
{
    // Nothing may end the run while the start-up is between windows; when
    // it opens none (an unknown mode word), releasing this ends the program.
    QEventLoopLocker keepRunning;
    Startup(m_state, m_messages, *this).run();
    emit startupFinished();
}

QWidget* Navigator::screen(Screen kind) const
{
    // A closed window lives on until the event loop deletes it: it is gone
    // already, neither to be shown again nor to own a new window.
    const auto found = m_screens.find(kind);
    QWidget* window = found == m_screens.end() ? nullptr : found->second.data();
    return window && !window->isHidden() ? window : nullptr;
}

QWidget* Navigator::showScreen(Screen kind, const ScreenFactory& factory, QWidget* owner, bool modal)
{
    if (QWidget* open = screen(kind)) {
        open->raise();
        open->activateWindow();
        return open;
    }
    QWidget* window = factory(ScreenContext{m_state.settings, *this, m_messages,
                                            [this] { openConfigEditor(); }});
    if (!window)
        return nullptr;
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (owner)
        window->setParent(owner, window->windowFlags() | Qt::Window);
    if (modal)
        window->setWindowModality(Qt::ApplicationModal);
    m_screens[kind] = window;
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void Navigator::closeScreen(Screen kind)
{
    if (QWidget* open = screen(kind))
        open->close();
}

void Navigator::openSaleScreen()
{
    // The new counter is shown before the old one closes, so the run never
    // passes through a moment without a window.
    showScreen(Screen::Sale, m_factories.sale, screen(Screen::Console));
    closeScreen(Screen::Entry);
}

void Navigator::openEntryScreen()
{
    showScreen(Screen::Entry, m_factories.entry, screen(Screen::Console));
    closeScreen(Screen::Sale);
}

void Navigator::runSaleScreen()
{
    runModal(Screen::Sale, m_factories.sale);
}

void Navigator::runEntryScreen()
{
    runModal(Screen::Entry, m_factories.entry);
}

void Navigator::runModal(Screen kind, const ScreenFactory& factory)
{
    // An instance already open (reached by F8) is only brought forward.
    if (screen(kind)) {
        showScreen(kind, factory, nullptr);
        return;
    }
    QPointer<QWidget> window = showScreen(kind, factory, nullptr, true);
    if (!window || window->isHidden())
        return;
    QEventLoop loop;
    QuitWhenHidden watch(loop);
    window->installEventFilter(&watch);
    connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
    if (window)
        window->removeEventFilter(&watch);
}

void Navigator::openModeScreen(TerminalMode mode)
{
    switch (mode) {
    case TerminalMode::Sale:
        showScreen(Screen::Sale, m_factories.sale, nullptr);
        break;
    case TerminalMode::Entry:
        showScreen(Screen::Entry, m_factories.entry, nullptr);
        break;
    case TerminalMode::Console:
        showScreen(Screen::Console, m_factories.console, nullptr);
        break;
    case TerminalMode::None:
        break;
    }
}

void Navigator::openConfigEditor()
{
    auto factory = [this](const ScreenContext&) -> QWidget* {
        auto* editor = new ConfigEditorWindow(configFilePath(m_state.settings.dataDir),
                                              m_state.settings, m_programFolder, m_messages);
        connect(editor, &ConfigEditorWindow::saved, this, &Navigator::editorSaved);
        return editor;
    };
    showScreen(Screen::ConfigEditor, factory, nullptr);
}

void Navigator::editorSaved()
{
    // The editor closes itself after this; the start-up runs once it has.
    m_keepRunning = std::make_unique<QEventLoopLocker>();
    QMetaObject::invokeMethod(this, &Navigator::restart, Qt::QueuedConnection);
}

void Navigator::restart()
{
    // Every screen of the old settings goes, and the old connection with
    // them, before the start-up reads the new file. A screen is deleted even
    // if it declined to close: it must not outlive the connection it holds.
    for (auto& [kind, window] : m_screens) {
        if (window) {
            window->close();
            delete window.data();
        }
    }
    m_screens.clear();
    m_state.settings.conexao = nullptr;
    m_state.connection.reset();
    start();
    m_keepRunning.reset();
}
