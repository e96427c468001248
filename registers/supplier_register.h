#pragma once

#include "registers/register_form.h"

// FrmCadFornecedores without widgets: a supplier's names, natural or legal
// person with the matching numbers, contact and address. A new supplier is
// sent with the code shown on opening, as groups are: the key rule advances
// the generator with it and refuses a code taken meanwhile (-803).
class SupplierRegister final : public RegisterForm
{
public:
    // `codigo_fornecedor`: the supplier to change when `binclusao` is false.
    SupplierRegister(const TerminalSettings& settings, Messages& messages, bool binclusao,
                     qint32 codigo_fornecedor = 0);

    static QList<FormField> formFields();

    // "Natureza": 0 "Pessoa Física", 1 "Pessoa Juridica"; stored as the index.
    int natureza() const { return m_natureza; }
    void setNatureza(int index) { m_natureza = index == 0 ? 0 : 1; }
    // The labels of the two number fields for the chosen "Natureza":
    // "Cpf"/"Rg" or "Cnpj"/"Ie".
    QString firstNumberLabel() const;
    QString secondNumberLabel() const;

protected:
    void putDefaults() override { m_natureza = 0; }
    QString generatorName() const override { return QStringLiteral("fornecedor"); }
    bool load() override;
    Result<int> insert() override;
    Result<int> update() override;

private:
    // The values both statements take first, in the same order: "Fantasia"
    // to "Endereço".
    SqlParams namesToAddress() const;

    int m_natureza = 0;
};
