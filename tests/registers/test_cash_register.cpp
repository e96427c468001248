// Cash registers: the register, whose number the user types, and the list.
#include "common/message_texts.h"
#include "registers/cash_register_list.h"
#include "registers/cash_register_list_widget.h"
#include "registers/cash_register_register.h"
#include "registers/cash_register_register_widget.h"
#include "tests/registers/register_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class TestCashRegister : public QObject, RegisterFixture
{
    Q_OBJECT

private slots:
    void init() { openDatabase(TestDatabase::Base); }
    void cleanup()
    {
        delete m_list.data();
        closeDatabase();
    }

    void newCashRegister_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QStringList>("shown");    // messages, the duplicate answered "Não"
        QTest::addColumn<QString>("stored");       // the new row, "" when refused
        QTest::addRow("highest number") << "32767" << QStringList{} << "32767 Maria Da Silva";
        QTest::addRow("beyond 16 bits") << "32768" << QStringList{msg::numeroCaixaInvalido} << "";
        QTest::addRow("zero") << "0" << QStringList{msg::numeroCaixaInvalido} << "";
        QTest::addRow("number taken") << "1" << QStringList{msg::registroJaExiste} << "";
        QTest::addRow("empty") << "" << QStringList{msg::camposObrigatorios} << "";
    }
    void newCashRegister()
    {
        QFETCH(QString, codigo);
        QFETCH(QStringList, shown);
        QFETCH(QString, stored);
        CashRegisterRegister form(m_settings, m_messages, true);
        form.open();
        QCOMPARE(form.text(QStringLiteral("Text11")), QString());
        form.setText(QStringLiteral("Text11"), codigo);
        form.setText(QStringLiteral("Text1"), QStringLiteral("maria DA silva"));
        if (shown.contains(msg::registroJaExiste))
            m_messages.answerNext(false);
        const bool refused = stored.isEmpty();
        QCOMPARE(form.save(), refused ? RegisterForm::Saved::No : RegisterForm::Saved::Inserted);
        QCOMPARE(m_messages.texts(), shown);
        QCOMPARE(rows(), refused ? QStringList{"1 Caixa 1"} : (QStringList{"1 Caixa 1", stored}));
        QCOMPARE(form.text(QStringLiteral("Text11")), refused ? codigo : QString());
    }

    void deleteOfANumberInUseRefused_data()
    {
        QTest::addColumn<QString>("use");
        QTest::addRow("sale") << "insert into venda values (2, 2, null, 'Dinheiro', 7, 7, 0)";
        QTest::addRow("entry") << "insert into entrada (ncodigo, ntipo_entrada, ncaixa_entrada, nvalor) values (null, 1, 2, 30)";
        QTest::addRow("entry cancelled there")
            << "insert into entrada (ncodigo, ntipo_entrada, ncaixa_entrada, nvalor, ncaixa_exclusao) values (null, 1, 1, 30, 2)";
        QTest::addRow("sale line cancelled there")
            << "insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal, ncaixa_exclusao) values (null, 1, 1, 1, 7, 7, 2)";
    }
    void deleteOfANumberInUseRefused()
    {
        QFETCH(QString, use);
        openDatabase(TestDatabase::Demo);
        Connection& c = m_db->connection();
        QVERIFY(c.execute(QStringLiteral("insert into caixa values (0, 'Antigo')")));
        QVERIFY(c.execute(QStringLiteral("insert into venda values (1, 1, null, 'Dinheiro', 7, 7, 0)")));
        QVERIFY(c.execute(use));
        CashRegisterList list(m_settings, m_messages);
        QVERIFY(list.search());
        QCOMPARE(codes(list), (QList<qint32>{0, 1, 2}));
        m_messages.answerNext(true);
        QVERIFY(!list.remove(2));
        QCOMPARE(m_messages.texts().last(),
                 QStringLiteral("O caixa não pode ser excluído porque há vendas, entradas ou cancelamentos registrados com o seu número!"));
        QCOMPARE(codes(list), (QList<qint32>{0, 1, 2}));
        m_messages.clear();
        m_messages.answerNext(true);
        QVERIFY(list.remove(0));   // a number nothing names goes
        QCOMPARE(codes(list), (QList<qint32>{1, 2}));
    }

    void listByKeyboard()
    {
        QVERIFY(m_db->connection().execute(QStringLiteral("insert into caixa values (0, 'Antigo')")));
        QVERIFY(m_db->connection().execute(QStringLiteral("insert into caixa values (7, 'Balcao')")));
        m_list = new FrmConsultaCaixa(m_settings, m_messages);
        m_list->show();
        QVERIFY(QTest::qWaitForWindowActive(m_list));
        QTableView* grid = m_list->grid();
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(codes(m_list->cashRegisters()), (QList<qint32>{0, 1, 7}));   // filled on opening
        QCOMPARE(m_list->cashRegisters().model().gridRows(), 14);
        QVERIFY(m_list->findChild<QPushButton*>(QStringLiteral("Command3"))->isHidden());
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Delete);   // a filler row
        QTest::keyClick(grid, Qt::Key_Up);
        QTest::keyClick(grid, Qt::Key_Up);
        m_messages.answerNext(false);
        QTest::keyClick(grid, Qt::Key_Delete);   // 7, kept on "Não"
        QCOMPARE(m_messages.texts(), QStringList{msg::confirmaExclusao});

        // "Detalhes": the number shown, not editable; the operator saved refills the list.
        QTest::keyClick(grid, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        auto* form = m_list->findChild<FrmCadCaixa*>();
        QVERIFY(form && form->isVisible());
        auto* codigo = form->findChild<QLineEdit*>(QStringLiteral("Text11"));
        auto* operador = form->findChild<QLineEdit*>(QStringLiteral("Text1"));
        QCOMPARE(codigo->text() + u' ' + operador->text(), QStringLiteral("7 Balcao"));
        QVERIFY(!codigo->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), operador);
        QTest::keyClicks(operador, QStringLiteral("joana d"));
        QTest::keyClick(operador, Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!m_list->findChild<FrmCadCaixa*>());
        QCOMPARE(m_list->cashRegisters().model().cell(2, 1), QStringLiteral("Joana D"));
        QVERIFY(rows().contains(QStringLiteral("7 Joana D")));
    }

    void registerByKeyboard()
    {
        auto* form = new FrmCadCaixa(m_settings, m_messages, true);
        QPointer<FrmCadCaixa> guard(form);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
        auto* codigo = form->findChild<QLineEdit*>(QStringLiteral("Text11"));
        auto* operador = form->findChild<QLineEdit*>(QStringLiteral("Text1"));
        QCOMPARE(QApplication::focusWidget(), codigo);
        QTest::keyClicks(codigo, QStringLiteral("4a00000"));   // letters never, five digits at most
        QCOMPARE(codigo->text(), QStringLiteral("40000"));
        QTest::keyClick(codigo, Qt::Key_Return);
        QTest::keyClicks(operador, QStringLiteral("ana"));
        form->okButton()->click();
        QCOMPARE(m_messages.texts(), QStringList{msg::numeroCaixaInvalido});
        QCOMPARE(QApplication::focusWidget(), codigo);
        QCOMPARE(codigo->selectedText(), QStringLiteral("40000"));
        QTest::keyClicks(codigo, QStringLiteral("3"));
        form->okButton()->click();
        QVERIFY(rows().contains(QStringLiteral("3 Ana")));
        QCOMPARE(codigo->text() + operador->text(), QString());
        QCOMPARE(QApplication::focusWidget(), codigo);
        delete guard.data();
    }

private:
    // "code operator" of every cash register, by code.
    QStringList rows() const { return codesWith(QStringLiteral("caixa"), QStringLiteral("coperador")); }

    QPointer<FrmConsultaCaixa> m_list;
};

QTEST_MAIN(TestCashRegister)
#include "test_cash_register.moc"
