#include "common/message_texts.h"
#include "common/navigation.h"
#include "common/text_utils.h"
#include "common/ticket_writer.h"
#include "registers/lookup_dialog.h"
#include "sales/payment_screen.h"
#include "sales/sale_screen.h"
#include "sale_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTemporaryDir>
#include <QScopeGuard>
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
    void quantityNotFree();
    void refusedLineBackToCode();
    void deleteLineInGrid();
    void escapeOnPaymentKeepsLines();
    void productLookupWithF12();
    void printerDownThenF3();
    void keysThatMayLoseLines_data();
    void keysThatMayLoseLines();

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
    ringUp(QStringLiteral("12"), QStringLiteral("1"));
    QCOMPARE(grid()->rowCount(), 2);
    QCOMPARE(grid()->item(0, 1)->text(), QStringLiteral("Cerveja Lata"));
    QCOMPARE(grid()->item(0, 2)->text(), QStringLiteral("2"));
    QCOMPARE(grid()->item(0, 4)->text(), QStringLiteral("R$ 10,00"));
    QCOMPARE(grid()->item(1, 4)->text(), QStringLiteral("R$ 25,50"));
    QCOMPARE(edit("Text7")->text(), QStringLiteral("R$ 35,50"));

    whenModal([this](QWidget* modal) {
        QVERIFY(qobject_cast<FrmPagamentoVenda*>(modal));
        QCOMPARE(modal->findChild<QLineEdit*>(QStringLiteral("Text6"))->text(), QStringLiteral("R$ 35,50"));
        QTRY_COMPARE(focused(), modal->findChild<QComboBox*>(QStringLiteral("Combo1")));
        press(Qt::Key_Down);            // "Cheque"
        type(QStringLiteral("\n50\n")); // received, then the change is shown
        auto* change = modal->findChild<QLineEdit*>(QStringLiteral("Text7"));
        QCOMPARE(focused(), change);
        QCOMPARE(change->text(), QStringLiteral("R$ 14,50"));
        // Enter on "Troco" records; a second Enter arrives while the first is
        // still being handled and must not record the sale again.
        QKeyEvent second(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QTest::keyClick(change, Qt::Key_Return);
        QApplication::sendEvent(change, &second);
    });
    press(Qt::Key_F5);
    QVERIFY(m_modalRan);
    QVERIFY2(m_fx.messages.shown().isEmpty(), qPrintable(m_fx.messages.transcript()));

    // The screen is empty again for the next sale.
    QCOMPARE(grid()->rowCount(), 0);
    QCOMPARE(edit("Text7")->text(), QStringLiteral("R$ 0,00"));
    QCOMPARE(focused(), edit("Text3"));

    const auto sale = m_fx.db().select(QStringLiteral("select ddata_venda,cforma_pagamento,ntotal,ntroco from venda"));
    QVERIFY(sale.ok());
    QCOMPARE(sale->count(), 1);
    QCOMPARE(sale->text(0, QStringLiteral("cforma_pagamento")), QStringLiteral("Cheque"));
    QCOMPARE(sale->money(0, QStringLiteral("ntotal")), Money::fromUnits(355000));
    QCOMPARE(sale->money(0, QStringLiteral("ntroco")), Money::fromUnits(145000));
    QCOMPARE(m_fx.items(), 2);

    // The spool file, byte for byte: one ticket per line, margin of two, one feed line.
    const QString when = centraliza(ticketWeekdayAndDate(sale->dateTime(0, QStringLiteral("ddata_venda"))), 40);
    const QString rule = QStringLiteral("  ") + QString(40, u'-');
    auto ticket = [&](const char* docto, const char* item, const char* unit, const char* qty, const char* price,
                      const char* total) {
        // "BAR ESTRELA" is 11 characters: 14 blanks on each side; the 25 of
        // "CAIXA 1 - VENDA - DOCTO n": 8.
        return QStringList{"  " + QString(14, u' ') + "BAR ESTRELA" + QString(14, u' '), rule,
                           QStringLiteral("          ") + docto + "        ", rule, "  " + when, rule,
                           QStringLiteral("  ITEM :") + item, QStringLiteral("  UNID :") + unit,
                           QStringLiteral("  QTDE :") + qty, QStringLiteral("  PRECO:") + price, rule,
                           QStringLiteral("                       TOTAL: ") + total, QStringLiteral(" ")};
    };
    const QStringList expected = ticket("CAIXA 1 - VENDA - DOCTO 1", "CERVEJA LATA", "LATA", "2", "5,00", "10,00")
        + ticket("CAIXA 1 - VENDA - DOCTO 2", "PORCAO DE FRITAS", "PORC", "1", "25,50", "25,50");
    QCOMPARE(m_fx.spoolBytes(), (expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
}

void TestSaleScreen::quantityNotFree()
{
    m_fx.settings.quantidade_livre = false;
    openScreen();
    QVERIFY(!edit("Text2")->isEnabled());
    type(QStringLiteral("10\n"));
    QCOMPARE(focused(), edit("Text6"));
    QCOMPARE(edit("Text6")->text(), QStringLiteral("R$ 5,00"));
    type(QStringLiteral("\n"));
    QCOMPARE(grid()->rowCount(), 1);
    QCOMPARE(grid()->item(0, 2)->text(), QStringLiteral("1"));
    QCOMPARE(grid()->item(0, 4)->text(), QStringLiteral("R$ 5,00"));
    QCOMPARE(focused(), edit("Text3"));
}

void TestSaleScreen::refusedLineBackToCode()
{
    openScreen();
    type(QStringLiteral("\n\n\n\n"));
    QCOMPARE(focused(), edit("Text6"));
    type(QStringLiteral("\n"));
    QCOMPARE(grid()->rowCount(), 0);
    QCOMPARE(focused(), edit("Text3"));

    type(QStringLiteral("999\n"));
    QCOMPARE(m_fx.messages.texts(), (QStringList{msg::camposObrigatorios, msg::registroNaoLocalizado}));
    QCOMPARE(focused(), edit("Text3"));
    QCOMPARE(edit("Text1")->text(), QString());
    // Letters never reach the code field.
    type(QStringLiteral("a1"));
    QCOMPARE(edit("Text3")->text(), QStringLiteral("1"));
}

void TestSaleScreen::deleteLineInGrid()
{
    openScreen();
    ringUp(QStringLiteral("10"), QStringLiteral("2,5"));
    ringUp(QStringLiteral("11"), QStringLiteral("1"));
    QCOMPARE(grid()->item(0, 2)->text(), QStringLiteral("2,5"));
    QCOMPARE(edit("Text7")->text(), QStringLiteral("R$ 15,50"));

    for (const char* left : {"Refrigerante", ""}) {
        grid()->setFocus();
        grid()->setCurrentCell(0, 1);
        press(Qt::Key_Delete);
        QCOMPARE(grid()->rowCount(), *left ? 1 : 0);
        if (*left)
            QCOMPARE(grid()->item(0, 1)->text(), QString::fromUtf8(left));
        QCOMPARE(edit("Text7")->text(), *left ? QStringLiteral("R$ 3,00") : QStringLiteral("R$ 0,00"));
        QCOMPARE(focused(), edit("Text3"));
    }
    press(Qt::Key_F5);
    QCOMPARE(m_fx.messages.texts(), QStringList{msg::informeProdutos});
}

void TestSaleScreen::escapeOnPaymentKeepsLines()
{
    openScreen();
    ringUp(QStringLiteral("10"), QStringLiteral("1"));
    m_screen->findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);

    whenModal([this](QWidget* modal) {
        QTRY_VERIFY(focused());
        type(QStringLiteral("\n20\n"));
        press(Qt::Key_Escape);
        QVERIFY(!modal->isVisible());
    });
    press(Qt::Key_F5);
    QVERIFY(m_modalRan);
    QCOMPARE(m_fx.sales(), 0);
    QCOMPARE(grid()->rowCount(), 1);
    QVERIFY(!m_screen->findChild<QCheckBox*>(QStringLiteral("Check1"))->isChecked());

    // Opened again, the payment screen starts from fresh amounts.
    m_modalRan = false;
    whenModal([](QWidget* modal) {
        QCOMPARE(modal->findChild<QLineEdit*>(QStringLiteral("Text8"))->text(), QStringLiteral("R$ 0,00"));
        QCOMPARE(modal->findChild<QLineEdit*>(QStringLiteral("Text7"))->text(), QStringLiteral("R$ 0,00"));
        QCOMPARE(modal->findChild<QComboBox*>(QStringLiteral("Combo1"))->currentText(), QStringLiteral("Dinheiro"));
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    press(Qt::Key_F5);
    QVERIFY(m_modalRan);
    QCOMPARE(m_fx.sales(), 0);
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

void TestSaleScreen::printerDownThenF3()
{
    QTemporaryDir device;
    const QString port = device.filePath(QStringLiteral("lp0"));
    const QByteArray previous = qgetenv("VORINDA_PRINTER_PORT");
    const auto restore = qScopeGuard([&] { qputenv("VORINDA_PRINTER_PORT", previous); });
    qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(device.filePath(QStringLiteral("missing/lp0"))));
    m_fx.settings.modo_impressao = 0;
    openScreen();
    ringUp(QStringLiteral("10"), QStringLiteral("3"));

    whenModal([this](QWidget*) {
        QTRY_VERIFY(focused());
        type(QStringLiteral("\n15\n\n"));
    });
    press(Qt::Key_F5);
    QVERIFY(m_modalRan);
    // The printer's failure is told, the sale stays recorded and the screen is ready for the next.
    QCOMPARE(m_fx.messages.shown().size(), 1);
    QVERIFY2(m_fx.messages.texts().at(0).startsWith(msg::impressoraIndisponivel), qPrintable(m_fx.messages.transcript()));
    QCOMPARE(m_fx.sales(), 1);
    QCOMPARE(m_fx.items(), 1);
    QCOMPARE(grid()->rowCount(), 0);

    // Printer back: F3 sends the tickets waiting in the spool file.
    QFile file(port);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(port));
    press(Qt::Key_F3);
    QCOMPARE(m_fx.messages.shown().size(), 1);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray printed = file.readAll();
    QCOMPARE(printed, m_fx.spoolBytes());
    QVERIFY(printed.contains("QTDE :3\r\n"));
}

void TestSaleScreen::keysThatMayLoseLines_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("withLine");
    QTest::addColumn<int>("answer");      // -1: no question
    QTest::addColumn<int>("linesAfter");  // -1: the screen was left

    QTest::addRow("F2, No keeps the line") << int(Qt::Key_F2) << true << 0 << 1;
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

QTEST_MAIN(TestSaleScreen)
#include "test_sale_screen.moc"
