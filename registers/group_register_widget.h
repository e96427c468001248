#pragma once

#include "registers/group_register.h"
#include "registers/register_form_widget.h"

// FrmCadGrupo: creates groups (`binclusao` true) or renames the group
// `codigo_grupo`. Caption "Vorinda", header "Grupos".
class FrmCadGrupo final : public RegisterFormWidget
{
    Q_OBJECT

public:
    FrmCadGrupo(const TerminalSettings& settings, Messages& messages, bool binclusao, qint32 codigo_grupo = 0,
                QWidget* parent = nullptr);

    GroupRegister& group() { return static_cast<GroupRegister&>(form()); }
};
