#include "registers/lookup_dialog.h"

#include "common/db_errors.h"
#include "common/grid_cursor.h"
#include "common/key_conventions.h"
#include "common/window_placement.h"
#include "registers/lookup_dialog_model.h"
#include "registers/screen_parts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Sizes of the grid's columns, in pixels at 96 dpi (2000 and 6900 twips).
constexpr int CodeColumnWidth = 2000 / 15;
constexpr int NameColumnWidth = 6900 / 15;

} // namespace

FrmConsulta::FrmConsulta(Connection& conexao, Messages& messages, const QString& cTipoConsula,
                         QWidget* parent)
    : QDialog(parent)
    , m_search(conexao, cTipoConsula)
    , m_messages(messages, this)
{
    setObjectName(QStringLiteral("FrmConsulta"));
    build();
    setWindowTitle(m_search.caption());
    m_header->setText(m_search.caption());
    procurar();
}

FrmConsulta::~FrmConsulta() = default;

qint32 FrmConsulta::consulta(Connection& conexao, Messages& messages, const QString& cTipoConsula,
                             QWidget* parent)
{
    FrmConsulta dialog(conexao, messages, cTipoConsula, parent);
    dialog.exec();
    return dialog.codigo_consulta();
}

void FrmConsulta::build()
{
    // The band of every management screen; the caption goes in once the kind is known.
    QWidget* band = screenparts::headerBand(QString(), this);
    m_header = band->findChild<QLabel*>(QStringLiteral("title"));

    auto* instruction = new QLabel(
        QStringLiteral("Entre com as inciais da palavra no campo abaixo e clique em procurar"), this);

    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setMaxLength(60);

    m_command1 = new QPushButton(QStringLiteral("Procurar"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setAutoDefault(false);

    m_model = new LookupModel(this);
    m_grid1 = new QTableView(this);
    m_grid1->setObjectName(QStringLiteral("Grid1"));
    m_grid1->setModel(m_model);
    m_grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid1->setTabKeyNavigation(false);
    m_grid1->verticalHeader()->hide();
    m_grid1->verticalHeader()->setDefaultSectionSize(22);
    m_grid1->horizontalHeader()->setHighlightSections(false);
    m_grid1->setColumnWidth(0, CodeColumnWidth);
    m_grid1->setColumnWidth(1, NameColumnWidth);
    m_grid1->horizontalHeader()->setStretchLastSection(true);
    m_grid1->setMinimumHeight(18 * 22 + 4);
    m_grid1->setMinimumWidth(CodeColumnWidth + NameColumnWidth + 24);
    new GridCursor(m_grid1, [this] { return m_model->foundRows(); });

    m_cmdOk = new QPushButton(QStringLiteral("&Aceitar"), this);
    m_cmdOk->setObjectName(QStringLiteral("CmdOk"));
    m_cmdOk->setAutoDefault(false);
    m_cmdSair = new QPushButton(QStringLiteral("&Sair"), this);
    m_cmdSair->setObjectName(QStringLiteral("CmdSair"));
    m_cmdSair->setAutoDefault(false);

    m_check1 = new QCheckBox(QStringLiteral("Mostrar somente ativos"), this);
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check1->setChecked(true);

    auto* search = new QHBoxLayout;
    search->addWidget(m_text1, 1);
    search->addWidget(m_command1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_check1);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdSair);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 8, 12, 12);
    body->addWidget(instruction);
    body->addLayout(search);
    body->addWidget(m_grid1, 1);
    body->addLayout(buttons);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(band);
    outer->addLayout(body, 1);

    // The grid stands between "Procurar" and "Aceitar" so a keyboard user can
    // choose a row with the arrows.
    setTabChain({m_text1, m_command1, m_grid1, m_cmdOk, m_cmdSair, m_check1});

    connect(m_command1, &QPushButton::clicked, this, &FrmConsulta::procurar);
    connect(m_check1, &QCheckBox::toggled, this, [this](bool on) {
        m_search.setOnlyActive(on);
        procurar();
    });
    connect(m_cmdOk, &QPushButton::clicked, this, &FrmConsulta::aceitar);
    connect(m_grid1, &QTableView::doubleClicked, this, [this](const QModelIndex&) { aceitar(); });
    connect(m_cmdSair, &QPushButton::clicked, this, &QDialog::reject);

    KeyConventions::Options options;
    options.blockApostrophe = true;
    auto* keys = new KeyConventions(this, options);
    keys->setCancelButton(m_cmdSair);
    // Here Enter only moves on: it neither searches nor picks.
    for (QPushButton* button : {m_command1, m_cmdOk, m_cmdSair})
        keys->setEnterAction(button, [] { return true; });
}

void FrmConsulta::procurar()
{
    m_command1->setEnabled(false);
    m_search.setFilter(m_text1->text());
    m_search.setOnlyActive(m_check1->isChecked());
    const auto done = m_search.search();
    m_model->setRows(m_search.rows());
    m_command1->setEnabled(true);
    if (!done)
        trata_erro_banco(m_messages, done.failure());
}

void FrmConsulta::aceitar()
{
    const QModelIndex current = m_grid1->currentIndex();
    if (!current.isValid() || !m_search.pick(current.row()))
        return;
    accept();
}

void FrmConsulta::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        centraliza_form(this);
    }
}
