#pragma once

#include "registers/entry_type_list.h"
#include "registers/list_screen_widget.h"

struct TerminalSettings;

// FrmConsultaTipoEntrada: entry types by code or name; opens one in
// FrmCadTabelaPreco for a change, deletes one. Caption "Consultas", header
// "Tipo de entrada".
class FrmConsultaTipoEntrada final : public ListScreenWidget
{
    Q_OBJECT

public:
    FrmConsultaTipoEntrada(const TerminalSettings& settings, Messages& messages, QWidget* parent = nullptr);

    EntryTypeList& types() { return static_cast<EntryTypeList&>(list()); }

protected:
    void openDetails(qint32 code) override;
    void pullFilters() override;

private:
    const TerminalSettings& m_settings;
    QLineEdit* m_codigo = nullptr;
    QLineEdit* m_nome = nullptr;
};
