#pragma once

#include "registers/register_form.h"

// FrmCadEstabelecimento without widgets: the one row of the business, whose
// trade name heads every ticket. It is only ever changed, never created.
class Establishment final : public RegisterForm
{
public:
    Establishment(const TerminalSettings& settings, Messages& messages);

    static QList<FormField> formFields();

protected:
    bool load() override;
    Result<int> insert() override;
    Result<int> update() override;
    // The row is made with the database; an update that finds none changes
    // nothing and says nothing.
    bool missingRowIsRefused() const override { return false; }
};
