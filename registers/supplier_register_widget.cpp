#include "registers/supplier_register_widget.h"

#include "common/key_conventions.h"
#include "registers/screen_parts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QGridLayout* pageGrid(QWidget* page)
{
    QGridLayout* grid = screenparts::fieldGrid(page);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    // Both pages' fields start at the same place.
    grid->setColumnMinimumWidth(0, page->fontMetrics().horizontalAdvance(QStringLiteral("Razão Social")) + 8);
    return grid;
}

} // namespace

FrmCadFornecedores::FrmCadFornecedores(const TerminalSettings& settings, Messages& messages, bool binclusao,
                                       qint32 codigo_fornecedor, QWidget* parent)
    : RegisterFormWidget(std::make_unique<SupplierRegister>(settings, messages, binclusao, codigo_fornecedor),
                         messages, QStringLiteral("Cadastro de Fornecedores"),
                         QStringLiteral("Cadastro de fornecedores"), parent)
{
    setObjectName(QStringLiteral("FrmCadFornecedores"));
    using screenparts::label;
    QTabWidget* tabs = pages(QStringLiteral("SSTab1"));
    if (auto* bar = tabs->findChild<QTabBar*>())
        bar->setFocusPolicy(Qt::NoFocus);
    auto* principal = new QWidget(tabs);
    auto* residencial = new QWidget(tabs);
    tabs->addTab(principal, QStringLiteral("Dados Principais"));
    tabs->addTab(residencial, QStringLiteral("Dados Residênciais"));

    QLineEdit* codigo = edit(QStringLiteral("Text11"));
    QLineEdit* fantasia = edit(QStringLiteral("Text1"));
    QLineEdit* razao = edit(QStringLiteral("Text2"));
    QLineEdit* cnpj = edit(QStringLiteral("Text8"));
    QLineEdit* ie = edit(QStringLiteral("Text9"));
    QLineEdit* email = edit(QStringLiteral("Text13"));
    QLineEdit* contato = edit(QStringLiteral("Text14"));
    QLineEdit* cidade = edit(QStringLiteral("Text3"));
    QLineEdit* cep = edit(QStringLiteral("Text12"));
    QLineEdit* endereco = edit(QStringLiteral("Text4"));
    QLineEdit* bairro = edit(QStringLiteral("Text5"));
    QLineEdit* fone = edit(QStringLiteral("Text6"));
    QLineEdit* fax = edit(QStringLiteral("Text7"));
    QPlainTextEdit* obs = area(QStringLiteral("Text10"));
    codigo->setEnabled(false);
    codigo->setMaximumWidth(120);
    obs->setFixedHeight(obs->fontMetrics().lineSpacing() * 4 + 12);

    m_natureza = new QComboBox(this);
    m_natureza->setObjectName(QStringLiteral("Combo1"));
    m_natureza->addItems({QStringLiteral("Pessoa Física"), QStringLiteral("Pessoa Juridica")});
    m_firstNumber = label(QStringLiteral("Cnpj/Cpf"), this);
    m_secondNumber = label(QStringLiteral("I.E/Rg"), this);
    m_firstNumber->setObjectName(QStringLiteral("Label8"));   // beside Text8 and Text9
    m_secondNumber->setObjectName(QStringLiteral("Label9"));
    connect(m_natureza, &QComboBox::currentIndexChanged, this, [this](int index) {
        supplier().setNatureza(index);
        relabel();
    });

    QGridLayout* main = pageGrid(principal);
    main->addWidget(label(QStringLiteral("Código"), principal), 0, 0);
    main->addWidget(codigo, 0, 1);
    main->addWidget(label(QStringLiteral("Fantasia"), principal), 1, 0);
    auto* fantasiaRow = new QHBoxLayout;
    fantasiaRow->addWidget(fantasia, 1);
    fantasiaRow->addWidget(new QLabel(QStringLiteral("*"), principal));
    main->addLayout(fantasiaRow, 1, 1, 1, 3);
    main->addWidget(label(QStringLiteral("Razão Social"), principal), 2, 0);
    main->addWidget(razao, 2, 1, 1, 3);
    main->addWidget(label(QStringLiteral("Natureza"), principal), 3, 0);
    main->addWidget(m_natureza, 3, 1);
    main->addWidget(m_firstNumber, 4, 0);
    main->addWidget(cnpj, 4, 1);
    main->addWidget(m_secondNumber, 4, 2);
    main->addWidget(ie, 4, 3);
    main->addWidget(label(QStringLiteral("E-mail"), principal), 5, 0);
    main->addWidget(email, 5, 1);
    main->addWidget(label(QStringLiteral("Contato"), principal), 5, 2);
    main->addWidget(contato, 5, 3);
    main->setRowStretch(6, 1);

    QGridLayout* home = pageGrid(residencial);
    home->addWidget(label(QStringLiteral("Cidade"), residencial), 0, 0);
    home->addWidget(cidade, 0, 1);
    home->addWidget(label(QStringLiteral("Cep"), residencial), 0, 2);
    home->addWidget(cep, 0, 3);
    home->addWidget(label(QStringLiteral("Endereço"), residencial), 1, 0);
    home->addWidget(endereco, 1, 1, 1, 3);
    home->addWidget(label(QStringLiteral("Bairro"), residencial), 2, 0);
    home->addWidget(bairro, 2, 1);
    home->addWidget(label(QStringLiteral("Fone"), residencial), 3, 0);
    home->addWidget(fone, 3, 1);
    home->addWidget(label(QStringLiteral("Fax"), residencial), 3, 2);
    home->addWidget(fax, 3, 3);
    auto* obsLabel = label(QStringLiteral("Obs"), residencial);
    obsLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    home->addWidget(obsLabel, 4, 0);
    home->addWidget(obs, 4, 1, 1, 3);
    home->setRowStretch(5, 1);

    auto* content = new QVBoxLayout;
    content->setContentsMargins(0, 0, 0, 0);
    content->addWidget(tabs);
    setContent(content);
    setMinimumWidth(720);

    setTabChain({fantasia, razao, m_natureza, cnpj, ie, email, contato, cidade, cep, endereco, bairro, fone, fax,
                 obs, okButton(), exitButton()});
    start(fantasia);
}

void FrmCadFornecedores::relabel()
{
    m_firstNumber->setText(supplier().firstNumberLabel());
    m_secondNumber->setText(supplier().secondNumberLabel());
}

void FrmCadFornecedores::pushExtras()
{
    m_natureza->setCurrentIndex(supplier().natureza());
    relabel();
}

void FrmCadFornecedores::pullExtras()
{
    supplier().setNatureza(m_natureza->currentIndex());
}
