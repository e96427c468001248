#pragma once

#include "app/screen_factories.h"

#include <QWidget>

// Stands where a screen of a later version will open: says which one, and
// closes with Escape or "Sair" like the screen it stands for.
class PlaceholderWindow final : public QWidget
{
    Q_OBJECT

public:
    // `screenName` is the real screen's name, e.g. "FrmVendas".
    PlaceholderWindow(const QString& screenName, const QString& description, QWidget* parent = nullptr);

    QString text() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_text;
};

ScreenFactory placeholderFactory(const QString& screenName, const QString& description);
