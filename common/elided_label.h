#pragma once

#include <QLabel>

// A one-line label that gives up room to its neighbours: when its text does
// not fit, the middle gives way to "…" (a long database path keeps its
// server and its file name) and the whole text shows as the tool tip.
// text() stays the whole text.
class ElidedLabel final : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    // The text as it is painted now.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
