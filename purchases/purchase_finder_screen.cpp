#include "purchases/purchase_finder_screen.h"

#include "common/field_text.h"
#include "common/key_conventions.h"
#include "common/terminal_settings.h"
#include "common/window_placement.h"
#include "purchases/purchase_grid.h"
#include "purchases/purchase_opening_dialog.h"
#include "registers/lookup_dialog.h"
#include "registers/screen_parts.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

FrmLocalizaCompraProduto::FrmLocalizaCompraProduto(const TerminalSettings& settings, Messages& messages,
                                                   QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_messages(messages)
    , m_finder(settings, messages)
{
    setObjectName(QStringLiteral("FrmLocalizaCompraProduto"));
    setWindowTitle(QStringLiteral("Localização de compras"));
    build();
    wireKeys();
    m_finder.load();
    push();
    purchase_grid::showRow(m_grid1, 0);
    adjustSize();
    centraliza_form(this);
    m_text10->setFocus(Qt::OtherFocusReason);
}

FrmLocalizaCompraProduto::~FrmLocalizaCompraProduto()
{
    delete m_keys;
    m_grid1->setModel(nullptr);
}

void FrmLocalizaCompraProduto::build()
{
    using screenparts::label;
    QWidget* header = screenparts::headerBand(QStringLiteral("Localização de compras"), this);

    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->addItems(PurchaseFinder::filterNames());
    m_combo1->setMinimumWidth(220);
    m_text10 = new QLineEdit(this);
    m_text10->setObjectName(QStringLiteral("Text10"));
    m_text10->setMaxLength(10);
    m_text10->setFixedWidth(90);
    m_text10->setToolTip(QStringLiteral("F5 - Consultar fornecedores   F12 - Detalhes da compra selecionada"));
    m_text15 = new QLineEdit(this);
    m_text15->setObjectName(QStringLiteral("Text15"));
    purchase_grid::showOnly(m_text15);
    m_command3 = screenparts::button(QStringLiteral("Command3"), QStringLiteral("..."), this);
    m_command3->setMinimumWidth(0);
    m_command3->setFixedWidth(32);
    const auto picker = [this](const char* name) {
        auto* p = new QDateEdit(this);
        p->setObjectName(QLatin1String(name));
        p->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        p->setCalendarPopup(true);
        return p;
    };
    m_dtpicker1 = picker("DTPicker1");
    m_dtpicker2 = picker("DTPicker2");
    m_command1 = screenparts::button(QStringLiteral("Command1"), QStringLiteral("Mostrar"), this);
    m_grid1 = purchase_grid::make(QStringLiteral("Grid1"), &m_finder.model(), this);
    m_command4 = screenparts::button(QStringLiteral("Command4"), QStringLiteral("&Detalhes"), this);
    m_command5 = screenparts::button(QStringLiteral("Command5"), QStringLiteral("&Excluir"), this);
    m_command2 = screenparts::button(QStringLiteral("Command2"), QStringLiteral("&Sair"), this);

    auto* filters = new QGridLayout;
    filters->setHorizontalSpacing(10);
    filters->setVerticalSpacing(8);
    filters->addWidget(label(QStringLiteral("Mostrar"), this), 0, 0);
    filters->addWidget(m_combo1, 0, 1, 1, 3, Qt::AlignLeft);
    filters->addWidget(label(QStringLiteral("Fornecedor"), this), 1, 0);
    auto* supplier = new QHBoxLayout;
    supplier->addWidget(m_text10);
    supplier->addWidget(m_command3);
    supplier->addWidget(m_text15, 1);
    filters->addLayout(supplier, 1, 1, 1, 3);
    filters->addWidget(label(QStringLiteral("Período"), this), 2, 0);
    auto* period = new QHBoxLayout;
    period->addWidget(m_dtpicker1);
    period->addSpacing(6);
    period->addWidget(new QLabel(QStringLiteral("a"), this));
    period->addSpacing(6);
    period->addWidget(m_dtpicker2);
    period->addStretch();
    filters->addLayout(period, 2, 1, 1, 3);
    filters->setColumnStretch(1, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(filters, 1);
    top->addSpacing(24);
    top->addWidget(m_command1, 0, Qt::AlignBottom);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command4);
    buttons->addWidget(m_command5);
    buttons->addWidget(m_command2);

    auto* inner = new QVBoxLayout;
    inner->setContentsMargins(16, 12, 16, 12);
    inner->setSpacing(10);
    inner->addLayout(top);
    inner->addWidget(m_grid1, 1);
    inner->addLayout(buttons);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(header);
    outer->addLayout(inner);
    setMinimumWidth(780);

    connect(m_combo1, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_finder.filterChanged(index);
        push();
        purchase_grid::showRow(m_grid1, 0);
    });
    connect(m_command3, &QPushButton::clicked, this, &FrmLocalizaCompraProduto::consultaFornecedores);
    connect(m_command1, &QPushButton::clicked, this, &FrmLocalizaCompraProduto::mostrar);
    connect(m_command4, &QPushButton::clicked, this, &FrmLocalizaCompraProduto::detalhes);
    connect(m_command5, &QPushButton::clicked, this, &FrmLocalizaCompraProduto::excluir);
    connect(m_command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid1, &QTableView::doubleClicked, this, [this](const QModelIndex&) { detalhes(); });
}

void FrmLocalizaCompraProduto::wireKeys()
{
    setTabChain({m_text10, m_dtpicker1, m_dtpicker2, m_command1, m_grid1, m_command4, m_command5, m_command2,
                 m_command3, m_combo1});
    m_keys = new KeyConventions(this);
    m_keys->setKind(m_text10, FieldKind::Whole);
    m_keys->setLeaveCheck(m_text10, [this] {
        pull();
        const bool found = m_finder.checkSupplier();
        push();
        return found;
    });
    // Enter on a purchase of the grid opens it, as a double-click does.
    m_keys->setEnterAction(m_grid1, [this] {
        detalhes();
        return false;
    });
    m_keys->setKeyHandler([this](QKeyEvent* event, QWidget* field) { return onKey(event, field); });
    m_keys->setCancelButton(m_command2);
}

bool FrmLocalizaCompraProduto::onKey(QKeyEvent* event, QWidget* field)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_F5:
        if (m_keys->leaveField(field))
            m_command3->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_F12:
        if (field != m_text10)
            return false;
        detalhes();
        return true;
    default:
        return false;
    }
}

void FrmLocalizaCompraProduto::push()
{
    const PurchaseFinder::Fields& f = m_finder.fields;
    {
        const QSignalBlocker quiet(m_combo1);
        m_combo1->setCurrentIndex(f.combo1);
    }
    showText(m_text10, f.text10);
    m_text15->setText(f.text15);
    m_dtpicker1->setDate(f.dtpicker1);
    m_dtpicker2->setDate(f.dtpicker2);
}

void FrmLocalizaCompraProduto::pull()
{
    PurchaseFinder::Fields& f = m_finder.fields;
    f.combo1 = m_combo1->currentIndex();
    f.text10 = m_text10->text();
    f.dtpicker1 = m_dtpicker1->date();
    f.dtpicker2 = m_dtpicker2->date();
}

void FrmLocalizaCompraProduto::mostrar()
{
    pull();
    const bool shown = m_finder.mostrar();
    push();
    if (shown)
        purchase_grid::showRow(m_grid1, 0);
}

void FrmLocalizaCompraProduto::refill(int row)
{
    pull();
    m_finder.mostrar();
    push();
    purchase_grid::showRow(m_grid1, row);
}

void FrmLocalizaCompraProduto::detalhes()
{
    const int row = purchase_grid::currentRow(m_grid1);
    const std::optional<qint32> code = m_finder.codeAt(row);
    if (!code)
        return;
    {
        FrmAberturaCompra opening(m_settings, m_messages, /*inclusao*/ false, *code, this);
        opening.exec();
    }
    refill(row);
    activateWindow();
    m_grid1->setFocus(Qt::OtherFocusReason);
}

void FrmLocalizaCompraProduto::excluir()
{
    const int row = purchase_grid::currentRow(m_grid1);
    if (m_finder.excluir(row))
        purchase_grid::showRow(m_grid1, row);
}

void FrmLocalizaCompraProduto::consultaFornecedores()
{
    if (!m_settings.conexao)
        return;
    const qint32 picked = FrmConsulta::consulta(*m_settings.conexao, m_messages, QStringLiteral("Fornecedores"), this);
    activateWindow();
    if (picked != 0) {
        pull();
        m_finder.supplierPicked(picked);
        push();
    }
    m_text10->setFocus(Qt::OtherFocusReason);
    m_text10->selectAll();
}
