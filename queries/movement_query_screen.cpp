#include "queries/movement_query_screen.h"

#include "common/grid_cursor.h"
#include "common/key_conventions.h"
#include "common/terminal_settings.h"
#include "common/window_placement.h"
#include "registers/screen_parts.h"

#include <QAction>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int RowHeight = 18;

QLabel* label(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

QLineEdit* readOnlyField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setAlignment(Qt::AlignRight);
    field->setFixedWidth(120);
    return field;
}

void setUpGrid(QTableView* grid, MovementModel& model)
{
    grid->setModel(&model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    int width = 0;
    const QList<GridColumn>& columns = model.list().columns;
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].pixels() == 0) {
            grid->setColumnHidden(i, true);
        } else {
            grid->setColumnWidth(i, columns[i].pixels());
            width += columns[i].pixels();
        }
    }
    // Room for every column and the fifteen body rows the grid always shows.
    const int frame = 2 * grid->frameWidth();
    grid->setFixedSize(width + frame + grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                       grid->horizontalHeader()->sizeHint().height()
                           + MovementModel::MinimumBodyRows * RowHeight + frame);
}

} // namespace

MovementQueryScreen::MovementQueryScreen(const MovementKind& kind, const TerminalSettings& settings,
                                         Messages& messages, QWidget* parent,
                                         std::function<QDateTime()> now)
    : QWidget(parent, Qt::Window)
    , m_boxes(messages, this)
    , m_query(kind, settings, m_boxes)
{
    setObjectName(kind.objectName);
    setWindowTitle(QStringLiteral("Consulta"));

    // The band every management screen shows, the title as its control name.
    QWidget* header = screenparts::headerBand(kind.title, this, QStringLiteral("Label16"));

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    QAction* search = toolbar->addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView),
                                         QStringLiteral("Pesquisar"));
    search->setToolTip(QStringLiteral("Fazer pesquisa ( F5 )"));
    connect(toolbar, &QToolBar::actionTriggered, this, [this] { pesquisa(); });

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->addTab(buildTab(m_grid1, "Grid1", m_query.validas(), m_text3, "Text3", m_text4, "Text4"),
                   kind.activeTab);
    m_tabs->addTab(buildTab(m_grid2, "Grid2", m_query.excluidas(), m_text1, "Text1", m_text2, "Text2"),
                   kind.cancelledTab);

    auto* sair = new QPushButton(QStringLiteral("&Sair"), this);
    sair->setObjectName(QStringLiteral("Command2"));
    sair->setAutoDefault(false);
    connect(sair, &QPushButton::clicked, this, &QWidget::close);

    auto* top = new QHBoxLayout;
    top->addWidget(buildPeriod());
    top->addWidget(toolbar, 0, Qt::AlignBottom);
    top->addStretch();

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(sair);

    auto* inner = new QVBoxLayout;
    inner->setContentsMargins(16, 12, 16, 12);
    inner->addLayout(top);
    inner->addWidget(m_tabs);
    inner->addLayout(bottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addLayout(inner);

    m_cursor1 = new GridCursor(m_grid1, [this] { return m_query.validas().count(); });
    new GridCursor(m_grid2, [this] { return m_query.excluidas().count(); });
    connect(m_tabs, &QTabWidget::currentChanged, this, &MovementQueryScreen::focusGrid);

    connect(m_grid1, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { m_query.marca(index.row()); });
    auto* keys = new KeyConventions(this);
    keys->setCancelButton(sair);
    keys->setKeyHandler([this](QKeyEvent* event, QWidget* field) { return screenKey(event->key(), field); });

    connect(&m_query, &MovementQuery::changed, this, &MovementQueryScreen::showTotals);
    connect(&m_query, &MovementQuery::periodChanged, this, &MovementQueryScreen::showPeriod);
    for (QDateEdit* picker : {m_dataInicial, m_dataFinal})
        connect(picker, &QDateEdit::dateChanged, this, &MovementQueryScreen::takePeriod);
    for (QTimeEdit* picker : {m_horaInicial, m_horaFinal})
        connect(picker, &QTimeEdit::timeChanged, this, &MovementQueryScreen::takePeriod);

    setFixedSize(sizeHint());
    centraliza_form(this);
    move(x(), y() - 50 / 15);   // a little above the centre

    m_query.setClock(std::move(now));
    m_query.load();
}

QWidget* MovementQueryScreen::buildPeriod()
{
    auto* frame = new QGroupBox(QStringLiteral("Período"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto datePicker = [frame](const char* name) {
        auto* picker = new QDateEdit(frame);
        picker->setObjectName(QString::fromLatin1(name));
        picker->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        picker->setCalendarPopup(true);
        return picker;
    };
    auto timePicker = [frame](const char* name) {
        auto* picker = new QTimeEdit(frame);
        picker->setObjectName(QString::fromLatin1(name));
        picker->setDisplayFormat(QStringLiteral("HH:mm"));
        return picker;
    };
    m_dataInicial = datePicker("DTPicker2");
    m_horaInicial = timePicker("DTPicker1");
    m_dataFinal = datePicker("DTPicker4");
    m_horaFinal = timePicker("DTPicker3");

    auto* grid = new QGridLayout(frame);
    grid->addWidget(label(QStringLiteral("Data inicial"), frame), 0, 0);
    grid->addWidget(m_dataInicial, 0, 1);
    grid->addWidget(label(QStringLiteral("hora inicial"), frame), 0, 2);
    grid->addWidget(m_horaInicial, 0, 3);
    grid->addWidget(label(QStringLiteral("Data final"), frame), 1, 0);
    grid->addWidget(m_dataFinal, 1, 1);
    grid->addWidget(label(QStringLiteral("hora final"), frame), 1, 2);
    grid->addWidget(m_horaFinal, 1, 3);
    return frame;
}

QWidget* MovementQueryScreen::buildTab(QTableView*& grid, const char* gridName, MovementModel& model,
                                       QLineEdit*& qtde, const char* qtdeName,
                                       QLineEdit*& total, const char* totalName)
{
    auto* page = new QWidget(this);
    grid = new QTableView(page);
    grid->setObjectName(QString::fromLatin1(gridName));
    setUpGrid(grid, model);
    qtde = readOnlyField(qtdeName, page);
    total = readOnlyField(totalName, page);

    auto* totals = new QHBoxLayout;
    totals->addStretch();
    totals->addWidget(label(QStringLiteral("Qtde"), page));
    totals->addWidget(qtde);
    totals->addSpacing(12);
    totals->addWidget(label(QStringLiteral("Total"), page));
    totals->addWidget(total);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(grid);
    layout->addLayout(totals);
    return page;
}

void MovementQueryScreen::pesquisa()
{
    focusGrid();
    m_query.pesquisa();
}

void MovementQueryScreen::focusGrid()
{
    // Before the window shows, its first showing does this.
    if (isVisible())
        (m_tabs->currentIndex() == 0 ? m_grid1 : m_grid2)->setFocus(Qt::OtherFocusReason);
}

void MovementQueryScreen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        focusGrid();
    }
}

bool MovementQueryScreen::screenKey(int key, QWidget* field)
{
    if (key == Qt::Key_F5) {
        pesquisa();
        return true;
    }
    if (field == m_grid1 && key == Qt::Key_Space) {
        m_query.marca(currentRow());
        return true;
    }
    if (field == m_grid1 && key == Qt::Key_Delete) {
        // The lists come back with the operator's row still current.
        const int row = currentRow();
        m_cursor1->refillKeeping(row, [this, row] { m_query.cancela_marcados(row); });
        return true;
    }
    return false;
}

void MovementQueryScreen::showPeriod()
{
    m_showing = true;
    m_dataInicial->setDate(m_query.dataInicial());
    m_horaInicial->setTime(m_query.horaInicial());
    m_dataFinal->setDate(m_query.dataFinal());
    m_horaFinal->setTime(m_query.horaFinal());
    m_showing = false;
}

void MovementQueryScreen::showTotals()
{
    m_text3->setText(m_query.qtdeValidas());
    m_text4->setText(m_query.totalValidas());
    m_text1->setText(m_query.qtdeExcluidas());
    m_text2->setText(m_query.totalExcluidas());
}

void MovementQueryScreen::takePeriod()
{
    if (m_showing)
        return;
    m_query.setDataInicial(m_dataInicial->date());
    m_query.setHoraInicial(m_horaInicial->time());
    m_query.setDataFinal(m_dataFinal->date());
    m_query.setHoraFinal(m_horaFinal->time());
}

int MovementQueryScreen::currentRow() const
{
    const QModelIndex index = m_grid1->currentIndex();
    return index.isValid() ? index.row() : -1;
}

ConsultaVenda::ConsultaVenda(const TerminalSettings& settings, Messages& messages, QWidget* parent,
                             std::function<QDateTime()> now)
    : MovementQueryScreen(saleMovements(), settings, messages, parent, std::move(now))
{
}

ConsultaEntrada::ConsultaEntrada(const TerminalSettings& settings, Messages& messages,
                                 QWidget* parent, std::function<QDateTime()> now)
    : MovementQueryScreen(entryMovements(), settings, messages, parent, std::move(now))
{
}
