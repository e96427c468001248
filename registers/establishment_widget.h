#pragma once

#include "registers/establishment.h"
#include "registers/register_form_widget.h"

// FrmCadEstabelecimento: the establishment's names and contacts; "&Gravar"
// changes the one row and closes.
class FrmCadEstabelecimento final : public RegisterFormWidget
{
    Q_OBJECT

public:
    FrmCadEstabelecimento(const TerminalSettings& settings, Messages& messages, QWidget* parent = nullptr);
};
