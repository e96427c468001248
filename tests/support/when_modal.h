#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `act` on the next modal window as soon as it shows (the caller then
// blocks in that window's own event loop).
inline void whenModal(std::function<void(QWidget*)> act, QWidget* notThis = nullptr)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act = std::move(act), notThis] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == notThis || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}
