#include "registers/entry_type_register_widget.h"

#include "common/key_conventions.h"
#include "registers/screen_parts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmCadTabelaPreco::FrmCadTabelaPreco(const TerminalSettings& settings, Messages& messages, bool binclusao,
                                     qint32 codigo_tipo_entrada, QWidget* parent)
    : RegisterFormWidget(std::make_unique<EntryTypeRegister>(settings, messages, binclusao, codigo_tipo_entrada),
                         messages, QStringLiteral("Cadastros"), QStringLiteral("Tipo de entrada"), parent)
{
    setObjectName(QStringLiteral("FrmCadTabelaPreco"));
    using screenparts::label;
    QLineEdit* codigo = edit(QStringLiteral("Text11"));
    QLineEdit* nome = edit(QStringLiteral("Text1"));
    QLineEdit* preco = edit(QStringLiteral("Text2"));
    codigo->setEnabled(false);
    codigo->setMaximumWidth(120);
    preco->setMaximumWidth(160);
    preco->setAlignment(Qt::AlignRight);
    m_estacionamento = new QCheckBox(QStringLiteral("Estacionamento"), this);
    m_estacionamento->setObjectName(QStringLiteral("Check1"));

    QGridLayout* grid = screenparts::fieldGrid();
    grid->setColumnStretch(2, 1);
    grid->addWidget(label(QStringLiteral("Código"), this), 0, 0);
    grid->addWidget(codigo, 0, 1);
    grid->addWidget(label(QStringLiteral("Nome"), this), 1, 0);
    grid->addWidget(nome, 1, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("Preço"), this), 2, 0);
    grid->addWidget(preco, 2, 1);
    grid->addWidget(m_estacionamento, 2, 2);
    setContent(grid);
    setMinimumWidth(520);

    setTabChain({nome, preco, okButton(), exitButton(), m_estacionamento});
    start(nome);
}

void FrmCadTabelaPreco::pushExtras()
{
    m_estacionamento->setChecked(entryType().estacionamento());
}

void FrmCadTabelaPreco::pullExtras()
{
    entryType().setEstacionamento(m_estacionamento->isChecked());
}
