#pragma once

#include "registers/list_screen_widget.h"
#include "registers/product_finder.h"

struct TerminalSettings;

// frmLocalizaProduto: the list of products by code, name and group; opens a
// product in frmCadProdutos for a change, deletes one. Caption "Consultas",
// header "Produtos".
class FrmLocalizaProduto final : public ListScreenWidget
{
    Q_OBJECT

public:
    FrmLocalizaProduto(const TerminalSettings& settings, Messages& messages, QWidget* parent = nullptr);

    ProductFinder& finder() { return static_cast<ProductFinder&>(list()); }

protected:
    void openDetails(qint32 code) override;
    void pullFilters() override;

private:
    QLineEdit* m_codigo = nullptr;
    QLineEdit* m_nome = nullptr;
    QComboBox* m_grupo = nullptr;
};
