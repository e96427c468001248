#pragma once

#include "registers/list_screen.h"

// A list searched by code or by part of one name: a typed code alone
// decides; otherwise the name is matched anywhere. Each list gives its two
// statements.
class CodeNameList : public ListScreen
{
public:
    void setCodigo(const QString& text) { m_codigo = text; }
    void setNome(const QString& text) { m_nome = text; }

protected:
    // `byCode` takes the code, `byName` the name as "%Part%".
    CodeNameList(const TerminalSettings& settings, Messages& messages, QList<ListColumn> columns, int minimumRows,
                 QString byCode, QString byName);

    std::optional<Statement> searchStatement() const override;

private:
    const QString m_byCode;
    const QString m_byName;
    QString m_codigo;
    QString m_nome;
};
