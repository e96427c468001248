#include "common/form_checks.h"
#include "common/message_texts.h"
#include "common/navigation.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/sql_value.h"
#include "entries/entry_window.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

class FakeNavigation final : public Navigation
{
public:
    void openSaleScreen() override { ++sale; }
    void openEntryScreen() override { ++entry; }
    int sale = 0;
    int entry = 0;
};

QWidget* focused()
{
    return QApplication::focusWidget();
}

QString focusedName()
{
    return focused() ? focused()->objectName() : QStringLiteral("<none>");
}

void press(Qt::Key key, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(focused(), key);
}

void type(const QString& text)
{
    QTest::keyClicks(focused(), text);
}

} // namespace

class TestEntryWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsAsNamed();
    void wholeSaleByKeyboard();
    void enterTwiceOnTrocoRecordsOnce();
    void quantityRefusedOnLeaving_data();
    void quantityRefusedOnLeaving();
    void screenKeys_data();
    void screenKeys();

private:
    template <typename T>
    T* control(const char* name)
    {
        T* found = m_window->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("control %s missing", name);
        return found;
    }
    qint64 entries();

    std::unique_ptr<TestDatabase> m_db;
    TerminalSettings m_settings;
    ScriptedMessages m_messages;
    FakeNavigation m_navigation;
    QPointer<EntryWindow> m_window;
};

void TestEntryWindow::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
    const QString insert = QStringLiteral("insert into tipo_entrada (ncodigo, cnome, nvalor, cestacionamento) values (?, ?, ?, ?)");
    int code = 0;
    for (const auto& [name, price, flag] : {std::tuple{"Entrada Inteira", 125000, "N"},
                                            std::tuple{"Estacionamento", 100000, "S"},
                                            std::tuple{"Promoção Açaí", 320000, "N"}}) {
        QVERIFY(m_db->connection().execute(insert, {SqlValue::integer(++code), SqlValue::text(QString::fromUtf8(name)),
                                                    SqlValue::money(Money::fromUnits(price)),
                                                    SqlValue::text(QLatin1String(flag))}).ok());
    }
    m_settings = TerminalSettings();
    m_settings.conexao = &m_db->connection();
    m_settings.caminho_banco = m_db->path();
    m_settings.numero_caixa = 2;
    m_settings.nome_fantasia = QStringLiteral("Bar Estrela");
    m_settings.modo_impressao = 2;
    m_settings.dataDir = m_db->dataFolder();
    m_messages.clear();
    m_navigation = FakeNavigation();

    m_window = new EntryWindow(m_settings, m_navigation, m_messages);
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QApplication::setActiveWindow(m_window);
    QTRY_COMPARE(focusedName(), QStringLiteral("Combo1"));
}

void TestEntryWindow::cleanup()
{
    delete m_window;
    QCOMPARE(m_messages.pendingAnswers(), 0);
    m_db.reset();
}

qint64 TestEntryWindow::entries()
{
    const auto rows = m_db->connection().select(QStringLiteral("select count(*) from entrada"));
    return rows ? rows->integer(0, QStringLiteral("count")) : -1;
}

void TestEntryWindow::controlsAsNamed()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("FrmEntradas"));
    QVERIFY(m_window->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(control<QLabel>("Label7")->text(), QStringLiteral("Entradas"));
    QCOMPARE(control<QLabel>("Label15")->text(),
             QStringLiteral(" ESC - Sair do sistema    F3 - Imprimir     F5 - Limpar tela     F8 - Tela de vendas"));
    QCOMPARE(control<QLabel>("Label16")->text(), QStringLiteral("Base: ") + m_db->path());
    QCOMPARE(control<QLabel>("Label8")->text(), QStringLiteral("Caixa operante: 2"));
    QVERIFY(control<QLabel>("Label13")->text().startsWith(QStringLiteral("Versão: ")));
    QCOMPARE(control<QPushButton>("CmdOk")->text(), QStringLiteral("&Sair"));
    QCOMPARE(control<QComboBox>("Combo2")->count(), 4);
    QCOMPARE(control<QComboBox>("Combo2")->itemText(2), QStringLiteral("Cartão de crédito"));
    QCOMPARE(control<QComboBox>("Combo1")->currentText(), QStringLiteral("Entrada Inteira"));

    for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8"})
        QVERIFY2(isRequired(control<QLineEdit>(name)), name);
    for (const char* name : {"Text1", "Text2", "Text3"})
        QVERIFY2(!control<QLineEdit>(name)->isEnabled(), name);
    for (const char* name : {"Text4", "Text6", "Text7"})
        QVERIFY2(control<QLineEdit>(name)->isReadOnly(), name);
    QCOMPARE(control<QLineEdit>("Text1")->text(), QStringLiteral("2"));
    QCOMPARE(control<QLineEdit>("Text4")->text(), QStringLiteral("R$ 12,50"));
    QCOMPARE(control<QLineEdit>("Text7")->text(), QStringLiteral("R$ 0,00"));

    // The frame stands in the middle of the window.
    const QWidget* frame = control<QWidget>("Frame1");
    QVERIFY(qAbs(frame->geometry().center().x() - m_window->rect().center().x()) <= 1);
}

void TestEntryWindow::wholeSaleByKeyboard()
{
    press(Qt::Key_Down, 2);
    QCOMPARE(control<QLineEdit>("Text4")->text(), QStringLiteral("R$ 32,00"));
    press(Qt::Key_Enter);
    QCOMPARE(focusedName(), QStringLiteral("Combo2"));
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    // Caixa, Data and Hora are passed by.
    QCOMPARE(focusedName(), QStringLiteral("Text5"));
    type(QStringLiteral("3"));
    press(Qt::Key_Return);
    // Preço and Total take no Tab.
    QCOMPARE(focusedName(), QStringLiteral("Text8"));
    QCOMPARE(control<QLineEdit>("Text6")->text(), QStringLiteral("R$ 96,00"));
    QCOMPARE(control<QLineEdit>("Text8")->text(), QStringLiteral("R$ 96,00"));
    QCOMPARE(control<QLineEdit>("Text8")->selectedText(), QStringLiteral("R$ 96,00"));
    type(QStringLiteral("100"));
    press(Qt::Key_Return);
    QCOMPARE(focusedName(), QStringLiteral("Text7"));
    QCOMPARE(control<QLineEdit>("Text8")->text(), QStringLiteral("R$ 100,00"));
    QCOMPARE(control<QLineEdit>("Text7")->text(), QStringLiteral("R$ 4,00"));

    press(Qt::Key_Return);
    QVERIFY2(m_messages.shown().isEmpty(), qPrintable(m_messages.transcript()));
    QCOMPARE(entries(), 3);
    const auto rows = m_db->connection().select(
        QStringLiteral("select count(*) from entrada where cforma_pagamento = 'Cheque' and nvalor = 32 and ncaixa_entrada = 2"));
    QCOMPARE(rows->integer(0, QStringLiteral("count")), 3);
    // Back to the opening state, on Tipo, for the next customer.
    QCOMPARE(focusedName(), QStringLiteral("Combo1"));
    QCOMPARE(control<QComboBox>("Combo1")->currentIndex(), 0);
    QCOMPARE(control<QComboBox>("Combo2")->currentIndex(), 0);
    QCOMPARE(control<QLineEdit>("Text5")->text(), QStringLiteral("1"));
    QCOMPARE(control<QLineEdit>("Text7")->text(), QStringLiteral("R$ 0,00"));
}

void TestEntryWindow::enterTwiceOnTrocoRecordsOnce()
{
    control<QLineEdit>("Text7")->setFocus();
    QTRY_COMPARE(focusedName(), QStringLiteral("Text7"));
    press(Qt::Key_Return, 2);
    QCOMPARE(entries(), 1);
    QCOMPARE(focusedName(), QStringLiteral("Combo2"));
    QVERIFY2(m_messages.shown().isEmpty(), qPrintable(m_messages.transcript()));
}

void TestEntryWindow::quantityRefusedOnLeaving_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("refused");

    QTest::addRow("zero") << QStringLiteral("0") << QStringLiteral("0") << true;
    QTest::addRow("beyond 16 bits") << QStringLiteral("70000") << QStringLiteral("70000") << true;
    // The comma never reaches a whole-unit field.
    QTest::addRow("comma swallowed") << QStringLiteral("2,5") << QStringLiteral("25") << false;
    QTest::addRow("letters and apostrophe swallowed") << QStringLiteral("4a'") << QStringLiteral("4") << false;
}

void TestEntryWindow::quantityRefusedOnLeaving()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, refused);

    press(Qt::Key_Return, 2);
    QCOMPARE(focusedName(), QStringLiteral("Text5"));
    type(typed);
    QCOMPARE(control<QLineEdit>("Text5")->text(), shown);
    press(Qt::Key_Return);
    if (refused) {
        QCOMPARE(m_messages.texts(), QStringList{msg::quantidadeInvalida});
        QCOMPARE(focusedName(), QStringLiteral("Text5"));
        QCOMPARE(control<QLineEdit>("Text6")->text(), QStringLiteral("R$ 12,50"));
    } else {
        QVERIFY(m_messages.shown().isEmpty());
        QCOMPARE(focusedName(), QStringLiteral("Text8"));
    }
    QCOMPARE(entries(), 0);
}

void TestEntryWindow::screenKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("stillOpen");
    QTest::addColumn<int>("saleScreen");

    QTest::addRow("F3 prints again, stays") << int(Qt::Key_F3) << true << 0;
    QTest::addRow("F5 clears, stays") << int(Qt::Key_F5) << true << 0;
    QTest::addRow("F8 to the sale counter") << int(Qt::Key_F8) << false << 1;
    QTest::addRow("Escape leaves") << int(Qt::Key_Escape) << false << 0;
}

void TestEntryWindow::screenKeys()
{
    QFETCH(int, key);
    QFETCH(bool, stillOpen);
    QFETCH(int, saleScreen);

    // Half a sale on screen: Qtde typed, focus on Recebido.
    press(Qt::Key_Return, 2);
    type(QStringLiteral("5"));
    press(Qt::Key_Return);
    QCOMPARE(control<QLineEdit>("Text6")->text(), QStringLiteral("R$ 62,50"));

    press(Qt::Key(key));
    QCOMPARE(m_navigation.sale, saleScreen);
    QCOMPARE(m_navigation.entry, 0);
    QVERIFY2(m_messages.shown().isEmpty(), qPrintable(m_messages.transcript()));
    QCOMPARE(entries(), 0);
    if (!stillOpen) {
        QTRY_VERIFY(!m_window || !m_window->isVisible());
        return;
    }
    QVERIFY(m_window->isVisible());
    if (key == Qt::Key_F5) {
        QCOMPARE(control<QLineEdit>("Text5")->text(), QStringLiteral("1"));
        QCOMPARE(control<QLineEdit>("Text6")->text(), QStringLiteral("R$ 12,50"));
        QCOMPARE(focusedName(), QStringLiteral("Combo1"));
    } else {
        QCOMPARE(control<QLineEdit>("Text6")->text(), QStringLiteral("R$ 62,50"));
    }
}

QTEST_MAIN(TestEntryWindow)
#include "test_entry_window.moc"
