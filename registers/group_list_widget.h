#pragma once

#include "registers/code_name_list_widget.h"
#include "registers/group_list.h"

struct TerminalSettings;

// FrmConsultaGrupos: groups by code or name; opens one in FrmCadGrupo for a
// change, deletes one with the Delete key. Caption "Consultas", header "Grupos".
class FrmConsultaGrupos final : public CodeNameListWidget
{
    Q_OBJECT

public:
    FrmConsultaGrupos(const TerminalSettings& settings, Messages& messages, QWidget* parent = nullptr);

    GroupList& groups() { return static_cast<GroupList&>(list()); }

protected:
    void openDetails(qint32 code) override;
};
