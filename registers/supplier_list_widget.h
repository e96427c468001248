#pragma once

#include "registers/list_screen_widget.h"
#include "registers/supplier_list.h"

struct TerminalSettings;

// FrmConsultaFornecedores: suppliers by code, trade name, address and city;
// opens one in FrmCadFornecedores (modally) for a change, deletes one with
// "&Excluir". Caption "Localização de Fornecedores", header "Localização de
// fornecedores".
class FrmConsultaFornecedores final : public ListScreenWidget
{
    Q_OBJECT

public:
    FrmConsultaFornecedores(const TerminalSettings& settings, Messages& messages, QWidget* parent = nullptr);

    SupplierList& suppliers() { return static_cast<SupplierList&>(list()); }

protected:
    void openDetails(qint32 code) override;
    void pullFilters() override;

private:
    QLineEdit* m_codigo = nullptr;
    QLineEdit* m_fantasia = nullptr;
    QLineEdit* m_endereco = nullptr;
    QComboBox* m_cidade = nullptr;
};
