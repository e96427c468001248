#include "common/message_texts.h"
#include "common/terminal_settings.h"
#include "console/general_settings_widget.h"
#include "sales/sale_recording.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

#include <memory>

using Kind = ScriptedMessages::Kind;
using Shown = ScriptedMessages::Shown;

class TestGeneralSettings : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_db = std::make_unique<TestDatabase>(TestDatabase::Demo);
        QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
        m_settings = TerminalSettings{};
        m_settings.conexao = &m_db->connection();
        m_settings.dataDir = m_db->dataFolder();
        m_messages.clear();
        QVERIFY(m_db->connection().setGenerator(QStringLiteral("numero_entrada"), 40).ok());
        QVERIFY(m_db->connection().setGenerator(QStringLiteral("numero_venda"), 900).ok());
    }

    void cleanup() { m_db.reset(); }

    void roundTrip_data()
    {
        // Keys typed in each field in tab order ("" leaves it), then Enter down to
        // "&Gravar" or Escape; what is stored; what opening again shows.
        QTest::addColumn<QStringList>("typed");   // Inicio, Final, Entrada, Venda
        QTest::addColumn<bool>("store");
        QTest::addColumn<QString>("stored");      // thora1|thora2|numero_entrada|numero_venda, as shown again
        QTest::addRow("working day crossing midnight, counters to zero")
            << QStringList{"1930", "0415", "0", "0"} << true << "19:30:00|04:15:00|0|0";
        QTest::addRow("closing before opening, one minute apart")
            << QStringList{"0801", "0800", "120", "7"} << true << "08:01:00|08:00:00|120|7";
        QTest::addRow("highest counters")
            << QStringList{"", "", "2147483646", "2147483646"} << true << "18:00:00|06:00:00|2147483646|2147483646";
        QTest::addRow("stored again without changes") << QStringList{"", "", "", ""} << true << "18:00:00|06:00:00|40|900";
        QTest::addRow("Escape stores nothing") << QStringList{"1930", "0415", "5", "5"} << false << "18:00:00|06:00:00|40|900";
    }
    void roundTrip()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, store);
        QFETCH(QString, stored);
        {
            FrmConfiguracaoGeral dialog(m_settings, m_messages);
            QCOMPARE(shown(dialog), QStringLiteral("18:00:00|06:00:00|40|900"));
            open(dialog);
            type(dialog, typed);
            QTest::keyClick(QApplication::focusWidget(), store ? Qt::Key_Return : Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
        }
        QVERIFY2(m_messages.shown().isEmpty(), qPrintable(m_messages.transcript()));
        QCOMPARE(state(), QStringList{stored});
        FrmConfiguracaoGeral again(m_settings, m_messages);
        QCOMPARE(shown(again), stored);
    }

    void saleCounterAtZero()
    {
        FrmConfiguracaoGeral dialog(m_settings, m_messages);
        open(dialog);
        type(dialog, {"", "", "", "0"});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const auto sale = sale_recording::recordSale(
            m_db->connection(), 1, {QStringLiteral("Dinheiro"), Money::fromWhole(7), Money::fromWhole(7), Money()},
            {{1, Money::fromWhole(1), Money::fromWhole(7), Money::fromWhole(7), false}});
        QVERIFY(sale.ok());
        const auto line = m_db->connection().select(QStringLiteral("select nnumero from item_venda"));
        QCOMPARE(line->integer(0, QStringLiteral("nnumero")), 1);
    }

    void refusedStoresNothing_data()
    {
        QTest::addColumn<QStringList>("database");   // statements run before opening
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QList<Shown>>("messages");
        QTest::addColumn<QString>("focus");          // where the operator is left
        const Shown untouched{Kind::Info, msg::configuracaoNaoGravada};
        QTest::addRow("Entrada empty") << QStringList{} << QStringList{"1930", "", "\b", "5"}
                                       << QList<Shown>{{Kind::Info, msg::camposObrigatorios}} << "Text2";
        QTest::addRow("Venda above the limit") << QStringList{} << QStringList{"1930", "", "5", "2147483647"}
                                               << QList<Shown>{{Kind::Info, msg::valorAcimaDoLimite}} << "Text1";
        QTest::addRow("hours refused by the database")
            << QStringList{"create exception e_teste '{ini}Horário recusado.'",
                           "create trigger t_teste for horario before insert as begin "
                           "if (new.thora1 = '04:44') then exception e_teste; end"}
            << QStringList{"0444", "", "5", "6"} << QList<Shown>{{Kind::Info, "Horário recusado."}, untouched}
            << "CmdOk";
        QTest::addRow("refused at the commit, after both counters")
            << QStringList{"create exception e_teste '{ini}Recusado no fim.'",
                           "create trigger t_teste on transaction commit as begin "
                           "if (exists(select 1 from horario where thora1 = '03:33')) then exception e_teste; end"}
            << QStringList{"0333", "", "5", "6"} << QList<Shown>{{Kind::Info, "Recusado no fim."}, untouched}
            << "CmdOk";
    }
    void refusedStoresNothing()
    {
        QFETCH(QStringList, database);
        QFETCH(QStringList, typed);
        QFETCH(QList<Shown>, messages);
        QFETCH(QString, focus);
        for (const QString& statement : database)
            QVERIFY2(m_db->connection().execute(statement).ok(), qPrintable(statement));
        const QStringList before = state();
        FrmConfiguracaoGeral dialog(m_settings, m_messages);
        open(dialog);
        type(dialog, typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(m_messages.shown(), messages);
        QCOMPARE(state(), before);
        // Still open with what was typed, to be put right or left with Escape.
        QVERIFY(dialog.isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("Text2"))->text(), typed[2] == "\b" ? "" : typed[2]);
    }

    void unreadableSettingsCannotBeStored()
    {
        Connection closed;
        TerminalSettings offline = m_settings;
        offline.conexao = &closed;
        FrmConfiguracaoGeral dialog(offline, m_messages);
        QCOMPARE(m_messages.shown().size(), 1);
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("CmdOk"))->isEnabled());
    }

private:
    void open(FrmConfiguracaoGeral& dialog)
    {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Configurações"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("DTPicker1"));
    }

    // Each field in tab order: its keys typed, then Enter to the next one.
    void type(FrmConfiguracaoGeral& dialog, const QStringList& typed)
    {
        for (const QString& keys : typed) {
            QWidget* field = QApplication::focusWidget();
            if (keys == QLatin1String("\b"))
                QTest::keyClick(field, Qt::Key_Backspace);
            else if (!keys.isEmpty())
                QTest::keyClicks(field, keys);
            QTest::keyClick(field, Qt::Key_Return);
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CmdOk"));
    }

    static QString shown(FrmConfiguracaoGeral& dialog)
    {
        return QStringList{dialog.findChild<QTimeEdit*>(QStringLiteral("DTPicker1"))->time().toString(QStringLiteral("hh:mm:ss")),
                           dialog.findChild<QTimeEdit*>(QStringLiteral("DTPicker3"))->time().toString(QStringLiteral("hh:mm:ss")),
                           dialog.findChild<QLineEdit*>(QStringLiteral("Text2"))->text(),
                           dialog.findChild<QLineEdit*>(QStringLiteral("Text1"))->text()}
            .join(u'|');
    }

    // Every row of horario, then both counters.
    QStringList state()
    {
        Connection& c = m_db->connection();
        QStringList out;
        const auto hours = c.select(QStringLiteral("select thora1, thora2 from horario"));
        for (int r = 0; r < hours->count(); ++r)
            out << hours->time(r, QStringLiteral("thora1")).toString(QStringLiteral("hh:mm:ss")) + u'|'
                       + hours->time(r, QStringLiteral("thora2")).toString(QStringLiteral("hh:mm:ss"));
        for (const QString& name : {QStringLiteral("numero_entrada"), QStringLiteral("numero_venda")})
            out << QString::number(c.generator(name, 0).value());
        return {out.join(u'|')};
    }

    std::unique_ptr<TestDatabase> m_db;
    TerminalSettings m_settings;
    ScriptedMessages m_messages;
};

QTEST_MAIN(TestGeneralSettings)
#include "test_general_settings.moc"
