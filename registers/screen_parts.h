#pragma once

#include <QList>
#include <QString>

#include <utility>

class QGridLayout;
class QLabel;
class QPushButton;
class QWidget;

// Pieces every register and list screen shows the same way.
namespace screenparts {

// The band across the top with the screen's title in large bold type; the
// title label is named `titleName` (a screen whose title has a control name).
QWidget* headerBand(const QString& title, QWidget* parent, const QString& titleName = QStringLiteral("title"));
// A field's label, its mnemonic-free caption right-aligned.
QLabel* label(const QString& text, QWidget* parent);
// A push button with its control name.
QPushButton* button(const QString& name, const QString& caption, QWidget* parent);
// A grid spaced as every register's fields are (the layout of `page` when given).
QGridLayout* fieldGrid(QWidget* page = nullptr);
// Fields one under the other, each with its label on its left; the fields
// take the width.
QGridLayout* labelledRows(const QList<std::pair<QString, QWidget*>>& rows, QWidget* parent);
// Widths in twips (15 to a pixel at 96 dpi) as pixels.
int pixels(int twips);

} // namespace screenparts
