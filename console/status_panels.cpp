#include "console/status_panels.h"

#include "common/br_format.h"
#include "common/terminal_settings.h"
#include "console/console_texts.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

namespace {

// Often enough that a lock key pressed shows at once to the eye; reading
// them is one round trip to the display.
constexpr int refreshMs = 300;

QLabel* makePanel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::StyledPanel);
    label->setContentsMargins(6, 0, 6, 0);
    return label;
}

} // namespace

StatusPanels::StatusPanels(std::unique_ptr<LockKeys> lockKeys, Clock clock, QWidget* parent)
    : QStatusBar(parent)
    , m_lockKeys(std::move(lockKeys))
    , m_clock(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); }))
{
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(false);

    auto* version = makePanel("panelVersion", consoletext::versao + programVersion(), this);
    version->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_panels = {
        version,
        makePanel("panelDate", QString(), this),
        makePanel("panelTime", QString(), this),
        makePanel("panelCaps", consoletext::caps, this),
        makePanel("panelNum", consoletext::num, this),
        makePanel("panelScroll", consoletext::scrl, this),
    };
    // The version takes the room left; the others are as wide as their
    // longest text, so they never jump as the time ticks.
    addWidget(version, 1);
    const QFontMetrics metrics(font());
    const int pad = 24;
    m_panels[1]->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("00/00/0000")) + pad);
    m_panels[2]->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("00:00")) + pad);
    for (int i = 3; i < 6; ++i)
        m_panels[i]->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("SCRL")) + pad);
    for (int i = 1; i < 6; ++i)
        addPermanentWidget(m_panels[i]);

    m_timer = new QTimer(this);
    m_timer->setInterval(refreshMs);
    connect(m_timer, &QTimer::timeout, this, &StatusPanels::refresh);
    m_timer->start();
    refresh();
}

StatusPanels::~StatusPanels() = default;

QLabel* StatusPanels::panel(int index) const
{
    return index >= 1 && index <= m_panels.size() ? m_panels[index - 1] : nullptr;
}

void StatusPanels::refresh()
{
    const QDateTime now = m_clock();
    m_panels[1]->setText(br::date(now.date()));
    m_panels[2]->setText(br::time(now.time()));
    const std::optional<LockKeys::State> locks = m_lockKeys ? m_lockKeys->read() : std::nullopt;
    showLock(m_panels[3], locks ? std::optional<bool>(locks->caps) : std::nullopt);
    showLock(m_panels[4], locks ? std::optional<bool>(locks->num) : std::nullopt);
    showLock(m_panels[5], locks ? std::optional<bool>(locks->scroll) : std::nullopt);
}

void StatusPanels::showLock(QLabel* panel, std::optional<bool> on)
{
    // Dimmed when off, as keyboards' own lights go dark; plain when unknown.
    panel->setEnabled(!on.has_value() || *on);
    panel->setProperty("lockState", on.has_value() ? QVariant(*on) : QVariant());
}
