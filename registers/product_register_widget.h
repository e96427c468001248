#pragma once

#include "registers/product_register.h"
#include "registers/register_form_widget.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QPushButton;

// frmCadProdutos: creates products (`binclusao` true) or changes the product
// `codigo_produto`. Caption "Cadastros", header "Produtos".
class FrmCadProdutos final : public RegisterFormWidget
{
    Q_OBJECT

public:
    FrmCadProdutos(const TerminalSettings& settings, Messages& messages, bool binclusao,
                   qint32 codigo_produto = 0, QWidget* parent = nullptr);

    ProductRegister& product() { return static_cast<ProductRegister&>(form()); }

    // F11 in "Grupo" opens the group register, modally, to create a group.
    // That register lives elsewhere: whoever builds it hands its opener here.
    using GroupRegisterOpener = std::function<void(QWidget* parent)>;
    static void setGroupRegisterOpener(GroupRegisterOpener opener);

    // F12 in "Grupo", or "...": the group lookup; its code fills "Grupo".
    void lookUpGroup();

protected:
    void pushExtras() override;
    void pullExtras() override;
    bool screenKey(QKeyEvent* event, QWidget* field) override;

private:
    bool leaveGroup();

    const TerminalSettings& m_settings;
    QComboBox* m_ativo = nullptr;
    QCheckBox* m_estoque = nullptr;
    QPushButton* m_lookup = nullptr;
};
