#pragma once

#include "registers/list_screen.h"

#include <QStringList>

// frmLocalizaProduto without widgets: products by code, part of the name and
// group, with price and stock.
class ProductFinder final : public ListScreen
{
public:
    ProductFinder(const TerminalSettings& settings, Messages& messages);

    static constexpr int MinimumRows = 15;

    // The items of "Grupo": an empty first item, then every group's name in
    // name order. Loaded on opening; a refusal shows its message and leaves
    // the empty item alone.
    QStringList loadGroups();

    // Filters, as on the screen. Setting one does not reset the grid: the
    // screen calls reset() on every change it sees.
    void setCodigo(const QString& text) { m_codigo = text; }
    void setNome(const QString& text) { m_nome = text; }
    void setGrupo(const QString& text) { m_grupo = text; }

protected:
    std::optional<Statement> searchStatement() const override;
    QString deleteStatement() const override;

private:
    QString m_codigo;
    QString m_nome;
    QString m_grupo;
};
