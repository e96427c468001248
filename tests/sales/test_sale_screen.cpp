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
#include <QTimer>

#include <functional>

namespace {

struct FakeNavigation final : Navigation
{
    int saleScreens = 0;
    int entryScreens = 0;
    void openSaleScreen() override { ++saleScreens; }
    void openEntryScreen() override { ++entryScreens; }
};

} // namespace

// The sale counter driven as an operator drives it: keystrokes only.
class TestSaleScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void wholeSaleByKeystrokes();
    void quantityNotFree();
    void unknownCodeKeepsFocus();
    void emptyLineBackToCode();
    void deleteLineInGrid();
    void escapeOnPaymentKeepsLines();
    void enterTwiceOnChangeRecordsOnce();
    void productLookupWithF12();
    void cancelWithF2();
    void printerDownThenF3();
    void leaving_data();
    void leaving();

private:
    void openScreen();
    // Types `keys` into the field that has the focus; "\n" is Enter.
    void type(const QString& keys);
    void press(int key);
    // The focused control of the modal dialog on top, else of the screen
    // (offscreen, a window closing does not hand activation back).
    QWidget* focused() const
    {
        if (QWidget* modal = QApplication::activeModalWidget())
            return modal->focusWidget() ? modal->focusWidget() : modal;
        return m_screen->focusWidget();
    }
    template <typename T>
    T* control(const char* name) const { return m_screen->findChild<T*>(QLatin1String(name)); }
    void ringUp(const QString& code, const QString& quantity);
    // Runs `step` inside the next modal dialog's event loop.
    void whenModal(std::function<void(QWidget*)> step);

    SaleFixture m_fx;
    FakeNavigation m_navigation;
    std::unique_ptr<FrmVendas> m_screen;
    bool m_modalRan = false;
};

void TestSaleScreen::init()
{
    m_fx.setUp();
    m_navigation = {};
    m_modalRan = false;
}

void TestSaleScreen::cleanup()
{
    m_screen.reset();
}

void TestSaleScreen::openScreen()
{
    m_screen = std::make_unique<FrmVendas>(m_fx.settings, m_fx.messages, m_navigation);
    m_screen->show();
    QApplication::setActiveWindow(m_screen.get());
    QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
    QTRY_COMPARE(focused(), control<QLineEdit>("Text3"));
}

void TestSaleScreen::type(const QString& keys)
{
    for (const QChar c : keys) {
        if (c == QLatin1Char('\n'))
            QTest::keyClick(focused(), Qt::Key_Return);
        else
            QTest::keyClick(focused(), c.toLatin1());
    }
}

void TestSaleScreen::press(int key)
{
    QTest::keyClick(focused(), Qt::Key(key));
}

void TestSaleScreen::ringUp(const QString& code, const QString& quantity)
{
    type(code + QLatin1Char('\n'));   // Text3 -> Text4
    type(QStringLiteral("\n"));        // Text4 -> Text2
    type(quantity + QLatin1Char('\n'));// Text2 -> Text5
    type(QStringLiteral("\n"));        // Text5 -> Text6
    type(QStringLiteral("\n"));        // Enter on "Sub total" adds the line
}

void TestSaleScreen::whenModal(std::function<void(QWidget*)> step)
{
    QTimer::singleShot(0, this, [this, step] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        QApplication::setActiveWindow(modal);
        m_modalRan = true;
        step(modal);
    });
}

void TestSaleScreen::wholeSaleByKeystrokes()
{
    m_fx.settings.margem = QStringLiteral("  ");
    m_fx.settings.linhas_avanco = 1;
    openScreen();

    ringUp(QStringLiteral("10"), QStringLiteral("2"));
    QCOMPARE(focused(), control<QLineEdit>("Text3"));
    ringUp(QStringLiteral("12"), QStringLiteral("1"));
    auto* grid = control<QTableWidget>("Grid1");
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("Cerveja Lata"));
    QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("2"));
    QCOMPARE(grid->item(0, 4)->text(), QStringLiteral("R$ 10,00"));
    QCOMPARE(grid->item(1, 4)->text(), QStringLiteral("R$ 25,50"));
    QCOMPARE(control<QLineEdit>("Text7")->text(), QStringLiteral("R$ 35,50"));

    whenModal([this](QWidget* modal) {
        auto* payment = qobject_cast<FrmPagamentoVenda*>(modal);
        QVERIFY(payment);
        QCOMPARE(payment->findChild<QLineEdit*>(QStringLiteral("Text6"))->text(), QStringLiteral("R$ 35,50"));
        QTRY_COMPARE(focused(), payment->findChild<QComboBox*>(QStringLiteral("Combo1")));
        press(Qt::Key_Down);            // "Cheque"
        type(QStringLiteral("\n50\n")); // received, then the change is shown
        QCOMPARE(payment->findChild<QLineEdit*>(QStringLiteral("Text7"))->text(), QStringLiteral("R$ 14,50"));
        press(Qt::Key_Return);          // Enter on "Troco" records
    });
    press(Qt::Key_F5);
    QVERIFY(m_modalRan);
    QVERIFY2(m_fx.messages.shown().isEmpty(), qPrintable(m_fx.messages.transcript()));

    // The screen is empty again for the next sale.
    QCOMPARE(grid->rowCount(), 0);
    QCOMPARE(control<QLineEdit>("Text7")->text(), QStringLiteral("R$ 0,00"));
    QCOMPARE(focused(), control<QLineEdit>("Text3"));

    const auto sale = m_fx.db().select(
        QStringLiteral("select ncodigo,ddata_venda,cforma_pagamento,ntotal,nvalor_pago,ntroco from venda"));
    QVERIFY(sale.ok());
    QCOMPARE(sale->count(), 1);
    QCOMPARE(sale->text(0, QStringLiteral("cforma_pagamento")), QStringLiteral("Cheque"));
    QCOMPARE(sale->money(0, QStringLiteral("ntotal")), Money::fromUnits(355000));
    QCOMPARE(sale->money(0, QStringLiteral("nvalor_pago")), Money::fromWhole(50));
    QCOMPARE(sale->money(0, QStringLiteral("ntroco")), Money::fromUnits(145000));
    QCOMPARE(m_fx.count("select count(*) from item_venda where nvenda = ?",
                        {SqlValue::integer(sale->integer(0, QStringLiteral("ncodigo")))}),
             2);

    // The spool file, byte for byte: one ticket per line, margin of two, one feed line.
    const QString when = ticketWeekdayAndDate(sale->dateTime(0, QStringLiteral("ddata_venda")));
    const QString rule = QStringLiteral("  ----------------------------------------");
    // "BAR ESTRELA" is 11 characters: 14 blanks on each side.
    const QString header = QString(14, QLatin1Char(' ')) + QStringLiteral("BAR ESTRELA") + QString(14, QLatin1Char(' '));
    auto ticket = [&](const QString& docto, const QString& item, const QString& unit, const QString& qty,
                      const QString& price, const QString& total) {
        return QStringList{QStringLiteral("  ") + header,
                           rule,
                           // 25 characters: 8 blanks on each side.
                           QStringLiteral("          ") + docto + QStringLiteral("        "),
                           rule,
                           QStringLiteral("  ") + centraliza(when, 40),
                           rule,
                           QStringLiteral("  ITEM :") + item,
                           QStringLiteral("  UNID :") + unit,
                           QStringLiteral("  QTDE :") + qty,
                           QStringLiteral("  PRECO:") + price,
                           rule,
                           QStringLiteral("                       TOTAL: ") + total,
                           QStringLiteral(" ")};
    };
    QStringList expected = ticket(QStringLiteral("CAIXA 1 - VENDA - DOCTO 1"), QStringLiteral("CERVEJA LATA"),
                                  QStringLiteral("LATA"), QStringLiteral("2"), QStringLiteral("5,00"),
                                  QStringLiteral("10,00"));
    expected += ticket(QStringLiteral("CAIXA 1 - VENDA - DOCTO 2"), QStringLiteral("PORCAO DE FRITAS"),
                       QStringLiteral("PORC"), QStringLiteral("1"), QStringLiteral("25,50"),
                       QStringLiteral("25,50"));
    QCOMPARE(QString::fromLatin1(m_fx.spoolBytes()), expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

void TestSaleScreen::quantityNotFree()
{
    m_fx.settings.quantidade_livre = false;
    openScreen();
    QVERIFY(!control<QLineEdit>("Text2")->isEnabled());
    type(QStringLiteral("10\n"));
    QCOMPARE(focused(), control<QLineEdit>("Text6"));
    QCOMPARE(control<QLineEdit>("Text6")->text(), QStringLiteral("R$ 5,00"));
    type(QStringLiteral("\n"));
    auto* grid = control<QTableWidget>("Grid1");
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("1"));
    QCOMPARE(grid->item(0, 4)->text(), QStringLiteral("R$ 5,00"));
    QCOMPARE(focused(), control<QLineEdit>("Text3"));
}

void TestSaleScreen::unknownCodeKeepsFocus()
{
    openScreen();
    type(QStringLiteral("999\n"));
    QCOMPARE(m_fx.messages.texts(), QStringList{msg::registroNaoLocalizado});
    QCOMPARE(focused(), control<QLineEdit>("Text3"));
    QCOMPARE(control<QLineEdit>("Text1")->text(), QString());
    // Letters never reach the code field.
    type(QStringLiteral("a1"));
    QCOMPARE(control<QLineEdit>("Text3")->text(), QStringLiteral("1"));
}

void TestSaleScreen::emptyLineBackToCode()
{
    openScreen();
    type(QStringLiteral("\n\n\n\n"));
    QCOMPARE(focused(), control<QLineEdit>("Text6"));
    type(QStringLiteral("\n"));
    QCOMPARE(m_fx.messages.texts(), QStringList{msg::camposObrigatorios});
    QCOMPARE(control<QTableWidget>("Grid1")->rowCount(), 0);
    QCOMPARE(focused(), control<QLineEdit>("Text3"));
}

void TestSaleScreen::deleteLineInGrid()
{
    openScreen();
    ringUp(QStringLiteral("10"), QStringLiteral("2,5"));
    ringUp(QStringLiteral("11"), QStringLiteral("1"));
    auto* grid = control<QTableWidget>("Grid1");
    QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("2,5"));
    QCOMPARE(grid->item(0, 4)->text(), QStringLiteral("R$ 12,50"));
    QCOMPARE(control<QLineEdit>("Text7")->text(), QStringLiteral("R$ 15,50"));

    grid->setFocus();
    grid->setCurrentCell(0, 1);
    press(Qt::Key_Delete);
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("Refrigerante"));
    QCOMPARE(control<QLineEdit>("Text7")->text(), QStringLiteral("R$ 3,00"));
    QCOMPARE(focused(), control<QLineEdit>("Text3"));

    grid->setFocus();
    grid->setCurrentCell(0, 1);
    press(Qt::Key_Delete);
    QCOMPARE(grid->rowCount(), 0);
    QCOMPARE(control<QLineEdit>("Text7")->text(), QStringLiteral("R$ 0,00"));
    press(Qt::Key_F5);
    QCOMPARE(m_fx.messages.texts(), QStringList{msg::informeProdutos});
}

void TestSaleScreen::escapeOnPaymentKeepsLines()
{
    openScreen();
    ringUp(QStringLiteral("10"), QStringLiteral("1"));
    control<QCheckBox>("Check1")->setChecked(true);

    whenModal([this](QWidget* modal) {
        QTRY_VERIFY(focused());
        type(QStringLiteral("\n20\n"));
        press(Qt::Key_Escape);
        QVERIFY(!modal->isVisible());
    });
    press(Qt::Key_F5);
    QVERIFY(m_modalRan);
    QCOMPARE(m_fx.count("select count(*) from venda"), 0);
    QCOMPARE(control<QTableWidget>("Grid1")->rowCount(), 1);
    QVERIFY(!control<QCheckBox>("Check1")->isChecked());

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
    QCOMPARE(m_fx.count("select count(*) from venda"), 0);
}

void TestSaleScreen::enterTwiceOnChangeRecordsOnce()
{
    openScreen();
    ringUp(QStringLiteral("10"), QStringLiteral("1"));
    whenModal([this](QWidget* modal) {
        QTRY_VERIFY(focused());
        type(QStringLiteral("\n10\n"));
        QLineEdit* change = modal->findChild<QLineEdit*>(QStringLiteral("Text7"));
        QCOMPARE(focused(), change);
        // The second Enter arrives while the first is still being handled.
        QKeyEvent second(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QTest::keyClick(change, Qt::Key_Return);
        QApplication::sendEvent(change, &second);
    });
    press(Qt::Key_F5);
    QVERIFY(m_modalRan);
    QCOMPARE(m_fx.count("select count(*) from venda"), 1);
    QCOMPARE(m_fx.count("select count(*) from item_venda"), 1);
}

void TestSaleScreen::productLookupWithF12()
{
    openScreen();
    whenModal([](QWidget* modal) {
        auto* lookup = qobject_cast<FrmConsulta*>(modal);
        QVERIFY(lookup);
        QCOMPARE(lookup->windowTitle(), QStringLiteral("Consulta de produtos"));
        auto* filter = lookup->findChild<QLineEdit*>(QStringLiteral("Text1"));
        filter->setFocus();
        QTest::keyClicks(filter, QStringLiteral("ref"));
        QTest::mouseClick(lookup->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        auto* grid = lookup->findChild<QTableView*>(QStringLiteral("Grid1"));
        grid->setCurrentIndex(grid->model()->index(0, 1));
        QTest::mouseClick(lookup->findChild<QPushButton*>(QStringLiteral("CmdOk")), Qt::LeftButton);
    });
    press(Qt::Key_F12);
    QVERIFY(m_modalRan);
    QCOMPARE(control<QLineEdit>("Text3")->text(), QStringLiteral("11"));
    QCOMPARE(control<QLineEdit>("Text1")->text(), QStringLiteral("Refrigerante"));
    QCOMPARE(control<QLineEdit>("Text6")->text(), QStringLiteral("R$ 3,00"));
    QVERIFY(focused() != control<QLineEdit>("Text3"));
}

void TestSaleScreen::cancelWithF2()
{
    openScreen();
    ringUp(QStringLiteral("10"), QStringLiteral("1"));
    m_fx.messages.answerNext(false);
    press(Qt::Key_F2);
    QCOMPARE(control<QTableWidget>("Grid1")->rowCount(), 1);
    m_fx.messages.answerNext(true);
    press(Qt::Key_F2);
    QCOMPARE(control<QTableWidget>("Grid1")->rowCount(), 0);
    QCOMPARE(control<QLineEdit>("Text7")->text(), QStringLiteral("R$ 0,00"));
    QCOMPARE(m_fx.messages.texts(), (QStringList{msg::cancelarVenda, msg::cancelarVenda}));
    QCOMPARE(m_fx.count("select count(*) from venda"), 0);
}

void TestSaleScreen::leaving_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("withLine");
    QTest::addColumn<int>("answer");  // -1: no question
    QTest::addColumn<bool>("left");

    QTest::addRow("Escape, empty sale") << int(Qt::Key_Escape) << false << -1 << true;
    QTest::addRow("Escape, sale open, No") << int(Qt::Key_Escape) << true << 0 << false;
    QTest::addRow("Escape, sale open, Yes") << int(Qt::Key_Escape) << true << 1 << true;
    QTest::addRow("F8, empty sale") << int(Qt::Key_F8) << false << -1 << true;
    QTest::addRow("F8, sale open, No") << int(Qt::Key_F8) << true << 0 << false;
}

void TestSaleScreen::leaving()
{
    QFETCH(int, key);
    QFETCH(bool, withLine);
    QFETCH(int, answer);
    QFETCH(bool, left);

    openScreen();
    if (withLine)
        ringUp(QStringLiteral("10"), QStringLiteral("1"));
    if (answer >= 0)
        m_fx.messages.answerNext(answer == 1);
    press(key);

    QCOMPARE(m_fx.messages.texts(), answer >= 0 ? QStringList{msg::sairComVendaAberta} : QStringList{});
    if (key == Qt::Key_F8) {
        // The navigator opens the entry screen and closes this one.
        QCOMPARE(m_navigation.entryScreens, left ? 1 : 0);
    } else {
        QCOMPARE(!m_screen->isVisible(), left);
        QCOMPARE(m_navigation.entryScreens, 0);
    }
    QCOMPARE(m_fx.count("select count(*) from venda"), 0);
}

void TestSaleScreen::printerDownThenF3()
{
    QTemporaryDir device;
    const QString port = device.filePath(QStringLiteral("lp0"));
    const QByteArray previous = qgetenv("VORINDA_PRINTER_PORT");
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
    QCOMPARE(m_fx.count("select count(*) from venda"), 1);
    QCOMPARE(control<QTableWidget>("Grid1")->rowCount(), 0);

    // Printer back: F3 sends the waiting tickets.
    QFile file(port);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(port));
    press(Qt::Key_F3);
    qputenv("VORINDA_PRINTER_PORT", previous);
    QCOMPARE(m_fx.messages.shown().size(), 1);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray printed = file.readAll();
    QCOMPARE(printed, m_fx.spoolBytes());
    QVERIFY(printed.contains("QTDE :3\r\n"));
}

QTEST_MAIN(TestSaleScreen)
#include "test_sale_screen.moc"
