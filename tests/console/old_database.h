#pragma once

#include "db/connection.h"
#include "db/database_creator.h"

#include <QFile>
#include <QTemporaryDir>

// ANTIGO.fdb as the older program kept its sales: one table venda in which
// every row carried its one product and was active or cancelled as a whole.
// csituacao is a CHAR column, as such flags often were: its values come back
// padded. Made once per process, copied for each use.
namespace olddb {

inline const QString insertSale = QStringLiteral(
    "insert into venda (ncodigo, ncaixa_venda, ddata_venda, cforma_pagamento, ntotal, csituacao, "
    "ddata_exclusao, cmotivo_exclusao, ncaixa_exclusao, nproduto, nqtde, nunitario, nnumero) "
    "values (?,?,?,?,?,?,?,?,?,?,?,?,?)");

// Old sales `first`..`last` in one block: code minutes after 2024-01-01 18:00,
// active, product 1 + code % 15,
// two units at 3.50, document number 5000 + code, every fifth cancelled.
inline QString fillStatement(int first, int last)
{
    return QStringLiteral(
               "execute block as declare i integer = %1; begin while (i <= %2) do begin "
               "insert into venda values (:i, 1 + mod(:i, 3), dateadd(:i minute to timestamp '2024-01-01 18:00:00'), "
               "'Dinheiro', 7, iif(mod(:i, 5) = 0, 'Excluido', 'Ativo'), "
               "iif(mod(:i, 5) = 0, timestamp '2024-01-02 01:00:00', null), iif(mod(:i, 5) = 0, 'Erro', null), "
               "iif(mod(:i, 5) = 0, 2, null), 1 + mod(:i, 15), 2, 3.5, 5000 + :i); i = i + 1; end end")
        .arg(first)
        .arg(last);
}

// The empty old database at `path`; the error text, empty when made.
inline QString create(const QString& path)
{
    static QTemporaryDir folder;
    static QString made;
    static QString error;
    if (made.isEmpty() && error.isEmpty()) {
        const QString model = folder.filePath(QStringLiteral("antigo.fdb"));
        CreateOptions options;
        options.synchronousWrites = false;
        // The program's own database minus its sales, plus the old table.
        options.extraStatements = {
            QStringLiteral("drop trigger caixa_bd"),   // it reads the sales tables
            QStringLiteral("drop table item_venda"),
            QStringLiteral("drop table venda"),
            QStringLiteral("create table venda (ncodigo integer not null primary key, ncaixa_venda integer, "
                           "ddata_venda timestamp, cforma_pagamento varchar(40), ntotal numeric(15,2), "
                           "csituacao char(10), ddata_exclusao timestamp, cmotivo_exclusao varchar(100), "
                           "ncaixa_exclusao integer, nproduto integer, nqtde numeric(15,3), "
                           "nunitario numeric(15,2), nnumero integer)"),
        };
        if (Result<void> created = createDatabase(model, false, options); created)
            made = model;
        else
            error = created.failure().description();
    }
    if (!error.isEmpty())
        return error;
    QFile::remove(path);
    if (!QFile::copy(made, path))
        return QStringLiteral("Não foi possível copiar o banco antigo para %1.").arg(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup);
    return QString();
}

} // namespace olddb
