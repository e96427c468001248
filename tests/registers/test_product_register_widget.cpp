// frmCadProdutos driven by real keystrokes, as an operator would.
#include "common/message_texts.h"
#include "registers/lookup_dialog.h"
#include "registers/product_register_widget.h"
#include "tests/registers/register_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

class TestProductRegisterWidget : public QObject, RegisterFixture
{
    Q_OBJECT

private slots:
    void init() { openDatabase(); }
    void cleanup()
    {
        delete m_form.data();
        closeDatabase();
    }

    void typingAndLeaving_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addRow("letters never reach a price") << "Text4" << "12a,5" << "R$ 12,50";
        QTest::addRow("quantity kept as typed") << "Text2" << "2,5" << "2,5";
        QTest::addRow("quantity as a lone comma") << "Text10" << "," << "";
        QTest::addRow("group takes digits only") << "Text6" << "1,b" << "1";
        QTest::addRow("price takes ten characters") << "Text5" << "12345678901" << "R$ 1.234.567.890,00";
    }
    void typingAndLeaving()
    {
        QFETCH(QString, name);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        openForm();
        QLineEdit* edit = field(qPrintable(name));
        edit->setFocus();
        QTest::keyClicks(edit, keys);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), shown);
        QVERIFY(QApplication::focusWidget() != edit);
        QVERIFY2(m_messages.shown().isEmpty(), qPrintable(m_messages.transcript()));
    }

    void unknownGroupKeepsTheFocus()
    {
        openForm();
        QLineEdit* grupo = field("Text6");
        grupo->setFocus();
        QTest::keyClicks(grupo, QStringLiteral("99"));
        QTest::keyClick(grupo, Qt::Key_Return);
        QCOMPARE(m_messages.texts(), QStringList{msg::registroNaoLocalizado});
        QCOMPARE(QApplication::focusWidget(), grupo);
        QCOMPARE(grupo->selectedText(), QStringLiteral("99"));
        QTest::keyClicks(grupo, QStringLiteral("1"));   // replaces the selection
        QTest::keyClick(grupo, Qt::Key_Return);
        QCOMPARE(field("Text7")->text(), QStringLiteral("Cervejas"));
        QCOMPARE(QApplication::focusWidget(), field("Text8"));
        QCOMPARE(m_messages.shown().size(), 1);
    }

    void f12LeftThenPicked()
    {
        openForm(false, 3);
        QLineEdit* grupo = field("Text6");
        grupo->setFocus();
        QTimer::singleShot(0, this, [] {
            if (auto* lookup = qobject_cast<FrmConsulta*>(QApplication::activeModalWidget()))
                QTest::keyClick(lookup, Qt::Key_Escape);
        });
        QTest::keyClick(grupo, Qt::Key_F12);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(grupo->text(), QStringLiteral("1"));   // left without picking: nothing changed
        QCOMPARE(field("Text7")->text(), QStringLiteral("Cervejas"));
        bool seen = false;
        QTimer::singleShot(0, this, [&seen] {
            auto* lookup = qobject_cast<FrmConsulta*>(QApplication::activeModalWidget());
            if (!lookup)
                return;
            seen = lookup->windowTitle() == QLatin1String("Consulta de grupos");
            auto* grid = lookup->findChild<QTableView*>(QStringLiteral("Grid1"));
            grid->setCurrentIndex(grid->model()->index(3, 0));   // code order: 1..5
            lookup->aceitar();
        });
        m_form->findChild<QPushButton*>(QStringLiteral("Command3"))->click();   // "..." does the same
        QVERIFY(seen);
        QCOMPARE(grupo->text(), QStringLiteral("4"));
        QCOMPARE(field("Text7")->text(), QStringLiteral("Drinks"));
        QVERIFY(m_messages.shown().isEmpty());
    }

    void wholeProductByKeyboard()
    {
        openForm();
        QVERIFY(!field("Text11")->isEnabled());
        QCOMPARE(field("Text11")->text(), QStringLiteral("16"));
        QCOMPARE(field("Text7")->focusPolicy(), Qt::NoFocus);
        QWidget* at = field("Text1");
        QCOMPARE(QApplication::focusWidget(), at);
        const QStringList typed{QStringLiteral("cerveja LATA"), QStringLiteral("1"), QStringLiteral("Lata"),
                                QStringLiteral("24"), QStringLiteral("6"), QStringLiteral("3,2"),
                                QStringLiteral("4"), QStringLiteral("7,5")};
        for (const QString& text : typed) {
            QTest::keyClicks(at, text);
            QTest::keyClick(at, Qt::Key_Return);
            at = QApplication::focusWidget();
        }
        QCOMPARE(at, m_form->findChild<QPushButton*>(QStringLiteral("CmdOk")));
        m_form->findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(false);
        QTest::keyClick(at, Qt::Key_Return);   // Enter on "&Gravar" presses it
        QVERIFY2(m_messages.shown().isEmpty(), qPrintable(m_messages.transcript()));
        const Result<Rows> row = m_db->connection().select(
            QStringLiteral("select cdescricao, nvalor_venda, nqtde_atual, nestoque from produto where ncodigo = 16"));
        QVERIFY(row && row->count() == 1);
        QCOMPARE(row->text(0, QStringLiteral("cdescricao")) + u' ' + row->money(0, QStringLiteral("nvalor_venda")).toDecimalText()
                     + u' ' + row->money(0, QStringLiteral("nqtde_atual")).toDecimalText(),
                 QStringLiteral("Cerveja Lata 7.5 24"));
        QCOMPARE(row->integer(0, QStringLiteral("nestoque")), 0);
        // Ready for the next one; Escape leaves it without saving.
        QCOMPARE(field("Text11")->text(), QStringLiteral("17"));
        QVERIFY(m_form->findChild<QCheckBox*>(QStringLiteral("Check1"))->isChecked());
        QCOMPARE(QApplication::focusWidget(), field("Text1"));
        QTest::keyClicks(field("Text1"), QStringLiteral("gelo"));
        QTest::keyClick(field("Text1"), Qt::Key_Escape);
        QTRY_VERIFY(m_form.isNull());   // closed and deleted
        QCOMPARE(*m_db->connection().generator(QStringLiteral("produto"), 0), 16);
    }

    // What the tickets cannot print, or a quantity its column would round:
    // refused by name, the operator sent back to the field, nothing stored.
    void refusedValueByKeyboard_data()
    {
        QTest::addColumn<int>("at");            // position in the typing order
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message");
        QTest::addRow("emoji in Nome") << 0 << QStringLiteral("cerveja \U0001F37A") << "Text1"
                                       << msg::caractereNaoImprimivel.arg(QStringLiteral("Nome"), QStringLiteral("\U0001F37A"));
        QTest::addRow("Chinese in Unidade") << 2 << QStringLiteral("杯") << "Text8"
                                            << msg::caractereNaoImprimivel.arg(QStringLiteral("Unidade"), QStringLiteral("杯"));
        QTest::addRow("four decimals in Saldo atual") << 3 << QStringLiteral("2,5001") << "Text2"
                                                      << msg::casasDecimais.arg(QStringLiteral("Saldo atual"));
        QTest::addRow("four decimals in Qtde Mínima") << 4 << QStringLiteral("0,0005") << "Text10"
                                                      << msg::casasDecimais.arg(QStringLiteral("Qtde Mínima"));
    }
    void refusedValueByKeyboard()
    {
        QFETCH(int, at);
        QFETCH(QString, typed);
        QFETCH(QString, field);
        QFETCH(QString, message);
        openForm();
        QStringList keys{QStringLiteral("cerveja"), QStringLiteral("1"), QStringLiteral("Lata"), QStringLiteral("24"),
                         QStringLiteral("6"), QStringLiteral("3,2"), QStringLiteral("4"), QStringLiteral("7,5")};
        keys[at] = typed;
        QWidget* focus = this->field("Text1");
        for (const QString& text : keys) {
            for (const char32_t c : text.toUcs4())   // an emoji is one key, not two halves
                QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, QString::fromUcs4(&c, 1), Qt::NoModifier);
            QTest::keyClick(focus, Qt::Key_Return);
            focus = QApplication::focusWidget();
        }
        QTest::keyClick(focus, Qt::Key_Return);   // "&Gravar"
        QCOMPARE(m_messages.texts(), QStringList{message});
        QLineEdit* wrong = this->field(qPrintable(field));
        QCOMPARE(QApplication::focusWidget(), wrong);
        QCOMPARE(wrong->selectedText(), wrong->text());
        QCOMPARE(*m_db->connection().generator(QStringLiteral("produto"), 0), 15);
        QCOMPARE(this->field("Text11")->text(), QStringLiteral("16"));
    }

private:
    FrmCadProdutos* openForm(bool binclusao = true, qint32 code = 0);
    QLineEdit* field(const char* name) const;

    QPointer<FrmCadProdutos> m_form;
};

FrmCadProdutos* TestProductRegisterWidget::openForm(bool binclusao, qint32 code)
{
    m_form = new FrmCadProdutos(m_settings, m_messages, binclusao, code);
    m_form->show();
    if (!QTest::qWaitForWindowActive(m_form))
        qWarning("the register did not become active");
    return m_form;
}

QLineEdit* TestProductRegisterWidget::field(const char* name) const
{
    return m_form->findChild<QLineEdit*>(QLatin1String(name));
}

QTEST_MAIN(TestProductRegisterWidget)
#include "test_product_register_widget.moc"
