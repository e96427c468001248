#pragma once

#include "registers/register_form_widget.h"
#include "registers/supplier_register.h"

class QComboBox;
class QLabel;

// FrmCadFornecedores: creates suppliers (`binclusao` true) or changes the
// supplier `codigo_fornecedor`, on the pages "Dados Principais" and "Dados
// Residênciais". Caption "Cadastro de Fornecedores", header "Cadastro de
// fornecedores".
class FrmCadFornecedores final : public RegisterFormWidget
{
    Q_OBJECT

public:
    FrmCadFornecedores(const TerminalSettings& settings, Messages& messages, bool binclusao,
                       qint32 codigo_fornecedor = 0, QWidget* parent = nullptr);

    SupplierRegister& supplier() { return static_cast<SupplierRegister&>(form()); }

protected:
    void pushExtras() override;
    void pullExtras() override;

private:
    void relabel();

    QComboBox* m_natureza = nullptr;
    QLabel* m_firstNumber = nullptr;
    QLabel* m_secondNumber = nullptr;
};
