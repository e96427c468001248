#include "common/key_conventions.h"
#include "common/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
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

struct Move
{
    QString from;
    int key;
    QString to;
    int okClicks = 0;
};
struct Paste
{
    QString field, before, pasted, after;
};
struct Typing
{
    QString field, keys, whileTyping, afterLeaving;
    bool keypad = false;
};
struct Leave
{
    QString field, keys;
    int key;
    bool accept, box;
    QString to;
    QStringList seen;   // what the check saw, once, or nothing when it did not run
    QString click = {};   // key 0: a click on this control, or "alt+g" for the mnemonic
};

Q_DECLARE_METATYPE(Move)
Q_DECLARE_METATYPE(Typing)
Q_DECLARE_METATYPE(Paste)
Q_DECLARE_METATYPE(Leave)

// One field of every sort, in tab order; "off" is disabled.
class Screen : public QWidget
{
public:
    Screen()
    {
        off->setEnabled(false);
        combo->addItems({u"Sim"_s, u"Não"_s, u"Talvez"_s});
    }
    bool showActive()
    {
        show();
        activateWindow();
        return QTest::qWaitForWindowActive(this);
    }
    template <class T, class... Args> T* add(const char* name, Args... args)
    {
        auto* w = new T(args..., this);
        w->setObjectName(QString::fromLatin1(name));
        m_layout->addWidget(w);
        return w;
    }

    QVBoxLayout* m_layout = new QVBoxLayout(this);
    QLineEdit* code = add<QLineEdit>("code");
    QLineEdit* date = add<QLineEdit>("date");
    QLineEdit* money = add<QLineEdit>("money");
    QLineEdit* whole = add<QLineEdit>("whole");
    QLineEdit* off = add<QLineEdit>("off");
    QComboBox* combo = add<QComboBox>("combo");
    QCheckBox* check = add<QCheckBox>("check", u"Ativo"_s);
    QTableWidget* grid = add<QTableWidget>("grid", 3, 2);
    QPushButton* ok = add<QPushButton>("ok", u"&Gravar"_s);
    QPushButton* cancel = add<QPushButton>("cancel", u"&Sair"_s);
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
void type(const QString& keys, bool keypad = false)
{
    for (QChar c : keys) {
        if (c.unicode() < 128)
            QTest::keyClick(focused(), c.toLatin1(), keypad ? Qt::KeypadModifier : Qt::NoModifier);
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

    // Enter is Tab (a button takes it as a press), arrows move; entering a field (key 0: a click) selects it.
    void moves_data()
    {
        QTest::addColumn<Move>("move");
        QTest::addRow("return") << Move{u"code"_s, Qt::Key_Return, u"date"_s};
        QTest::addRow("keypad enter") << Move{u"code"_s, Qt::Key_Enter, u"date"_s};
        QTest::addRow("disabled field skipped") << Move{u"whole"_s, Qt::Key_Return, u"combo"_s};
        QTest::addRow("enter from a list") << Move{u"combo"_s, Qt::Key_Return, u"check"_s};
        QTest::addRow("enter from a grid") << Move{u"grid"_s, Qt::Key_Return, u"ok"_s};
        QTest::addRow("enter presses a button") << Move{u"ok"_s, Qt::Key_Return, u"ok"_s, 1};
        QTest::addRow("up skips the disabled field") << Move{u"combo"_s, Qt::Key_Up, u"whole"_s};
        QTest::addRow("down leaves a list unchanged") << Move{u"combo"_s, Qt::Key_Down, u"check"_s};
        QTest::addRow("a grid keeps its arrows") << Move{u"grid"_s, Qt::Key_Down, u"grid"_s};
        QTest::addRow("click") << Move{u"code"_s, 0, u"whole"_s};
    }
    void moves()
    {
        QFETCH(Move, move);
        QSignalSpy clicks(m_screen->ok, &QPushButton::clicked);
        QSignalSpy returns(m_screen->code, &QLineEdit::returnPressed);
        for (QLineEdit* edit : m_screen->findChildren<QLineEdit*>())
            edit->setText(u"12"_s);
        m_screen->findChild<QWidget*>(move.from)->setFocus();
        move.key ? press(move.key) : QTest::mouseClick(m_screen->findChild<QWidget*>(move.to), Qt::LeftButton);
        QCOMPARE(focusedName(), move.to);
        if (auto* edit = qobject_cast<QLineEdit*>(focused()))
            QTRY_COMPARE(edit->selectedText(), u"12"_s);
        QCOMPARE(clicks.count(), move.okClicks);
        QCOMPARE(returns.count(), 0);
        QCOMPARE(m_cancelClicks, 0);
        QCOMPARE(m_screen->combo->currentIndex(), 0);
    }

    // What each kind of field lets in, as the field's listeners see it, and what leaving makes of it.
    void typing_data()
    {
        QTest::addColumn<Typing>("typing");
        QTest::addRow("date ignores letters") << Typing{u"date"_s, u"1x2y0303"_s, u"12/03/03"_s, u"12/03/2003"_s};
        QTest::addRow("money formatted on leaving") << Typing{u"money"_s, u"1a.-2,5"_s, u"12,5"_s, u"R$ 12,50"_s};
        QTest::addRow("plain: apostrophe swallowed, accent kept") << Typing{u"code"_s, u"d'água"_s, u"dágua"_s, u"dágua"_s};
        QTest::addRow("quantity: comma typed, kept on leaving") << Typing{u"quantity"_s, u"2,5x"_s, u"2,5"_s, u"2,5"_s};
        QTest::addRow("money: keypad point is a comma") << Typing{u"money"_s, u"5.5"_s, u"5,5"_s, u"R$ 5,50"_s, true};
        QTest::addRow("whole: keypad point refused") << Typing{u"whole"_s, u"5.5"_s, u"55"_s, u"55"_s, true};
        QTest::addRow("plain: keypad point as it is") << Typing{u"code"_s, u"5.5"_s, u"5.5"_s, u"5.5"_s, true};
    }
    void typing()
    {
        QFETCH(Typing, typing);
        if (typing.field == u"quantity"_s) {
            m_keys->setKind(m_screen->code, FieldKind::Money, FieldKind::Whole);
            typing.field = u"code"_s;
        }
        auto* edit = m_screen->findChild<QLineEdit*>(typing.field);
        QSignalSpy edits(edit, &QLineEdit::textEdited);
        edit->setFocus();
        type(typing.keys, typing.keypad);
        QCOMPARE(edit->text(), typing.whileTyping);
        QCOMPARE(edits.last().at(0).toString(), typing.whileTyping);
        press(Qt::Key_Tab);
        QVERIFY(focused() != edit);
        QCOMPARE(edit->text(), typing.afterLeaving);
    }

    // Alt and AltGr (Ctrl+Alt) type their text like any key: the same filter lets it in or not.
    void altTypesThroughTheFilter_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addRow("alt apostrophe, plain field") << u"code"_s << u"a'b"_s << int(Qt::AltModifier) << u"ab"_s;
        QTest::addRow("alt letter, money") << u"money"_s << u"1z,5"_s << int(Qt::AltModifier) << u"1,5"_s;
        QTest::addRow("altgr letter, whole") << u"whole"_s << u"4q2"_s << int(Qt::ControlModifier | Qt::AltModifier)
                                            << u"42"_s;
        QTest::addRow("alt digits, date gets its slashes") << u"date"_s << u"0412"_s << int(Qt::AltModifier)
                                                          << u"04/12"_s;
    }
    void altTypesThroughTheFilter()
    {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        auto* edit = m_screen->findChild<QLineEdit*>(field);
        edit->setFocus();
        for (QChar c : keys)
            QTest::keyClick(edit, c.toLatin1(), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(edit->text(), text);
    }

    // A paste, by either key, is taken whole when typing could give the field that text, else refused whole.
    void pasteTakesWhatTypingTakes_data()
    {
        QTest::addColumn<Paste>("paste");
        QTest::addRow("money, as typed") << Paste{u"money"_s, {}, u"12,50"_s, u"12,50"_s};
        QTest::addRow("money, as the screen shows it") << Paste{u"money"_s, {}, u"R$ 1.234,50"_s, u"R$ 1.234,50"_s};
        QTest::addRow("money, negative") << Paste{u"money"_s, {}, u"-5,00"_s, {}};
        QTest::addRow("money, negative over a price") << Paste{u"money"_s, u"R$ 19,00"_s, u"-5,00"_s, u"R$ 19,00"_s};
        QTest::addRow("money, point for a comma") << Paste{u"money"_s, {}, u"5.00"_s, {}};
        QTest::addRow("whole, digits") << Paste{u"whole"_s, {}, u"123"_s, u"123"_s};
        QTest::addRow("whole, a fraction") << Paste{u"whole"_s, {}, u"1,5"_s, {}};
        QTest::addRow("date, written whole") << Paste{u"date"_s, {}, u"12/03/2026"_s, u"12/03/2026"_s};
        QTest::addRow("date, dashes") << Paste{u"date"_s, {}, u"12-03-2026"_s, {}};
        QTest::addRow("plain, apostrophe") << Paste{u"code"_s, u"Vinho"_s, u" D'Ávila"_s, u"Vinho"_s};
        QTest::addRow("plain, accents") << Paste{u"code"_s, {}, u"Água Tônica"_s, u"Água Tônica"_s};
    }
    void pasteTakesWhatTypingTakes()
    {
        QFETCH(Paste, paste);
        auto* edit = m_screen->findChild<QLineEdit*>(paste.field);
        edit->setText(paste.before);   // as the screen would have shown it
        for (const auto& [key, modifiers] : {std::pair{Qt::Key_V, Qt::ControlModifier},
                                             std::pair{Qt::Key_Insert, Qt::ShiftModifier}}) {
            edit->setFocus();
            edit->end(false);
            QGuiApplication::clipboard()->setText(paste.pasted);
            QTest::keyClick(edit, key, modifiers);
            QCOMPARE(edit->text(), paste.after.isEmpty() && paste.before.isEmpty() ? QString() : paste.after);
            edit->setText(paste.before);
        }
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

    // The check runs once, on the text as leaving leaves it, whatever leaves; refused, the focus
    // stays with the text selected. Escape or the cancel button cancel without it.
    void leaveCheck_data()
    {
        QTest::addColumn<Leave>("leave");
        const QString date = u"date"_s, half = u"1203202"_s;
        QTest::addRow("enter, refused") << Leave{date, half, Qt::Key_Return, false, false, date, {QString()}};
        QTest::addRow("tab, refused") << Leave{date, half, Qt::Key_Tab, false, false, date, {QString()}};
        QTest::addRow("message shown, refused") << Leave{u"whole"_s, u"99"_s, Qt::Key_Return, false, true, u"whole"_s, {u"99"_s}};
        QTest::addRow("message shown, accepted") << Leave{u"whole"_s, u"99"_s, Qt::Key_Return, true, true, u"combo"_s, {u"99"_s}};
        QTest::addRow("escape skips it") << Leave{date, half, Qt::Key_Escape, false, false, date, {}};
        const QString money = u"money"_s;
        const QStringList three{u"R$ 3,00"_s};
        QTest::addRow("click elsewhere, refused") << Leave{money, u"3"_s, 0, false, false, money, three, u"code"_s};
        QTest::addRow("click on a button, refused") << Leave{money, u"3"_s, 0, false, false, money, three, u"ok"_s};
        QTest::addRow("mnemonic, refused") << Leave{money, u"3"_s, 0, false, false, money, three, u"alt+g"_s};
        QTest::addRow("click on cancel skips it") << Leave{money, u"3"_s, 0, false, false, u"cancel"_s, {}, u"cancel"_s};
    }
    void leaveCheck()
    {
        QFETCH(Leave, leave);
        auto* edit = m_screen->findChild<QLineEdit*>(leave.field);
        BoxMessages boxes(m_screen.get());
        QStringList seen;
        m_keys->setLeaveCheck(edit, [&] {
            seen << edit->text();
            if (leave.box) {
                QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
                boxes.info(u"Registro não localizado!"_s);
            }
            return leave.accept;
        });
        QSignalSpy okClicks(m_screen->ok, &QPushButton::clicked);
        edit->setFocus();
        type(leave.keys);
        if (leave.key)
            press(leave.key);
        else if (leave.click == u"alt+g"_s)
            QTest::keyClick(edit, Qt::Key_G, Qt::AltModifier);
        else
            QTest::mouseClick(m_screen->findChild<QWidget*>(leave.click), Qt::LeftButton);
        QCOMPARE(seen, leave.seen);
        QCOMPARE(m_cancelClicks, leave.key == Qt::Key_Escape || leave.click == u"cancel"_s ? 1 : 0);
        QCOMPARE(okClicks.count(), 0);
        QVERIFY(!QApplication::activeModalWidget());
        // Offscreen nobody gives the window back its activation after a box: ask the window.
        QCOMPARE(m_screen->focusWidget()->objectName(), leave.to);
        if (leave.accept || seen.isEmpty())
            return;
        QTRY_COMPARE(edit->selectedText(), edit->text());   // the operator types over it
        if (!leave.click.isEmpty()) {
            leave.accept = true;
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

    // The screen's own handler sees each key first; what it leaves goes on as usual.
    void screenKeysComeFirst()
    {
        QStringList seen;
        m_keys->setKeyHandler([&](QKeyEvent* event, QWidget* field) {
            seen << field->objectName() + u":"_s + QString::number(event->key(), 16);
            return field == m_screen->date;
        });
        press(Qt::Key_Return);
        QCOMPARE(focusedName(), u"date"_s);
        press(Qt::Key_Return);
        QCOMPARE(focusedName(), u"date"_s);
        QCOMPARE(seen, (QStringList{u"code:1000004"_s, u"date:1000004"_s}));
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
