#include "common/message_texts.h"
#include "common/navigation.h"
#include "registers/lookup_dialog.h"
#include "sales/payment_screen.h"
#include "sales/sale_screen.h"
#include "sale_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

struct FakeNavigation final : Navigation
{
    int entryScreens = 0;
    void openSaleScreen() override {}
    void openEntryScreen() override { ++entryScreens; }
};

} // namespace

// The sale counter driven as an operator drives it: keystrokes only.
class TestSaleScreen : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_fx.setUp();
        m_navigation = {};
        m_modalRan = false;
    }
    void cleanup() { m_screen.reset(); }

    void wholeSaleByKeystrokes();
    void productLookupWithF12();
    void keysThatMayLoseLines_data();
    void keysThatMayLoseLines();
    void reprintAfterSpoolWriteFailed();
    void quantityDecimals_data();
    void quantityDecimals();

private:
    void openScreen()
    {
        m_screen = std::make_unique<FrmVendas>(m_fx.settings, m_fx.messages, m_navigation);
        m_screen->show();
        QApplication::setActiveWindow(m_screen.get());
        QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
        QTRY_COMPARE(focused(), edit("Text3"));
    }
    // Types `keys` into the field that has the focus; "\n" is Enter.
    void type(const QString& keys)
    {
        for (const QChar c : keys)
            c == u'\n' ? QTest::keyClick(focused(), Qt::Key_Return) : QTest::keyClick(focused(), c.toLatin1());
    }
    void press(int key) { QTest::keyClick(focused(), Qt::Key(key)); }
    // The focused control of the modal dialog on top, else of the screen
    // (offscreen, a window closing does not hand activation back).
    QWidget* focused() const
    {
        if (QWidget* modal = QApplication::activeModalWidget())
            return modal->focusWidget() ? modal->focusWidget() : modal;
        return m_screen->focusWidget();
    }
    QLineEdit* edit(const char* name) const { return m_screen->findChild<QLineEdit*>(QLatin1String(name)); }
    QTableWidget* grid() const { return m_screen->findChild<QTableWidget*>(QStringLiteral("Grid1")); }
    // Code, unit, quantity, price, then Enter on "Sub total" adds the line.
    void ringUp(const QString& code, const QString& quantity) { type(code + "\n\n" + quantity + "\n\n\n"); }
    // F5, then the exact amount received and Enter on the change: recorded.
    void closeSale(const QString& received)
    {
        whenModal([this, received](QWidget*) {
            QTRY_VERIFY(focused());
            type(QStringLiteral("\n") + received + QStringLiteral("\n\n"));
        });
        press(Qt::Key_F5);
        QVERIFY(m_modalRan);
        m_modalRan = false;
        // Offscreen, the closing dialog does not hand activation back.
        QApplication::setActiveWindow(m_screen.get());
        QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
    }
    // Runs `step` inside the next modal dialog's event loop.
    void whenModal(std::function<void(QWidget*)> step)
    {
        QTimer::singleShot(0, this, [this, step] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            QApplication::setActiveWindow(modal);
            m_modalRan = true;
            step(modal);
        });
    }

    SaleFixture m_fx;
    FakeNavigation m_navigation;
    std::unique_ptr<FrmVendas> m_screen;
    bool m_modalRan = false;
};

void TestSaleScreen::wholeSaleByKeystrokes()
{
    m_fx.settings.margem = QStringLiteral("  ");
    m_fx.settings.linhas_avanco = 1;
    openScreen();

    ringUp(QStringLiteral("10"), QStringLiteral("2"));
    QCOMPARE(focused(), edit("Text3"));
    ringUp(QStringLiteral("11"), QStringLiteral("2,5"));
    ringUp(QStringLiteral("12"), QStringLiteral("1"));
    QCOMPARE(grid()->item(1, 2)->text(), QStringLiteral("2,5"));
    QCOMPARE(edit("Text7")->text(), QStringLiteral("R$ 43,00"));
    grid()->setFocus();
    grid()->setCurrentCell(1, 1);
    press(Qt::Key_Delete);
    QCOMPARE(focused(), edit("Text3"));
    QCOMPARE(grid()->rowCount(), 2);
    QCOMPARE(grid()->item(1, 1)->text(), QStringLiteral("Porção de Fritas"));
    QCOMPARE(edit("Text7")->text(), QStringLiteral("R$ 35,50"));

    // Escape on the payment screen records nothing, keeps the lines and unticks "Consumo interno".
    auto* internal = m_screen->findChild<QCheckBox*>(QStringLiteral("Check1"));
    internal->setChecked(true);
    whenModal([this](QWidget*) {
        QTRY_VERIFY(focused());
        type(QStringLiteral("\n40\n"));
        press(Qt::Key_Escape);
    });
    press(Qt::Key_F5);
    QVERIFY(m_modalRan);
    QCOMPARE(m_fx.sales(), 0);
    QCOMPARE(grid()->rowCount(), 2);
    QVERIFY(!internal->isChecked());

    whenModal([this](QWidget* modal) {
        QVERIFY(qobject_cast<FrmPagamentoVenda*>(modal));
        QCOMPARE(modal->findChild<QLineEdit*>(QStringLiteral("Text6"))->text(), QStringLiteral("R$ 35,50"));
        QTRY_COMPARE(focused(), modal->findChild<QComboBox*>(QStringLiteral("Combo1")));
        press(Qt::Key_Down);            // "Cheque"
        type(QStringLiteral("\n50\n")); // received, then the change is shown
        auto* change = modal->findChild<QLineEdit*>(QStringLiteral("Text7"));
        QCOMPARE(focused(), change);
        QCOMPARE(change->text(), QStringLiteral("R$ 14,50"));
        // A second Enter arriving while the first is still handled must not record again.
        QKeyEvent second(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QTest::keyClick(change, Qt::Key_Return);
        QApplication::sendEvent(change, &second);
    });
    press(Qt::Key_F5);
    QVERIFY2(m_fx.messages.shown().isEmpty(), qPrintable(m_fx.messages.transcript()));
    QCOMPARE(grid()->rowCount(), 0);
    QCOMPARE(edit("Text7")->text(), QStringLiteral("R$ 0,00"));
    QCOMPARE(focused(), edit("Text3"));

    const auto sale = m_fx.db().select(QStringLiteral("select cforma_pagamento,ntotal,ntroco from venda"));
    QVERIFY(sale.ok());
    QCOMPARE(sale->count(), 1);
    QCOMPARE(sale->text(0, QStringLiteral("cforma_pagamento")), QStringLiteral("Cheque"));
    QCOMPARE(sale->money(0, QStringLiteral("ntotal")), Money::fromUnits(355000));
    QCOMPARE(sale->money(0, QStringLiteral("ntroco")), Money::fromUnits(145000));
    QCOMPARE(m_fx.items(), 2);
    // One ticket per line with the counter's margin and feed (the ticket's layout is tested with the writer).
    const QByteArray spool = m_fx.spoolBytes();
    QCOMPARE(spool.count("TOTAL: "), 2);
    QVERIFY(spool.startsWith(QByteArray(QByteArray(16, ' ') + "BAR ESTRELA" + QByteArray(14, ' ') + "\r\n")));
    QVERIFY(spool.contains("\r\n  ITEM :PORCAO DE FRITAS\r\n  UNID :PORC\r\n  QTDE :1\r\n  PRECO:25,50\r\n"));
    QVERIFY(spool.endsWith("                       TOTAL: 25,50\r\n \r\n"));
}

void TestSaleScreen::productLookupWithF12()
{
    openScreen();
    whenModal([](QWidget* modal) {
        QVERIFY(qobject_cast<FrmConsulta*>(modal));
        auto* filter = modal->findChild<QLineEdit*>(QStringLiteral("Text1"));
        filter->setFocus();
        QTest::keyClicks(filter, QStringLiteral("ref"));
        QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        auto* found = modal->findChild<QTableView*>(QStringLiteral("Grid1"));
        found->setCurrentIndex(found->model()->index(0, 1));
        QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("CmdOk")), Qt::LeftButton);
    });
    press(Qt::Key_F12);
    QVERIFY(m_modalRan);
    QCOMPARE(edit("Text3")->text(), QStringLiteral("11"));
    QCOMPARE(edit("Text1")->text(), QStringLiteral("Refrigerante"));
    QCOMPARE(edit("Text6")->text(), QStringLiteral("R$ 3,00"));
    QVERIFY(focused() != edit("Text3"));
}

void TestSaleScreen::keysThatMayLoseLines_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("withLine");
    QTest::addColumn<int>("answer");      // -1: no question
    QTest::addColumn<int>("linesAfter");  // -1: the screen was left

    QTest::addRow("F2, Yes empties the sale") << int(Qt::Key_F2) << true << 1 << 0;
    QTest::addRow("Escape, empty sale") << int(Qt::Key_Escape) << false << -1 << -1;
    QTest::addRow("Escape, sale open, No") << int(Qt::Key_Escape) << true << 0 << 1;
    QTest::addRow("Escape, sale open, Yes") << int(Qt::Key_Escape) << true << 1 << -1;
    QTest::addRow("F8, empty sale") << int(Qt::Key_F8) << false << -1 << -1;
    QTest::addRow("F8, sale open, No") << int(Qt::Key_F8) << true << 0 << 1;
}

void TestSaleScreen::keysThatMayLoseLines()
{
    QFETCH(int, key);
    QFETCH(bool, withLine);
    QFETCH(int, answer);
    QFETCH(int, linesAfter);

    openScreen();
    if (withLine)
        ringUp(QStringLiteral("10"), QStringLiteral("1"));
    if (answer >= 0)
        m_fx.messages.answerNext(answer == 1);
    press(key);

    const QString question = key == Qt::Key_F2 ? msg::cancelarVenda : msg::sairComVendaAberta;
    QCOMPARE(m_fx.messages.texts(), answer >= 0 ? QStringList{question} : QStringList{});
    // F8 hands over to the navigator, which opens the entry screen and closes this one.
    QCOMPARE(m_navigation.entryScreens, key == Qt::Key_F8 && linesAfter < 0 ? 1 : 0);
    if (key != Qt::Key_F8)
        QCOMPARE(m_screen->isVisible(), linesAfter >= 0);
    if (linesAfter >= 0) {
        QCOMPARE(grid()->rowCount(), linesAfter);
        QCOMPARE(edit("Text7")->text(), linesAfter ? QStringLiteral("R$ 5,00") : QStringLiteral("R$ 0,00"));
    }
    QCOMPARE(m_fx.sales(), 0);
}

// imp.txt cannot take the new sale's tickets: the sale is stored, and F3
// prints its tickets, not the previous customer's still in imp.txt.
void TestSaleScreen::reprintAfterSpoolWriteFailed()
{
    const QString printer = QDir(m_fx.settings.dataDir).filePath(QStringLiteral("lp0"));
    QFile(printer).open(QIODevice::WriteOnly);
    qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(printer));
    m_fx.settings.modo_impressao = 0;
    const auto printed = [&printer] {
        QFile file(printer);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    openScreen();
    ringUp(QStringLiteral("10"), QStringLiteral("1"));
    closeSale(QStringLiteral("5"));
    QVERIFY(printed().contains("ITEM :CERVEJA LATA"));

    const QString spool = QDir(m_fx.settings.dataDir).filePath(QStringLiteral("imp.txt"));
    QVERIFY(QFile::remove(spool) && QDir().mkdir(spool));
    QFile(printer).open(QIODevice::WriteOnly | QIODevice::Truncate);
    ringUp(QStringLiteral("11"), QStringLiteral("2"));
    closeSale(QStringLiteral("6"));
    QCOMPARE(m_fx.sales(), 2);
    QCOMPARE(m_fx.messages.shown().size(), 1);   // the ticket was not printed
    QCOMPARE(printed(), QByteArray());

    m_fx.messages.clear();
    press(Qt::Key_F3);
    QVERIFY2(m_fx.messages.shown().isEmpty(), qPrintable(m_fx.messages.transcript()));
    const QByteArray ticket = printed();
    QVERIFY2(ticket.contains("ITEM :REFRIGERANTE\r\n") && ticket.contains("QTDE :2\r\n"), ticket.constData());
    QVERIFY(!ticket.contains("CERVEJA"));
    qunsetenv("VORINDA_PRINTER_PORT");
}

// The quantity column keeps three decimals: a fourth is refused on leaving
// the field (the line amount would use it, the stored quantity would not).
void TestSaleScreen::quantityDecimals_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("amount");   // empty: refused
    QTest::addRow("four decimals refused") << "1,0005" << "";
    QTest::addRow("three decimals") << "0,125" << "R$ 0,63";
    QTest::addRow("zeros after the third") << "1,5000" << "R$ 7,50";
}

void TestSaleScreen::quantityDecimals()
{
    QFETCH(QString, quantity);
    QFETCH(QString, amount);
    openScreen();
    type(QStringLiteral("10\n\n") + quantity + QStringLiteral("\n"));
    if (amount.isEmpty()) {
        QCOMPARE(m_fx.messages.texts(), QStringList{msg::casasDecimais.arg(QStringLiteral("Qtde"))});
        QCOMPARE(focused(), edit("Text2"));
        QCOMPARE(edit("Text2")->selectedText(), quantity);
        QCOMPARE(edit("Text6")->text(), QStringLiteral("R$ 5,00"));
        type(QStringLiteral("3\n"));   // typed over the selection
        amount = QStringLiteral("R$ 15,00");
        quantity = QStringLiteral("3");
    }
    QCOMPARE(edit("Text6")->text(), amount);
    type(QStringLiteral("\n\n"));
    QCOMPARE(grid()->rowCount(), 1);
    QCOMPARE(grid()->item(0, 2)->text(), quantity);
    QCOMPARE(edit("Text7")->text(), amount);
}

QTEST_MAIN(TestSaleScreen)
#include "test_sale_screen.moc"
