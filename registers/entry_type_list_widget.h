#pragma once

#include "registers/code_name_list_widget.h"
#include "registers/entry_type_list.h"

struct TerminalSettings;

// FrmConsultaTipoEntrada: entry types by code or name; opens one in
// FrmCadTabelaPreco for a change, deletes one. Caption "Consultas", header
// "Tipo de entrada".
class FrmConsultaTipoEntrada final : public CodeNameListWidget
{
    Q_OBJECT

public:
    FrmConsultaTipoEntrada(const TerminalSettings& settings, Messages& messages, QWidget* parent = nullptr);

    EntryTypeList& types() { return static_cast<EntryTypeList&>(list()); }

protected:
    void openDetails(qint32 code) override;
};
