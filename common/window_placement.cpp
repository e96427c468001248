#include "common/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QScreen>
#include <QWidget>

namespace {

// Re-centres its frame after every resize of the frame's parent.
class CentringFilter final : public QObject
{
public:
    explicit CentringFilter(QWidget* frame) : QObject(frame), m_frame(frame) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && watched == m_frame->parentWidget())
            centreInParent(m_frame);
        return false;
    }

private:
    QWidget* m_frame;
};

} // namespace

void centraliza_form(QWidget* window)
{
    if (!window)
        return;
    QScreen* screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize outer = window->frameGeometry().size();
    window->move(area.x() + (area.width() - outer.width()) / 2,
                 area.y() + (area.height() - outer.height()) / 2);
}

void centreInParent(QWidget* frame)
{
    QWidget* parent = frame ? frame->parentWidget() : nullptr;
    if (!parent)
        return;
    const QRect inner = parent->contentsRect();
    const int left = inner.x() + qMax(0, (inner.width() - frame->width()) / 2);
    const int top = inner.y() + qMax(0, (inner.height() - frame->height()) / 2);
    frame->move(left, top);
}

void keepCentred(QWidget* frame)
{
    if (!frame || !frame->parentWidget())
        return;
    frame->parentWidget()->installEventFilter(new CentringFilter(frame));
    centreInParent(frame);
}
