#pragma once

#include "registers/list_screen.h"

// FrmConsultaTipoEntrada without widgets: entry types by code or part of
// the name, with their price.
class EntryTypeList final : public ListScreen
{
public:
    EntryTypeList(const TerminalSettings& settings, Messages& messages);

    static constexpr int MinimumRows = 12;

    void setCodigo(const QString& text) { m_codigo = text; }
    void setNome(const QString& text) { m_nome = text; }

protected:
    std::optional<Statement> searchStatement() const override;
    QString deleteStatement() const override;

private:
    QString m_codigo;
    QString m_nome;
};
