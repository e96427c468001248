#include "db/connection.h"
#include "tests/support/test_database.h"

#include <QDateTime>
#include <QTest>

// What the screens rely on the database to do: positional inserts, keys
// and dates filled by triggers, refusals with their codes and
// operator texts, cascades, the base and demo rows.
class TestSchema : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    Connection& c() { return m_db->connection(); }
    qint64 number(const QString& sql)
    {
        const Result<Rows> rows = c().select(sql);
        return rows ? rows->integer(0, rows->columns().first()) : -1;
    }
    qint64 gen(const QString& name) { return c().generator(name, 0).value(); }
    void run(const QString& sql)
    {
        const Result<int> r = c().execute(sql);
        QVERIFY2(r.ok(), qPrintable(sql + QStringLiteral(": ") + (r.ok() ? QString() : r.failure().description())));
    }

private slots:
    // The demo catalogue with one sale of product 1 and one purchase line.
    void init()
    {
        m_db = std::make_unique<TestDatabase>(TestDatabase::Demo);
        QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
        run(QStringLiteral("insert into venda (ncodigo, ncaixa_venda) values (null, 1)"));
        run(QStringLiteral("insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal, cexcluido, nnumero) "
                           "values (null, 1, 1, 2, 7, 14, 'Nao', 1)"));
        run(QStringLiteral("insert into compra values(null,'2026-12-04',1,'1',0,'',0,0,0)"));
        run(QStringLiteral("insert into item_da_compra values(null,1,1,24,3.2,76.8)"));
    }
    void cleanup() { m_db.reset(); }

    // Positional inserts (a "?" bound to 1), cascades, demo rows; `check` reads its last row.
    void statementsLeaveWhatIsExpected_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("expected");
        QTest::addRow("entry by type name")
            << "insert into entrada values(?,null,(select ncodigo from tipo_entrada where cnome = 'Entrada Meia'),3,15.00,'Nao',null,null,null,'Pix',7)"
            << "select ntipo_entrada || '|' || ncaixa_entrada || '|' || nvalor || '|' || cexcluida || '|' || cforma_pagamento || '|' "
               "|| nnumero from entrada where ncodigo = 1"
            << "2|3|15.00|Nao|Pix|7";
        QTest::addRow("migrated sale line gets the sale flag")
            << "insert into item_venda (ncodigo,nvenda,nproduto,nqtde,npreco,ntotal,cexcluido,ncaixa_exclusao,ddata_exclusao,"
               "cmotivo_exclusao,nnumero) values (null,?,1,1,7,7,'Sim',2,'2026-12-04 23:10','',55)"
            << "select cexcluido || '|' || ncaixa_exclusao || '|' || nnumero || '|' || cvenda_interna from item_venda order by ncodigo"
            << "Sim|2|55|N";
        QTest::addRow("product of twelve values")
            << "insert into produto values(null,'Suco', 3, 10, 9, 2.5, 8, 1,'Copo',1,0,4)"
            << "select ncodigo || '|' || ngrupo || '|' || nqtde_inicial || '|' || nqtde_atual || '|' || nvalor_compra || '|' "
               "|| nvalor_venda || '|' || nqtde_minima || '|' || cunidade || '|' || nativo || '|' || nestoque || '|' || nvalor_interno "
               "from produto where cdescricao = 'Suco'"
            << "16|3|10.000|9.000|2.50|8.00|1.000|Copo|1|0|4.00";
        const QString linesLeft = QStringLiteral("select (select count(*) from item_venda) || '|' || (select count(*) from item_da_compra)"
                                                 " || '|' || (select count(*) from produto where ncodigo = 1) from rdb$database");
        QTest::addRow("migration deletes the sales and their lines") << "delete from venda" << linesLeft << "0|1|1";
        QTest::addRow("a cancelled purchase takes its lines") << "delete from compra where ncodigo = 1" << linesLeft << "1|0|1";
        // CHAR comes back padded, and "N" would no longer equal "N".
        QTest::addRow("no padded text columns") << ""
            << "select count(*) from rdb$relation_fields rf join rdb$fields f on f.rdb$field_name = rf.rdb$field_source "
               "join rdb$relations r on r.rdb$relation_name = rf.rdb$relation_name "
               "where coalesce(r.rdb$system_flag, 0) = 0 and f.rdb$field_type = 14" << "0";
        QTest::addRow("generators past the demo codes") << ""
            << "select (gen_id(produto,0) - (select max(ncodigo) from produto)) || '|' || (gen_id(grupo,0) - (select max(ncodigo) from grupo))"
               " || '|' || (gen_id(tipo_entrada,0) - (select max(ncodigo) from tipo_entrada)) from rdb$database" << "0|0|0";
    }
    void statementsLeaveWhatIsExpected()
    {
        QFETCH(QString, sql);
        QFETCH(QString, check);
        QFETCH(QString, expected);
        if (!sql.isEmpty()) {
            const Result<int> done = c().execute(sql, sql.contains(u'?') ? SqlParams{SqlValue::integer(1)} : SqlParams{});
            QVERIFY2(done.ok(), qPrintable(done.ok() ? QString() : done.failure().description()));
        }
        const Result<Rows> rows = c().select(check);
        QVERIFY2(rows.ok(), qPrintable(rows.ok() ? QString() : rows.failure().description()));
        QCOMPARE(rows->text(rows->count() - 1, rows->columns().first()), expected);
    }

    // A fresh installation: the place, one cash register, the reserved
    // suppliers 0 and 1 (the next is shown 2), no catalogue, the working hours.
    void baseRows()
    {
        TestDatabase base;
        QVERIFY2(base.ok(), qPrintable(base.error()));
        const Result<Rows> rows = base.connection().select(QStringLiteral(
            "select (select count(*) from estabelecimento where ncodigo = 1) || (select count(*) from caixa) "
            "|| (select count(*) from fornecedor) || gen_id(fornecedor, 0) || (select count(*) from produto) "
            "|| (select count(*) from grupo) || (select count(*) from tipo_entrada) || (select count(*) from temp) "
            "|| (select count(*) from horario where thora1 = '18:00' and thora2 = '06:00') as n from rdb$database"));
        QCOMPARE(rows->text(0, QStringLiteral("n")), QStringLiteral("112100001"));
    }

    void keyRule_data()
    {
        QTest::addColumn<QString>("generator");
        QTest::addColumn<QString>("insert"); // "%1" is the key given
        const auto add = [](const char* table, const char* generator, const char* insert) {
            QTest::addRow("%s", table) << QString::fromLatin1(generator) << QString::fromLatin1(insert);
        };
        add("grupo", "grupo", "insert into grupo values(%1, 'Novo')");
        add("tipo_entrada", "tipo_entrada", "insert into tipo_entrada values(%1, 'Tipo ' || gen_id(grupo, 1), 5, 'N')");
        add("fornecedor", "fornecedor", "insert into fornecedor (ncodigo, cfantasia) values (%1, 'F')");
        add("produto", "produto", "insert into produto (ncodigo, cdescricao, ngrupo) values (%1, 'P', 1)");
        add("compra", "codigo_compra", "insert into compra (ncodigo, nfornecedor) values (%1, 1)");
        add("item_da_compra", "item_da_compra", "insert into item_da_compra values (%1, 1, 1, 1, 1, 1)");
        add("item_venda", "item_venda", "insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal) values (%1, 1, 1, 1, 1, 1)");
        add("venda", "venda", "insert into venda (ncodigo) values (%1)");
        add("entrada", "entrada", "insert into entrada (ncodigo, ntipo_entrada, nvalor) values (%1, 1, 1)");
    }
    void keyRule()
    {
        QFETCH(QString, generator);
        QFETCH(QString, insert);
        const QString maxKey = QStringLiteral("select max(ncodigo) from %1").arg(QLatin1String(QTest::currentDataTag()));
        const qint64 start = gen(generator);
        // A null key is drawn; a code shown as generator + 1 is stored and moves it on.
        run(insert.arg(QStringLiteral("null")));
        QCOMPARE(number(maxKey), start + 1);
        run(insert.arg(start + 2));
        QCOMPARE(number(maxKey), start + 2);
        QCOMPARE(gen(generator), start + 2);
        // A drawn key stays; a code far ahead cannot make the generator skip; a taken code stays taken.
        const qint64 drawn = c().generator(generator, 1).value();
        run(insert.arg(drawn));
        QCOMPARE(gen(generator), drawn);
        run(insert.arg(drawn + 50));
        QCOMPARE(number(maxKey), drawn + 1);
        const Result<int> again = c().execute(insert.arg(drawn));
        QVERIFY(!again.ok());
        QCOMPARE(again.failure().code, QStringLiteral("-803"));
    }

    // Date and time of day from the database's clock when none is given; a
    // migrated row keeps the moment it was given.
    void momentFilledOnlyWhenNull_data()
    {
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("read");
        QTest::addRow("sale") << "insert into venda (ncodigo, ddata_venda) values (null, ?)"
                              << "select ddata_venda as moment from venda order by ncodigo desc";
        QTest::addRow("entry") << "insert into entrada (ncodigo, ddata_entrada, ntipo_entrada, nvalor) values (null, ?, 1, 30)"
                               << "select ddata_entrada as moment from entrada order by ncodigo desc";
    }
    void momentFilledOnlyWhenNull()
    {
        QFETCH(QString, insert);
        QFETCH(QString, read);
        const QString now = QStringLiteral("select current_timestamp as moment from rdb$database");
        const QString moment = QStringLiteral("moment");
        const QDateTime before = c().select(now)->dateTime(0, moment);
        QVERIFY(c().execute(insert, {SqlValue::null()}).ok());
        const QDateTime stored = c().select(read)->dateTime(0, moment);
        QVERIFY2(stored >= before && stored <= c().select(now)->dateTime(0, moment), qPrintable(stored.toString(Qt::ISODateWithMs)));
        const QDateTime given(QDate(2026, 12, 5), QTime(1, 30));
        QVERIFY(c().execute(insert, {SqlValue::timestamp(given)}).ok());
        QCOMPARE(c().select(read)->dateTime(0, moment), given);
    }

    // The cancellation is stamped without the program sending the moment;
    // another change does not stamp it, cancelling again keeps the first.
    void cancellationMomentStamped_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addRow("item_venda") << "cexcluido";
        QTest::addRow("entrada") << "cexcluida";
    }
    void cancellationMomentStamped()
    {
        QFETCH(QString, flag);
        const QString table = QString::fromLatin1(QTest::currentDataTag());
        const QString moment = QStringLiteral("select ddata_exclusao from %1").arg(table);
        run(QStringLiteral("insert into entrada (ncodigo, ntipo_entrada, nvalor, cexcluida) values (null, 1, 30, 'Nao')"));
        run(QStringLiteral("update %1 set ncaixa_exclusao = 2").arg(table));
        QVERIFY(c().select(moment)->isNull(0, QStringLiteral("ddata_exclusao")));
        run(QStringLiteral("update %1 set %2 = 'Sim', cmotivo_exclusao = '', ncaixa_exclusao = 2").arg(table, flag));
        const QDateTime stamped = c().select(moment)->dateTime(0, QStringLiteral("ddata_exclusao"));
        QVERIFY(stamped.isValid());
        QTest::qWait(20);
        run(QStringLiteral("update %1 set %2 = 'Sim', ncaixa_exclusao = 3").arg(table, flag));
        QCOMPARE(c().select(moment)->dateTime(0, QStringLiteral("ddata_exclusao")), stamped);
    }

    // `sentence` is what the operator reads after "{ini}" (-836 only).
    void refusals_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("sentence");
        const auto refused = [](const char* name, const char* sql, const char* code) {
            QTest::addRow("%s", name) << QString::fromUtf8(sql) << QString::fromLatin1(code) << QString();
        };
        refused("cash register that exists", "insert into caixa values(1, 'Outro')", "-803");
        refused("entry type name taken", "insert into tipo_entrada values(null, 'Entrada Vip', 1, 'N')", "-803");
        refused("group with products", "delete from grupo where ncodigo = 1", "-530");
        refused("product with sale lines", "delete from produto where ncodigo = 1", "-530");
        refused("product of an unknown group", "insert into produto (ncodigo, ngrupo) values (null, 99)", "-530");
        const auto told = [](const char* name, const char* sql, const char* sentence) {
            QTest::addRow("%s", name) << QString::fromUtf8(sql) << QStringLiteral("-836") << QString::fromUtf8(sentence);
        };
        told("the establishment row", "delete from estabelecimento", "O registro do estabelecimento não pode ser excluído!");
        told("reserved supplier", "delete from fornecedor where ncodigo = 0",
             "Os fornecedores de código 0 e 1 são reservados pelo sistema e não podem ser excluídos!");
        const char* quantity = "A quantidade do item deve ser maior que zero!";
        told("sale line of quantity 0",
             "insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal) values (null, 1, 1, 0, 7, 0)", quantity);
        told("purchase line of quantity 0", "insert into item_da_compra values (null, 1, 1, 0, 1, 0)", quantity);
        told("sale line of negative price",
             "insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal) values (null, 1, 1, 1, -7, -7)",
             "O preço do item não pode ser negativo!");
        told("entry of negative value", "insert into entrada (ncodigo, ntipo_entrada, nvalor) values (null, 1, -30)",
             "O valor da entrada não pode ser negativo!");
        const char* product = "Os preços e as quantidades do produto não podem ser negativos!";
        told("new product of negative price",
             "insert into produto values (null, 'Gelo', 1, 0, 0, 0, -1, 0, 'Un', 1, 1, 0)", product);
        told("product's stock changed to below zero", "update produto set nqtde_atual = -2 where ncodigo = 1", product);
        told("entry type's price changed to below zero", "update tipo_entrada set nvalor = -1 where ncodigo = 1",
             "O preço do tipo de entrada não pode ser negativo!");
        told("entry of a type not registered",
             "insert into entrada values(null,null,(select ncodigo from tipo_entrada where cnome = 'Nenhum'),1,30,'Nao',null,null,null,'Dinheiro',1)",
             "O tipo de entrada informado não está cadastrado!");
        told("purchase of a supplier not registered",
             "insert into compra values(null,'2026-12-04',(select ncodigo from fornecedor where cfantasia ='Ninguém'),'1',0,'',0,0,0)",
             "O fornecedor informado não está cadastrado!");
    }
    void refusals()
    {
        QFETCH(QString, sql);
        QFETCH(QString, code);
        QFETCH(QString, sentence);
        run(QStringLiteral("insert into entrada (ncodigo, ntipo_entrada, nvalor) values (null, 1, 30)"));
        const Result<int> refused = c().execute(sql);
        QVERIFY(!refused.ok());
        QCOMPARE(refused.failure().code, code);
        const QString description = refused.failure().description();
        QVERIFY(description.startsWith(QStringLiteral("Erro do banco de dados, código=%1: ").arg(code)));
        if (!sentence.isEmpty())
            QVERIFY2(description.endsWith(QStringLiteral("{ini}") + sentence), qPrintable(description));
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
