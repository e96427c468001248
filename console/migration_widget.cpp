#include "console/migration_widget.h"

#include "common/br_format.h"
#include "common/terminal_settings.h"
#include "common/window_placement.h"
#include "console/migration.h"
#include "db/connection.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Repaints at most this often: each one costs the copy a little.
constexpr qint64 RepaintMilliseconds = 50;

QString count(qint64 value)
{
    return br::number(Money::fromWhole(value), 0);
}

} // namespace

FrmMigracao::FrmMigracao(const TerminalSettings& settings, Messages& messages, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("FrmMigracao"));
    setWindowTitle(QStringLiteral("Form1"));

    m_command1 = new QPushButton(QStringLiteral("Command1"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setAutoDefault(false);
    m_command1->setMinimumWidth(120);
    m_label1 = new QLabel(QStringLiteral("Label1"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    connect(m_command1, &QPushButton::clicked, this, &FrmMigracao::start);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addWidget(m_command1, 0, Qt::AlignLeft);
    layout->addWidget(m_label1);
    layout->addWidget(m_progress);
    setFixedSize(420, sizeHint().height());
    centraliza_form(this);
}

void FrmMigracao::reject()
{
    if (!m_running)
        QDialog::reject();
}

void FrmMigracao::closeEvent(QCloseEvent* event)
{
    if (m_running) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void FrmMigracao::showProgress(qint64 copied, qint64 total)
{
    m_label1->setText(QStringLiteral("%1 de %2 vendas copiadas").arg(count(copied), count(total)));
    // The bar counts in thousandths: a range of millions of sales may not
    // fit in its int.
    m_progress->setRange(0, 1000);
    m_progress->setValue(total > 0 ? int(copied * 1000 / total) : 1000);
}

void FrmMigracao::start()
{
    if (m_running || !m_settings.conexao)
        return;
    m_running = true;
    m_command1->setEnabled(false);

    Migration migration(*m_settings.conexao, m_messages, Migration::oldDatabasePath(m_settings.dataDir));
    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    migration.setProgress([this, &sinceRepaint](qint64 copied, qint64 total) {
        const bool last = copied >= total;
        if (!last && copied > 0 && sinceRepaint.elapsed() < RepaintMilliseconds)
            return;
        showProgress(copied, total);
        // The copy runs in this handler: let the window repaint between
        // pages. Clicks and close requests meanwhile are refused above.
        QCoreApplication::processEvents();
        sinceRepaint.restart();
    });
    const bool done = migration.run();
    if (!done)
        m_label1->setText(QStringLiteral("Nenhuma venda foi alterada."));
    m_running = false;
    m_command1->setEnabled(true);
}
