// Suppliers: the register on its two pages, and the list.
#include "common/message_texts.h"
#include "registers/supplier_list.h"
#include "registers/supplier_list_widget.h"
#include "registers/supplier_register.h"
#include "registers/supplier_register_widget.h"
#include "tests/registers/register_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

// Field -> column of every text the register writes, in tab order.
const QList<std::pair<QString, QString>> textColumns{
    {"Text1", "cfantasia"}, {"Text2", "crazao"},   {"Text8", "ccnpj"},      {"Text9", "cie"},
    {"Text13", "cemail"},   {"Text14", "ccontato"}, {"Text3", "ccidade"},   {"Text12", "ccep"},
    {"Text4", "cendereco"}, {"Text5", "cbairro"},  {"Text6", "cfone"},      {"Text7", "cfax"},
    {"Text10", "cobs"},
};

// Types `text` key by key; letters beyond ASCII go as text events.
void type(QWidget* field, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(field, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class TestSupplier : public QObject, RegisterFixture
{
    Q_OBJECT

private slots:
    void init() { openDatabase(TestDatabase::Base); }
    void cleanup()
    {
        delete m_list.data();
        closeDatabase();
    }

    void savedAndReadBack_data()
    {
        QTest::addColumn<int>("natureza");
        QTest::addColumn<bool>("filled");
        QTest::addRow("natural person") << 0 << true;
        QTest::addRow("legal person") << 1 << true;
        QTest::addRow("only the trade name") << 0 << false;
    }
    void savedAndReadBack()
    {
        QFETCH(int, natureza);
        QFETCH(bool, filled);
        SupplierRegister form(m_settings, m_messages, true);
        form.open();
        QCOMPARE(form.text(QStringLiteral("Text11")), QStringLiteral("2"));
        form.setNatureza(natureza);
        // Each text its own, so a column written out of place shows; a pasted apostrophe goes in intact.
        QMap<QString, QString> expected;
        for (const auto& [field, column] : textColumns) {
            const QString typed = field == QLatin1String("Text1") ? QStringLiteral("distribuidora SÃO JOÃO")
                                  : filled ? column + QStringLiteral(" d'Ávila") : QString();
            form.setText(field, typed);
            expected.insert(column, typed);
        }
        expected[QStringLiteral("cfantasia")] = QStringLiteral("Distribuidora São João");
        if (filled)
            expected[QStringLiteral("crazao")] = QStringLiteral("Crazao D'ávila");
        expected.insert(QStringLiteral("nfisica_juridica"), QString::number(natureza));
        QCOMPARE(form.save(), RegisterForm::Saved::Inserted);
        QCOMPARE(stored(2), expected);
        QCOMPARE(form.natureza(), 0);   // ready for the next one

        // Opened for a change: every field from its column; every column rewritten.
        SupplierRegister change(m_settings, m_messages, false, 2);
        change.open();
        for (const auto& [field, column] : textColumns) {
            QCOMPARE(change.text(field), expected.value(column));
            change.setText(field, field + QStringLiteral(" novo"));
            expected[column] = field + QStringLiteral(" novo");
        }
        QCOMPARE(change.natureza(), natureza);
        change.setNatureza(1 - natureza);
        change.setText(QStringLiteral("Text11"), QStringLiteral("1"));   // not what the update names
        expected[QStringLiteral("cfantasia")] = QStringLiteral("Text1 Novo");
        expected[QStringLiteral("crazao")] = QStringLiteral("Text2 Novo");
        expected[QStringLiteral("nfisica_juridica")] = QString::number(1 - natureza);
        QCOMPARE(change.save(), RegisterForm::Saved::Updated);
        QCOMPARE(stored(2), expected);
        QCOMPARE(stored(1).value(QStringLiteral("cfantasia")), QStringLiteral("Diversos"));
        QVERIFY(m_messages.shown().isEmpty());
    }

    void listSearch_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("fantasia");
        QTest::addColumn<QString>("endereco");
        QTest::addColumn<QString>("cidade");
        QTest::addColumn<QList<qint32>>("found");
        QTest::addRow("no filter: all but code 0") << "" << "" << "" << "" << QList<qint32>{1, 2, 3, 4};
        QTest::addRow("code 0 finds nothing") << "0" << "" << "" << "" << QList<qint32>{};
        QTest::addRow("a code alone decides") << "3" << "zzz" << "" << "Contagem" << QList<qint32>{3};
        QTest::addRow("code beyond any code") << "99999999999" << "" << "" << "" << QList<qint32>{};
        QTest::addRow("trade name anywhere") << "" << "OURO" << "" << "" << QList<qint32>{3, 4};
        QTest::addRow("address anywhere") << "" << "" << "rua" << "" << QList<qint32>{2, 4};
        QTest::addRow("city matched exactly") << "" << "" << "" << "Belo Horizonte" << QList<qint32>{2};
        QTest::addRow("name within a city") << "" << "bebidas" << "" << "Contagem" << QList<qint32>{4};
    }
    void listSearch()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, fantasia);
        QFETCH(QString, endereco);
        QFETCH(QString, cidade);
        QFETCH(QList<qint32>, found);
        addSuppliers();
        SupplierList list(m_settings, m_messages);
        QCOMPARE(list.loadCities(), (QStringList{"", "Belo Horizonte", "Belo Horizonte Norte", "Contagem"}));
        list.setCodigo(codigo);
        list.setFantasia(fantasia);
        list.setEndereco(endereco);
        list.setCidade(cidade);
        QVERIFY(list.search());
        QCOMPARE(codes(list), found);
        QCOMPARE(list.model().gridRows(), 17);
    }

    void listByKeyboard()
    {
        addSuppliers();
        m_list = new FrmConsultaFornecedores(m_settings, m_messages);
        m_list->show();
        QVERIFY(QTest::qWaitForWindowActive(m_list));
        auto* codigo = m_list->findChild<QLineEdit*>(QStringLiteral("Text4"));
        auto* fantasia = m_list->findChild<QLineEdit*>(QStringLiteral("Text3"));
        QTableView* grid = m_list->grid();
        QCOMPARE(QApplication::focusWidget(), fantasia);
        QTest::keyClick(fantasia, Qt::Key_F5);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(codes(m_list->suppliers()), (QList<qint32>{1, 2, 3, 4}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), grid);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Delete);   // not on this list
        QVERIFY(m_messages.shown().isEmpty());

        // "Detalhes" opens supplier 3 modally; the grid is not searched again after it.
        QString seen;
        QTimer::singleShot(0, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            seen = modal->objectName() + u' ' + modal->findChild<QLineEdit*>(QStringLiteral("Text1"))->text();
            QVERIFY(m_db->connection().execute(QStringLiteral("update fornecedor set cfantasia = 'Outro' where ncodigo = 3")));
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        QTest::keyClick(grid, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(seen, QStringLiteral("FrmCadFornecedores Bebidas Ouro"));
        QVERIFY(QTest::qWaitForWindowActive(m_list));
        QCOMPARE(m_list->suppliers().model().cell(2, 1), QStringLiteral("Bebidas Ouro"));

        // "Excluir": refused for a supplier with purchases (row and grid stay), done for a free one.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        auto* excluir = m_list->findChild<QPushButton*>(QStringLiteral("Command5"));
        QCOMPARE(QApplication::focusWidget(), excluir);
        m_messages.answerNext(true);
        m_messages.answerNext(false);
        QTest::keyClick(excluir, Qt::Key_Return);
        QCOMPARE(m_messages.texts(), (QStringList{msg::confirmaExclusao, msg::violacaoIntegridade}));
        QCOMPARE(codes(m_list->suppliers()), (QList<qint32>{1, 2, 3, 4}));
        m_messages.clear();
        for (int i = 0; i < 3; ++i)   // "Sair", "Cidade", then "Código", last in the tab order
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), codigo);
        type(codigo, QStringLiteral("a4"));   // digits only
        QCOMPARE(codigo->text(), QStringLiteral("4"));
        QCOMPARE(m_list->suppliers().model().foundCount(), 0);   // a filter changed: the grid emptied
        QTest::keyClick(codigo, Qt::Key_F5);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        m_messages.answerNext(true);
        QTest::keyClick(excluir, Qt::Key_Return);
        QCOMPARE(codes(m_list->suppliers()), QList<qint32>{});   // the same search, without it
        QVERIFY(stored(4).isEmpty());
    }

    void registerByKeyboard()
    {
        auto* form = new FrmCadFornecedores(m_settings, m_messages, true);
        QPointer<FrmCadFornecedores> guard(form);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
        auto* pages = form->findChild<QTabWidget*>();
        auto* natureza = form->findChild<QComboBox*>(QStringLiteral("Combo1"));
        QWidget* at = QApplication::focusWidget();
        QCOMPARE(at->objectName(), QStringLiteral("Text1"));
        const auto enter = [&](const QString& text) {
            type(at, text);
            QTest::keyClick(at, Qt::Key_Return);
            at = QApplication::focusWidget();
        };
        enter(QStringLiteral("distribuidora SÃO JOÃO"));
        enter(QStringLiteral("sj ltda"));
        QCOMPARE(at, natureza);
        QTest::keyClick(natureza, Qt::Key_End);
        QCOMPARE(natureza->currentText(), QStringLiteral("Pessoa Juridica"));
        const auto shownLabels = [&]() -> QString {
            return form->findChild<QLabel*>(QStringLiteral("Label8"))->text() + u'/'
                   + form->findChild<QLabel*>(QStringLiteral("Label9"))->text();
        };
        QCOMPARE(shownLabels(), QStringLiteral("Cnpj/Ie"));
        QTest::keyClick(natureza, Qt::Key_Return);
        at = QApplication::focusWidget();
        for (const char* text : {"12.345.678/0001-90", "0623", "compras@sj.com.br"})
            enter(QString::fromLatin1(text));
        QCOMPARE(pages->currentIndex(), 0);
        enter(QStringLiteral("joao"));   // Enter in "Contato" shows the second page
        QCOMPARE(pages->currentIndex(), 1);
        QCOMPARE(at->objectName(), QStringLiteral("Text3"));
        QTest::keyClick(at, Qt::Key_Up);   // and back
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text14"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        at = QApplication::focusWidget();
        for (const char* text : {"Belo Horizonte", "30000-000", "Rua Das Flores, 100", "Centro", "3133334444", ""})
            enter(QString::fromLatin1(text));
        QCOMPARE(at->objectName(), QStringLiteral("Text10"));
        enter(QString(105, u'x'));   // "Obs" takes 100
        QCOMPARE(at, form->okButton());
        QTest::keyClick(at, Qt::Key_Return);
        QVERIFY2(m_messages.shown().isEmpty(), qPrintable(m_messages.transcript()));

        const QMap<QString, QString> row = stored(2);
        QCOMPARE(row.value(QStringLiteral("cfantasia")) + u'|' + row.value(QStringLiteral("crazao")) + u'|'
                     + row.value(QStringLiteral("ccontato")) + u'|' + row.value(QStringLiteral("ccidade")) + u'|'
                     + row.value(QStringLiteral("nfisica_juridica")),
                 QStringLiteral("Distribuidora São João|Sj Ltda|joao|Belo Horizonte|1"));
        QCOMPARE(row.value(QStringLiteral("cobs")), QString(100, u'x'));
        // Ready for the next: first page, "Pessoa Física", the next code, in "Fantasia".
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(shownLabels(), QStringLiteral("Cpf/Rg"));
        QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("Text11"))->text(), QStringLiteral("3"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text1"));
        QVERIFY(form->findChild<QPlainTextEdit*>(QStringLiteral("Text10"))->toPlainText().isEmpty());
        delete guard.data();
    }

private:
    // Suppliers 2 to 4 in two cities, a third that starts like one; 3 has a purchase.
    void addSuppliers()
    {
        Connection& c = m_db->connection();
        const char* rows[] = {
            "null,'Distribuidora São João','','','','Belo Horizonte','','3133334444','','','Rua Das Flores','',1,'',''",
            "null,'Bebidas Ouro','','','','Belo Horizonte Norte','','','','','Av. Brasil','',1,'',''",
            "null,'Ouro Fino Bebidas','','','','Contagem','','','','','Rua Ouro','',1,'',''",
        };
        for (const char* values : rows)
            QVERIFY(c.execute(QStringLiteral("insert into fornecedor values(%1)").arg(QString::fromUtf8(values))));
        QVERIFY(c.execute(QStringLiteral("insert into compra values(null,'2026-12-04',3,'1',0,'',0,0,0)")));
    }

    // Column -> value of a supplier's texts and `nfisica_juridica`; empty when it is not there.
    QMap<QString, QString> stored(qint32 code)
    {
        QMap<QString, QString> out;
        const Result<Rows> r = m_db->connection().select(QStringLiteral("select * from fornecedor where ncodigo = ?"),
                                                         {SqlValue::integer(code)});
        if (!r || r->isEmpty())
            return out;
        for (const auto& [field, column] : textColumns)
            out.insert(column, r->text(0, column));
        out.insert(QStringLiteral("nfisica_juridica"), r->text(0, QStringLiteral("nfisica_juridica")));
        return out;
    }

    QPointer<FrmConsultaFornecedores> m_list;
};

QTEST_MAIN(TestSupplier)
#include "test_supplier.moc"
