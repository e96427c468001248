#pragma once

#include "registers/register_form.h"

// FrmCadTabelaPreco without widgets: an entry type's name, price and
// parking flag.
class EntryTypeRegister final : public RegisterForm
{
public:
    // `codigo_tipo_entrada`: the type to change when `binclusao` is false.
    EntryTypeRegister(const TerminalSettings& settings, Messages& messages, bool binclusao,
                      qint32 codigo_tipo_entrada = 0);

    static QList<FormField> formFields();

    // "Estacionamento": stored "S" when ticked, "N" otherwise.
    bool estacionamento() const { return m_estacionamento; }
    void setEstacionamento(bool on) { m_estacionamento = on; }

protected:
    void putDefaults() override;
    QString generatorName() const override { return QStringLiteral("tipo_entrada"); }
    bool load() override;
    Result<int> insert() override;
    Result<int> update() override;

private:
    QString flag() const;

    bool m_estacionamento = false;
};
