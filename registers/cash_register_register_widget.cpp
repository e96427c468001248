#include "registers/cash_register_register_widget.h"

#include "common/key_conventions.h"
#include "registers/screen_parts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmCadCaixa::FrmCadCaixa(const TerminalSettings& settings, Messages& messages, bool binclusao, qint32 codigo_caixa,
                         QWidget* parent)
    : RegisterFormWidget(std::make_unique<CashRegisterRegister>(settings, messages, binclusao, codigo_caixa),
                         messages, QStringLiteral("Vorinda"), QStringLiteral("Caixas"), parent)
{
    setObjectName(QStringLiteral("FrmCadCaixa"));
    using screenparts::label;
    QLineEdit* codigo = edit(QStringLiteral("Text11"));
    QLineEdit* operador = edit(QStringLiteral("Text1"));
    codigo->setEnabled(binclusao);
    codigo->setMaximumWidth(120);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->addWidget(label(QStringLiteral("Código"), this), 0, 0);
    grid->addWidget(codigo, 0, 1);
    grid->addWidget(label(QStringLiteral("Operador"), this), 1, 0);
    grid->addWidget(operador, 1, 1);
    setContent(grid);
    setMinimumWidth(480);

    setTabChain({codigo, operador, okButton(), exitButton()});
    start(binclusao ? codigo : operador);
}
