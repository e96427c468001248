#pragma once

#include "registers/list_screen.h"

#include <QStringList>

// FrmConsultaFornecedores without widgets: suppliers by code, or by part of
// the trade name and of the address within a city; code 0 is never listed.
class SupplierList final : public ListScreen
{
public:
    SupplierList(const TerminalSettings& settings, Messages& messages);

    static constexpr int MinimumRows = 17;

    // The items of "Cidade": an empty first item (any city), then every
    // supplier city in order. A refusal shows its message and leaves the
    // empty item alone.
    QStringList loadCities();

    void setCodigo(const QString& text) { m_codigo = text; }
    void setFantasia(const QString& text) { m_fantasia = text; }
    void setEndereco(const QString& text) { m_endereco = text; }
    void setCidade(const QString& text) { m_cidade = text; }

protected:
    std::optional<Statement> searchStatement() const override;
    QString deleteStatement() const override;

private:
    QString m_codigo;
    QString m_fantasia;
    QString m_endereco;
    QString m_cidade;
};
