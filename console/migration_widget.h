#pragma once

#include <QDialog>

class Messages;
class QCloseEvent;
class QLabel;
class QProgressBar;
class QPushButton;
struct TerminalSettings;

// FrmMigracao ("Form1"): one click on Command1 copies the sales of
// ANTIGO.fdb into the current database; Label1 and the progress bar show
// how far the copy is. While it runs the window repaints but neither a
// second click nor closing it is taken.
class FrmMigracao final : public QDialog
{
    Q_OBJECT

public:
    FrmMigracao(const TerminalSettings& settings, Messages& messages, QWidget* parent = nullptr);

    bool running() const { return m_running; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void start();
    void showProgress(qint64 copied, qint64 total);

    const TerminalSettings& m_settings;
    Messages& m_messages;
    QPushButton* m_command1 = nullptr;
    QLabel* m_label1 = nullptr;
    QProgressBar* m_progress = nullptr;
    bool m_running = false;
};
