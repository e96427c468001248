#include "registers/cash_register_register_widget.h"

#include "common/key_conventions.h"
#include "registers/screen_parts.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

FrmCadCaixa::FrmCadCaixa(const TerminalSettings& settings, Messages& messages, bool binclusao, qint32 codigo_caixa,
                         QWidget* parent)
    : RegisterFormWidget(std::make_unique<CashRegisterRegister>(settings, messages, binclusao, codigo_caixa),
                         messages, QStringLiteral("Vorinda"), QStringLiteral("Caixas"), parent)
{
    setObjectName(QStringLiteral("FrmCadCaixa"));
    QLineEdit* codigo = edit(QStringLiteral("Text11"));
    QLineEdit* operador = edit(QStringLiteral("Text1"));
    codigo->setEnabled(binclusao);
    codigo->setMaximumWidth(120);
    setContent(screenparts::labelledRows(
        {{QStringLiteral("Código"), codigo}, {QStringLiteral("Operador"), operador}}, this));
    setMinimumWidth(480);

    setTabChain({codigo, operador, okButton(), exitButton()});
    start(binclusao ? codigo : operador);
}
