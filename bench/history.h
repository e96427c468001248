#pragma once

// A year of history for the benchmarks: 365 business days from 18:00, each
// about 2,740 sale lines (three to a sale, four cash registers) and 800
// entries, every twentieth line and entry cancelled; about 1,000,000 sale
// lines in all. Built once with EXECUTE BLOCK loops and kept in
// $VORINDA_BENCH_DIR (default: `defaultFolder` in the temporary directory),
// so later runs start at once; delete the folder to build it again.

#include "db/connection.h"
#include "db/database_creator.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace history {

constexpr int Days = 365;
constexpr int LinesPerDay = 2740;      // three lines a sale
constexpr int EntriesPerDay = 800;
inline const QDate LastDay(2026, 12, 4);

inline void say(const QString& text)
{
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

[[noreturn]] inline void fail(const QString& what, const Failure& failure)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(failure.description()));
    std::exit(1);
}

template <typename T>
T check(Result<T> result, const char* what)
{
    if (!result)
        fail(QString::fromLatin1(what), result.failure());
    return std::move(*result);
}

inline void check(Result<void> result, const char* what)
{
    if (!result)
        fail(QString::fromLatin1(what), result.failure());
}

// One business day of sales and entries from 18:00 of `day`: a sale every
// 45 s (lines every 15 s), an entry every 54 s; every twentieth line and
// entry cancelled ten minutes later at cash register 1. A blank stands after
// the colon of each variable, or Qt would take ":v" for a named placeholder.
inline QString dayBlock()
{
    return QStringLiteral(
        "execute block (d0 timestamp = ?, p0 integer = ?, t0 integer = ?) as "
        "declare i integer; declare v integer; declare n integer; declare t timestamp; "
        "begin "
        "  i = 0; v = 0; "
        "  while (i < %1) do begin "
        "    t = dateadd(i * 15 second to d0); "
        "    if (mod(i, 3) = 0) then begin "
        "      v = gen_id(venda, 1); "
        "      insert into venda (ncodigo, ncaixa_venda, ddata_venda, cforma_pagamento, ntotal, nvalor_pago, ntroco) "
        "      values (: v, mod(: i, 4) + 1, : t, 'Dinheiro', 24, 30, 6); "
        "    end "
        "    n = gen_id(numero_venda, 1); "
        "    insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal, cexcluido, "
        "      ncaixa_exclusao, ddata_exclusao, cmotivo_exclusao, nnumero, cvenda_interna) "
        "    values (null, : v, : p0 + mod(: n, 20), 1 + mod(: n, 3), 8, 8 * (1 + mod(: n, 3)), "
        "      iif(mod(: n, 20) = 0, 'Sim', 'Nao'), iif(mod(: n, 20) = 0, 1, null), "
        "      iif(mod(: n, 20) = 0, dateadd(10 minute to : t), null), '', : n, 'N'); "
        "    i = i + 1; "
        "  end "
        "  i = 0; "
        "  while (i < %2) do begin "
        "    t = dateadd(i * 54 second to d0); "
        "    n = gen_id(numero_entrada, 1); "
        "    insert into entrada (ncodigo, ddata_entrada, ntipo_entrada, ncaixa_entrada, nvalor, cexcluida, "
        "      ddata_exclusao, ncaixa_exclusao, cmotivo_exclusao, cforma_pagamento, nnumero) "
        "    values (gen_id(entrada, 1), : t, : t0 + mod(: n, 4), mod(: i, 2) + 1, 30, "
        "      iif(mod(: n, 20) = 0, 'Sim', 'Nao'), iif(mod(: n, 20) = 0, dateadd(10 minute to : t), null), "
        "      iif(mod(: n, 20) = 0, 1, null), '', 'Dinheiro', : n); "
        "    i = i + 1; "
        "  end "
        "end").arg(LinesPerDay).arg(EntriesPerDay);
}

inline void build(Connection& db)
{
    QElapsedTimer timer;
    timer.start();
    check(db.execute(QStringLiteral("insert into grupo (ncodigo, cdescricao) values (null, ?)"),
                     {SqlValue::text(QStringLiteral("Bancada"))}), "group");
    const qint64 group = check(db.select(QStringLiteral("select max(ncodigo) as m from grupo")), "group")
                             .integer(0, QStringLiteral("m"));
    for (int i = 0; i < 20; ++i) {
        check(db.execute(QStringLiteral("insert into produto (ncodigo, cdescricao, ngrupo, nvalor_venda) "
                                        "values (null, ?, ?, 8)"),
                         {SqlValue::text(QStringLiteral("Produto de bancada %1").arg(i + 1)),
                          SqlValue::integer(group)}), "product");
    }
    for (int i = 0; i < 4; ++i) {
        check(db.execute(QStringLiteral("insert into tipo_entrada (ncodigo, cnome, nvalor, cestacionamento) "
                                        "values (null, ?, 30, 'N')"),
                         {SqlValue::text(QStringLiteral("Entrada de bancada %1").arg(i + 1))}), "type");
    }
    const qint64 p0 = check(db.select(QStringLiteral("select max(ncodigo) - 19 as m from produto")), "p0")
                          .integer(0, QStringLiteral("m"));
    const qint64 t0 = check(db.select(QStringLiteral("select max(ncodigo) - 3 as m from tipo_entrada")), "t0")
                          .integer(0, QStringLiteral("m"));
    const QString block = dayBlock();
    for (int d = Days - 1; d >= 0; --d) {
        const QDateTime start(LastDay.addDays(-d), QTime(18, 0));
        check(db.execute(block, {SqlValue::timestamp(start), SqlValue::integer(p0), SqlValue::integer(t0)}),
              "day");
        if (d % 73 == 0)
            say(QStringLiteral("  ... %1 days built, %2 s").arg(Days - d).arg(timer.elapsed() / 1000.0, 0, 'f', 1));
    }
    say(QStringLiteral("history built in %1 s").arg(timer.elapsed() / 1000.0, 0, 'f', 1));
}

// Opens the year of history on `db`, building it first when the folder has
// none; `defaultFolder` names the folder when $VORINDA_BENCH_DIR is not set.
inline void open(Connection& db, const QString& defaultFolder)
{
    QString folder = qEnvironmentVariable("VORINDA_BENCH_DIR");
    if (folder.isEmpty())
        folder = QDir::temp().filePath(defaultFolder);
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("history.fdb"));
    if (!QFile::exists(path)) {
        say(QStringLiteral("building %1 days of history in %2").arg(Days).arg(path));
        check(createDatabase(path, false), "create");
        check(setForcedWrites(path, false), "forced writes");
    } else {
        say(QStringLiteral("reusing %1").arg(path));
    }
    check(db.open(path), "open");
    const bool empty = check(db.select(QStringLiteral("select count(*) from item_venda")), "count")
                           .integer(0, QStringLiteral("count")) == 0;
    if (empty)
        build(db);
    const qint64 lines = check(db.select(QStringLiteral("select count(*) from item_venda")), "count")
                             .integer(0, QStringLiteral("count"));
    const qint64 entries = check(db.select(QStringLiteral("select count(*) from entrada")), "count")
                               .integer(0, QStringLiteral("count"));
    say(QStringLiteral("history: %1 sale lines, %2 entries").arg(lines).arg(entries));
}

} // namespace history
