#pragma once

#include <QString>

// What the program shows while a database call takes longer than a moment
// (a record held by another workstation, a server that stopped answering).
// db/ knows no widgets: the program hands the connection an implementation
// (common/wait_box.h); without one a call just waits.
class Waiting
{
public:
    virtual ~Waiting() = default;
    // The wait began, or what it waits for changed: show `text`.
    virtual void show(const QString& text) = 0;
    // Called every few dozen milliseconds while the wait lasts: the windows
    // repaint, and the operator's keys and clicks go nowhere.
    virtual void pump() = 0;
    // The call ended, however it ended.
    virtual void hide() = 0;
};
