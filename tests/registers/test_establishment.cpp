// The establishment: its one row shown (nulls as empty fields) and changed.
#include "common/message_texts.h"
#include "registers/establishment.h"
#include "registers/establishment_widget.h"
#include "tests/registers/register_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {
const QStringList fieldNames{"Text1", "Text2", "Text8", "Text3", "Text4", "Text5",
                             "Text6", "Text9", "Text10", "Text11", "Text12"};
}

class TestEstablishment : public QObject, RegisterFixture
{
    Q_OBJECT

private slots:
    void init() { openDatabase(TestDatabase::Base); }
    void cleanup() { closeDatabase(); }

    void nullsShownEmptyAndTextsSavedUnchanged()
    {
        Establishment form(m_settings, m_messages);
        form.open();
        QCOMPARE(form.text(QStringLiteral("Text1")), QStringLiteral("Meu Bar"));
        QCOMPARE(form.text(QStringLiteral("Text2")), QStringLiteral("Meu Bar"));
        for (const QString& name : fieldNames.mid(2))
            QVERIFY2(form.text(name).isEmpty(), qPrintable(name + QStringLiteral(": ") + form.text(name)));
        const QStringList values{"bar do zé", "D'Ávila Comércio LTDA", "São Paulo", "Rua A, 10", "Centro",
                                 "(11) 5555-0000", "12.345.678/0001-90", "", "123", "bar@exemplo.com.br",
                                 "01000-000"};
        for (int i = 0; i < fieldNames.size(); ++i)
            form.setText(fieldNames.at(i), values.at(i));
        QCOMPARE(form.save(), RegisterForm::Saved::Updated);
        QVERIFY(m_messages.shown().isEmpty());
        const Rows r = row();
        const QStringList columns{"cfantasia", "crazaosocial", "ccidade", "cendereco", "cbairro", "cfone",
                                  "ccnpj", "cfax", "cie", "cemail", "ccep"};
        for (int i = 0; i < columns.size(); ++i)
            QCOMPARE(r.text(0, columns.at(i)), values.at(i));
        QVERIFY(!r.isNull(0, QStringLiteral("cfax")));   // the empty text, not null
    }

    void requiredFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addRow("Fantasia") << "Text1";
        QTest::addRow("CNPJ") << "Text6";
    }
    void requiredFields()
    {
        QFETCH(QString, field);
        Establishment form(m_settings, m_messages);
        form.open();
        form.setText(QStringLiteral("Text6"), QStringLiteral("12.345.678/0001-90"));
        form.setText(QStringLiteral("Text5"), QStringLiteral("5555"));
        form.setText(field, QString());
        QCOMPARE(form.save(), RegisterForm::Saved::No);
        QCOMPARE(m_messages.texts(), QStringList{msg::camposObrigatorios});
        QVERIFY(row().isNull(0, QStringLiteral("cfone")));
    }

    // An installation whose column is shorter than the field: the database's
    // English -802 becomes a message naming the field, nothing is written and
    // the operator is sent back to it.
    void textTooLongForItsColumn_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addRow("plain text") << "cfone" << "Text5" << "5555-0000"
                                    << msg::textoLongoCampo.arg(QStringLiteral("Fone")).arg(5);
        QTest::addRow("accented text") << "cbairro" << "Text4" << "São João"
                                       << msg::textoLongoCampo.arg(QStringLiteral("Bairro")).arg(5);
    }
    void textTooLongForItsColumn()
    {
        QFETCH(QString, column);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QVERIFY(m_db->connection().execute(QStringLiteral("alter table estabelecimento drop %1").arg(column)));
        QVERIFY(m_db->connection().execute(QStringLiteral("alter table estabelecimento add %1 varchar(5)").arg(column)));
        Establishment form(m_settings, m_messages);
        form.open();
        form.setText(QStringLiteral("Text6"), QStringLiteral("12.345.678/0001-90"));
        form.setText(field, text);
        QCOMPARE(form.save(), RegisterForm::Saved::No);
        QCOMPARE(m_messages.texts(), QStringList{message});
        QCOMPARE(form.fieldToFix(), field);
        QCOMPARE(form.text(field), text);
        QVERIFY(row().isNull(0, QStringLiteral("ccnpj")));
    }

    void screenByKeyboard()
    {
        auto* screen = new FrmCadEstabelecimento(m_settings, m_messages);
        QPointer<FrmCadEstabelecimento> guard(screen);
        screen->show();
        QVERIFY(QTest::qWaitForWindowActive(screen));
        auto* fantasia = screen->findChild<QLineEdit*>(QStringLiteral("Text1"));
        QCOMPARE(QApplication::focusWidget(), fantasia);
        QCOMPARE(fantasia->selectedText(), QStringLiteral("Meu Bar"));
        QTest::keyClicks(fantasia, QStringLiteral("Bar D'Ouro"));
        QCOMPARE(fantasia->text(), QStringLiteral("Bar DOuro"));
        QTest::keyClick(fantasia, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), screen->findChild<QLineEdit*>(QStringLiteral("Text2")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), screen->findChild<QLineEdit*>(QStringLiteral("Text6")));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12.345.678/0001-90"));
        screen->findChild<QPushButton*>(QStringLiteral("CmdOk"))->click();
        QTRY_VERIFY(guard.isNull());   // saved and closed
        QCOMPARE(row().text(0, QStringLiteral("cfantasia")), QStringLiteral("Bar DOuro"));
        QCOMPARE(row().text(0, QStringLiteral("ccnpj")), QStringLiteral("12.345.678/0001-90"));
        QVERIFY(m_messages.shown().isEmpty());
    }

private:
    Rows row()
    {
        Result<Rows> rows = m_db->connection().select(QStringLiteral("select * from estabelecimento where ncodigo = 1"));
        return rows ? *rows : Rows();
    }
};

QTEST_MAIN(TestEstablishment)
#include "test_establishment.moc"
