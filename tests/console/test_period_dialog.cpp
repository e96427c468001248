// FrmSelecionaData at the keyboard: the business day it offers, the tab
// sequence, Enter, Escape, and a period that ends before it starts.

#include "common/message_texts.h"
#include "console/period_dialog.h"
#include "tests/console/report_fixture.h"

#include <QDateEdit>
#include <QPushButton>
#include <QTimeEdit>

using reports::at;

class TestPeriodDialog : public QObject
{
    Q_OBJECT
    std::unique_ptr<reports::Bench> m;
    ReportPeriod period;
    std::unique_ptr<FrmSelecionaData> dialog;

    void open(const QDateTime& now)
    {
        period = ReportPeriod{QStringLiteral("2026-11-01 18:00"), QStringLiteral("2026-11-02 06:00")};   // an older one
        dialog = std::make_unique<FrmSelecionaData>(m->settings, m->messages, period, [now] { return now; });
        QVERIFY(dialog->load());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
    template <typename T>
    T* field(const char* name) { return dialog->findChild<T*>(QString::fromLatin1(name)); }
    QString shown()
    {
        return field<QDateEdit>("DTPicker2")->text() + u' ' + field<QTimeEdit>("DTPicker1")->text() + QStringLiteral(" a ")
            + field<QDateEdit>("DTPicker4")->text() + u' ' + field<QTimeEdit>("DTPicker3")->text();
    }

private slots:
    void init() { m = std::make_unique<reports::Bench>(); }
    void cleanup()
    {
        dialog.reset();
        m.reset();
    }

    void offersTheBusinessDay_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("offered");
        QTest::newRow("at 02:00: the night that began yesterday") << at("2026-12-05 02:00:00") << "04/12/2026 18:00 a 05/12/2026 06:00";
        QTest::newRow("a minute before the opening time") << at("2026-12-05 17:59:00") << "04/12/2026 18:00 a 05/12/2026 06:00";
        QTest::newRow("at the opening time: tonight") << at("2026-12-05 18:00:00") << "05/12/2026 18:00 a 06/12/2026 06:00";
        QTest::newRow("new year's eve") << at("2026-12-31 23:00:00") << "31/12/2026 18:00 a 01/01/2027 06:00";
    }

    void offersTheBusinessDay()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, offered);
        open(now);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Selecione o período..."));
        QCOMPARE(shown(), offered);
        QCOMPARE(period.data_inicial, QString());   // emptied as it opens
        QVERIFY(field<QTimeEdit>("DTPicker1")->hasFocus());
    }

    void tabSkipsTheDates()
    {
        open(at("2026-12-05 02:00:00"));
        // Tab walks the hours, then the minutes of a time (Qt's own), then on.
        QStringList visited;
        for (int i = 0; i < 7; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, (QStringList{"DTPicker1", "DTPicker1", "DTPicker3", "DTPicker3", "CmdOk", "CmdSair", "DTPicker1"}));
    }

    void keys_data()
    {
        QTest::addColumn<QString>("typedStart");   // typed into "hora inicial"; empty: left as offered
        QTest::addColumn<int>("last");             // the key that ends it
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("inicial");
        QTest::addColumn<QString>("final");
        QTest::newRow("Enter through to Imprimir") << "" << int(Qt::Key_Return) << true << "2026-12-04 18:00" << "2026-12-05 06:00";
        QTest::newRow("a later start typed") << "2030" << int(Qt::Key_Enter) << true << "2026-12-04 20:30" << "2026-12-05 06:00";
        QTest::newRow("Escape leaves no period") << "2030" << int(Qt::Key_Escape) << false << "" << "";
    }

    void keys()
    {
        QFETCH(QString, typedStart);
        QFETCH(int, last);
        QFETCH(bool, accepted);
        QFETCH(QString, inicial);
        QFETCH(QString, final);
        open(at("2026-12-05 02:00:00"));
        if (!typedStart.isEmpty())
            QTest::keyClicks(QApplication::focusWidget(), typedStart);
        if (last == Qt::Key_Escape) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(last));   // to hora final
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(last));   // to Imprimir
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CmdOk"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(last));   // presses it
        }
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result() == QDialog::Accepted, accepted);
        QCOMPARE(period.data_inicial, inicial);
        QCOMPARE(period.data_final, final);
        QVERIFY2(m->messages.shown().isEmpty(), qPrintable(m->messages.transcript()));
    }

    void endBeforeStartIsRefused()
    {
        open(at("2026-12-05 02:00:00"));
        // The final date is reached by clicking; its day typed back to the 3rd.
        auto* dataFinal = field<QDateEdit>("DTPicker4");
        QTest::mouseClick(dataFinal, Qt::LeftButton, {}, QPoint(8, dataFinal->height() / 2));
        QVERIFY(dataFinal->hasFocus());
        QTest::keyClicks(dataFinal, QStringLiteral("03"));
        QCOMPARE(dataFinal->date(), QDate(2026, 12, 3));
        QTest::mouseClick(field<QPushButton>("CmdOk"), Qt::LeftButton);
        QCOMPARE(m->messages.texts(), QStringList{msg::periodoInvalido});
        QVERIFY(dialog->isVisible());
        QCOMPARE(period.data_inicial, QString());
    }

    void noDatabaseNoDialog()
    {
        // The business day comes from the database's clock: without it there is nothing to offer.
        m->connection().close();
        period = reports::night();
        FrmSelecionaData::ask(m->settings, m->messages, period);
        QCOMPARE(m->messages.texts(), QStringList{QStringLiteral("O banco de dados não está aberto.")});
        QVERIFY(!period.chosen());
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestPeriodDialog)
#include "test_period_dialog.moc"
