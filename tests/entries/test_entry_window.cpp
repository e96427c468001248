#include "common/message_texts.h"
#include "common/navigation.h"
#include "entries/entry_window.h"
#include "entry_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <memory>

namespace {

struct FakeNavigation final : Navigation
{
    void openSaleScreen() override {}
    void openEntryScreen() override {}
};

QString focusedName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QStringLiteral("<none>");
}

void press(Qt::Key key, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(QApplication::focusWidget(), key);
}

void type(const QString& text)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
}

} // namespace

// The admission counter driven by the operator's keys.
class TestEntryWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void wholeSaleByKeyboard();

private:
    QString text(const char* name) { return m_window->findChild<QLineEdit*>(QLatin1String(name))->text(); }

    std::unique_ptr<EntryFixture> m_c;
    FakeNavigation m_navigation;
    QPointer<EntryWindow> m_window;
};

void TestEntryWindow::init()
{
    m_c = std::make_unique<EntryFixture>();
    QVERIFY2(m_c->db.ok(), qPrintable(m_c->db.error()));
    m_window = new EntryWindow(m_c->settings, m_navigation, m_c->messages);
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QApplication::setActiveWindow(m_window);
    QTRY_COMPARE(focusedName(), QStringLiteral("Combo1"));
}

void TestEntryWindow::cleanup()
{
    delete m_window;
    QCOMPARE(m_c->messages.pendingAnswers(), 0);
    m_c.reset();
}

void TestEntryWindow::wholeSaleByKeyboard()
{
    press(Qt::Key_Down, 2);
    QCOMPARE(text("Text4"), QStringLiteral("R$ 32,00"));
    press(Qt::Key_Enter);
    QCOMPARE(focusedName(), QStringLiteral("Combo2"));
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    // Caixa, Data and Hora are passed by.
    QCOMPARE(focusedName(), QStringLiteral("Text5"));
    type(QStringLiteral("0"));
    press(Qt::Key_Return);
    QCOMPARE(m_c->messages.texts(), QStringList{msg::quantidadeInvalida});
    QCOMPARE(focusedName(), QStringLiteral("Text5"));
    // Comma, letters and apostrophe never reach a whole-unit field.
    press(Qt::Key_Backspace);
    type(QStringLiteral("3,a'"));
    QCOMPARE(text("Text5"), QStringLiteral("3"));
    press(Qt::Key_Return);
    // Preço and Total take no Tab.
    QCOMPARE(focusedName(), QStringLiteral("Text8"));
    QCOMPARE(text("Text6"), QStringLiteral("R$ 96,00"));
    QCOMPARE(m_window->findChild<QLineEdit*>(QStringLiteral("Text8"))->selectedText(), QStringLiteral("R$ 96,00"));
    type(QStringLiteral("100"));
    press(Qt::Key_Return);
    QCOMPARE(focusedName(), QStringLiteral("Text7"));
    QCOMPARE(text("Text8"), QStringLiteral("R$ 100,00"));
    QCOMPARE(text("Text7"), QStringLiteral("R$ 4,00"));

    // A second Enter on the heels of the first records nothing more: it
    // finds the screen ready for the next customer, on Tipo, and moves on.
    m_c->messages.clear();
    press(Qt::Key_Return, 2);
    QVERIFY2(m_c->messages.shown().isEmpty(), qPrintable(m_c->messages.transcript()));
    QCOMPARE(m_c->entries(), 3);
    QCOMPARE(m_c->entries(QStringLiteral("where cforma_pagamento = 'Cheque' and nvalor = 32 and ncaixa_entrada = 3")), 3);
    QCOMPARE(focusedName(), QStringLiteral("Combo2"));
    QCOMPARE(m_window->findChild<QComboBox*>(QStringLiteral("Combo1"))->currentIndex(), 0);
    QCOMPARE(m_window->findChild<QComboBox*>(QStringLiteral("Combo2"))->currentIndex(), 0);
    QCOMPARE(text("Text5"), QStringLiteral("1"));
}

QTEST_MAIN(TestEntryWindow)
#include "test_entry_window.moc"
