#include "common/key_conventions.h"
#include "common/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

// A small screen with one field of every sort, in this tab order:
// code, date, money, whole, off (disabled), combo, check, grid, ok, cancel.
class Screen : public QWidget
{
public:
    Screen()
    {
        auto* layout = new QVBoxLayout(this);
        for (const char* name : {"code", "date", "money", "whole", "off"}) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(QString::fromLatin1(name));
            layout->addWidget(edit);
        }
        code = findChild<QLineEdit*>(QStringLiteral("code"));
        date = findChild<QLineEdit*>(QStringLiteral("date"));
        money = findChild<QLineEdit*>(QStringLiteral("money"));
        whole = findChild<QLineEdit*>(QStringLiteral("whole"));
        off = findChild<QLineEdit*>(QStringLiteral("off"));
        off->setEnabled(false);
        combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("combo"));
        combo->addItems({QStringLiteral("Sim"), QStringLiteral("Não"), QStringLiteral("Talvez")});
        layout->addWidget(combo);
        check = new QCheckBox(QStringLiteral("Ativo"), this);
        check->setObjectName(QStringLiteral("check"));
        layout->addWidget(check);
        grid = new QTableWidget(3, 2, this);
        grid->setObjectName(QStringLiteral("grid"));
        layout->addWidget(grid);
        ok = new QPushButton(QStringLiteral("&Gravar"), this);
        ok->setObjectName(QStringLiteral("ok"));
        layout->addWidget(ok);
        cancel = new QPushButton(QStringLiteral("&Sair"), this);
        cancel->setObjectName(QStringLiteral("cancel"));
        layout->addWidget(cancel);
    }

    QLineEdit* code;
    QLineEdit* date;
    QLineEdit* money;
    QLineEdit* whole;
    QLineEdit* off;
    QComboBox* combo;
    QCheckBox* check;
    QTableWidget* grid;
    QPushButton* ok;
    QPushButton* cancel;
};

namespace {

QWidget* focused()
{
    return QApplication::focusWidget();
}

QString focusedName()
{
    return focused() ? focused()->objectName() : QStringLiteral("(none)");
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(), Qt::Key(key), modifiers);
}

void type(const QString& keys)
{
    QTest::keyClicks(focused(), keys);
}

// Answers the message box that is about to open with Enter, once.
void answerNextBox()
{
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        if (box)
            QTest::keyClick(box, Qt::Key_Return);
    });
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
        m_screen->show();
        m_screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
        m_screen->code->setFocus();
        QCOMPARE(focused(), m_screen->code);
    }
    void cleanup()
    {
        m_screen.reset();
    }

    void enterMovesOn_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::addRow("return") << QStringLiteral("code") << int(Qt::Key_Return) << QStringLiteral("date");
        QTest::addRow("keypad enter") << QStringLiteral("code") << int(Qt::Key_Enter) << QStringLiteral("date");
        QTest::addRow("disabled field skipped") << QStringLiteral("whole") << int(Qt::Key_Return) << QStringLiteral("combo");
        QTest::addRow("from a list") << QStringLiteral("combo") << int(Qt::Key_Return) << QStringLiteral("check");
        QTest::addRow("from a grid") << QStringLiteral("grid") << int(Qt::Key_Return) << QStringLiteral("ok");
        QTest::addRow("cancel is last, then back to the first") << QStringLiteral("cancel") << int(Qt::Key_Tab) << QStringLiteral("code");
    }
    void enterMovesOn()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        m_screen->findChild<QWidget*>(from)->setFocus();
        const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        press(key, modifiers);
        QCOMPARE(focusedName(), to);
        QCOMPARE(m_cancelClicks, 0);
    }

    void enterIsSwallowed()
    {
        QSignalSpy returns(m_screen->code, &QLineEdit::returnPressed);
        type(QStringLiteral("12"));
        press(Qt::Key_Return);
        QCOMPARE(returns.count(), 0);
        QCOMPARE(m_screen->code->text(), QStringLiteral("12"));
    }

    void enterOnButtonPressesIt()
    {
        QSignalSpy clicks(m_screen->ok, &QPushButton::clicked);
        m_screen->ok->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(focused(), m_screen->ok);
    }

    void enteringSelectsTheWholeText_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("from");
        QTest::addRow("enter") << int(Qt::Key_Return) << QStringLiteral("code");
        QTest::addRow("tab") << int(Qt::Key_Tab) << QStringLiteral("code");
        QTest::addRow("shift tab") << int(Qt::Key_Backtab) << QStringLiteral("money");
        QTest::addRow("down arrow") << int(Qt::Key_Down) << QStringLiteral("code");
    }
    void enteringSelectsTheWholeText()
    {
        QFETCH(int, key);
        QFETCH(QString, from);
        m_screen->date->setText(QStringLiteral("04/12/2026"));
        m_screen->findChild<QWidget*>(from)->setFocus();
        press(key);
        QCOMPARE(focused(), m_screen->date);
        QCOMPARE(m_screen->date->selectedText(), QStringLiteral("04/12/2026"));
        // Typing then replaces the old value.
        type(QStringLiteral("05"));
        QCOMPARE(m_screen->date->text(), QStringLiteral("05"));
    }

    void clickSelectsTheWholeText()
    {
        m_screen->whole->setText(QStringLiteral("1234"));
        QTest::mouseClick(m_screen->whole, Qt::LeftButton);
        QCOMPARE(focused(), m_screen->whole);
        QTRY_COMPARE(m_screen->whole->selectedText(), QStringLiteral("1234"));
    }

    void typingByKind_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("whileTyping");
        QTest::addColumn<QString>("afterLeaving");
        QTest::addRow("date of eight digits") << QStringLiteral("date") << QStringLiteral("12032026")
                                              << QStringLiteral("12/03/2026") << QStringLiteral("12/03/2026");
        QTest::addRow("date ignores letters") << QStringLiteral("date") << QStringLiteral("1x2y0303")
                                              << QStringLiteral("12/03/03") << QStringLiteral("12/03/2003");
        QTest::addRow("date half typed is emptied") << QStringLiteral("date") << QStringLiteral("1203")
                                                    << QStringLiteral("12/03") << QString();
        QTest::addRow("money formatted on leaving") << QStringLiteral("money") << QStringLiteral("12,5")
                                                    << QStringLiteral("12,5") << QStringLiteral("R$ 12,50");
        QTest::addRow("money ignores letters and point") << QStringLiteral("money") << QStringLiteral("1a.5")
                                                         << QStringLiteral("15") << QStringLiteral("R$ 15,00");
        QTest::addRow("money lone comma emptied") << QStringLiteral("money") << QStringLiteral(",")
                                                  << QStringLiteral(",") << QString();
        QTest::addRow("whole number digits only") << QStringLiteral("whole") << QStringLiteral("4,2")
                                                  << QStringLiteral("42") << QStringLiteral("42");
        QTest::addRow("plain field takes anything") << QStringLiteral("code") << QStringLiteral("a,b.1")
                                                    << QStringLiteral("a,b.1") << QStringLiteral("a,b.1");
        QTest::addRow("quantity: comma typed, kept on leaving") << QStringLiteral("quantity") << QStringLiteral("2,5x")
                                                                << QStringLiteral("2,5") << QStringLiteral("2,5");
        QTest::addRow("quantity: lone comma emptied") << QStringLiteral("quantity") << QStringLiteral(",")
                                                      << QStringLiteral(",") << QString();
    }
    void typingByKind()
    {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(QString, whileTyping);
        QFETCH(QString, afterLeaving);
        if (field == QLatin1String("quantity")) {
            m_keys->setKind(m_screen->code, FieldKind::Money, FieldKind::Whole);
            field = QStringLiteral("code");
        }
        auto* edit = m_screen->findChild<QLineEdit*>(field);
        edit->setFocus();
        type(keys);
        QCOMPARE(edit->text(), whileTyping);
        press(Qt::Key_Tab);
        QVERIFY(focused() != edit);
        QCOMPARE(edit->text(), afterLeaving);
    }

    void dateSlashTypedAsEditing()
    {
        // The slash goes in as typing does: the field tells its listeners.
        QSignalSpy edits(m_screen->date, &QLineEdit::textEdited);
        m_screen->date->setFocus();
        type(QStringLiteral("123"));
        QCOMPARE(m_screen->date->text(), QStringLiteral("12/3"));
        QCOMPARE(m_screen->date->cursorPosition(), 4);
        QCOMPARE(edits.count(), 3);
        QCOMPARE(edits.last().at(0).toString(), QStringLiteral("12/3"));
    }

    void dateRespectsMaximumLength()
    {
        m_screen->date->setMaxLength(10);
        m_screen->date->setFocus();
        type(QStringLiteral("1203202699"));
        QCOMPARE(m_screen->date->text(), QStringLiteral("12/03/2026"));
    }

    void keypadDecimal_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("expected");
        QTest::addRow("money: keypad point is a comma") << QStringLiteral("money") << int(Qt::Key_Period) << QStringLiteral("5,");
        QTest::addRow("money: keypad comma stays") << QStringLiteral("money") << int(Qt::Key_Comma) << QStringLiteral("5,");
        QTest::addRow("whole: keypad point refused") << QStringLiteral("whole") << int(Qt::Key_Period) << QStringLiteral("5");
        QTest::addRow("plain: keypad point as it is") << QStringLiteral("code") << int(Qt::Key_Period) << QStringLiteral("5.");
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

    void nonAsciiCharacterInPlainField()
    {
        QTest::sendKeyEvent(QTest::Click, m_screen->code, Qt::Key_unknown, QStringLiteral("é"), Qt::NoModifier);
        QCOMPARE(m_screen->code->text(), QStringLiteral("é"));
        m_screen->whole->setFocus();
        QTest::sendKeyEvent(QTest::Click, m_screen->whole, Qt::Key_unknown, QStringLiteral("é"), Qt::NoModifier);
        QCOMPARE(m_screen->whole->text(), QString());
    }

    void apostropheSwallowed()
    {
        type(QStringLiteral("d'agua"));
        QCOMPARE(m_screen->code->text(), QStringLiteral("dagua"));
    }

    void apostropheKeptWithoutTheOption()
    {
        Screen other;
        KeyConventions keys(&other);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        other.code->setFocus();
        type(QStringLiteral("d'agua"));
        QCOMPARE(other.code->text(), QStringLiteral("d'agua"));
        // Without the arrows option the arrows stay where they are.
        press(Qt::Key_Down);
        QCOMPARE(focused(), other.code);
    }

    void arrowsMove_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::addRow("down to next") << QStringLiteral("code") << int(Qt::Key_Down) << QStringLiteral("date");
        QTest::addRow("up to previous") << QStringLiteral("date") << int(Qt::Key_Up) << QStringLiteral("code");
        QTest::addRow("up skips the disabled field") << QStringLiteral("combo") << int(Qt::Key_Up) << QStringLiteral("whole");
        QTest::addRow("down leaves a list") << QStringLiteral("combo") << int(Qt::Key_Down) << QStringLiteral("check");
        QTest::addRow("a grid keeps its arrows") << QStringLiteral("grid") << int(Qt::Key_Down) << QStringLiteral("grid");
    }
    void arrowsMove()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        m_screen->findChild<QWidget*>(from)->setFocus();
        press(key);
        QCOMPARE(focusedName(), to);
        // Leaving a list by an arrow does not change what it shows.
        QCOMPARE(m_screen->combo->currentIndex(), 0);
    }

    void leaveCheckRunsOnceBeforeLeaving_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("to");
        QTest::addRow("enter, accepted") << int(Qt::Key_Return) << true << QStringLiteral("money");
        QTest::addRow("enter, refused") << int(Qt::Key_Return) << false << QStringLiteral("date");
        QTest::addRow("tab, accepted") << int(Qt::Key_Tab) << true << QStringLiteral("money");
        QTest::addRow("tab, refused") << int(Qt::Key_Tab) << false << QStringLiteral("date");
        QTest::addRow("shift tab, refused") << int(Qt::Key_Backtab) << false << QStringLiteral("date");
        QTest::addRow("shift tab, accepted") << int(Qt::Key_Backtab) << true << QStringLiteral("code");
        QTest::addRow("down, refused") << int(Qt::Key_Down) << false << QStringLiteral("date");
        QTest::addRow("up, accepted") << int(Qt::Key_Up) << true << QStringLiteral("code");
    }
    void leaveCheckRunsOnceBeforeLeaving()
    {
        QFETCH(int, key);
        QFETCH(bool, accept);
        QFETCH(QString, to);
        int runs = 0;
        QString seen;
        m_keys->setLeaveCheck(m_screen->date, [&] {
            ++runs;
            seen = m_screen->date->text();
            return accept;
        });
        m_screen->date->setFocus();
        type(QStringLiteral("1203202"));
        press(key);
        QCOMPARE(runs, 1);
        QCOMPARE(focusedName(), to);
        // The check sees the text as leaving leaves it: formatted, or emptied.
        QCOMPARE(seen, QString());
        if (!accept)
            QCOMPARE(m_screen->date->selectedText(), m_screen->date->text());
    }

    void refusedCheckSelectsWhatWasTyped()
    {
        m_keys->setLeaveCheck(m_screen->money, [] { return false; });
        m_screen->money->setFocus();
        type(QStringLiteral("7"));
        press(Qt::Key_Return);
        QCOMPARE(focused(), m_screen->money);
        QCOMPARE(m_screen->money->text(), QStringLiteral("R$ 7,00"));
        QCOMPARE(m_screen->money->selectedText(), QStringLiteral("R$ 7,00"));
    }

    void checkShowingAMessageRunsOnce_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("to");
        QTest::addRow("refused") << false << QStringLiteral("whole");
        QTest::addRow("accepted") << true << QStringLiteral("combo");
    }
    void checkShowingAMessageRunsOnce()
    {
        QFETCH(bool, accept);
        QFETCH(QString, to);
        int runs = 0;
        BoxMessages boxes(m_screen.get());
        m_keys->setLeaveCheck(m_screen->whole, [&] {
            ++runs;
            answerNextBox();
            boxes.info(QStringLiteral("Registro não localizado!"));
            return accept;
        });
        m_screen->whole->setFocus();
        type(QStringLiteral("99"));
        press(Qt::Key_Return);
        QCOMPARE(runs, 1);
        QVERIFY(!QApplication::activeModalWidget());
        // Offscreen nobody gives the window back its activation: ask the window.
        QCOMPARE(m_screen->focusWidget()->objectName(), to);
    }

    void clickElsewhereRunsTheCheck_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("runs");
        QTest::addColumn<QString>("to");
        QTest::addRow("accepted") << true << QStringLiteral("code") << 1 << QStringLiteral("code");
        QTest::addRow("refused") << false << QStringLiteral("code") << 1 << QStringLiteral("money");
        QTest::addRow("refused before a button") << false << QStringLiteral("ok") << 1 << QStringLiteral("money");
        QTest::addRow("cancel button skips it") << false << QStringLiteral("cancel") << 0 << QStringLiteral("cancel");
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
        type(QStringLiteral("3"));
        QTest::mouseClick(m_screen->findChild<QWidget*>(target), Qt::LeftButton);
        QCOMPARE(ran, runs);
        QCOMPARE(focusedName(), to);
        QCOMPARE(m_screen->money->text(), QStringLiteral("R$ 3,00"));
        if (target == QLatin1String("ok"))
            QCOMPARE(okClicks.count(), accept ? 1 : 0);
        // The click that was refused is not kept for a later one.
        if (!accept) {
            m_keys->setLeaveCheck(m_screen->money, [] { return true; });
            QTest::mouseClick(m_screen->code, Qt::LeftButton);
            QCOMPARE(focused(), m_screen->code);
        }
    }

    void mnemonicOfAButtonRunsTheCheck()
    {
        QSignalSpy okClicks(m_screen->ok, &QPushButton::clicked);
        int runs = 0;
        m_keys->setLeaveCheck(m_screen->code, [&] {
            ++runs;
            return false;
        });
        QTest::keyClick(m_screen->code, Qt::Key_G, Qt::AltModifier);
        QCOMPARE(runs, 1);
        QCOMPARE(okClicks.count(), 0);
        QCOMPARE(focused(), m_screen->code);
    }

    void escapePressesCancelWithoutTheCheck_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addRow("from a checked field") << QStringLiteral("date");
        QTest::addRow("from a list") << QStringLiteral("combo");
        QTest::addRow("from a grid") << QStringLiteral("grid");
    }
    void escapePressesCancelWithoutTheCheck()
    {
        QFETCH(QString, from);
        int runs = 0;
        m_keys->setLeaveCheck(m_screen->date, [&] {
            ++runs;
            return false;
        });
        m_screen->findChild<QWidget*>(from)->setFocus();
        press(Qt::Key_Escape);
        QCOMPARE(m_cancelClicks, 1);
        QCOMPARE(runs, 0);
    }

    void escapeRunsTheCancelAction()
    {
        Screen other;
        KeyConventions keys(&other);
        int cancelled = 0;
        keys.setCancelAction([&] { ++cancelled; });
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        other.code->setFocus();
        press(Qt::Key_Escape);
        QCOMPARE(cancelled, 1);
    }

    void enterAction_data()
    {
        QTest::addColumn<bool>("moveOn");
        QTest::addColumn<bool>("focusesCode");
        QTest::addColumn<QString>("to");
        QTest::addRow("then moves on") << true << false << QStringLiteral("combo");
        QTest::addRow("stays when asked") << false << false << QStringLiteral("whole");
        QTest::addRow("keeps the focus it placed") << true << true << QStringLiteral("code");
    }
    void enterAction()
    {
        QFETCH(bool, moveOn);
        QFETCH(bool, focusesCode);
        QFETCH(QString, to);
        QStringList order;
        m_keys->setLeaveCheck(m_screen->whole, [&] {
            order << QStringLiteral("check");
            return true;
        });
        m_keys->setEnterAction(m_screen->whole, [&] {
            order << QStringLiteral("action:") + m_screen->whole->text();
            if (focusesCode)
                m_screen->code->setFocus();
            return moveOn;
        });
        m_screen->whole->setFocus();
        type(QStringLiteral("5"));
        press(Qt::Key_Return);
        QCOMPARE(focusedName(), to);
        QCOMPARE(order.value(0), QStringLiteral("action:5"));
        QCOMPARE(order.size(), moveOn && !focusesCode ? 2 : 1);
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
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("handled");
        QTest::addColumn<QString>("to");
        QTest::addRow("F5 handled") << int(Qt::Key_F5) << true << QStringLiteral("date");
        QTest::addRow("Enter handled by the screen") << int(Qt::Key_Return) << true << QStringLiteral("date");
        QTest::addRow("Enter left to the conventions") << int(Qt::Key_Return) << false << QStringLiteral("money");
    }
    void screenKeysComeFirst()
    {
        QFETCH(int, key);
        QFETCH(bool, handled);
        QFETCH(QString, to);
        QList<int> seen;
        QWidget* seenIn = nullptr;
        m_keys->setKeyHandler([&](QKeyEvent* event, QWidget* field) {
            seen << event->key();
            seenIn = field;
            return handled;
        });
        m_screen->date->setFocus();
        press(key);
        QCOMPARE(seen, QList<int>{key});
        QCOMPARE(seenIn, m_screen->date);
        QCOMPARE(focusedName(), to);
    }

    void openListKeepsItsKeys()
    {
        m_screen->combo->setFocus();
        m_screen->combo->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget());
        QWidget* popup = QApplication::activePopupWidget();
        auto* list = popup->findChild<QListView*>();
        QVERIFY(list);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(m_screen->combo->currentIndex(), 1);
        QCOMPARE(focused(), m_screen->combo);
    }

    void nextFieldFollowsTabOrder()
    {
        QWidget::setTabOrder(m_screen->code, m_screen->whole);
        QWidget::setTabOrder(m_screen->whole, m_screen->date);
        QCOMPARE(KeyConventions::nextField(m_screen->code, true), m_screen->whole);
        QCOMPARE(KeyConventions::nextField(m_screen->whole, true), m_screen->date);
        QCOMPARE(KeyConventions::nextField(m_screen->date, false), m_screen->whole);
        m_screen->whole->hide();
        QCOMPARE(KeyConventions::nextField(m_screen->code, true), m_screen->date);
    }

private:
    std::unique_ptr<Screen> m_screen;
    KeyConventions* m_keys = nullptr;
    int m_cancelClicks = 0;
};

QTEST_MAIN(TestKeyConventions)
#include "test_key_conventions.moc"
