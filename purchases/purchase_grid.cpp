#include "purchases/purchase_grid.h"

#include "registers/list_screen_model.h"
#include "registers/screen_parts.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTableView>

#include <algorithm>

namespace purchase_grid {

QTableView* make(const QString& name, ListModel* model, QWidget* parent)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setStretchLastSection(false);
    int width = 0;
    int widestText = -1;
    const QList<ListColumn>& columns = model->columns();
    for (int i = 0; i < columns.size(); ++i) {
        const int pixels = screenparts::pixels(columns.at(i).twips);
        grid->setColumnWidth(i, pixels);
        grid->setColumnHidden(i, pixels == 0);
        width += pixels;
        if (pixels > 0 && columns.at(i).alignment & Qt::AlignLeft
            && (widestText < 0 || columns.at(i).twips > columns.at(widestText).twips))
            widestText = i;
    }
    // The name column takes whatever room the window gives.
    if (widestText >= 0)
        grid->horizontalHeader()->setSectionResizeMode(widestText, QHeaderView::Stretch);
    grid->setMinimumWidth(width + 2 * grid->frameWidth() + 20);
    grid->setMinimumHeight(grid->verticalHeader()->defaultSectionSize() * model->rowCount()
                           + grid->horizontalHeader()->sizeHint().height() + 2 * grid->frameWidth());
    return grid;
}

int currentRow(const QTableView* grid)
{
    const QModelIndex current = grid->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void showRow(QTableView* grid, int row)
{
    auto* model = static_cast<ListModel*>(grid->model());
    const int found = model->foundCount();
    const int target = found == 0 || row < 0 ? 0 : std::min(row, found - 1);
    if (target >= model->rowCount())
        return;
    // The first visible column: column 0 may be a hidden code.
    int column = 0;
    while (column < model->columnCount() - 1 && grid->isColumnHidden(column))
        ++column;
    const QModelIndex index = model->index(target, column);
    grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid->scrollTo(index);
}

namespace {

template <typename Field>
void readOnlyLook(Field* field)
{
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
}

} // namespace

void showOnly(QLineEdit* field)
{
    readOnlyLook(field);
}

void showOnly(QPlainTextEdit* field)
{
    readOnlyLook(field);
}

} // namespace purchase_grid
