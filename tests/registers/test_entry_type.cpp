// Entry types: the register with its parking flag, and the list.
#include "common/message_texts.h"
#include "registers/entry_type_list.h"
#include "registers/entry_type_register.h"
#include "registers/entry_type_list_widget.h"
#include "registers/entry_type_register_widget.h"
#include "tests/registers/register_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class TestEntryType : public QObject, RegisterFixture
{
    Q_OBJECT

private slots:
    void init() { openDatabase(); }
    void cleanup() { closeDatabase(); }

    void newType_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("preco");
        QTest::addColumn<bool>("parking");
        QTest::addColumn<QStringList>("row");   // empty: refused
        QTest::addRow("admission") << "ingresso VIP" << "R$ 1.212,50" << false << QStringList{"Ingresso Vip", "1212.5", "N"};
        QTest::addRow("parking") << "ingresso VIP" << "1212,5" << true << QStringList{"Ingresso Vip", "1212.5", "S"};
        QTest::addRow("name empty") << "" << "10" << true << QStringList{};
        QTest::addRow("price empty") << "Cortesia" << "" << true << QStringList{};
    }
    void newType()
    {
        QFETCH(QString, nome);
        QFETCH(QString, preco);
        QFETCH(bool, parking);
        QFETCH(QStringList, row);
        EntryTypeRegister form(m_settings, m_messages, true);
        form.open();
        QCOMPARE(form.text(QStringLiteral("Text11")), QStringLiteral("5"));
        QVERIFY(!form.estacionamento());
        form.setText(QStringLiteral("Text1"), nome);
        form.setText(QStringLiteral("Text2"), preco);
        form.setEstacionamento(parking);
        const bool refused = row.isEmpty();
        QCOMPARE(form.save(), refused ? RegisterForm::Saved::No : RegisterForm::Saved::Inserted);
        QCOMPARE(m_messages.texts(), refused ? QStringList{msg::camposObrigatorios} : QStringList{});
        QCOMPARE(stored(5), row);
        // Refused: kept as typed, flag too. Saved: back empty, unticked, with the next code.
        QCOMPARE(form.text(QStringLiteral("Text11")), refused ? QStringLiteral("5") : QStringLiteral("6"));
        QCOMPARE(form.text(QStringLiteral("Text1")), refused ? nome : QString());
        QCOMPARE(form.text(QStringLiteral("Text2")), refused ? preco : QStringLiteral("R$ 0,00"));
        QCOMPARE(form.estacionamento(), refused && parking);
    }

    void changeLoadsAndUpdates_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("price");
        QTest::addColumn<bool>("parking");
        QTest::addRow("admission type") << 2 << "Entrada Meia" << "R$ 15,00" << false;
        QTest::addRow("parking type") << 4 << "Estacionamento" << "R$ 20,00" << true;
    }
    void changeLoadsAndUpdates()
    {
        QFETCH(int, code);
        QFETCH(QString, name);
        QFETCH(QString, price);
        QFETCH(bool, parking);
        EntryTypeRegister form(m_settings, m_messages, false, code);
        form.open();
        QCOMPARE(form.text(QStringLiteral("Text1")) + u' ' + form.text(QStringLiteral("Text2")), name + u' ' + price);
        QCOMPARE(form.estacionamento(), parking);
        form.setText(QStringLiteral("Text2"), QStringLiteral("17,5"));
        form.setEstacionamento(!parking);
        QCOMPARE(form.save(), RegisterForm::Saved::Updated);
        QCOMPARE(stored(code), (QStringList{name, "17.5", parking ? "N" : "S"}));
    }

    void listSearch_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QList<qint32>>("found");
        QTest::addRow("part of the name") << "" << "vip" << QList<qint32>{3};
        QTest::addRow("a code ignores the name") << "2" << "vip" << QList<qint32>{2};
        QTest::addRow("everything") << "" << "" << QList<qint32>{1, 2, 3, 4};
        QTest::addRow("code beyond any code") << "4294967296" << "" << QList<qint32>{};
    }
    void listSearch()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, nome);
        QFETCH(QList<qint32>, found);
        EntryTypeList list(m_settings, m_messages);
        list.setCodigo(codigo);
        list.setNome(nome);
        QVERIFY(list.search());
        QCOMPARE(codes(list), found);
        QCOMPARE(list.model().gridRows(), 12);
    }

    void deleteOfTypeInUseRefused()
    {
        QVERIFY(m_db->connection().execute(QStringLiteral(
            "insert into entrada (ncodigo, ntipo_entrada, ncaixa_entrada, nvalor, cforma_pagamento, nnumero) "
            "values (1, 4, 1, 20, 'Dinheiro', 1)")));
        EntryTypeList list(m_settings, m_messages);
        QVERIFY(list.search());
        m_messages.answerNext(true);
        m_messages.answerNext(false);
        QVERIFY(!list.remove(3));
        QCOMPARE(m_messages.texts(), (QStringList{msg::confirmaExclusao, msg::violacaoIntegridade}));
        QCOMPARE(codes(list), (QList<qint32>{1, 2, 3, 4}));
        QVERIFY(!stored(4).isEmpty());
        m_messages.clear();
        m_messages.answerNext(true);
        QVERIFY(list.remove(2));   // a type nobody used goes
        QCOMPARE(codes(list), (QList<qint32>{1, 2, 4}));
    }

    void registerByKeyboard()
    {
        auto* form = new FrmCadTabelaPreco(m_settings, m_messages, true);
        QPointer<FrmCadTabelaPreco> guard(form);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
        auto* nome = form->findChild<QLineEdit*>(QStringLiteral("Text1"));
        auto* preco = form->findChild<QLineEdit*>(QStringLiteral("Text2"));
        auto* flag = form->findChild<QCheckBox*>(QStringLiteral("Check1"));
        auto* codigo = form->findChild<QLineEdit*>(QStringLiteral("Text11"));
        QCOMPARE(QApplication::focusWidget(), nome);
        QTest::keyClicks(nome, QStringLiteral("entrada vip"));   // a name already taken
        QTest::keyClick(nome, Qt::Key_Return);
        QTest::keyClicks(preco, QStringLiteral("45,9"));
        QTest::keyClick(preco, Qt::Key_Return);
        QCOMPARE(preco->text(), QStringLiteral("R$ 45,90"));
        flag->setChecked(true);
        m_messages.answerNext(false);
        form->findChild<QPushButton*>(QStringLiteral("CmdOk"))->click();
        QCOMPARE(m_messages.texts(), QStringList{msg::registroJaExiste});
        QVERIFY(flag->isChecked());   // the refused save left the box alone
        QCOMPARE(nome->text(), QStringLiteral("entrada vip"));
        // The refused insert drew code 5: the form shows the one the next save gets.
        QCOMPARE(codigo->text(), QStringLiteral("6"));
        QVERIFY(stored(5).isEmpty());
        nome->selectAll();
        QTest::keyClicks(nome, QStringLiteral("estacionamento van"));
        form->findChild<QPushButton*>(QStringLiteral("CmdOk"))->click();
        QCOMPARE(stored(6), (QStringList{"Estacionamento Van", "45.9", "S"}));
        QVERIFY(!flag->isChecked());
        QCOMPARE(codigo->text(), QStringLiteral("7"));
        QCOMPARE(QApplication::focusWidget(), nome);
        delete guard.data();
    }

    // "Valor" is wide enough for every price found, however long.
    void listShowsWholePrices()
    {
        QVERIFY(m_db->connection().execute(QStringLiteral("update tipo_entrada set nvalor = 12345.5 where ncodigo = 3")));
        auto* list = new FrmConsultaTipoEntrada(m_settings, m_messages);
        QPointer<FrmConsultaTipoEntrada> guard(list);
        list->show();
        QVERIFY(QTest::qWaitForWindowActive(list));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);   // "Procurar"
        QTableView* grid = list->grid();
        QCOMPARE(grid->model()->index(2, 2).data().toString(), QStringLiteral("R$ 12.345,50"));
        for (int row = 0; row < 4; ++row) {
            const QString price = grid->model()->index(row, 2).data().toString();
            QVERIFY2(grid->fontMetrics().horizontalAdvance(price) < grid->columnWidth(2), qPrintable(price));
        }
        delete guard.data();
    }

private:
    // cnome, nvalor, cestacionamento of a type; empty when it is not there.
    QStringList stored(qint32 code);
};

QStringList TestEntryType::stored(qint32 code)
{
    const Result<Rows> rows = m_db->connection().select(
        QStringLiteral("select cnome, nvalor, cestacionamento from tipo_entrada where ncodigo = ?"),
        {SqlValue::integer(code)});
    if (!rows || rows->isEmpty())
        return {};
    return {rows->text(0, QStringLiteral("cnome")), rows->money(0, QStringLiteral("nvalor")).toDecimalText(),
            rows->text(0, QStringLiteral("cestacionamento"))};
}

QTEST_MAIN(TestEntryType)
#include "test_entry_type.moc"
