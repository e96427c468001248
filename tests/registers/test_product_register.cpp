// The register-form pattern, in depth, through the product register's logic.
#include "common/message_texts.h"
#include "registers/product_register.h"
#include "tests/registers/register_fixture.h"

#include <QTest>

namespace {

// Every text of a product as an operator would leave it, ready to save.
void fillValid(ProductRegister& form)
{
    form.setText(QStringLiteral("Text1"), QStringLiteral("Suco De Laranja"));
    form.setText(QStringLiteral("Text6"), QStringLiteral("3"));
    QVERIFY(form.checkGroup());
    form.setText(QStringLiteral("Text8"), QStringLiteral("Copo"));
    form.setText(QStringLiteral("Text2"), QStringLiteral("10"));
    form.setText(QStringLiteral("Text10"), QStringLiteral("2"));
    form.setText(QStringLiteral("Text5"), QStringLiteral("R$ 3,00"));
    form.setText(QStringLiteral("Text3"), QStringLiteral("R$ 4,00"));
    form.setText(QStringLiteral("Text4"), QStringLiteral("R$ 9,00"));
}

const QStringList allColumns{"cdescricao", "ngrupo", "nqtde_inicial", "nqtde_atual", "nvalor_compra",
                             "nvalor_venda", "nqtde_minima", "cunidade", "nativo", "nestoque", "nvalor_interno"};

} // namespace

class TestProductRegister : public QObject, RegisterFixture
{
    Q_OBJECT

private slots:
    void init() { openDatabase(); }
    void cleanup() { closeDatabase(); }

    void newFormShowsNextCodeWithoutAdvancingGenerator()
    {
        // Two workstations show the same code: only the insert advances the generator.
        ProductRegister form(m_settings, m_messages, true), again(m_settings, m_messages, true);
        form.open();
        again.open();
        QCOMPARE(form.text(QStringLiteral("Text11")) + again.text(QStringLiteral("Text11")), QStringLiteral("1616"));
        QCOMPARE(*m_db->connection().generator(QStringLiteral("produto"), 0), 15);
    }

    void insertWritesEveryColumn_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("custo");
        QTest::addColumn<QString>("saldo");
        QTest::addColumn<int>("ativo");
        QTest::addColumn<bool>("estoque");
        QTest::addColumn<QStringList>("row");
        QTest::addRow("proper case, money as typed") << "cerveja LATA" << "1234,5" << "10" << 1 << true
            << QStringList{"Cerveja Lata", "3", "10", "10", "1234.5", "9", "2", "Copo", "1", "1", "4"};
        QTest::addRow("inactive, stock not managed, fraction") << "gelo" << "2" << "3,5" << 0 << false
            << QStringList{"Gelo", "3", "3.5", "3.5", "2", "9", "2", "Copo", "0", "0", "4"};
        QTest::addRow("accents kept") << "AÇAÍ na tigela" << "0,1" << "1" << 1 << false
            << QStringList{"Açaí Na Tigela", "3", "1", "1", "0.1", "9", "2", "Copo", "1", "0", "4"};
        QTest::addRow("Latin-1 edges, three decimals and zeros after") << "crème µL ÿ STRAßE" << "1" << "2,1250" << 1 << true
            << QStringList{"Crème µl ÿ Straße", "3", "2.125", "2.125", "1", "9", "2", "Copo", "1", "1", "4"};
    }
    void insertWritesEveryColumn()
    {
        QFETCH(QString, nome);
        QFETCH(QString, custo);
        QFETCH(QString, saldo);
        QFETCH(int, ativo);
        QFETCH(bool, estoque);
        QFETCH(QStringList, row);
        ProductRegister form(m_settings, m_messages, true);
        form.open();
        fillValid(form);
        form.setText(QStringLiteral("Text1"), nome);
        form.setText(QStringLiteral("Text5"), custo);
        form.setText(QStringLiteral("Text2"), saldo);
        form.setAtivo(ativo);
        form.setEstoque(estoque);
        QCOMPARE(form.save(), RegisterForm::Saved::Inserted);
        QVERIFY2(m_messages.shown().isEmpty(), qPrintable(m_messages.transcript()));
        QCOMPARE(stored(16), row);
        // Empty again for the next one, with its code and the defaults back.
        QCOMPARE(form.text(QStringLiteral("Text11")), QStringLiteral("17"));
        QCOMPARE(*m_db->connection().generator(QStringLiteral("produto"), 0), 16);
        for (const QString name : {"Text1", "Text6", "Text7", "Text8", "Text2", "Text10"})
            QVERIFY2(form.text(name).isEmpty(), qPrintable(name));
        QCOMPARE(form.text(QStringLiteral("Text5")), QStringLiteral("R$ 0,00"));
        QCOMPARE(form.ativo(), 1);
        QVERIFY(form.estoque());
    }

    // A field the save cannot take stops it and writes nothing, the text left as typed. A minus
    // sign, however it reached a price or a quantity, is named with the field to put right.
    void badFieldStopsTheSave_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("fieldToFix");
        QTest::addRow("Nome empty") << "Text1" << "" << msg::camposObrigatorios << "";
        QTest::addRow("Grupo empty") << "Text6" << "" << msg::camposObrigatorios << "";
        QTest::addRow("Vlr. venda empty") << "Text4" << "" << msg::camposObrigatorios << "";
        QTest::addRow("Saldo atual a lone comma") << "Text2" << "," << msg::camposObrigatorios << "";
        QTest::addRow("Custo not a number") << "Text5" << "abc" << msg::camposObrigatorios << "";
        QTest::addRow("Vlr. venda negative")
            << "Text4" << "-R$ 5,00" << msg::valorNegativo.arg(QStringLiteral("Vlr. venda")) << "Text4";
        QTest::addRow("Saldo atual negative")
            << "Text2" << "-2" << msg::valorNegativo.arg(QStringLiteral("Saldo atual")) << "Text2";
    }
    void badFieldStopsTheSave()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QString, fieldToFix);
        ProductRegister form(m_settings, m_messages, true);
        form.open();
        fillValid(form);
        form.setText(field, text);
        QCOMPARE(form.save(), RegisterForm::Saved::No);
        QCOMPARE(m_messages.texts(), QStringList{shown});
        QCOMPARE(form.fieldToFix(), fieldToFix);
        QCOMPARE(productCount(), 15);
        QCOMPARE(form.text(field), text);   // nothing put right behind the operator's back
    }

    void groupCheck_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("mayLeave");
        QTest::addColumn<QString>("groupName");
        QTest::addColumn<QStringList>("messages");
        const QStringList none;
        const QStringList notFound{msg::registroNaoLocalizado};
        QTest::addRow("leading zeros") << "002" << true << "Destilados" << none;
        QTest::addRow("unknown group keeps the focus") << "99" << false << "" << notFound;
        QTest::addRow("beyond any code") << "99999999999" << false << "" << notFound;
        QTest::addRow("empty may leave") << "" << true << "" << none;
    }
    void groupCheck()
    {
        QFETCH(QString, typed);
        QFETCH(bool, mayLeave);
        QFETCH(QString, groupName);
        QFETCH(QStringList, messages);
        ProductRegister form(m_settings, m_messages, true);
        form.open();
        form.setText(QStringLiteral("Text7"), QStringLiteral("stale name"));
        form.setText(QStringLiteral("Text6"), typed);
        QCOMPARE(form.checkGroup(), mayLeave);
        QCOMPARE(form.text(QStringLiteral("Text7")), groupName);
        QCOMPARE(form.text(QStringLiteral("Text6")), typed);
        QCOMPARE(m_messages.texts(), messages);
    }

    void groupGoneBeforeSaveIsRefused()
    {
        ProductRegister form(m_settings, m_messages, true);
        form.open();
        fillValid(form);
        form.setText(QStringLiteral("Text6"), QStringLiteral("6"));   // typed, not left yet
        QCOMPARE(form.save(), RegisterForm::Saved::No);
        QCOMPARE(m_messages.texts(), QStringList{msg::registroNaoLocalizado});
        QCOMPARE(form.fieldToFix(), QStringLiteral("Text6"));
        QCOMPARE(productCount(), 15);
    }

    void refusalKeepsTypedValues()
    {
        Connection& c = m_db->connection();
        QVERIFY(c.execute(QStringLiteral("create exception e_teste_produto '{ini}Produto recusado pelo teste'")));
        QVERIFY(c.execute(QStringLiteral(
            "create trigger t_teste_produto for produto before insert as begin "
            "exception e_teste_produto; end")));
        ProductRegister form(m_settings, m_messages, true);
        form.open();
        fillValid(form);
        form.setText(QStringLiteral("Text1"), QStringLiteral("cerveja LATA"));
        form.setEstoque(false);
        QCOMPARE(form.save(), RegisterForm::Saved::No);
        QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Produto recusado pelo teste")});
        QCOMPARE(productCount(), 15);
        const QStringList kept{form.text(QStringLiteral("Text1")), form.text(QStringLiteral("Text11")),
                               form.text(QStringLiteral("Text7")), form.text(QStringLiteral("Text5"))};
        // The key trigger ran before the refusing one: code 16 is spent.
        QCOMPARE(kept, (QStringList{"cerveja LATA", "17", "Refrigerantes E Águas", "R$ 3,00"}));
        QVERIFY(!form.estoque());
    }

    // Two workstations showed the same code; the other saved first, and the
    // database's key trigger gave this save a code in use. After the refusal
    // the form shows the code its next save gets, and that save stores it.
    void refusedInsertShowsTheNextCode()
    {
        QVERIFY(m_db->connection().setGenerator(QStringLiteral("produto"), 14));
        ProductRegister form(m_settings, m_messages, true);
        form.open();
        QCOMPARE(form.text(QStringLiteral("Text11")), QStringLiteral("15"));
        fillValid(form);
        m_messages.answerNext(false);
        QCOMPARE(form.save(), RegisterForm::Saved::No);
        QCOMPARE(m_messages.texts(), QStringList{msg::registroJaExiste});
        QCOMPARE(form.text(QStringLiteral("Text11")), QStringLiteral("16"));
        QCOMPARE(form.text(QStringLiteral("Text1")), QStringLiteral("Suco De Laranja"));
        QCOMPARE(form.save(), RegisterForm::Saved::Inserted);
        QCOMPARE(stored(16, {"cdescricao"}), QStringList{"Suco De Laranja"});
        QCOMPARE(m_messages.shown().size(), 1);
    }

    void changeLoadsAndUpdates()
    {
        ProductRegister form(m_settings, m_messages, false, 1);
        form.open();
        QStringList shown;
        for (const char* name : {"Text11", "Text1", "Text6", "Text7", "Text8", "Text2", "Text10", "Text5", "Text3", "Text4"})
            shown << form.text(QLatin1String(name));
        QCOMPARE(shown, (QStringList{"1", "Cerveja Lata", "1", "Cervejas", "Lata", "240", "48", "R$ 3,20", "R$ 4,00",
                                     "R$ 7,00"}));
        QCOMPARE(form.ativo(), 1);
        QVERIFY(form.estoque());
        form.setText(QStringLiteral("Text1"), QStringLiteral("cerveja lata 350ML"));
        form.setText(QStringLiteral("Text2"), QStringLiteral("12,5"));
        form.setText(QStringLiteral("Text4"), QStringLiteral("7,5"));
        form.setText(QStringLiteral("Text6"), QStringLiteral("5"));
        form.setAtivo(0);
        form.setEstoque(false);
        QCOMPARE(form.save(), RegisterForm::Saved::Updated);
        // The starting stock stays as first recorded.
        QCOMPARE(stored(1), (QStringList{"Cerveja Lata 350ml", "5", "240", "12.5", "3.2", "7.5", "48", "Lata", "0", "0",
                                         "4"}));
        QCOMPARE(productCount(), 15);
        QCOMPARE(*m_db->connection().generator(QStringLiteral("produto"), 0), 15);
    }

    void unchangedCodeBeyond16BitsWithApostrophe()
    {
        // Saved unchanged: an update of the same values is still an update.
        QVERIFY(m_db->connection().setGenerator(QStringLiteral("produto"), 40000));
        QVERIFY(m_db->connection().execute(QStringLiteral(
            "insert into produto values (40000, 'Cachaça D''Ávila', 2, 5, 5, 20, 60, 1, 'Garrafa', 1, 1, 30)")));
        ProductRegister form(m_settings, m_messages, false, 40000);
        form.open();
        QCOMPARE(form.text(QStringLiteral("Text11")), QStringLiteral("40000"));
        QCOMPARE(form.text(QStringLiteral("Text1")), QStringLiteral("Cachaça D'Ávila"));
        QCOMPARE(form.save(), RegisterForm::Saved::Updated);
        QVERIFY(m_messages.shown().isEmpty());
        QCOMPARE(stored(40000, {"cdescricao", "nvalor_venda"}), (QStringList{"Cachaça D'ávila", "60"}));
    }

    void changeOfProductDeletedMeanwhile()
    {
        ProductRegister form(m_settings, m_messages, false, 15);
        form.open();
        QVERIFY(m_db->connection().execute(QStringLiteral("delete from produto where ncodigo = 15")));
        QCOMPARE(form.save(), RegisterForm::Saved::No);
        QCOMPARE(m_messages.texts(), QStringList{msg::registroNaoLocalizado});
        QCOMPARE(form.text(QStringLiteral("Text1")), QStringLiteral("Amendoim"));
    }

private:
    qint64 productCount()
    {
        const Result<Rows> rows = m_db->connection().select(QStringLiteral("select count(*) from produto"));
        return rows ? rows->integer(0, QStringLiteral("count")) : -1;
    }
    // The product's columns as text ("" when it is not there).
    QStringList stored(qint32 code, const QStringList& columns = allColumns);
};

QStringList TestProductRegister::stored(qint32 code, const QStringList& columns)
{
    const Result<Rows> rows = m_db->connection().select(QStringLiteral("select * from produto where ncodigo = ?"),
                                                        {SqlValue::integer(code)});
    QStringList values;
    for (const QString& column : columns)
        values << (rows && rows->count() == 1 ? rows->value(0, column).toString() : QString());
    return values;
}

QTEST_GUILESS_MAIN(TestProductRegister)
#include "test_product_register.moc"
