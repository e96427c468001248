#include "purchases/purchase_items_screen.h"

#include "common/field_text.h"
#include "common/form_checks.h"
#include "common/key_conventions.h"
#include "common/terminal_settings.h"
#include "common/window_placement.h"
#include "purchases/purchase_grid.h"
#include "registers/lookup_dialog.h"
#include "registers/screen_parts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Room for an amount as shown ("R$ 1.234.567,89"): a field's length limit
// also cuts what the screen puts into it, so it must not be the typed size.
constexpr int AmountLength = 24;
constexpr int QuantityLength = 9;

QLineEdit* field(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QLineEdit* shownOnly(const char* name, QWidget* parent)
{
    QLineEdit* edit = field(name, parent);
    purchase_grid::showOnly(edit);
    return edit;
}

QLabel* above(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return label;
}

} // namespace

FrmCompradeProdutos::FrmCompradeProdutos(const TerminalSettings& settings, Messages& messages, qint32 codigoCompra,
                                         bool binclusao, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_messages(messages)
    , m_items(settings, messages, codigoCompra, binclusao)
{
    setObjectName(QStringLiteral("frmCompradeProdutos"));
    setWindowTitle(QStringLiteral("Compra"));
    build();
    wireKeys();
    m_items.load();
    push();
    purchase_grid::showRow(m_grid1, 0);
    refreshDelete();
    adjustSize();
    centraliza_form(this);
    focusCode();
}

FrmCompradeProdutos::~FrmCompradeProdutos()
{
    // No key or focus event may reach the checks while the fields go.
    delete m_keys;
    m_grid1->setModel(nullptr);
}

void FrmCompradeProdutos::build()
{
    using screenparts::label;
    QWidget* header = screenparts::headerBand(QStringLiteral("Compra"), this);

    m_text3 = shownOnly("Text3", this);
    m_text13 = shownOnly("Text13", this);
    m_text10 = shownOnly("Text10", this);
    m_text15 = shownOnly("Text15", this);
    m_text9 = new QPlainTextEdit(this);
    m_text9->setObjectName(QStringLiteral("Text9"));
    purchase_grid::showOnly(m_text9);
    m_text9->setFixedHeight(m_text9->fontMetrics().lineSpacing() * 2 + 12);
    for (QLineEdit* small : {m_text3, m_text13, m_text10})
        small->setMaximumWidth(150);

    auto* headerBox = new QGroupBox(this);
    auto* top = new QGridLayout(headerBox);
    top->setHorizontalSpacing(10);
    top->setColumnStretch(3, 1);
    top->addWidget(label(QStringLiteral("Data"), headerBox), 0, 0);
    top->addWidget(m_text3, 0, 1);
    top->addWidget(label(QStringLiteral("Nota"), headerBox), 0, 2);
    top->addWidget(m_text13, 0, 3, Qt::AlignLeft);
    top->addWidget(label(QStringLiteral("Fornecedor"), headerBox), 1, 0);
    top->addWidget(m_text10, 1, 1);
    top->addWidget(m_text15, 1, 2, 1, 2);
    auto* obs = label(QStringLiteral("Obs"), headerBox);
    obs->setAlignment(Qt::AlignRight | Qt::AlignTop);
    top->addWidget(obs, 2, 0);
    top->addWidget(m_text9, 2, 1, 1, 3);

    m_text2 = field("Text2", this);
    m_text2->setToolTip(QStringLiteral("Pressione F12 para consultar"));
    m_text2->setMaxLength(10);
    m_text2->setFixedWidth(90);
    m_command2 = screenparts::button(QStringLiteral("Command2"), QStringLiteral("..."), this);
    m_command2->setMinimumWidth(0);
    m_command2->setFixedWidth(32);
    m_text1 = shownOnly("Text1", this);
    m_text4 = field("Text4", this);
    m_text4->setMaxLength(QuantityLength);
    m_text5 = field("Text5", this);
    m_text6 = field("Text6", this);
    for (QLineEdit* number : {m_text4, m_text5, m_text6}) {
        number->setAlignment(Qt::AlignRight);
        number->setFixedWidth(120);
    }

    m_command3 = screenparts::button(QStringLiteral("Command3"), QStringLiteral("&Confirma"), this);
    m_command1 = screenparts::button(QStringLiteral("Command1"), QStringLiteral("&Cancelar"), this);
    m_command5 = screenparts::button(QStringLiteral("Command5"), QStringLiteral("&Excluir"), this);

    auto* line = new QGridLayout;
    line->setHorizontalSpacing(8);
    line->setVerticalSpacing(2);
    line->setColumnStretch(2, 1);
    line->addWidget(above(QStringLiteral("Produto"), this), 0, 0, 1, 3);
    line->addWidget(above(QStringLiteral("Qtde."), this), 0, 3);
    line->addWidget(above(QStringLiteral("Unitário"), this), 0, 4);
    line->addWidget(above(QStringLiteral("Total"), this), 0, 5);
    line->addWidget(m_text2, 1, 0);
    line->addWidget(m_command2, 1, 1);
    line->addWidget(m_text1, 1, 2);
    line->addWidget(m_text4, 1, 3);
    line->addWidget(m_text5, 1, 4);
    line->addWidget(m_text6, 1, 5);
    auto* lineButtons = new QHBoxLayout;
    lineButtons->addStretch();
    lineButtons->addWidget(m_command3);
    lineButtons->addWidget(m_command1);
    lineButtons->addWidget(m_command5);

    m_grid1 = purchase_grid::make(QStringLiteral("Grid1"), &m_items.model(), this);

    m_text12 = shownOnly("Text12", this);
    m_text7 = field("Text7", this);
    m_text11 = field("Text11", this);
    m_text8 = shownOnly("Text8", this);
    for (QLineEdit* amount : {m_text5, m_text6, m_text7, m_text11})
        amount->setMaxLength(AmountLength);
    for (QLineEdit* total : {m_text12, m_text7, m_text11, m_text8}) {
        total->setAlignment(Qt::AlignRight);
        total->setFixedWidth(130);
    }
    QFont bold = m_text8->font();
    bold.setBold(true);
    m_text8->setFont(bold);
    auto* totals = new QGridLayout;
    totals->setHorizontalSpacing(10);
    totals->setColumnStretch(0, 1);
    totals->addWidget(label(QStringLiteral("Total dos produtos"), this), 0, 1);
    totals->addWidget(m_text12, 0, 2);
    totals->addWidget(label(QStringLiteral("Descontos"), this), 0, 3);
    totals->addWidget(m_text7, 0, 4);
    totals->addWidget(label(QStringLiteral("Acréscimos"), this), 1, 1);
    totals->addWidget(m_text11, 1, 2);
    totals->addWidget(label(QStringLiteral("Toda da compra"), this), 1, 3);
    totals->addWidget(m_text8, 1, 4);

    m_cmdOk = screenparts::button(QStringLiteral("CmdOk"), QStringLiteral("&Gravar"), this);
    m_cmdSair = screenparts::button(QStringLiteral("CmdSair"), QStringLiteral("&Cancelar"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("F5 - Gravar   F12 - Consultar produtos"), this));
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdSair);

    for (QLineEdit* required : {m_text2, m_text1, m_text4, m_text5, m_text6, m_text7, m_text11, m_text8})
        markRequired(required);

    auto* inner = new QVBoxLayout;
    inner->setContentsMargins(16, 10, 16, 12);
    inner->setSpacing(8);
    inner->addWidget(headerBox);
    inner->addLayout(line);
    inner->addLayout(lineButtons);
    inner->addWidget(m_grid1, 1);
    inner->addLayout(totals);
    inner->addLayout(buttons);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(header);
    outer->addLayout(inner);
    setMinimumWidth(820);

    connect(m_command2, &QPushButton::clicked, this, &FrmCompradeProdutos::consultaProdutos);
    connect(m_command3, &QPushButton::clicked, this, &FrmCompradeProdutos::confirma);
    connect(m_command1, &QPushButton::clicked, this, &FrmCompradeProdutos::cancelaLinha);
    connect(m_command5, &QPushButton::clicked, this, &FrmCompradeProdutos::excluir);
    connect(m_cmdOk, &QPushButton::clicked, this, &FrmCompradeProdutos::gravar);
    connect(m_cmdSair, &QPushButton::clicked, this, &FrmCompradeProdutos::reject);
    connect(m_grid1, &QTableView::doubleClicked, this, [this](const QModelIndex&) { pickLine(); });
    connect(m_grid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &FrmCompradeProdutos::refreshDelete);
}

void FrmCompradeProdutos::wireKeys()
{
    // The line's fields first, then the purchase's buttons; the grid, the
    // discount and the surcharge come last, so the keyboard reaches them too
    // without standing in the way of the next line.
    setTabChain({m_text2, m_text4, m_text5, m_text6, m_command3, m_command1, m_command5, m_cmdOk, m_cmdSair,
                 m_grid1, m_text7, m_text11});
    // The lookup button leaves the focus in "Produto", as F12 does.
    m_command2->setFocusPolicy(Qt::NoFocus);

    m_keys = new KeyConventions(this);
    m_keys->setKind(m_text2, FieldKind::Whole);
    m_keys->setKind(m_text4, FieldKind::Whole);
    for (QLineEdit* money : {m_text5, m_text6, m_text7, m_text11})
        m_keys->setKind(money, FieldKind::Money);
    m_keys->setLeaveCheck(m_text2, [this] {
        pull();
        const bool found = m_items.leaveProduct();
        push();
        return found;
    });
    m_keys->setLeaveCheck(m_text4, [this] { return leave(&PurchaseItems::leaveQuantity); });
    m_keys->setLeaveCheck(m_text5, [this] { return leave(&PurchaseItems::leaveUnitPrice); });
    m_keys->setLeaveCheck(m_text7, [this] { return leave(&PurchaseItems::leaveDiscountOrSurcharge); });
    m_keys->setLeaveCheck(m_text11, [this] { return leave(&PurchaseItems::leaveDiscountOrSurcharge); });
    // Enter on a line of the grid picks it, as a double-click does.
    m_keys->setEnterAction(m_grid1, [this] {
        pickLine();
        return false;
    });
    m_keys->setKeyHandler([this](QKeyEvent* event, QWidget* field) { return onKey(event, field); });
    m_keys->setCancelButton(m_cmdSair);
}

bool FrmCompradeProdutos::onKey(QKeyEvent* event, QWidget* field)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_F5:
        if (field != m_cmdOk && !m_keys->leaveField(field))
            return true;
        m_cmdOk->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_F12:
        if (field == m_text2)
            consultaProdutos();
        return field == m_text2;
    default:
        return false;
    }
}

bool FrmCompradeProdutos::leave(void (PurchaseItems::*step)())
{
    pull();
    (m_items.*step)();
    push();
    return true;
}

void FrmCompradeProdutos::push()
{
    const PurchaseItems::Fields& f = m_items.fields;
    showText(m_text3, f.text3);
    showText(m_text13, f.text13);
    showText(m_text10, f.text10);
    showText(m_text15, f.text15);
    showText(m_text9, f.text9);
    showText(m_text2, f.text2);
    showText(m_text1, f.text1);
    showText(m_text4, f.text4);
    showText(m_text5, f.text5);
    showText(m_text6, f.text6);
    showText(m_text12, f.text12);
    showText(m_text7, f.text7);
    showText(m_text11, f.text11);
    showText(m_text8, f.text8);
    m_text2->setEnabled(f.text2Enabled);
    m_command2->setEnabled(f.text2Enabled);
}

void FrmCompradeProdutos::pull()
{
    PurchaseItems::Fields& f = m_items.fields;
    f.text2 = m_text2->text();
    f.text4 = m_text4->text();
    f.text5 = m_text5->text();
    f.text6 = m_text6->text();
    f.text7 = m_text7->text();
    f.text11 = m_text11->text();
}

void FrmCompradeProdutos::focusCode()
{
    QLineEdit* target = m_text2->isEnabled() ? m_text2 : m_text4;
    target->setFocus(Qt::OtherFocusReason);
    target->selectAll();
}

void FrmCompradeProdutos::refreshDelete()
{
    m_command5->setEnabled(m_items.canDelete(purchase_grid::currentRow(m_grid1)));
}

void FrmCompradeProdutos::confirma()
{
    pull();
    const bool newLine = m_items.binclusaoitem();
    const int row = purchase_grid::currentRow(m_grid1);
    const bool stored = m_items.confirma(row);
    push();
    if (!stored) {
        purchase_grid::showRow(m_grid1, row);   // a line gone elsewhere reloads the grid
        refreshDelete();
        return;
    }
    // A new line is shown where it went in; a changed one stays current.
    purchase_grid::showRow(m_grid1, newLine ? m_items.model().foundCount() - 1 : row);
    refreshDelete();
    focusCode();
}

void FrmCompradeProdutos::cancelaLinha()
{
    m_items.cancelaLinha();
    push();
    focusCode();
}

void FrmCompradeProdutos::excluir()
{
    const int row = purchase_grid::currentRow(m_grid1);
    if (m_items.excluir(row)) {
        push();
        purchase_grid::showRow(m_grid1, row);
        focusCode();
    }
    refreshDelete();
}

void FrmCompradeProdutos::pickLine()
{
    m_items.pickLine(purchase_grid::currentRow(m_grid1));
    push();
    focusCode();
}

void FrmCompradeProdutos::consultaProdutos()
{
    if (!m_settings.conexao || !m_text2->isEnabled())
        return;
    const qint32 picked = FrmConsulta::consulta(*m_settings.conexao, m_messages, QStringLiteral("Produtos"), this);
    activateWindow();
    if (picked != 0) {
        pull();
        const bool found = m_items.productPicked(picked);
        push();
        if (found) {
            m_text4->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    focusCode();
}

void FrmCompradeProdutos::gravar()
{
    pull();
    const int row = purchase_grid::currentRow(m_grid1);
    if (m_items.gravar()) {
        push();
        m_closed = true;
        accept();
        return;
    }
    push();
    purchase_grid::showRow(m_grid1, row);   // lines changed elsewhere were reloaded
    refreshDelete();
}

void FrmCompradeProdutos::reject()
{
    if (!m_closed) {
        pull();
        if (!m_items.sair())
            return;
        m_closed = true;
    }
    QDialog::reject();
}
