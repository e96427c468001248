// The three purchase screens driven by real keystrokes, as a manager would.
#include "common/message_texts.h"
#include "purchases/purchase_finder_screen.h"
#include "purchases/purchase_items_screen.h"
#include "purchases/purchase_opening_dialog.h"
#include "registers/lookup_dialog.h"
#include "tests/purchases/purchase_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>

namespace {

QWidget* focused()
{
    return QApplication::focusWidget();
}

// Types `text` where the focus is, then Enter; the widget that has the focus after.
QWidget* typeAndEnter(const QString& text)
{
    if (!text.isEmpty())
        QTest::keyClicks(focused(), text);
    QTest::keyClick(focused(), Qt::Key_Return);
    return focused();
}

QString nameOf(const QWidget* widget)
{
    return widget ? widget->objectName() : QStringLiteral("(none)");
}

} // namespace

class TestPurchaseScreens : public QObject, PurchaseFixture
{
    Q_OBJECT

private slots:
    void init() { openDatabase(); }
    void cleanup()
    {
        QTRY_VERIFY(!QApplication::activeModalWidget());
        delete m_opening.data();
        delete m_finder.data();
        closeDatabase();
    }

    void fromOpeningToGravar()
    {
        openOpening();
        QCOMPARE(nameOf(focused()), QStringLiteral("DTPicker1"));
        QCOMPARE(field(m_opening, "Text3")->text(), QStringLiteral("1"));
        QCOMPARE(nameOf(typeAndEnter({})), QStringLiteral("Combo1"));
        QCOMPARE(nameOf(typeAndEnter(QStringLiteral("Beb"))), QStringLiteral("Text1"));   // "Bebidas Norte"
        QCOMPARE(nameOf(typeAndEnter(QStringLiteral("NF 12'3"))), QStringLiteral("Text9"));
        QCOMPARE(nameOf(typeAndEnter(QStringLiteral("entrega d'agua"))), QStringLiteral("CmdOk"));

        QStringList steps;   // where the focus went, step by step, inside the items screen
        whenModal([&](QWidget* screen) {
            auto* items = qobject_cast<FrmCompradeProdutos*>(screen);
            QVERIFY(items);
            QVERIFY(QTest::qWaitForWindowActive(items));
            QVERIFY(!m_opening->isVisible());   // the header dialog went first
            QCOMPARE(field(items, "Text15")->text(), QStringLiteral("Bebidas Norte"));
            QCOMPARE(field(items, "Text13")->text(), QStringLiteral("NF 12'3"));
            // A line by its code: the purchase price proposed, the total computed.
            QCOMPARE(nameOf(focused()), QStringLiteral("Text2"));
            steps << nameOf(typeAndEnter(QStringLiteral("1")));
            steps << field(items, "Text5")->text();
            steps << nameOf(typeAndEnter(QStringLiteral("24")));
            steps << nameOf(typeAndEnter({}));
            steps << field(items, "Text6")->text();
            steps << nameOf(typeAndEnter({}));          // on "&Confirma"
            steps << nameOf(typeAndEnter({}));          // pressed: back to the code
            // A line through the product lookup.
            whenModal([&](QWidget* w) {
                auto* lookup = qobject_cast<FrmConsulta*>(w);
                QVERIFY(lookup);
                QTest::keyClicks(lookup->findChild<QLineEdit*>(QStringLiteral("Text1")), QStringLiteral("amen"));
                QTest::mouseClick(lookup->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
                auto* found = lookup->findChild<QTableView*>(QStringLiteral("Grid1"));
                const QPoint row = found->visualRect(found->model()->index(0, 1)).center();
                QTest::mouseClick(found->viewport(), Qt::LeftButton, {}, row);
                QTest::mouseDClick(found->viewport(), Qt::LeftButton, {}, row);
            }, items);
            QTest::keyClick(focused(), Qt::Key_F12);
            QTRY_VERIFY(items->isActiveWindow());
            steps << field(items, "Text2")->text() + u' ' + nameOf(focused());
            typeAndEnter(QStringLiteral("3"));
            typeAndEnter({});
            typeAndEnter({});
            typeAndEnter({});
            // The first line changed after a double-click.
            QTableView* grid = items->grid();
            const QPoint first = grid->visualRect(grid->model()->index(0, 2)).center();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, first);
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, first);
            steps << nameOf(focused()) + u' ' + QString::number(field(items, "Text2")->isEnabled());
            typeAndEnter(QStringLiteral("30"));
            typeAndEnter({});
            typeAndEnter({});
            typeAndEnter({});
            // Discount and surcharge by the keyboard too, then F5 and "&Gravar".
            QTest::keyClick(focused(), Qt::Key_F5);
            steps << nameOf(focused());
            QTest::keyClick(focused(), Qt::Key_Tab);
            QTest::keyClick(focused(), Qt::Key_Tab);
            QTest::keyClick(focused(), Qt::Key_Tab);
            steps << nameOf(focused());
            QTest::keyClicks(focused(), QStringLiteral("10"));
            QTest::keyClick(focused(), Qt::Key_Tab);
            QTest::keyClicks(focused(), QStringLiteral("2,5"));
            QTest::keyClick(focused(), Qt::Key_F5);
            steps << field(items, "Text8")->text();
            QTest::keyClick(focused(), Qt::Key_Return);
        });
        QTest::keyClick(focused(), Qt::Key_Return);   // "&Gravar" of the header; returns once the items close
        QCOMPARE(steps, (QStringList{"Text4", "R$ 3,20", "Text5", "Text6", "R$ 76,80", "Command3", "Text2",
                                     "15 Text4", "Text4 0", "CmdOk", "Text7", "R$ 93,00"}));
        QCOMPARE(m_messages.texts(), QStringList{msg::compraRegistrada});
        QCOMPARE(scalar("select count(*) from compra where ncodigo = 1 and nfornecedor = 3 and cnumero_doc = 'NF 12''3'"
                        " and cobs = 'entrega d''agua' and ndesconto = 10 and nacrescimo = 2.5 and nvalor_total = 93"), 1);
        QCOMPARE(lines(1), (QStringList{"1 30 3.2 96", "15 3 1.5 4.5"}));
    }

    void escapeCancelsANewPurchase()
    {
        openOpening();
        QTest::keyClick(field(m_opening, "Text1"), Qt::Key_Escape);   // nothing chosen yet: nothing stored
        QTRY_VERIFY(!m_opening);
        QCOMPARE(scalar("select count(*) from compra"), 0);

        // As the console opens it: modal, deleted on closing; the items screen
        // runs inside its "&Gravar", and its modal call returns after both.
        m_opening = new FrmAberturaCompra(m_settings, m_messages, /*inclusao*/ true);
        m_opening->setAttribute(Qt::WA_DeleteOnClose);
        m_opening->setWindowModality(Qt::ApplicationModal);
        whenModal([&](QWidget* header) {
            QVERIFY(QTest::qWaitForWindowActive(header));
            header->findChild<QPushButton*>(QStringLiteral("CmdOk"))->click();
            QCOMPARE(m_messages.texts(), QStringList{msg::informeFornecedor});
            QCOMPARE(nameOf(focused()), QStringLiteral("Combo1"));
            QTest::keyClicks(focused(), QStringLiteral("Dis"));
            m_messages.clear();
            whenModal([&](QWidget* items) {
                QVERIFY(QTest::qWaitForWindowActive(items));
                typeAndEnter(QStringLiteral("2"));
                typeAndEnter(QStringLiteral("6"));
                typeAndEnter({});
                typeAndEnter({});
                typeAndEnter({});   // stored
                m_messages.answerNext(false);
                QTest::keyClick(focused(), Qt::Key_Escape);   // "Não": stays
                QVERIFY(items->isVisible());
                m_messages.answerNext(true);
                QTest::keyClick(focused(), Qt::Key_Escape);
            }, header);
            header->findChild<QPushButton*>(QStringLiteral("CmdOk"))->click();
        });
        m_opening->exec();
        QTRY_VERIFY(!m_opening);
        QCOMPARE(m_messages.texts(), (QStringList{msg::cancelarCompra, msg::cancelarCompra}));
        QCOMPARE(scalar("select count(*) from compra"), 0);
        QCOMPARE(scalar("select count(*) from item_da_compra"), 0);
    }

    void largeAmountsKeepEveryFigure()
    {
        const qint32 code = storePurchase(Sul, QDate(2026, 3, 12), QStringLiteral("A"));
        QVERIFY(run("update compra set ndesconto = 1234.56 where ncodigo = ?", {SqlValue::integer(code)}));
        FrmCompradeProdutos items(m_settings, m_messages, code, false);
        items.show();
        QVERIFY(QTest::qWaitForWindowActive(&items));
        QCOMPARE(field(&items, "Text7")->text(), QStringLiteral("R$ 1.234,56"));
        typeAndEnter(QStringLiteral("1"));
        typeAndEnter(QStringLiteral("10"));
        typeAndEnter(QStringLiteral("1234,56"));
        QCOMPARE(field(&items, "Text6")->text(), QStringLiteral("R$ 12.345,60"));
        typeAndEnter({});
        typeAndEnter({});   // "&Confirma"
        QCOMPARE(lines(code), QStringList{"1 10 1234.56 12345.6"});
        QCOMPARE(field(&items, "Text8")->text(), QStringLiteral("R$ 11.111,04"));
        QVERIFY2(m_messages.shown().isEmpty(), qPrintable(m_messages.transcript()));
    }

    void finderReopensAndRefills()
    {
        storePurchase(Sul, QDate(2026, 3, 10), QStringLiteral("A"), {{1, 2, 3.2}});
        storePurchase(Norte, QDate(2026, 3, 8), QStringLiteral("B"), {{8, 12, 2.5}});
        openFinder();
        QCOMPARE(nameOf(focused()), QStringLiteral("Text10"));
        auto* combo = m_finder->findChild<QComboBox*>(QStringLiteral("Combo1"));
        QCOMPARE(combo->currentText(), QStringLiteral("Por período"));
        QCOMPARE(m_finder->finder().model().foundCount(), 0);   // nothing until "Mostrar"
        combo->setFocus();
        QTest::keyClicks(combo, QStringLiteral("T"));   // "Todas"
        QCOMPARE(combo->currentText(), QStringLiteral("Todas"));
        m_finder->findChild<QPushButton*>(QStringLiteral("Command1"))->setFocus();
        QCOMPARE(nameOf(typeAndEnter({})), QStringLiteral("Command1"));   // Enter presses "Mostrar"
        QCOMPARE(m_finder->finder().model().cell(0, 3), QStringLiteral("B"));
        QTableView* grid = m_finder->grid();
        QCOMPARE(grid->currentIndex().row(), 0);   // the first row current and selected
        QVERIFY(grid->selectionModel()->isRowSelected(0, {}));
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Down);

        QStringList seen;
        whenModal([&](QWidget* header) {
            QVERIFY(QTest::qWaitForWindowActive(header));
            seen << nameOf(header) + u' ' + field(header, "Text3")->text() + u' '
                        + header->findChild<QComboBox*>(QStringLiteral("Combo1"))->currentText();
            whenModal([&](QWidget* items) {
                QVERIFY(QTest::qWaitForWindowActive(items));
                seen << nameOf(items) + u' ' + qobject_cast<FrmCompradeProdutos*>(items)->items().model().cell(0, 2);
                QTest::keyClick(focused(), Qt::Key_Escape);   // a reopened purchase closes without asking
            }, header);
            QLineEdit* nota = field(header, "Text1");
            nota->setFocus();
            QTest::keyClicks(nota, QStringLiteral("A2"));
            QTest::keyClick(nota, Qt::Key_G, Qt::AltModifier);
        });
        QTest::keyClick(grid, Qt::Key_Return);   // as a double-click: "&Detalhes"
        QCOMPARE(seen, (QStringList{"FrmAberturaCompra 1 Distribuidora Sul", "frmCompradeProdutos Cerveja Lata"}));
        // The search again: the change shows, the operator's row kept.
        QCOMPARE(m_finder->finder().model().cell(1, 3), QStringLiteral("A2"));
        QCOMPARE(grid->currentIndex().row(), 1);
        QCOMPARE(scalar("select count(*) from item_da_compra"), 2);

        m_messages.answerNext(true);
        m_finder->findChild<QPushButton*>(QStringLiteral("Command5"))->click();
        QCOMPARE(m_finder->finder().model().foundCount(), 1);
        QCOMPARE(scalar("select count(*) from item_da_compra"), 1);
        QCOMPARE(grid->currentIndex().row(), 0);
        QCOMPARE(m_messages.texts(), QStringList{msg::confirmaExclusao});
    }

    void finderSupplierKeys()
    {
        openFinder();
        QLineEdit* code = field(m_finder, "Text10");
        QTest::keyClicks(code, QStringLiteral("9x"));
        QCOMPARE(code->text(), QStringLiteral("9"));   // digits only
        QTest::keyClick(code, Qt::Key_Return);
        QCOMPARE(m_messages.texts(), QStringList{msg::registroNaoLocalizado});
        QCOMPARE(focused(), code);
        QTest::keyClicks(code, QStringLiteral("3"));
        QTest::keyClick(code, Qt::Key_Return);
        QCOMPARE(field(m_finder, "Text15")->text(), QStringLiteral("Bebidas Norte"));
        QCOMPARE(nameOf(focused()), QStringLiteral("DTPicker1"));
        QCOMPARE(nameOf(typeAndEnter({})), QStringLiteral("DTPicker2"));
        QTest::keyClick(focused(), Qt::Key_F5);
        QCOMPARE(nameOf(focused()), QStringLiteral("Command3"));
        // Another filter empties the supplier.
        m_finder->findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(2);
        QCOMPARE(code->text() + field(m_finder, "Text15")->text(), QString());
    }

private:
    void openOpening()
    {
        m_opening = new FrmAberturaCompra(m_settings, m_messages, /*inclusao*/ true);
        m_opening->setAttribute(Qt::WA_DeleteOnClose);
        m_opening->show();
        QVERIFY(QTest::qWaitForWindowActive(m_opening));
    }

    void openFinder()
    {
        m_finder = new FrmLocalizaCompraProduto(m_settings, m_messages);
        m_finder->show();
        QVERIFY(QTest::qWaitForWindowActive(m_finder));
    }

    static QLineEdit* field(QWidget* screen, const char* name)
    {
        return screen->findChild<QLineEdit*>(QLatin1String(name));
    }

    QPointer<FrmAberturaCompra> m_opening;
    QPointer<FrmLocalizaCompraProduto> m_finder;
};

QTEST_MAIN(TestPurchaseScreens)
#include "test_purchase_screens.moc"
