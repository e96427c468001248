#pragma once

#include "registers/register_form.h"

// FrmCadGrupo without widgets: a product group's name. A new group is sent
// with the code shown on opening; the database's key rule advances the
// generator with it, and refuses it as a duplicate (-803) when another
// workstation took that code meanwhile, so no group is ever overwritten.
class GroupRegister final : public RegisterForm
{
public:
    // `codigo_grupo`: the group to change when `binclusao` is false.
    GroupRegister(const TerminalSettings& settings, Messages& messages, bool binclusao, qint32 codigo_grupo = 0);

    static QList<FormField> formFields();

protected:
    QString generatorName() const override { return QStringLiteral("grupo"); }
    bool load() override;
    Result<int> insert() override;
    Result<int> update() override;
};
