// Groups: the register and the list.
#include "common/message_texts.h"
#include "registers/group_list.h"
#include "registers/group_list_widget.h"
#include "registers/group_register.h"
#include "registers/group_register_widget.h"
#include "tests/registers/register_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class TestGroup : public QObject, RegisterFixture
{
    Q_OBJECT

private slots:
    void init() { openDatabase(); }
    void cleanup()
    {
        delete m_list.data();
        closeDatabase();
    }

    void newGroupsOneAfterAnother()
    {
        // Codes beyond 16 bits, as a long-lived catalogue reaches.
        QVERIFY(m_db->connection().setGenerator(QStringLiteral("grupo"), 70000));
        GroupRegister form(m_settings, m_messages, true);
        form.open();
        QCOMPARE(form.text(QStringLiteral("Text11")), QStringLiteral("70001"));
        QCOMPARE(form.save(), RegisterForm::Saved::No);   // "Nome" empty
        QCOMPARE(m_messages.texts(), QStringList{msg::camposObrigatorios});
        for (const char* typed : {"bebidas QUENTES", "vinhos D'ávila"}) {
            form.setText(QStringLiteral("Text1"), QString::fromUtf8(typed));
            QCOMPARE(form.save(), RegisterForm::Saved::Inserted);
        }
        QCOMPARE(form.text(QStringLiteral("Text11")), QStringLiteral("70003"));
        QCOMPARE(form.text(QStringLiteral("Text1")), QString());
        QCOMPARE(names(), (QStringList{"1 Cervejas", "2 Destilados", "3 Refrigerantes E Águas", "4 Drinks",
                                       "5 Petiscos", "70001 Bebidas Quentes", "70002 Vinhos D'ávila"}));
        QCOMPARE(m_messages.shown().size(), 1);
    }

    void renameWritesTheGroupOpened()
    {
        QVERIFY(m_db->connection().setGenerator(QStringLiteral("grupo"), 70000));
        QVERIFY(m_db->connection().execute(QStringLiteral("insert into grupo values (70000, 'Vinhos D''Ávila')")));
        GroupRegister form(m_settings, m_messages, false, 70000);
        form.open();
        QCOMPARE(form.text(QStringLiteral("Text1")), QStringLiteral("Vinhos D'Ávila"));
        form.setText(QStringLiteral("Text1"), form.text(QStringLiteral("Text1")) + QStringLiteral(" tintos"));
        form.setText(QStringLiteral("Text11"), QStringLiteral("1"));   // not what the update names
        QCOMPARE(form.save(), RegisterForm::Saved::Updated);
        QVERIFY(names().contains(QStringLiteral("70000 Vinhos D'ávila Tintos")));
        QVERIFY(names().contains(QStringLiteral("1 Cervejas")));
    }

    void listSearch_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QList<qint32>>("found");
        QTest::addRow("a code alone decides") << "2" << "cerv" << QList<qint32>{2};
        QTest::addRow("name anywhere, proper case") << "" << "águas" << QList<qint32>{3};
        QTest::addRow("everything, by code") << "" << "" << QList<qint32>{1, 2, 3, 4, 5};
        QTest::addRow("code beyond any code") << "4294967296" << "" << QList<qint32>{};
    }
    void listSearch()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, nome);
        QFETCH(QList<qint32>, found);
        GroupList list(m_settings, m_messages);
        list.setCodigo(codigo);
        list.setNome(nome);
        QVERIFY(list.search());
        QCOMPARE(codes(list), found);
        QCOMPARE(list.model().gridRows(), 12);
    }

    void listByKeyboard()
    {
        m_list = new FrmConsultaGrupos(m_settings, m_messages);
        m_list->show();
        QVERIFY(QTest::qWaitForWindowActive(m_list));
        auto* codigo = m_list->findChild<QLineEdit*>(QStringLiteral("Text2"));
        QTableView* grid = m_list->grid();
        QCOMPARE(QApplication::focusWidget(), codigo);
        QCOMPARE(m_list->groups().model().foundCount(), 0);   // not filled on opening
        QTest::keyClicks(codigo, QStringLiteral("x5"));        // digits only
        QCOMPARE(codigo->text(), QStringLiteral("5"));
        QTest::keyClick(codigo, Qt::Key_Backspace);
        QTest::keyClick(codigo, Qt::Key_F5);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);   // "Procurar"
        QCOMPARE(codes(m_list->groups()), (QList<qint32>{1, 2, 3, 4, 5}));

        // A group in use is refused: row and grid stay, not even refilled.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), grid);
        m_messages.answerNext(true);
        m_messages.answerNext(false);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(m_messages.texts(), (QStringList{msg::confirmaExclusao, msg::violacaoIntegridade}));
        QVERIFY(m_db->connection().execute(QStringLiteral("insert into grupo values (null, 'Vazio')")));
        QCOMPARE(codes(m_list->groups()), (QList<qint32>{1, 2, 3, 4, 5}));
        m_messages.clear();
        for (int i = 0; i < 7; ++i)
            QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Delete);   // a filler row: nothing asked
        QVERIFY(m_messages.shown().isEmpty());
        // Searched again, the free group goes.
        QTest::keyClick(grid, Qt::Key_F5);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(grid, Qt::Key_Down);
        m_messages.answerNext(true);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(m_messages.texts(), QStringList{msg::confirmaExclusao});
        QCOMPARE(codes(m_list->groups()), (QList<qint32>{1, 2, 3, 4, 5}));
        QTest::keyClick(grid, Qt::Key_Up);
        QTest::keyClick(grid, Qt::Key_Up);

        // "Detalhes" opens the row's group, owned by the list; the rename is stored.
        m_list->findChild<QPushButton*>(QStringLiteral("Command4"))->click();
        auto* form = m_list->findChild<FrmCadGrupo*>();
        QVERIFY(form && form->isVisible() && !form->isModal());
        QVERIFY(QTest::qWaitForWindowActive(form));
        auto* nome = form->findChild<QLineEdit*>(QStringLiteral("Text1"));
        QTRY_COMPARE(QApplication::focusWidget(), nome);
        QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("Text11"))->text(), QStringLiteral("3"));
        QTest::keyClicks(nome, QStringLiteral("aguas MINERAIS"));   // replaces the selected name
        QTest::keyClick(nome, Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);   // "Gravar"
        QTRY_VERIFY(!m_list->findChild<FrmCadGrupo*>());
        QVERIFY(names().contains(QStringLiteral("3 Aguas Minerais")));
    }

private:
    // "code name" of every group, by code.
    QStringList names() const { return codesWith(QStringLiteral("grupo"), QStringLiteral("cdescricao")); }

    QPointer<FrmConsultaGrupos> m_list;
};

QTEST_MAIN(TestGroup)
#include "test_group.moc"
