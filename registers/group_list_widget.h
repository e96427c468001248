#pragma once

#include "registers/group_list.h"
#include "registers/list_screen_widget.h"

struct TerminalSettings;

// FrmConsultaGrupos: groups by code or name; opens one in FrmCadGrupo for a
// change, deletes one with the Delete key. Caption "Consultas", header "Grupos".
class FrmConsultaGrupos final : public ListScreenWidget
{
    Q_OBJECT

public:
    FrmConsultaGrupos(const TerminalSettings& settings, Messages& messages, QWidget* parent = nullptr);

    GroupList& groups() { return static_cast<GroupList&>(list()); }

protected:
    void openDetails(qint32 code) override;
    void pullFilters() override;

private:
    const TerminalSettings& m_settings;
    QLineEdit* m_codigo = nullptr;
    QLineEdit* m_nome = nullptr;
};
