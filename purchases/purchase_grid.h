#pragma once

#include <QString>

class ListModel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QWidget;

// The grids of the purchase screens, set up as the list screens' are.
namespace purchase_grid {

// A read-only grid named `name` over `model`: whole rows, one at a time,
// each column as wide as its twips (0 hides it), tall enough to show the
// model's minimum rows without scrolling.
QTableView* make(const QString& name, ListModel* model, QWidget* parent);
// The grid row current now (-1 when none).
int currentRow(const QTableView* grid);
// After a fill: `row` current and selected, held within the rows found (the
// first body row when `row` is -1 or nothing was found).
void showRow(QTableView* grid, int row);

// A field the screen fills and the operator only reads: not editable, out of
// the tab chain, on the window's own background, its text in full black
// (a disabled field's grey is hard to read).
void showOnly(QLineEdit* field);
void showOnly(QPlainTextEdit* field);

} // namespace purchase_grid
