#pragma once

#include "common/messages.h"

#include <QPointer>
#include <QWidget>

// The messages of one screen: they pass to `inner` as they are, and every box
// they show has `screen` as its owner (once it is on the display), whichever
// window is active at that moment. Screens hand this to their logic.
class ScreenMessages final : public Messages
{
public:
    ScreenMessages(Messages& inner, QWidget* screen) : m_inner(inner), m_screen(screen) {}
    void info(const QString& text) override;
    bool question(const QString& text) override;
    bool questionDefaultNo(const QString& text) override;
    void plain(const QString& text) override;

private:
    Messages& m_inner;
    QPointer<QWidget> m_screen;
};
