#include "registers/list_screen_widget.h"

#include "common/grid_cursor.h"
#include "common/key_conventions.h"
#include "common/window_placement.h"
#include "registers/list_delegate.h"
#include "registers/register_form_widget.h"
#include "registers/screen_parts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

ListScreenWidget::ListScreenWidget(std::unique_ptr<ListScreen> list, Messages& messages,
                                   const QString& caption, const QString& title, QWidget* parent)
    : QDialog(parent)
    , m_list(std::move(list))
    , m_messages(messages)
{
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    m_header = screenparts::headerBand(title, this);
    m_procurar = screenparts::button(QStringLiteral("Command3"), QStringLiteral("&Procurar"), this);
    m_detalhes = screenparts::button(QStringLiteral("Command4"), QStringLiteral("&Detalhes"), this);
    m_sair = screenparts::button(QStringLiteral("Command2"), QStringLiteral("&Sair"), this);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("Grid1"));
    m_grid->setModel(&m_list->model());
    m_grid->setItemDelegate(new ListDelegate(m_grid));
    m_grid->setShowGrid(false);   // the delegate draws it
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setTabKeyNavigation(false);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setStretchLastSection(false);
    int width = 0;
    int widestText = -1;
    const QList<ListColumn>& columns = m_list->model().columns();
    for (int i = 0; i < columns.size(); ++i) {
        const int pixels = screenparts::pixels(columns.at(i).twips);
        m_grid->setColumnWidth(i, pixels);
        m_grid->setColumnHidden(i, pixels == 0);
        width += pixels;
        if (columns.at(i).alignment & Qt::AlignLeft
            && (widestText < 0 || columns.at(i).twips > columns.at(widestText).twips))
            widestText = i;
    }
    // The widest text column (the name) takes whatever room the window gives.
    if (widestText >= 0)
        m_grid->horizontalHeader()->setSectionResizeMode(widestText, QHeaderView::Stretch);
    const int rowHeight = m_grid->verticalHeader()->defaultSectionSize();
    m_grid->setMinimumWidth(width + 2 * m_grid->frameWidth() + 20);
    m_grid->setMinimumHeight(rowHeight * m_list->model().rowCount()
                             + m_grid->horizontalHeader()->sizeHint().height() + 2 * m_grid->frameWidth());

    m_cursor = new GridCursor(m_grid, [this] { return m_list->model().foundCount(); });
    connect(&m_list->model(), &QAbstractItemModel::modelReset, this, &ListScreenWidget::fitColumns);

    connect(m_procurar, &QPushButton::clicked, this, &ListScreenWidget::procurar);
    connect(m_detalhes, &QPushButton::clicked, this, &ListScreenWidget::detalhes);
    connect(m_sair, &QPushButton::clicked, this, &QDialog::close);
    connect(m_grid, &QTableView::doubleClicked, this, &ListScreenWidget::detalhes);

    m_keys = new KeyConventions(this, {.arrowsMove = false, .blockApostrophe = true});
    m_keys->setCancelButton(m_sair);
    m_keys->setKeyHandler([this](QKeyEvent* event, QWidget* field) {
        if (event->key() == Qt::Key_F5 && event->modifiers() == Qt::NoModifier && !m_procurar->isHidden()) {
            m_procurar->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (event->key() == Qt::Key_Delete && field == m_grid && m_deleteKey) {
            excluir();
            return true;
        }
        return false;
    });
}

ListScreenWidget::~ListScreenWidget()
{
    // No key or focus event may reach the list while its widgets go.
    delete m_keys;
    // The grid goes with the widgets; the model with the logic after it.
    m_grid->setModel(nullptr);
}

QLineEdit* ListScreenWidget::filterEdit(const QString& name)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    connect(e, &QLineEdit::textChanged, this, [this] { m_list->reset(); });
    return e;
}

QComboBox* ListScreenWidget::filterList(const QString& name, const QStringList& items)
{
    auto* c = new QComboBox(this);
    c->setObjectName(name);
    c->addItems(items);
    connect(c, &QComboBox::currentIndexChanged, this, [this] { m_list->reset(); });
    return c;
}

QGridLayout* ListScreenWidget::captionedFilters(const QList<std::pair<QString, QWidget*>>& filters)
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    for (int column = 0; column < filters.size(); ++column) {
        grid->addWidget(new QLabel(filters.at(column).first, this), 0, column);
        grid->addWidget(filters.at(column).second, 1, column);
    }
    return grid;
}

void ListScreenWidget::setContent(QLayout* filters)
{
    auto* top = new QHBoxLayout;
    if (filters)
        top->addLayout(filters, 1);
    else
        top->addStretch();
    top->addWidget(m_procurar, 0, Qt::AlignBottom);
    m_procurar->setVisible(filters != nullptr);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_detalhes);
    if (m_excluir)
        buttons->addWidget(m_excluir);
    buttons->addWidget(m_sair);

    auto* inner = new QVBoxLayout;
    inner->setContentsMargins(16, 12, 16, 12);
    inner->setSpacing(10);
    inner->addLayout(top);
    inner->addWidget(m_grid, 1);
    inner->addLayout(buttons);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(m_header);
    outer->addLayout(inner);

    if (m_filledOnOpening)
        procurar();
    else
        m_list->reset();
    adjustSize();
    centraliza_form(this);
}

void ListScreenWidget::fitColumns()
{
    // The first rows found decide (a few screens of them, so that a fill of
    // thousands stays as quick as its fetch).
    const ListModel& model = m_list->model();
    const int rows = std::min(model.foundCount(), 200);
    const QFontMetrics metrics = m_grid->fontMetrics();
    const int margins = 2 * (m_grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_grid) + 1) + 8;
    QHeaderView* header = m_grid->horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        if (m_grid->isColumnHidden(column) || header->sectionResizeMode(column) == QHeaderView::Stretch)
            continue;
        // Only the longest texts can be the widest: measuring every cell of
        // a short list cost as much as fetching it.
        int longest = 0;
        for (int row = 0; row < rows; ++row)
            longest = std::max(longest, int(model.cell(row, column).size()));
        int needed = header->sectionSizeHint(column);
        int measured = 0;
        for (int row = 0; row < rows && measured < 8; ++row) {
            const QString cell = model.cell(row, column);
            if (cell.size() + 2 < longest)
                continue;
            needed = std::max(needed, metrics.horizontalAdvance(cell) + margins);
            ++measured;
        }
        if (needed > m_grid->columnWidth(column))
            m_grid->setColumnWidth(column, needed);
    }
}

void ListScreenWidget::procurar()
{
    pullFilters();
    m_list->search();
}

int ListScreenWidget::selectedRow() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? current.row() : -1;
}

int ListScreenWidget::rowOf(qint32 code) const
{
    for (int row = 0; row < m_list->model().foundCount(); ++row)
        if (m_list->codeAt(row) == code)
            return row;
    return -1;
}

void ListScreenWidget::detalhes()
{
    const std::optional<qint32> code = m_list->codeAt(selectedRow());
    if (!code)
        return;
    if (QWidget* open = openRegister(*code)) {
        open->raise();
        open->activateWindow();
        return;
    }
    openDetails(*code);
    if (!m_refillAfterDetails)
        return;
    m_cursor->refillKeeping([this, c = *code] { return rowOf(c); }, selectedRow(), [this] { procurar(); });
}

void ListScreenWidget::excluir()
{
    const int row = selectedRow();
    m_cursor->refillKeeping(row, [this, row] { m_list->remove(row); });
}

QWidget* ListScreenWidget::openRegister(qint32 code) const
{
    const QPointer<QWidget> form = m_registers.value(code);
    return form && form->isVisible() ? form.data() : nullptr;
}

void ListScreenWidget::setFilterChain(const QList<QWidget*>& filters)
{
    setFilterChain(filters, {});
}

void ListScreenWidget::setFilterChain(const QList<QWidget*>& filters, const QList<QWidget*>& last)
{
    QList<QWidget*> chain = filters + QList<QWidget*>{m_procurar, m_grid, m_detalhes};
    if (m_excluir)
        chain << m_excluir;
    setTabChain(chain << m_sair << last);
    if (!filters.isEmpty())
        filters.first()->setFocus(Qt::OtherFocusReason);
    else
        m_grid->setFocus(Qt::OtherFocusReason);
}

QPushButton* ListScreenWidget::addDeleteButton(const QString& name, const QString& caption)
{
    if (!m_excluir) {
        m_excluir = screenparts::button(name, caption, this);
        connect(m_excluir, &QPushButton::clicked, this, &ListScreenWidget::excluir);
    }
    return m_excluir;
}

void ListScreenWidget::showRegister(qint32 code, RegisterFormWidget* form, bool refillOnSave)
{
    // The list refills after the change with the changed row still current.
    if (refillOnSave) {
        connect(form, &RegisterFormWidget::saved, this, [this, code] {
            m_cursor->refillKeeping([this, code] { return rowOf(code); }, selectedRow(), [this] { procurar(); });
        });
    }
    m_registers.insert(code, form);
    form->show();
    // The register takes the keyboard: the operator opened it to type in it.
    form->raise();
    form->activateWindow();
}
