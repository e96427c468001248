#pragma once

#include "db/waiting.h"

#include <QDialog>
#include <QPointer>

class QDialog;
class QLabel;

// The waiting indication of the database calls: an application-modal box
// titled "Vorinda" with what the call waits for. While it shows, the
// windows repaint and the operator's keys and clicks go nowhere, so nothing
// re-enters a screen in the middle of its own statement. It has no button:
// the connection itself gives the call up after its limit.
class WaitBox final : public Waiting
{
public:
    WaitBox();
    ~WaitBox() override;

    void show(const QString& text) override;
    void pump() override;
    void hide() override;

    // The box while it shows (tests look at it).
    QDialog* dialog() const { return m_dialog; }

private:
    QPointer<QDialog> m_dialog;
    QLabel* m_text = nullptr;
};
