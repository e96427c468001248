#pragma once

#include "registers/register_form.h"

// frmCadProdutos without widgets: a product's name, group, unit, stock,
// prices and the two flags.
class ProductRegister final : public RegisterForm
{
public:
    // `codigo_produto`: the product to change when `binclusao` is false.
    ProductRegister(const TerminalSettings& settings, Messages& messages, bool binclusao,
                    qint32 codigo_produto = 0);

    static QList<FormField> formFields();

    // "Ativo": 0 "Não", 1 "Sim".
    int ativo() const { return m_ativo; }
    void setAtivo(int index) { m_ativo = index == 0 ? 0 : 1; }
    // "Gerenciar estoque".
    bool estoque() const { return m_estoque; }
    void setEstoque(bool on) { m_estoque = on; }

    // Leaving "Grupo": shows the group's name; false (focus stays) when a
    // code was typed that no group has. Empty or not a number: the name is
    // emptied and the focus may leave.
    bool checkGroup();
    // A code picked in the group lookup (0: nothing picked).
    void groupPicked(qint32 codigo_consulta);

protected:
    void putDefaults() override;
    QString generatorName() const override { return QStringLiteral("produto"); }
    bool load() override;
    bool readyToSave() override;
    Result<int> insert() override;
    Result<int> update() override;

private:
    enum class Group { Found, Missing, Failed };
    Group lookUpGroup();

    int m_ativo = 1;
    bool m_estoque = true;
};
