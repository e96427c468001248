#include "registers/product_register_widget.h"

#include "common/key_conventions.h"
#include "common/terminal_settings.h"
#include "registers/lookup_dialog.h"
#include "registers/screen_parts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
FrmCadProdutos::GroupRegisterOpener& groupRegisterOpener()
{
    static FrmCadProdutos::GroupRegisterOpener opener;
    return opener;
}
} // namespace

void FrmCadProdutos::setGroupRegisterOpener(GroupRegisterOpener opener)
{
    groupRegisterOpener() = std::move(opener);
}

FrmCadProdutos::FrmCadProdutos(const TerminalSettings& settings, Messages& messages, bool binclusao,
                               qint32 codigo_produto, QWidget* parent)
    : RegisterFormWidget(std::make_unique<ProductRegister>(settings, messages, binclusao, codigo_produto),
                         messages, QStringLiteral("Cadastros"), QStringLiteral("Produtos"), parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("frmCadProdutos"));
    using screenparts::label;
    QLineEdit* codigo = edit(QStringLiteral("Text11"));
    QLineEdit* nome = edit(QStringLiteral("Text1"));
    QLineEdit* grupo = edit(QStringLiteral("Text6"));
    QLineEdit* nomeGrupo = edit(QStringLiteral("Text7"));
    QLineEdit* unidade = edit(QStringLiteral("Text8"));
    QLineEdit* saldo = edit(QStringLiteral("Text2"));
    QLineEdit* minima = edit(QStringLiteral("Text10"));
    QLineEdit* custo = edit(QStringLiteral("Text5"));
    QLineEdit* interno = edit(QStringLiteral("Text3"));
    QLineEdit* venda = edit(QStringLiteral("Text4"));

    codigo->setEnabled(false);
    nomeGrupo->setReadOnly(true);
    nomeGrupo->setFocusPolicy(Qt::NoFocus);

    m_ativo = new QComboBox(this);
    m_ativo->setObjectName(QStringLiteral("Combo1"));
    m_ativo->addItems({QStringLiteral("Não"), QStringLiteral("Sim")});
    m_estoque = new QCheckBox(QStringLiteral("Gerenciar estoque"), this);
    m_estoque->setObjectName(QStringLiteral("Check1"));
    m_lookup = screenparts::button(QStringLiteral("Command3"), QStringLiteral("..."), this);
    m_lookup->setMinimumWidth(0);
    m_lookup->setFixedWidth(32);
    connect(m_lookup, &QPushButton::clicked, this, &FrmCadProdutos::lookUpGroup);

    for (QLineEdit* money : {custo, interno, venda})
        money->setAlignment(Qt::AlignRight);
    for (QLineEdit* small : {codigo, grupo, saldo, minima, custo, interno, venda})
        small->setMaximumWidth(150);

    QGridLayout* grid = screenparts::fieldGrid();
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
    grid->addWidget(label(QStringLiteral("Código"), this), 0, 0);
    grid->addWidget(codigo, 0, 1);
    grid->addWidget(label(QStringLiteral("Ativo"), this), 0, 4);
    grid->addWidget(m_ativo, 0, 5);
    grid->addWidget(label(QStringLiteral("Nome"), this), 1, 0);
    grid->addWidget(nome, 1, 1, 1, 5);
    grid->addWidget(label(QStringLiteral("Grupo"), this), 2, 0);
    auto* groupRow = new QHBoxLayout;
    groupRow->addWidget(grupo);
    groupRow->addWidget(nomeGrupo, 1);
    groupRow->addWidget(m_lookup);
    grid->addLayout(groupRow, 2, 1, 1, 5);
    grid->addWidget(label(QStringLiteral("Unidade"), this), 3, 0);
    grid->addWidget(unidade, 3, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("Saldo atual"), this), 4, 0);
    grid->addWidget(saldo, 4, 1);
    grid->addWidget(label(QStringLiteral("Qtde Mínima"), this), 4, 2);
    grid->addWidget(minima, 4, 3);
    grid->addWidget(m_estoque, 4, 4, 1, 2);
    grid->addWidget(label(QStringLiteral("Custo"), this), 5, 0);
    grid->addWidget(custo, 5, 1);
    grid->addWidget(label(QStringLiteral("Vlr. interno"), this), 5, 2);
    grid->addWidget(interno, 5, 3);
    grid->addWidget(label(QStringLiteral("Vlr. venda"), this), 5, 4);
    grid->addWidget(venda, 5, 5);
    setContent(grid);
    setMinimumWidth(720);

    // Tab order: the fields top to bottom, the buttons, then the controls
    // the operator reaches last (the flags and the group button).
    setTabChain({nome, grupo, unidade, saldo, minima, custo, interno, venda,
                 okButton(), exitButton(), m_lookup, m_ativo, m_estoque});

    keys().setLeaveCheck(grupo, [this] { return leaveGroup(); });
    start(nome);
}

void FrmCadProdutos::pushExtras()
{
    m_ativo->setCurrentIndex(product().ativo());
    m_estoque->setChecked(product().estoque());
}

void FrmCadProdutos::pullExtras()
{
    product().setAtivo(m_ativo->currentIndex());
    product().setEstoque(m_estoque->isChecked());
}

bool FrmCadProdutos::leaveGroup()
{
    pull();
    const bool ok = product().checkGroup();
    push();
    return ok;
}

void FrmCadProdutos::lookUpGroup()
{
    if (!m_settings.conexao)
        return;
    const qint32 picked = FrmConsulta::consulta(*m_settings.conexao, messages(), QStringLiteral("Grupos"), this);
    if (picked == 0)
        return;
    pull();
    product().groupPicked(picked);
    push();
    if (QLineEdit* grupo = findChild<QLineEdit*>(QStringLiteral("Text6"))) {
        grupo->setFocus(Qt::OtherFocusReason);
        grupo->selectAll();
    }
}

bool FrmCadProdutos::screenKey(QKeyEvent* event, QWidget* field)
{
    if (!field || field->objectName() != QLatin1String("Text6"))
        return false;
    if (event->key() == Qt::Key_F12) {
        lookUpGroup();
        return true;
    }
    if (event->key() == Qt::Key_F11) {
        if (const GroupRegisterOpener& open = groupRegisterOpener())
            open(this);
        return true;
    }
    return false;
}
