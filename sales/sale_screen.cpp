#include "sales/sale_screen.h"

#include "common/elided_label.h"
#include "common/form_checks.h"
#include "common/key_conventions.h"
#include "common/messages.h"
#include "common/navigation.h"
#include "common/print_routes.h"
#include "common/support_log.h"
#include "common/terminal_settings.h"
#include "common/window_placement.h"
#include "registers/lookup_dialog.h"
#include "sales/counter_style.h"
#include "sales/payment_screen.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The grid's visible columns keep the proportions of 3500 and 1300 twips,
// doubled for the counter's large type.
constexpr int DescriptionWidth = 3500 * 2 / 15;
constexpr int NumberWidth = 1300 * 2 / 15;

enum Column { Codigo = 0, Descricao, Quantidade, Unitario, Subtotal, Interno, ColumnCount };

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return label;
}

QLineEdit* field(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

FrmVendas::FrmVendas(const TerminalSettings& settings, Messages& messages, Navigation& navigation,
                     QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_settings(settings)
    , m_messages(messages)
    , m_boxes(messages, this)
    , m_navigation(navigation)
    , m_entry(settings, m_boxes)
{
    setObjectName(QStringLiteral("FrmVendas"));
    setWindowTitle(QStringLiteral("Vendas"));
    build();
    wireKeys();
    push();
    refreshGrid();
}

FrmVendas::~FrmVendas() = default;

void FrmVendas::build()
{
    counter_style::apply(this);

    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setFixedSize(counter_style::frameSize(QSize(1180, 760)));

    auto* title = new QLabel(QStringLiteral("Vendas"), m_frame);
    title->setObjectName(QStringLiteral("Label6"));

    m_text3 = field("Text3", m_frame);
    m_text3->setToolTip(QStringLiteral("Pressione F12 para consultar"));
    m_text3->setFixedWidth(190);
    m_text1 = field("Text1", m_frame);
    m_text1->setReadOnly(true);
    m_text1->setFocusPolicy(Qt::NoFocus);
    m_text4 = field("Text4", m_frame);
    m_text2 = field("Text2", m_frame);
    m_text5 = field("Text5", m_frame);
    m_text6 = field("Text6", m_frame);
    m_text6->setReadOnly(true);
    m_text7 = field("Text7", m_frame);
    m_text7->setReadOnly(true);
    m_text7->setFocusPolicy(Qt::NoFocus);
    m_text7->setAlignment(Qt::AlignRight);
    for (QLineEdit* edit : {m_text2, m_text5, m_text6})
        edit->setAlignment(Qt::AlignRight);
    for (QLineEdit* edit : {m_text3, m_text1, m_text2, m_text5, m_text6})
        markRequired(edit);
    m_text3->setMaxLength(18);
    m_text4->setMaxLength(40);
    m_text2->setMaxLength(20);
    m_text5->setMaxLength(24);

    m_check1 = new QCheckBox(QStringLiteral("Consumo interno"), m_frame);
    m_check1->setObjectName(QStringLiteral("Check1"));

    m_grid1 = new QTableWidget(0, ColumnCount, m_frame);
    m_grid1->setObjectName(QStringLiteral("Grid1"));
    m_grid1->horizontalHeader()->hide();
    m_grid1->verticalHeader()->hide();
    m_grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid1->setTabKeyNavigation(false);
    QFont fixed(QStringLiteral("DejaVu Sans Mono"));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setPointSize(counter_style::FieldPoints);
    m_grid1->setFont(fixed);
    m_grid1->verticalHeader()->setDefaultSectionSize(36);
    m_grid1->setColumnWidth(Descricao, DescriptionWidth);
    m_grid1->horizontalHeader()->setSectionResizeMode(Descricao, QHeaderView::Stretch);
    m_grid1->setColumnWidth(Quantidade, NumberWidth);
    m_grid1->setColumnWidth(Subtotal, NumberWidth);
    for (int hidden : {Codigo, Unitario, Interno})
        m_grid1->setColumnHidden(hidden, true);

    m_cmdOk = new QPushButton(QStringLiteral("&Sair"), m_frame);
    m_cmdOk->setObjectName(QStringLiteral("CmdOk"));
    m_cmdOk->setAutoDefault(false);

    auto* help = new QLabel(QStringLiteral("F2 - Cancelar venda   F5 - Fechar venda   F12 - Consultar produtos   "
                                           "ESC - Sair do sistema   F3 - Imprimir   F8 - Tela de entradas"),
                            m_frame);
    help->setObjectName(QStringLiteral("Label15"));
    help->setWordWrap(true);
    // A long server path gives way rather than run into the cash register.
    auto* base = new ElidedLabel(m_frame);
    base->setText(QStringLiteral("Base: ") + m_settings.caminho_banco);
    base->setObjectName(QStringLiteral("Label16"));
    auto* cashier = new QLabel(QStringLiteral("Caixa operante: ") + QString::number(m_settings.numero_caixa),
                               m_frame);
    cashier->setObjectName(QStringLiteral("Label8"));
    auto* version = new QLabel(QStringLiteral("Versão: ") + programVersion(), m_frame);
    version->setObjectName(QStringLiteral("Label13"));

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->addWidget(caption(QStringLiteral("Produto"), m_frame), 0, 0, 1, 4);
    auto* product = new QHBoxLayout;
    product->addWidget(m_text3);
    product->addWidget(m_text1, 1);
    fields->addLayout(product, 1, 0, 1, 4);
    fields->addWidget(caption(QStringLiteral("Unidade"), m_frame), 2, 0);
    fields->addWidget(caption(QStringLiteral("Qtde"), m_frame), 2, 1);
    fields->addWidget(caption(QStringLiteral("Unitário"), m_frame), 2, 2);
    fields->addWidget(caption(QStringLiteral("Sub total"), m_frame), 2, 3);
    fields->addWidget(m_text4, 3, 0);
    fields->addWidget(m_text2, 3, 1);
    fields->addWidget(m_text5, 3, 2);
    fields->addWidget(m_text6, 3, 3);
    fields->addWidget(m_check1, 4, 0, 1, 4);

    auto* totalRow = new QHBoxLayout;
    totalRow->addWidget(m_cmdOk);
    totalRow->addStretch(1);
    totalRow->addWidget(caption(QStringLiteral("Total"), m_frame));
    m_text7->setFixedWidth(360);
    totalRow->addWidget(m_text7);

    auto* status = new QHBoxLayout;
    status->addWidget(base, 1);
    status->addSpacing(24);
    status->addWidget(cashier);
    status->addSpacing(24);
    status->addWidget(version);

    auto* layout = new QVBoxLayout(m_frame);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(title);
    layout->addLayout(fields);
    layout->addWidget(m_grid1, 1);
    layout->addLayout(totalRow);
    layout->addWidget(help);
    layout->addLayout(status);

    setTabChain({m_text3, m_text4, m_text2, m_text5, m_text6, m_check1, m_grid1, m_cmdOk});

    // Without free quantity the operator goes from the code to the amount.
    const bool editable = m_entry.quantityEditable();
    m_text4->setEnabled(editable);
    m_text2->setEnabled(editable);
    m_text5->setEnabled(editable);

    keepCentred(m_frame);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    setWindowState(Qt::WindowFullScreen);
}

void FrmVendas::wireKeys()
{
    m_keys = new KeyConventions(this);
    m_keys->setKind(m_text3, FieldKind::Whole);
    m_keys->setKind(m_text5, FieldKind::Money);
    // The quantity takes digits and the comma while typing, like money, but
    // keeps what was typed on leaving, like a whole number.
    m_keys->setKind(m_text2, FieldKind::Money, FieldKind::Whole);
    m_keys->setLeaveCheck(m_text3, [this] { return leaveCode(); });
    m_keys->setLeaveCheck(m_text2, [this] {
        pull();
        const bool left = m_entry.leaveQuantity();
        push();
        return left;
    });
    m_keys->setLeaveCheck(m_text5, [this] {
        pull();
        m_entry.leaveUnitPrice();
        push();
        return true;
    });
    m_keys->setEnterAction(m_text6, [this] {
        // Back to the code for the next product, or for the missing one.
        if (addLine() || m_text1->text().isEmpty())
            focusCode();
        return false;
    });
    m_keys->setKeyHandler([this](QKeyEvent* event, QWidget* field) { return onKey(event, field); });
    m_keys->setCancelButton(m_cmdOk);
    connect(m_cmdOk, &QPushButton::clicked, this, &FrmVendas::sair);
}

bool FrmVendas::onKey(QKeyEvent* event, QWidget* field)
{
    switch (event->key()) {
    case Qt::Key_F2:
        cancelarVenda();
        return true;
    case Qt::Key_F3:
        reimprimir();
        return true;
    case Qt::Key_F5:
        fecharVenda();
        return true;
    case Qt::Key_F8:
        telaDeEntradas();
        return true;
    case Qt::Key_F12:
        if (field == m_text3)
            consultarProdutos();
        return true;
    case Qt::Key_Delete:
        if (field == m_grid1) {
            removeCurrentLine();
            return true;
        }
        return false;
    default:
        break;
    }

    return false;
}

void FrmVendas::pull()
{
    auto& f = m_entry.fields;
    f.text3 = m_text3->text();
    f.text1 = m_text1->text();
    f.text4 = m_text4->text();
    f.text2 = m_text2->text();
    f.text5 = m_text5->text();
    f.text6 = m_text6->text();
    f.text7 = m_text7->text();
    f.check1 = m_check1->isChecked();
}

void FrmVendas::push()
{
    const auto& f = m_entry.fields;
    m_text3->setText(f.text3);
    m_text1->setText(f.text1);
    m_text4->setText(f.text4);
    m_text2->setText(f.text2);
    m_text5->setText(f.text5);
    m_text6->setText(f.text6);
    m_text7->setText(f.text7);
    m_check1->setChecked(f.check1);
}

void FrmVendas::refreshGrid()
{
    const auto& lines = m_entry.lines();
    m_grid1->setRowCount(int(lines.size()));
    for (int row = 0; row < lines.size(); ++row) {
        const SaleLine& line = lines.at(row);
        m_grid1->setItem(row, Codigo, cell(line.codigo, Qt::AlignLeft));
        m_grid1->setItem(row, Descricao, cell(line.descricao, Qt::AlignLeft));
        m_grid1->setItem(row, Quantidade, cell(line.quantidade, Qt::AlignHCenter));
        m_grid1->setItem(row, Unitario, cell(line.unitario, Qt::AlignLeft));
        m_grid1->setItem(row, Subtotal, cell(line.subtotal, Qt::AlignHCenter));
        m_grid1->setItem(row, Interno, cell(line.flag(), Qt::AlignLeft));
    }
    if (!lines.isEmpty())
        m_grid1->scrollToBottom();
}

bool FrmVendas::leaveCode()
{
    pull();
    const bool found = m_entry.leaveCode();
    push();
    return found;
}

bool FrmVendas::addLine()
{
    pull();
    const bool added = m_entry.addLine();
    push();
    if (added)
        refreshGrid();
    return added;
}

void FrmVendas::removeCurrentLine()
{
    if (!m_entry.removeLine(m_grid1->currentRow()))
        return;
    m_text7->setText(m_entry.fields.text7);
    refreshGrid();
    focusCode();
}

void FrmVendas::focusCode()
{
    m_text3->setFocus(Qt::OtherFocusReason);
    m_text3->selectAll();
}

bool FrmVendas::fecharVenda()
{
    pull();
    if (!m_entry.canClose())
        return false;

    FrmPagamentoVenda payment(m_settings, m_messages, m_entry.lines(), m_text7->text(), this,
                              &m_entry.unsettledSale);
    payment.exec();
    const bool recorded = payment.recorded();
    if (recorded)
        m_entry.load();
    m_entry.paymentClosed();
    push();
    refreshGrid();
    activateWindow();
    focusCode();
    return recorded;
}

void FrmVendas::cancelarVenda()
{
    pull();
    if (m_entry.cancelSale()) {
        push();
        refreshGrid();
    }
    focusCode();
}

void FrmVendas::reimprimir()
{
    const auto printed = imprime_arquivo(m_settings);
    if (!printed) {
        logFailure(m_settings.dataDir, m_settings.numero_caixa, printed.failure().text);
        m_boxes.info(printed.failure().text);
    }
}

void FrmVendas::telaDeEntradas()
{
    if (!m_entry.confirmLeave())
        return;
    // The navigator opens the entry screen, then closes this one.
    m_navigation.openEntryScreen();
}

void FrmVendas::consultarProdutos()
{
    const qint32 code = FrmConsulta::consulta(*m_settings.conexao, m_messages, QStringLiteral("Produtos"), this);
    if (code == 0) {
        focusCode();
        return;
    }
    m_text3->setText(QString::number(code));
    if (leaveCode()) {
        if (QWidget* next = KeyConventions::nextField(m_text3, true))
            next->setFocus(Qt::TabFocusReason);
    } else {
        focusCode();
    }
}

void FrmVendas::sair()
{
    if (m_entry.confirmLeave())
        close();
}

void FrmVendas::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        focusCode();
    }
}
