#include "app/config_editor_window.h"
#include "app/navigator.h"
#include "app_test_files.h"
#include "console/main_window.h"
#include "db/connection.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTest>
#include <QTimer>

using apptest::configLines;
using apptest::crlf;
using Screen = Navigator::Screen;

namespace {

// The names of the visible top-level windows, sorted.
QStringList visibleWindows()
{
    QStringList names;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            names << widget->objectName();
    names.sort();
    return names;
}

// Calls back when its window is about to close.
class WatchClose final : public QObject
{
public:
    explicit WatchClose(std::function<void()> onClose) : m_onClose(std::move(onClose)) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            m_onClose();
        return false;
    }

private:
    std::function<void()> m_onClose;
};

} // namespace

class TestNavigator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void f8SwapsTheCounters();
    void fromTheConsole();

private:
    void startNavigator(const QByteArray& mode);

    std::unique_ptr<TestDatabase> m_db;
    qsizetype m_otherConnections = 0;
    std::unique_ptr<ScriptedMessages> m_messages;
    std::unique_ptr<Navigator> m_navigator;
};

void TestNavigator::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);   // the program ends on its last window; a test must not
}

void TestNavigator::init()
{
    m_db.reset();
    m_db = std::make_unique<TestDatabase>();
    QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
    m_otherConnections = QSqlDatabase::connectionNames().size();
    m_messages = std::make_unique<ScriptedMessages>();
}

void TestNavigator::cleanup()
{
    m_navigator.reset();
    QTRY_VERIFY(visibleWindows().isEmpty());
    QCOMPARE(QSqlDatabase::connectionNames().size(), m_otherConnections);
}

void TestNavigator::startNavigator(const QByteArray& mode)
{
    apptest::writeFile(configFilePath(m_db->dataFolder()), crlf(configLines(m_db->path(), mode)));
    m_navigator = std::make_unique<Navigator>(m_db->dataFolder(), *m_messages, defaultScreenFactories(),
                                              QStringLiteral("/opt/vorinda"));
    m_navigator->start();
}

void TestNavigator::f8SwapsTheCounters()
{
    startNavigator("VENDA");
    // When the old counter closes the new one must already show, or the program would end.
    for (auto [from, to] : {std::pair{Screen::Sale, Screen::Entry}, std::pair{Screen::Entry, Screen::Sale}}) {
        QPointer<QWidget> old = m_navigator->screen(from);
        QVERIFY(old);
        QVERIFY(QTest::qWaitForWindowActive(old));
        QStringList showingAtClose;
        WatchClose watch([&] { showingAtClose = visibleWindows(); });
        old->installEventFilter(&watch);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : old.data(), Qt::Key_F8);
        QTRY_VERIFY(!old);
        QVERIFY2(showingAtClose.size() == 2, qPrintable(showingAtClose.join(u' ')));
        QVERIFY(m_navigator->screen(to));
        QCOMPARE(visibleWindows(), QStringList{m_navigator->screen(to)->objectName()});
    }
    QVERIFY2(m_messages->shown().isEmpty(), qPrintable(m_messages->transcript()));
}

// Screens opened from the console belong to it, once each; saving in the editor
// closes the console and its connection, and the new start-up opens its own.
void TestNavigator::fromTheConsole()
{
    startNavigator("GERENCIA");
    QPointer<Principal> console = qobject_cast<Principal*>(m_navigator->screen(Screen::Console));
    QVERIFY(console);
    m_navigator->openModeScreen(TerminalMode::Console);
    QCOMPARE(m_navigator->screen(Screen::Console), console.data());

    // "Movimentos" and the toolbar run a counter modally, without owner; F8 in it
    // hands over to the other counter, owned by the console and modeless.
    QPointer<QWidget> modal;
    bool ownerless = false;
    QStringList whileModal;
    QTimer::singleShot(0, [&] {
        modal = QApplication::activeModalWidget();
        ownerless = modal && !modal->parentWidget();
        whileModal = visibleWindows();
        if (modal && QTest::qWaitForWindowActive(modal))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8);
        else if (modal)
            modal->close();   // never left waiting
    });
    console->findChild<QAction*>(QStringLiteral("menuEntrada"))->trigger();   // returns once it has closed
    QVERIFY(modal);
    QCOMPARE(modal->objectName(), QStringLiteral("FrmEntradas"));
    QVERIFY(ownerless);
    QCOMPARE(whileModal, (QStringList{"FrmEntradas", "principal"}));
    QTRY_VERIFY(!m_navigator->screen(Screen::Entry));
    QWidget* sale = m_navigator->screen(Screen::Sale);
    QVERIFY(sale);
    QCOMPARE(sale->parentWidget(), console.data());
    QCOMPARE(sale->windowModality(), Qt::NonModal);
    QVERIFY(!QApplication::activeModalWidget());
    QTRY_COMPARE(QApplication::activeWindow(), sale);   // the keyboard went with the hand-over
    // Asked for again while open (Ctrl+V in the console), the same one comes forward.
    QTest::keyClick(console, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_navigator->screen(Screen::Sale), sale);
    QCOMPARE(visibleWindows(), (QStringList{"FrmVendas", "principal"}));
    sale->close();

    for (bool save : {false, true}) {
        console->open(ConsoleScreen::TerminalConfiguration);
        auto* editor = qobject_cast<ConfigEditorWindow*>(m_navigator->screen(Screen::ConfigEditor));
        QVERIFY(editor && QTest::qWaitForWindowExposed(editor));
        QCOMPARE(editor->windowModality(), Qt::ApplicationModal);
        if (!save) {
            // "Sair" leaves the console as it was.
            QTest::keyClick(editor, Qt::Key_Escape);
            QVERIFY(!m_navigator->screen(Screen::ConfigEditor));   // at once: reopening gets a new one
            QCOMPARE(visibleWindows(), QStringList{"principal"});
            continue;
        }
        editor->findChild<QComboBox*>(QStringLiteral("Combo2"))->setCurrentIndex(2);   // "Entrada"
        QSignalSpy finished(m_navigator.get(), &Navigator::startupFinished);
        editor->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QTRY_COMPARE(finished.count(), 1);
    }
    QTRY_COMPARE(visibleWindows(), QStringList{"FrmEntradas"});
    QVERIFY(!console);
    QCOMPARE(QSqlDatabase::connectionNames().size(), m_otherConnections + 1);
    QVERIFY(m_navigator->state().connection->isOpen());
    QVERIFY(apptest::readFile(configFilePath(m_db->dataFolder())).contains("MODO=ENTRADA\r\n"));
}

QTEST_MAIN(TestNavigator)
#include "test_navigator.moc"
