#include "common/key_conventions.h"
#include "common/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::Literals::StringLiterals;

// One field of every sort, in this tab order:
// code, date, money, whole, off (disabled), combo, check, grid, ok, cancel.
class Screen : public QWidget
{
public:
    Screen()
    {
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : std::initializer_list<QWidget*>{code, date, money, whole, off, combo, check, grid, ok, cancel})
            layout->addWidget(w);
        const QStringList names{u"code"_s, u"date"_s, u"money"_s, u"whole"_s, u"off"_s, u"combo"_s, u"check"_s,
                                u"grid"_s, u"ok"_s, u"cancel"_s};
        for (int i = 0; i < names.size(); ++i)
            layout->itemAt(i)->widget()->setObjectName(names.at(i));
        off->setEnabled(false);
        combo->addItems({u"Sim"_s, u"Não"_s, u"Talvez"_s});
    }
    bool showActive()
    {
        show();
        activateWindow();
        return QTest::qWaitForWindowActive(this);
    }

    QLineEdit* code = new QLineEdit(this);
    QLineEdit* date = new QLineEdit(this);
    QLineEdit* money = new QLineEdit(this);
    QLineEdit* whole = new QLineEdit(this);
    QLineEdit* off = new QLineEdit(this);
    QComboBox* combo = new QComboBox(this);
    QCheckBox* check = new QCheckBox(u"Ativo"_s, this);
    QTableWidget* grid = new QTableWidget(3, 2, this);
    QPushButton* ok = new QPushButton(u"&Gravar"_s, this);
    QPushButton* cancel = new QPushButton(u"&Sair"_s, this);
};

namespace {

QWidget* focused()
{
    return QApplication::focusWidget();
}

QString focusedName()
{
    return focused() ? focused()->objectName() : u"(none)"_s;
}

void press(int key)
{
    QTest::keyClick(focused(), Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
}

// keyClick aborts on non-ASCII characters: those go as bare text events.
void type(const QString& keys)
{
    for (QChar c : keys) {
        if (c.unicode() < 128)
            QTest::keyClick(focused(), c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class TestKeyConventions : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_screen = std::make_unique<Screen>();
        m_keys = new KeyConventions(m_screen.get(), KeyConventions::Options{true, true});
        m_keys->setKind(m_screen->date, FieldKind::Date);
        m_keys->setKind(m_screen->money, FieldKind::Money);
        m_keys->setKind(m_screen->whole, FieldKind::Whole);
        m_keys->setCancelButton(m_screen->cancel);
        m_cancelClicks = 0;
        connect(m_screen->cancel, &QPushButton::clicked, this, [this] { ++m_cancelClicks; });
        QVERIFY(m_screen->showActive());
        m_screen->code->setFocus();
    }
    void cleanup() { m_screen.reset(); }

    // Enter is Tab (the field never sees it), a button takes it as a press; arrows move too.
    void moves_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("okClicks");
        QTest::addRow("return") << u"code"_s << int(Qt::Key_Return) << u"date"_s << 0;
        QTest::addRow("keypad enter") << u"code"_s << int(Qt::Key_Enter) << u"date"_s << 0;
        QTest::addRow("disabled field skipped") << u"whole"_s << int(Qt::Key_Return) << u"combo"_s << 0;
        QTest::addRow("enter from a list") << u"combo"_s << int(Qt::Key_Return) << u"check"_s << 0;
        QTest::addRow("enter from a grid") << u"grid"_s << int(Qt::Key_Return) << u"ok"_s << 0;
        QTest::addRow("enter presses a button") << u"ok"_s << int(Qt::Key_Return) << u"ok"_s << 1;
        QTest::addRow("cancel is last, then the first") << u"cancel"_s << int(Qt::Key_Tab) << u"code"_s << 0;
        QTest::addRow("down to next") << u"code"_s << int(Qt::Key_Down) << u"date"_s << 0;
        QTest::addRow("up skips the disabled field") << u"combo"_s << int(Qt::Key_Up) << u"whole"_s << 0;
        QTest::addRow("down leaves a list unchanged") << u"combo"_s << int(Qt::Key_Down) << u"check"_s << 0;
        QTest::addRow("a grid keeps its arrows") << u"grid"_s << int(Qt::Key_Down) << u"grid"_s << 0;
    }
    void moves()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        QFETCH(int, okClicks);
        QSignalSpy clicks(m_screen->ok, &QPushButton::clicked);
        QSignalSpy returns(m_screen->code, &QLineEdit::returnPressed);
        m_screen->findChild<QWidget*>(from)->setFocus();
        press(key);
        QCOMPARE(focusedName(), to);
        QCOMPARE(clicks.count(), okClicks);
        QCOMPARE(returns.count(), 0);
        QCOMPARE(m_cancelClicks, 0);
        QCOMPARE(m_screen->combo->currentIndex(), 0);
    }

    // Entering a field by any road selects its text, so typing replaces it.
    void enteringSelectsTheWholeText_data()
    {
        QTest::addColumn<int>("key");   // 0: a mouse click
        QTest::addColumn<QString>("from");
        QTest::addRow("enter") << int(Qt::Key_Return) << u"code"_s;
        QTest::addRow("shift tab") << int(Qt::Key_Backtab) << u"money"_s;
        QTest::addRow("down arrow") << int(Qt::Key_Down) << u"code"_s;
        QTest::addRow("click") << 0 << u"code"_s;
    }
    void enteringSelectsTheWholeText()
    {
        QFETCH(int, key);
        QFETCH(QString, from);
        m_screen->date->setText(u"04/12/2026"_s);
        m_screen->findChild<QWidget*>(from)->setFocus();
        key ? press(key) : QTest::mouseClick(m_screen->date, Qt::LeftButton);
        QCOMPARE(focused(), m_screen->date);
        QTRY_COMPARE(m_screen->date->selectedText(), u"04/12/2026"_s);
        type(u"05"_s);
        QCOMPARE(m_screen->date->text(), u"05"_s);
    }

    // What each kind of field lets in, as the field's listeners see it, and what leaving makes of it.
    void typing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("whileTyping");
        QTest::addColumn<QString>("afterLeaving");
        QTest::addRow("date ignores letters") << u"date"_s << u"1x2y0303"_s << u"12/03/03"_s << u"12/03/2003"_s;
        QTest::addRow("date half typed is emptied") << u"date"_s << u"123"_s << u"12/3"_s << QString();
        QTest::addRow("money formatted on leaving") << u"money"_s << u"1a.2,5"_s << u"12,5"_s << u"R$ 12,50"_s;
        QTest::addRow("whole number: ASCII digits only") << u"whole"_s << u"4,2é"_s << u"42"_s << u"42"_s;
        QTest::addRow("plain: apostrophe swallowed, accent kept") << u"code"_s << u"d'água"_s << u"dágua"_s << u"dágua"_s;
        QTest::addRow("quantity: comma typed, kept on leaving") << u"quantity"_s << u"2,5x"_s << u"2,5"_s << u"2,5"_s;
    }
    void typing()
    {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(QString, whileTyping);
        QFETCH(QString, afterLeaving);
        if (field == u"quantity"_s) {
            m_keys->setKind(m_screen->code, FieldKind::Money, FieldKind::Whole);
            field = u"code"_s;
        }
        auto* edit = m_screen->findChild<QLineEdit*>(field);
        QSignalSpy edits(edit, &QLineEdit::textEdited);
        edit->setFocus();
        type(keys);
        QCOMPARE(edit->text(), whileTyping);
        QCOMPARE(edits.last().at(0).toString(), whileTyping);
        press(Qt::Key_Tab);
        QVERIFY(focused() != edit);
        QCOMPARE(edit->text(), afterLeaving);
    }

    void keypadDecimal_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("expected");
        QTest::addRow("money: keypad point is a comma") << u"money"_s << int(Qt::Key_Period) << u"5,"_s;
        QTest::addRow("money: keypad comma stays") << u"money"_s << int(Qt::Key_Comma) << u"5,"_s;
        QTest::addRow("whole: keypad point refused") << u"whole"_s << int(Qt::Key_Period) << u"5"_s;
        QTest::addRow("plain: keypad point as it is") << u"code"_s << int(Qt::Key_Period) << u"5."_s;
    }
    void keypadDecimal()
    {
        QFETCH(QString, field);
        QFETCH(int, key);
        QFETCH(QString, expected);
        auto* edit = m_screen->findChild<QLineEdit*>(field);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_5, Qt::KeypadModifier);
        QTest::keyClick(edit, Qt::Key(key), Qt::KeypadModifier);
        QCOMPARE(edit->text(), expected);
    }

    void withoutTheOptions()
    {
        Screen other;
        KeyConventions keys(&other);
        int cancelled = 0;
        keys.setCancelAction([&] { ++cancelled; });
        QVERIFY(other.showActive());
        other.code->setFocus();
        type(u"d'agua"_s);
        QCOMPARE(other.code->text(), u"d'agua"_s);
        press(Qt::Key_Down);
        QCOMPARE(focused(), other.code);
        press(Qt::Key_Escape);
        QCOMPARE(cancelled, 1);
    }

    // The check runs once, on the text as leaving leaves it (formatted or emptied),
    // even when it shows a message; refused, the focus stays with the text selected.
    // Escape presses the cancel button without it.
    void leaveCheck_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<bool>("box");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("seen");
        const QString date = u"date"_s, half = u"1203202"_s;
        QTest::addRow("enter, accepted") << date << half << int(Qt::Key_Return) << true << false << u"money"_s << QString();
        QTest::addRow("enter, refused") << date << half << int(Qt::Key_Return) << false << false << date << QString();
        QTest::addRow("tab, refused") << date << half << int(Qt::Key_Tab) << false << false << date << QString();
        QTest::addRow("shift tab, accepted") << date << half << int(Qt::Key_Backtab) << true << false << u"code"_s << QString();
        QTest::addRow("down, refused") << date << half << int(Qt::Key_Down) << false << false << date << QString();
        QTest::addRow("money refused, formatted") << u"money"_s << u"7"_s << int(Qt::Key_Return) << false << false
                                                  << u"money"_s << u"R$ 7,00"_s;
        QTest::addRow("message shown, refused") << u"whole"_s << u"99"_s << int(Qt::Key_Return) << false << true
                                                << u"whole"_s << u"99"_s;
        QTest::addRow("message shown, accepted") << u"whole"_s << u"99"_s << int(Qt::Key_Return) << true << true
                                                 << u"combo"_s << u"99"_s;
        QTest::addRow("escape skips it") << date << half << int(Qt::Key_Escape) << false << false << date << u"(not run)"_s;
    }
    void leaveCheck()
    {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(int, key);
        QFETCH(bool, accept);
        QFETCH(bool, box);
        QFETCH(QString, to);
        QFETCH(QString, seen);
        auto* edit = m_screen->findChild<QLineEdit*>(field);
        BoxMessages boxes(m_screen.get());
        QStringList saw;
        m_keys->setLeaveCheck(edit, [&] {
            saw << edit->text();
            if (box) {
                QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
                boxes.info(u"Registro não localizado!"_s);
            }
            return accept;
        });
        edit->setFocus();
        type(keys);
        press(key);
        QCOMPARE(saw, key == Qt::Key_Escape ? QStringList() : QStringList{seen});
        QCOMPARE(m_cancelClicks, key == Qt::Key_Escape ? 1 : 0);
        QVERIFY(!QApplication::activeModalWidget());
        // Offscreen nobody gives the window back its activation after a box: ask the window.
        QCOMPARE(m_screen->focusWidget()->objectName(), to);
        if (!accept && !saw.isEmpty())
            QCOMPARE(edit->selectedText(), edit->text());
    }

    // A click elsewhere or a button's mnemonic runs the check; the cancel button does not.
    void clickElsewhereRunsTheCheck_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("runs");
        QTest::addColumn<QString>("to");
        QTest::addRow("accepted") << true << u"code"_s << 1 << u"code"_s;
        QTest::addRow("refused") << false << u"code"_s << 1 << u"money"_s;
        QTest::addRow("refused before a button") << false << u"ok"_s << 1 << u"money"_s;
        QTest::addRow("refused before a mnemonic") << false << u"alt+g"_s << 1 << u"money"_s;
        QTest::addRow("cancel button skips it") << false << u"cancel"_s << 0 << u"cancel"_s;
    }
    void clickElsewhereRunsTheCheck()
    {
        QFETCH(bool, accept);
        QFETCH(QString, target);
        QFETCH(int, runs);
        QFETCH(QString, to);
        int ran = 0;
        QSignalSpy okClicks(m_screen->ok, &QPushButton::clicked);
        m_keys->setLeaveCheck(m_screen->money, [&] {
            ++ran;
            return accept;
        });
        m_screen->money->setFocus();
        type(u"3"_s);
        if (target == u"alt+g"_s)
            QTest::keyClick(m_screen->money, Qt::Key_G, Qt::AltModifier);
        else
            QTest::mouseClick(m_screen->findChild<QWidget*>(target), Qt::LeftButton);
        QCOMPARE(ran, runs);
        QCOMPARE(focusedName(), to);
        QCOMPARE(m_screen->money->text(), u"R$ 3,00"_s);
        QCOMPARE(okClicks.count(), 0);
        if (!accept) {
            // The click that was refused is not kept for a later one.
            m_keys->setLeaveCheck(m_screen->money, [] { return true; });
            QTest::mouseClick(m_screen->code, Qt::LeftButton);
            QCOMPARE(focused(), m_screen->code);
        }
    }

    // The field's Enter action runs before the check; it may keep the focus or place it.
    void enterAction_data()
    {
        QTest::addColumn<bool>("moveOn");
        QTest::addColumn<bool>("focusesCode");
        QTest::addColumn<QString>("to");
        QTest::addRow("then moves on") << true << false << u"combo"_s;
        QTest::addRow("stays when asked") << false << false << u"whole"_s;
        QTest::addRow("keeps the focus it placed") << true << true << u"code"_s;
    }
    void enterAction()
    {
        QFETCH(bool, moveOn);
        QFETCH(bool, focusesCode);
        QFETCH(QString, to);
        QStringList order;
        m_keys->setLeaveCheck(m_screen->whole, [&] {
            order << u"check"_s;
            return true;
        });
        m_keys->setEnterAction(m_screen->whole, [&] {
            order << u"action:"_s + m_screen->whole->text();
            if (focusesCode)
                m_screen->code->setFocus();
            return moveOn;
        });
        m_screen->whole->setFocus();
        type(u"5"_s);
        press(Qt::Key_Return);
        QCOMPARE(focusedName(), to);
        QCOMPARE(order, (moveOn && !focusesCode ? QStringList{u"action:5"_s, u"check"_s} : QStringList{u"action:5"_s}));
    }

    void enterActionMayCloseTheScreen()
    {
        m_keys->setEnterAction(m_screen->code, [this] {
            m_screen.reset();
            return true;
        });
        press(Qt::Key_Return);
        QVERIFY(!m_screen);
    }

    void screenKeysComeFirst_data()
    {
        QTest::addColumn<bool>("handled");
        QTest::addColumn<QString>("to");
        QTest::addRow("Enter handled by the screen") << true << u"date"_s;
        QTest::addRow("Enter left to the conventions") << false << u"money"_s;
    }
    void screenKeysComeFirst()
    {
        QFETCH(bool, handled);
        QFETCH(QString, to);
        QList<int> seen;
        m_keys->setKeyHandler([&](QKeyEvent* event, QWidget* field) {
            seen << event->key();
            return field == m_screen->date && handled;
        });
        m_screen->date->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(seen, QList<int>{Qt::Key_Return});
        QCOMPARE(focusedName(), to);
    }

    void openListKeepsItsKeys()
    {
        m_screen->combo->setFocus();
        m_screen->combo->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget());
        auto* list = QApplication::activePopupWidget()->findChild<QListView*>();
        QVERIFY(list);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(m_screen->combo->currentIndex(), 1);
        QCOMPARE(focused(), m_screen->combo);
    }

private:
    std::unique_ptr<Screen> m_screen;
    KeyConventions* m_keys = nullptr;
    int m_cancelClicks = 0;
};

QTEST_MAIN(TestKeyConventions)
#include "test_key_conventions.moc"
