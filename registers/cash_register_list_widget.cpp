#include "registers/cash_register_list_widget.h"

#include "registers/cash_register_register_widget.h"

FrmConsultaCaixa::FrmConsultaCaixa(const TerminalSettings& settings, Messages& messages, QWidget* parent)
    : ListScreenWidget(std::make_unique<CashRegisterList>(settings, messages), messages, QStringLiteral("Consultas"),
                       QStringLiteral("Caixas"), parent)
{
    setObjectName(QStringLiteral("FrmConsultaCaixa"));
    setFilledOnOpening(true);
    setRefillAfterDetails(false);
    setMinimumWidth(560);
    setContent(nullptr);
    setFilterChain({});
}

void FrmConsultaCaixa::openDetails(qint32 code)
{
    showRegister(code, new FrmCadCaixa(settings(), messages(), false, code, this));
}
