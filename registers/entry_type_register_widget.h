#pragma once

#include "registers/entry_type_register.h"
#include "registers/register_form_widget.h"

class QCheckBox;

// FrmCadTabelaPreco: creates entry types (`binclusao` true) or changes the
// type `codigo_tipo_entrada`. Caption "Cadastros", header "Tipo de entrada".
class FrmCadTabelaPreco final : public RegisterFormWidget
{
    Q_OBJECT

public:
    FrmCadTabelaPreco(const TerminalSettings& settings, Messages& messages, bool binclusao,
                      qint32 codigo_tipo_entrada = 0, QWidget* parent = nullptr);

    EntryTypeRegister& entryType() { return static_cast<EntryTypeRegister&>(form()); }

protected:
    void pushExtras() override;
    void pullExtras() override;

private:
    QCheckBox* m_estacionamento = nullptr;
};
