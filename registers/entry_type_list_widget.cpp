#include "registers/entry_type_list_widget.h"

#include "registers/entry_type_register_widget.h"

FrmConsultaTipoEntrada::FrmConsultaTipoEntrada(const TerminalSettings& settings, Messages& messages,
                                               QWidget* parent)
    : CodeNameListWidget(std::make_unique<EntryTypeList>(settings, messages), messages,
                         QStringLiteral("FrmConsultaTipoEntrada"), QStringLiteral("Consultas"),
                         QStringLiteral("Tipo de entrada"), parent)
{
}

void FrmConsultaTipoEntrada::openDetails(qint32 code)
{
    showRegister(code, new FrmCadTabelaPreco(settings(), messages(), false, code, this));
}
