#pragma once

#include "db/result.h"

#include <QList>
#include <QString>
#include <QtGlobal>

class Connection;

// What the generic lookup dialog (FrmConsulta) does, without widgets: one
// search by the beginning of a name in one of three tables, and the code the
// user picked. The opener chooses the table by its key (cTipoConsula).
class LookupSearch
{
public:
    struct Row
    {
        qint32 ncodigo = 0;
        QString cnome;
    };

    // `cTipoConsula`: "Produtos", "Grupos" or "Fornecedores".
    LookupSearch(Connection& conexao, const QString& cTipoConsula);

    static bool isKnownKind(const QString& cTipoConsula);
    bool isKnownKind() const { return isKnownKind(m_kind); }
    QString kind() const { return m_kind; }
    // Window caption and header title of the kind.
    QString caption() const;

    // The statement of the kind with "?" for the name prefix (and for the
    // active flag of products).
    QString statement() const;

    void setFilter(const QString& text) { m_filter = text; }
    QString filter() const { return m_filter; }
    // "Mostrar somente ativos"; checked when the dialog opens.
    void setOnlyActive(bool on) { m_onlyActive = on; }
    bool onlyActive() const { return m_onlyActive; }

    // Runs the statement for the filter in proper case; the rows replace the
    // previous ones (left empty on a failure).
    Result<void> search();
    const QList<Row>& rows() const { return m_rows; }

    // Picks the row at `index`; false (and nothing picked) for a row that does
    // not exist, like an empty line of the grid.
    bool pick(int index);
    // The picked code, 0 when nothing was picked.
    qint32 codigo_consulta() const { return m_codigo; }

private:
    Connection& m_conexao;
    QString m_kind;
    QString m_filter;
    bool m_onlyActive = true;
    QList<Row> m_rows;
    qint32 m_codigo = 0;
};
