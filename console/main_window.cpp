#include "console/main_window.h"

#include "common/messages.h"
#include "console/console_texts.h"
#include "console/status_panels.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

// Resources of a static library are registered by hand, outside any namespace.
static void initConsoleResources()
{
    Q_INIT_RESOURCE(console);
}

namespace {

// The migration's fixed password, compared exactly.
const QString migrationPassword = QStringLiteral("ChaveMigrador");

void addItems(QMenu* menu, const QList<MenuItem>& items, Principal* window)
{
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItem::Kind::Separator:
            menu->addSeparator()->setObjectName(item.name);
            break;
        case MenuItem::Kind::Submenu: {
            QMenu* sub = menu->addMenu(item.caption);
            sub->setObjectName(item.name);
            addItems(sub, item.items, window);
            break;
        }
        case MenuItem::Kind::Entry: {
            QAction* action = menu->addAction(item.caption);
            action->setObjectName(item.name);
            action->setShortcut(item.shortcut);
            const ConsoleScreen screen = item.opens;
            QObject::connect(action, &QAction::triggered, window, [window, screen] { window->open(screen); });
            break;
        }
        }
    }
}

} // namespace

Principal::Principal(const TerminalSettings& settings, Navigation& navigation, Messages& messages,
                     std::function<void()> openConfigEditor, QWidget* parent,
                     std::unique_ptr<LockKeys> lockKeys)
    : QMainWindow(parent)
    , m_messages(messages)
    , m_screens(this, settings, navigation, messages, std::move(openConfigEditor))
{
    initConsoleResources();
    setObjectName(QStringLiteral("principal"));
    setWindowTitle(consoletext::caption);
    setWindowIcon(QIcon(QStringLiteral(":/console/logo.png")));

    buildMenu();
    buildToolbar();
    m_panels = new StatusPanels(std::move(lockKeys), {}, this);
    setStatusBar(m_panels);
    buildLogo();

    // Maximised; without a window manager (a bare X server) that request is
    // ignored, so the window also takes the screen's working area itself.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
}

Principal::~Principal() = default;

void Principal::buildMenu()
{
    for (const MenuItem& top : consoleMenu()) {
        QMenu* menu = menuBar()->addMenu(top.caption);
        menu->setObjectName(top.name);
        addItems(menu, top.items, this);
    }
}

void Principal::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar->setIconSize(QSize(32, 32));
    m_toolbar->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    for (const ToolButton& button : consoleToolbar()) {
        if (button.action == ToolButton::Action::Separator) {
            m_toolbar->addSeparator();
            continue;
        }
        QAction* action = m_toolbar->addAction(QIcon(button.image), button.text);
        action->setObjectName(button.name);
        action->setToolTip(button.text);
        if (button.action == ToolButton::Action::Quit) {
            connect(action, &QAction::triggered, this, &Principal::sair);
        } else {
            const ConsoleScreen screen = button.opens;
            connect(action, &QAction::triggered, this, [this, screen] { open(screen); });
        }
    }
}

void Principal::buildLogo()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->setAutoFillBackground(true);
    QPalette palette = m_client->palette();
    palette.setColor(QPalette::Window, QColor(0x5a, 0x6e, 0x80));
    m_client->setPalette(palette);
    setCentralWidget(m_client);

    m_frame = new QFrame(m_client);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setFrameShape(QFrame::NoFrame);
    auto* image = new QLabel(m_frame);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(QPixmap(QStringLiteral(":/console/logo.png")));
    auto* layout = new QVBoxLayout(m_frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(image);
    m_frame->adjustSize();
    // The frame keeps its size; only its place follows the window.
    m_frame->setFixedSize(m_frame->size());
    m_client->installEventFilter(this);
    centreLogo();
}

void Principal::centreLogo()
{
    // Centred even when the window is smaller than the frame: the frame
    // then reaches past the edges on every side alike.
    m_frame->move(m_client->width() / 2 - m_frame->width() / 2, m_client->height() / 2 - m_frame->height() / 2);
}

bool Principal::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        centreLogo();
    return QMainWindow::eventFilter(watched, event);
}

void Principal::open(ConsoleScreen screen)
{
    if (screen == ConsoleScreen::Migration) {
        migracao();
        return;
    }
    m_screens.open(screen);
}

void Principal::migracao()
{
    // The password is typed masked; a cancelled prompt counts as empty.
    const QString typed = QInputDialog::getText(this, consoletext::senhaPrompt, consoletext::senhaPrompt,
                                                QLineEdit::Password);
    if (typed == migrationPassword) {
        m_screens.open(ConsoleScreen::Migration);
        return;
    }
    m_messages.plain(consoletext::senhaInvalida);
}

void Principal::sair()
{
    // Ends the event loop at once: the open screens are not asked to close
    // (nothing is recorded half-way; a sale in progress was never stored).
    QCoreApplication::exit(0);
}
