#pragma once

#include "registers/list_screen.h"

// FrmConsultaGrupos without widgets: groups by code or part of the name.
class GroupList final : public ListScreen
{
public:
    GroupList(const TerminalSettings& settings, Messages& messages);

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
