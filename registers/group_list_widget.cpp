#include "registers/group_list_widget.h"

#include "registers/group_register_widget.h"

FrmConsultaGrupos::FrmConsultaGrupos(const TerminalSettings& settings, Messages& messages, QWidget* parent)
    : CodeNameListWidget(std::make_unique<GroupList>(settings, messages), messages,
                         QStringLiteral("FrmConsultaGrupos"), QStringLiteral("Consultas"), QStringLiteral("Grupos"),
                         parent)
{
}

void FrmConsultaGrupos::openDetails(qint32 code)
{
    // The grid is searched again right after opening; the rename itself does
    // not refill it.
    showRegister(code, new FrmCadGrupo(settings(), messages(), false, code, this), /*refillOnSave*/ false);
}
