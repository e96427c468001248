#include "db/connection.h"
#include "tests/support/test_database.h"

#include <QDateTime>
#include <QTest>

// What the screens rely on the database to do: column order for positional
// inserts, keys and dates filled by triggers, refusals with their codes and
// operator texts, cascades, the base and demo rows.
class TestSchema : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void columnsInTheirOrder_data();
    void columnsInTheirOrder();
    void noPaddedTextColumns();
    void positionalInsertsFit_data();
    void positionalInsertsFit();

    void keyRule_data();
    void keyRule();
    void twoNewGroupsGetTwoCodes();
    void momentFilledOnlyWhenNull_data();
    void momentFilledOnlyWhenNull();
    void cancellationMomentStamped_data();
    void cancellationMomentStamped();
    void linesGoWithTheirHead_data();
    void linesGoWithTheirHead();

    void refusalsWithTheirCodes_data();
    void refusalsWithTheirCodes();
    void operatorTextsAfterTheMarker_data();
    void operatorTextsAfterTheMarker();

    void baseRows();
    void demoCatalogue();
    void indexesOfTheBusinessDayQueries_data();
    void indexesOfTheBusinessDayQueries();

private:
    Connection& c() { return m_db->connection(); }
    qint64 number(const QString& sql, const SqlParams& params = {})
    {
        const Result<Rows> rows = c().select(sql, params);
        if (!rows || rows->isEmpty() || rows->columns().isEmpty())
            return -1;
        return rows->integer(0, rows->columns().first());
    }
    qint64 gen(const QString& name) { return c().generator(name, 0).value(); }
    void run(const QString& sql)
    {
        const Result<int> r = c().execute(sql);
        QVERIFY2(r.ok(), qPrintable(sql + QStringLiteral(": ") + (r.ok() ? QString() : r.failure().description())));
    }
    // A sale with one line of product 1 (the demo's canned beer).
    void sale()
    {
        run(QStringLiteral("insert into venda (ncodigo, ncaixa_venda) values (null, 1)"));
        run(QStringLiteral("insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal, cexcluido, nnumero) "
                           "values (null, 1, 1, 2, 7, 14, 'Nao', 1)"));
    }

    std::unique_ptr<TestDatabase> m_db;
};

void TestSchema::initTestCase()
{
    qInfo("template databases made in %lld ms (base) and %lld ms (demo)",
          TestDatabase::templateMilliseconds(TestDatabase::Base), TestDatabase::templateMilliseconds(TestDatabase::Demo));
}

void TestSchema::init()
{
    m_db = std::make_unique<TestDatabase>(TestDatabase::Demo);
    QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
}

void TestSchema::cleanup()
{
    m_db.reset();
}

void TestSchema::columnsInTheirOrder_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns");
    QTest::addRow("venda") << "venda" << "ncodigo ncaixa_venda ddata_venda cforma_pagamento ntotal nvalor_pago ntroco";
    QTest::addRow("item_venda") << "item_venda"
        << "ncodigo nvenda nproduto nqtde npreco ntotal cexcluido ncaixa_exclusao ddata_exclusao cmotivo_exclusao nnumero cvenda_interna";
    QTest::addRow("entrada") << "entrada"
        << "ncodigo ddata_entrada ntipo_entrada ncaixa_entrada nvalor cexcluida ddata_exclusao ncaixa_exclusao cmotivo_exclusao cforma_pagamento nnumero";
    QTest::addRow("tipo_entrada") << "tipo_entrada" << "ncodigo cnome nvalor cestacionamento";
    QTest::addRow("produto") << "produto"
        << "ncodigo cdescricao ngrupo nqtde_inicial nqtde_atual nvalor_compra nvalor_venda nqtde_minima cunidade nativo nestoque nvalor_interno";
    QTest::addRow("grupo") << "grupo" << "ncodigo cdescricao";
    QTest::addRow("fornecedor") << "fornecedor"
        << "ncodigo cfantasia crazao ccnpj cie ccidade ccep cfone cfax cemail cendereco cbairro nfisica_juridica cobs ccontato";
    QTest::addRow("compra") << "compra"
        << "ncodigo ddata_compra nfornecedor cnumero_doc ncoluna5 cobs ndesconto nacrescimo nvalor_total";
    QTest::addRow("item_da_compra") << "item_da_compra" << "ncodigo nproduto ncompra nqtde nunitario ntotal";
    QTest::addRow("caixa") << "caixa" << "ncodigo coperador";
    QTest::addRow("estabelecimento") << "estabelecimento"
        << "ncodigo cfantasia crazaosocial ccidade cendereco cbairro cfone ccnpj cfax cie cemail ccep";
    QTest::addRow("horario") << "horario" << "thora1 thora2";
    QTest::addRow("temp") << "temp" << "ccampo1 ncampo2 ncampo3 ncampo4";
}

void TestSchema::columnsInTheirOrder()
{
    QFETCH(QString, table);
    QFETCH(QString, columns);
    const Result<Rows> rows = c().select(QStringLiteral("select trim(rdb$field_name) as name from rdb$relation_fields "
                                                        "where rdb$relation_name = ? order by rdb$field_position"),
                                         {SqlValue::text(table.toUpper())});
    QVERIFY(rows.ok());
    QStringList found;
    for (int i = 0; i < rows->count(); ++i)
        found.append(rows->text(i, QStringLiteral("name")).toLower());
    QCOMPARE(found.join(u' '), columns);
}

// CHAR comes back padded, and "N" would no longer equal "N".
void TestSchema::noPaddedTextColumns()
{
    const qint64 padded = number(QStringLiteral(
        "select count(*) from rdb$relation_fields rf join rdb$fields f on f.rdb$field_name = rf.rdb$field_source "
        "join rdb$relations r on r.rdb$relation_name = rf.rdb$relation_name "
        "where coalesce(r.rdb$system_flag, 0) = 0 and f.rdb$field_type = 14"));
    QCOMPARE(padded, 0);
}

// The screens' own positional inserts, with values bound as they will be.
void TestSchema::positionalInsertsFit_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("check");
    QTest::addColumn<QString>("expected");
    QTest::addRow("entry by type name")
        << "insert into entrada values(?,null,(select ncodigo from tipo_entrada where cnome = 'Entrada Meia'),1,15.00,'Nao',null,null,null,'Dinheiro',7)"
        << "select ntipo_entrada || '|' || nvalor || '|' || cforma_pagamento || '|' || nnumero || '|' || cexcluida from entrada"
        << "2|15.00|Dinheiro|7|Nao";
    QTest::addRow("migrated sale line gets the sale flag")
        << "insert into item_venda (ncodigo,nvenda,nproduto,nqtde,npreco,ntotal,cexcluido,ncaixa_exclusao,ddata_exclusao,"
           "cmotivo_exclusao,nnumero) values (null,?,1,1,7,7,'Sim',2,'2026-12-04 23:10','',55)"
        << "select cexcluido || '|' || ncaixa_exclusao || '|' || nnumero || '|' || cvenda_interna from item_venda"
        << "Sim|2|55|N";
    QTest::addRow("product of twelve values")
        << "insert into produto values(null,'Suco', 3, 10, 10, 2.5, 8, 1,'Copo',1,0,4)"
        << "select ncodigo || '|' || nqtde_inicial || '|' || nqtde_atual || '|' || nvalor_interno from produto where cdescricao = 'Suco'"
        << "16|10.000|10.000|4.00";
    QTest::addRow("purchase of nine values")
        << "insert into compra values(null,'2026-12-04',(select ncodigo from fornecedor where cfantasia ='Diversos'),'NF 12',0,'',0,0,0)"
        << "select ncodigo || '|' || nfornecedor || '|' || cnumero_doc from compra"
        << "1|1|NF 12";
    QTest::addRow("supplier of fifteen values")
        << "insert into fornecedor values(2,'Distribuidora','Distribuidora','','','','' ,'','','','','',1,'','')"
        << "select ncodigo || '|' || nfisica_juridica from fornecedor where ncodigo = 2"
        << "2|1";
    QTest::addRow("working hours")
        << "insert into horario values ('19:30','05:00')"
        << "select count(*) from horario"
        << "2";
}

void TestSchema::positionalInsertsFit()
{
    QFETCH(QString, sql);
    QFETCH(QString, check);
    QFETCH(QString, expected);
    sale();
    SqlParams params;
    if (sql.contains(u'?'))
        params.append(SqlValue::integer(1));
    const Result<int> inserted = c().execute(sql, params);
    QVERIFY2(inserted.ok(), qPrintable(inserted.ok() ? QString() : inserted.failure().description()));
    const Result<Rows> rows = c().select(check);
    QVERIFY(rows.ok());
    QCOMPARE(rows->text(rows->count() - 1, rows->columns().first()), expected);
}

void TestSchema::keyRule_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("generator");
    QTest::addColumn<QString>("insert"); // "%1" is the key given
    const auto add = [](const char* table, const char* generator, const char* insert) {
        QTest::addRow("%s", table) << QString::fromLatin1(table) << QString::fromLatin1(generator) << QString::fromLatin1(insert);
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

void TestSchema::keyRule()
{
    QFETCH(QString, table);
    QFETCH(QString, generator);
    QFETCH(QString, insert);
    sale();
    run(QStringLiteral("insert into compra (ncodigo, nfornecedor) values (null, 1)"));
    const QString maxKey = QStringLiteral("select max(ncodigo) from %1").arg(table);
    const qint64 start = gen(generator);

    // A null key is drawn from the generator.
    run(insert.arg(QStringLiteral("null")));
    QCOMPARE(number(maxKey), start + 1);
    QCOMPARE(gen(generator), start + 1);

    // A code shown on screen as generator + 1 is stored, and the generator
    // moves on, so the next new record is shown a fresh code.
    run(insert.arg(start + 2));
    QCOMPARE(number(maxKey), start + 2);
    QCOMPARE(gen(generator), start + 2);

    // A key the program drew itself stays, and is not drawn twice.
    const qint64 drawn = c().generator(generator, 1).value();
    run(insert.arg(drawn));
    QCOMPARE(number(maxKey), drawn);
    QCOMPARE(gen(generator), drawn);

    // A code far ahead cannot make the generator skip: the next number is used.
    run(insert.arg(drawn + 50));
    QCOMPARE(number(maxKey), drawn + 1);

    // A code already taken stays taken: the duplicate is refused.
    const Result<int> again = c().execute(insert.arg(drawn));
    QVERIFY(!again.ok());
    QCOMPARE(again.failure().code, QStringLiteral("-803"));
}

void TestSchema::twoNewGroupsGetTwoCodes()
{
    for (int i = 0; i < 2; ++i) {
        const qint64 shown = gen(QStringLiteral("grupo")) + 1;
        QVERIFY(c().execute(QStringLiteral("insert into grupo values(?, ?)"),
                            {SqlValue::integer(shown), SqlValue::text(QStringLiteral("Grupo %1").arg(i))}).ok());
        QCOMPARE(number(QStringLiteral("select count(*) from grupo where ncodigo = ?"), {SqlValue::integer(shown)}), 1);
    }
    QCOMPARE(number(QStringLiteral("select count(*) from grupo where cdescricao starting with 'Grupo '")), 2);
}

void TestSchema::momentFilledOnlyWhenNull_data()
{
    QTest::addColumn<QString>("insert");
    QTest::addColumn<QString>("read");
    QTest::addRow("sale") << "insert into venda (ncodigo, ddata_venda) values (null, ?)" << "select ddata_venda from venda";
    QTest::addRow("entry") << "insert into entrada (ncodigo, ddata_entrada, ntipo_entrada, nvalor) values (null, ?, 1, 30)"
                           << "select ddata_entrada from entrada";
}

void TestSchema::momentFilledOnlyWhenNull()
{
    QFETCH(QString, insert);
    QFETCH(QString, read);
    const QString now = QStringLiteral("select current_timestamp from rdb$database");
    const QDateTime before = c().select(now)->dateTime(0, QStringLiteral("current_timestamp"));
    QVERIFY(c().execute(insert, {SqlValue::null()}).ok());
    const QDateTime after = c().select(now)->dateTime(0, QStringLiteral("current_timestamp"));
    const Result<Rows> stored = c().select(read);
    const QDateTime moment = stored->dateTime(0, stored->columns().first());
    // Date and time of day, from the database's clock.
    QVERIFY2(moment >= before && moment <= after, qPrintable(moment.toString(Qt::ISODateWithMs)));

    // A migrated row keeps the moment it was given.
    const QDateTime given(QDate(2026, 12, 5), QTime(1, 30));
    QVERIFY(c().execute(insert, {SqlValue::timestamp(given)}).ok());
    QCOMPARE(c().select(read + QStringLiteral(" order by ncodigo desc"))->dateTime(0, stored->columns().first()), given);
}

void TestSchema::cancellationMomentStamped_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("flag");
    QTest::addRow("sale line") << "item_venda" << "cexcluido";
    QTest::addRow("entry") << "entrada" << "cexcluida";
}

void TestSchema::cancellationMomentStamped()
{
    QFETCH(QString, table);
    QFETCH(QString, flag);
    sale();
    run(QStringLiteral("insert into entrada (ncodigo, ntipo_entrada, nvalor, cexcluida) values (null, 1, 30, 'Nao')"));
    const QString moment = QStringLiteral("select ddata_exclusao from %1").arg(table);

    // Another change does not stamp it.
    run(QStringLiteral("update %1 set ncaixa_exclusao = 2").arg(table));
    QVERIFY(c().select(moment)->isNull(0, QStringLiteral("ddata_exclusao")));

    // The cancellation does, without the program sending it.
    run(QStringLiteral("update %1 set %2 = 'Sim', cmotivo_exclusao = '', ncaixa_exclusao = 2").arg(table, flag));
    const QDateTime stamped = c().select(moment)->dateTime(0, QStringLiteral("ddata_exclusao"));
    QVERIFY(stamped.isValid());

    // Cancelling again (another workstation a moment later) keeps the first.
    QTest::qWait(20);
    run(QStringLiteral("update %1 set %2 = 'Sim', ncaixa_exclusao = 3").arg(table, flag));
    QCOMPARE(c().select(moment)->dateTime(0, QStringLiteral("ddata_exclusao")), stamped);
}

void TestSchema::linesGoWithTheirHead_data()
{
    QTest::addColumn<QString>("deleteHead");
    QTest::addColumn<QString>("lines");
    QTest::addRow("migration deletes the sales") << "delete from venda" << "select count(*) from item_venda";
    QTest::addRow("a cancelled new purchase") << "delete from compra where ncodigo = 1" << "select count(*) from item_da_compra";
}

void TestSchema::linesGoWithTheirHead()
{
    QFETCH(QString, deleteHead);
    QFETCH(QString, lines);
    sale();
    run(QStringLiteral("insert into compra values(null,'2026-12-04',1,'1',0,'',0,0,0)"));
    run(QStringLiteral("insert into item_da_compra values(null,1,1,24,3.2,76.8)"));
    QCOMPARE(number(lines), 1);
    run(deleteHead);
    QCOMPARE(number(lines), 0);
    QCOMPARE(number(QStringLiteral("select count(*) from produto where ncodigo = 1")), 1);
}

void TestSchema::refusalsWithTheirCodes_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("code");
    QTest::addRow("cash register that exists") << "insert into caixa values(1, 'Outro')" << "-803";
    QTest::addRow("entry type name taken") << "insert into tipo_entrada values(null, 'Entrada Vip', 1, 'N')" << "-803";
    QTest::addRow("group with products") << "delete from grupo where ncodigo = 1" << "-530";
    QTest::addRow("product with sale lines") << "delete from produto where ncodigo = 1" << "-530";
    QTest::addRow("entry type in use") << "delete from tipo_entrada where ncodigo = 1" << "-530";
    QTest::addRow("product of an unknown group") << "insert into produto (ncodigo, ngrupo) values (null, 99)" << "-530";
    QTest::addRow("line of a sale that is not there")
        << "insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal) values (null, 99, 1, 1, 1, 1)" << "-530";
    QTest::addRow("purchase line of an unknown product") << "insert into item_da_compra values (null, 99, 1, 1, 1, 1)" << "-530";
}

void TestSchema::refusalsWithTheirCodes()
{
    QFETCH(QString, sql);
    QFETCH(QString, code);
    sale();
    run(QStringLiteral("insert into entrada (ncodigo, ntipo_entrada, nvalor) values (null, 1, 30)"));
    run(QStringLiteral("insert into compra (ncodigo, nfornecedor) values (null, 1)"));
    const Result<int> refused = c().execute(sql);
    QVERIFY(!refused.ok());
    QCOMPARE(refused.failure().code, code);
    QVERIFY(refused.failure().description().startsWith(QStringLiteral("Erro do banco de dados, código=%1: ").arg(code)));
}

void TestSchema::operatorTextsAfterTheMarker_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("sentence");
    QTest::addRow("the establishment row")
        << "delete from estabelecimento" << "O registro do estabelecimento não pode ser excluído!";
    const QString reserved = QStringLiteral("Os fornecedores de código 0 e 1 são reservados pelo sistema e não podem ser excluídos!");
    QTest::addRow("reserved supplier 0") << "delete from fornecedor where ncodigo = 0" << reserved;
    QTest::addRow("reserved supplier 1") << "delete from fornecedor where ncodigo = 1" << reserved;
    const QString quantity = QStringLiteral("A quantidade do item deve ser maior que zero!");
    QTest::addRow("sale line of quantity 0")
        << "insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal) values (null, 1, 1, 0, 7, 0)" << quantity;
    QTest::addRow("sale line made negative")
        << "update item_venda set nqtde = -1" << quantity;
    QTest::addRow("sale line of negative price")
        << "insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal) values (null, 1, 1, 1, -7, -7)"
        << "O preço do item não pode ser negativo!";
    QTest::addRow("purchase line of quantity 0") << "insert into item_da_compra values (null, 1, 1, 0, 1, 0)" << quantity;
    QTest::addRow("entry of negative value")
        << "insert into entrada (ncodigo, ntipo_entrada, nvalor) values (null, 1, -30)" << "O valor da entrada não pode ser negativo!";
    QTest::addRow("entry of a type not registered")
        << "insert into entrada values(null,null,(select ncodigo from tipo_entrada where cnome = 'Nenhum'),1,30,'Nao',null,null,null,'Dinheiro',1)"
        << "O tipo de entrada informado não está cadastrado!";
    QTest::addRow("purchase of a supplier not registered")
        << "insert into compra values(null,'2026-12-04',(select ncodigo from fornecedor where cfantasia ='Ninguém'),'1',0,'',0,0,0)"
        << "O fornecedor informado não está cadastrado!";
}

void TestSchema::operatorTextsAfterTheMarker()
{
    QFETCH(QString, sql);
    QFETCH(QString, sentence);
    sale();
    const Result<int> refused = c().execute(sql);
    QVERIFY(!refused.ok());
    QCOMPARE(refused.failure().code, QStringLiteral("-836"));
    const QString description = refused.failure().description();
    QVERIFY(description.startsWith(QStringLiteral("Erro do banco de dados, código=-836: ")));
    const qsizetype marker = description.indexOf(QStringLiteral("{ini}"));
    QVERIFY2(marker > 0, qPrintable(description));
    QCOMPARE(description.mid(marker + 5), sentence);
}

void TestSchema::baseRows()
{
    TestDatabase base;
    QVERIFY2(base.ok(), qPrintable(base.error()));
    Connection& b = base.connection();
    const Result<Rows> place = b.select(QStringLiteral("select * from estabelecimento"));
    QCOMPARE(place->count(), 1);
    QCOMPARE(place->integer(0, QStringLiteral("ncodigo")), 1);
    QVERIFY(!place->text(0, QStringLiteral("cfantasia")).isEmpty());
    const Result<Rows> hours = b.select(QStringLiteral("select * from horario"));
    QCOMPARE(hours->count(), 1);
    QCOMPARE(hours->time(0, QStringLiteral("thora1")), QTime(18, 0));
    QCOMPARE(hours->time(0, QStringLiteral("thora2")), QTime(6, 0));
    QCOMPARE(b.select(QStringLiteral("select count(*) from caixa where ncodigo = 1"))->integer(0, QStringLiteral("Count")), 1);
    const Result<Rows> suppliers = b.select(QStringLiteral("select ncodigo from fornecedor order by ncodigo"));
    QCOMPARE(suppliers->count(), 2);
    QCOMPARE(suppliers->integer(0, QStringLiteral("ncodigo")), 0);
    QCOMPARE(suppliers->integer(1, QStringLiteral("ncodigo")), 1);
    // The next supplier is shown code 2, and the empty catalogue starts at 1.
    QCOMPARE(*b.generator(QStringLiteral("fornecedor"), 0) + 1, 2);
    for (const char* table : {"produto", "grupo", "tipo_entrada", "venda", "item_venda", "entrada", "compra", "temp"})
        QCOMPARE(b.select(QStringLiteral("select count(*) from %1").arg(QLatin1String(table)))->integer(0, QStringLiteral("count")), 0);
}

void TestSchema::demoCatalogue()
{
    QVERIFY(number(QStringLiteral("select count(*) from produto")) >= 12);
    QCOMPARE(number(QStringLiteral("select count(*) from produto where nvalor_venda <= 0 or nvalor_interno <= 0 "
                                   "or cunidade is null or nativo <> 1")), 0);
    QCOMPARE(number(QStringLiteral("select count(*) from tipo_entrada where cestacionamento = 'S'")), 1);
    QVERIFY(number(QStringLiteral("select count(*) from tipo_entrada where cestacionamento = 'N'")) >= 3);
    QCOMPARE(number(QStringLiteral("select count(*) from caixa where ncodigo in (1, 2)")), 2);
    // Generators stand past the codes inserted, so new records do not collide.
    for (const char* table : {"produto", "grupo", "tipo_entrada"})
        QCOMPARE(gen(QLatin1String(table)), number(QStringLiteral("select max(ncodigo) from %1").arg(QLatin1String(table))));
    const Result<Rows> names = c().select(QStringLiteral("select cnome from tipo_entrada order by ncodigo"));
    QCOMPARE(names->text(0, QStringLiteral("cnome")), QStringLiteral("Entrada Inteira"));
}

void TestSchema::indexesOfTheBusinessDayQueries_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addRow("sale moment") << "VENDA" << "DDATA_VENDA";
    QTest::addRow("entry moment") << "ENTRADA" << "DDATA_ENTRADA";
    QTest::addRow("lines of a sale") << "ITEM_VENDA" << "NVENDA";
    QTest::addRow("sale document number") << "ITEM_VENDA" << "NNUMERO";
    QTest::addRow("entry document number") << "ENTRADA" << "NNUMERO";
}

void TestSchema::indexesOfTheBusinessDayQueries()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    const qint64 leading = number(QStringLiteral(
        "select count(*) from rdb$indices i join rdb$index_segments s on s.rdb$index_name = i.rdb$index_name "
        "where i.rdb$relation_name = ? and s.rdb$field_name = ? and s.rdb$field_position = 0"),
        {SqlValue::text(table), SqlValue::text(column)});
    QVERIFY(leading >= 1);
}

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
