#include "app/config_editor_window.h"
#include "app/navigator.h"
#include "app_test_files.h"
#include "console/main_window.h"
#include "tests/support/test_database.h"
#include "common/message_texts.h"
#include "db/connection.h"
#include "tests/support/scripted_messages.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTest>

using apptest::configLines;
using apptest::crlf;

namespace {

// The names of the visible top-level windows, sorted.
QStringList visibleWindows()
{
    QStringList names;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            names << widget->objectName();
    }
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

// The navigator with real windows: what each start-up leaves open, what a
// save in the editor closes and opens, and F8 between the counters.
class TestNavigator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstWindowOfEachMode_data();
    void firstWindowOfEachMode();
    void savingTheEditorRunsTheStartupAgain();
    void savingFromTheConsoleClosesItAndItsConnection();
    void leavingTheEditorLeavesNoWindow();
    void f8SwapsTheCounters();
    void screensAreSingleInstances();
    void consoleMenuReachesTheEditorAndCounters();

private:
    QString dataDir() const { return m_db->dataFolder(); }
    QString databasePath() const { return m_db->path(); }
    void writeConfig(const QList<QByteArray>& lines) { apptest::writeFile(configFilePath(dataDir()), crlf(lines)); }
    void startNavigator();
    void saveEditorWithMode(int modeIndex);

    std::unique_ptr<TestDatabase> m_db;
    qsizetype m_otherConnections = 0;
    std::unique_ptr<ScriptedMessages> m_messages;
    std::unique_ptr<Navigator> m_navigator;
};

void TestNavigator::initTestCase()
{
    // The program ends on its last window; a test binary must not.
    QApplication::setQuitOnLastWindowClosed(false);
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

void TestNavigator::startNavigator()
{
    m_navigator = std::make_unique<Navigator>(dataDir(), *m_messages, defaultScreenFactories(),
                                              QStringLiteral("/opt/vorinda"));
    m_navigator->start();
}

void TestNavigator::saveEditorWithMode(int modeIndex)
{
    auto* editor = qobject_cast<ConfigEditorWindow*>(m_navigator->screen(Navigator::Screen::ConfigEditor));
    QVERIFY(editor);
    QVERIFY(QTest::qWaitForWindowExposed(editor));
    auto* text11 = editor->findChild<QLineEdit*>(QStringLiteral("Text11"));
    text11->setText(databasePath());
    for (const char* name : {"Text3", "Text1", "Text2"})
        editor->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QStringLiteral("1"));
    auto* combo2 = editor->findChild<QComboBox*>(QStringLiteral("Combo2"));
    combo2->setCurrentIndex(modeIndex);
    QSignalSpy finished(m_navigator.get(), &Navigator::startupFinished);
    editor->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QTRY_COMPARE(finished.count(), 1);
}

void TestNavigator::firstWindowOfEachMode_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<QStringList>("windows");
    QTest::addRow("VENDA") << QByteArray("VENDA") << QStringList{"FrmVendas"};
    QTest::addRow("ENTRADA") << QByteArray("ENTRADA") << QStringList{"FrmEntradas"};
    QTest::addRow("GERENCIA") << QByteArray("GERENCIA") << QStringList{"principal"};
    QTest::addRow("no mode word") << QByteArray("Venda") << QStringList{};
}

void TestNavigator::firstWindowOfEachMode()
{
    QFETCH(QByteArray, mode);
    QFETCH(QStringList, windows);
    writeConfig(configLines(databasePath(), mode));
    startNavigator();
    QCOMPARE(visibleWindows(), windows);
    QVERIFY(m_messages->shown().isEmpty());
}

void TestNavigator::savingTheEditorRunsTheStartupAgain()
{
    writeConfig({"CONFIGURADO=FALSE"});
    startNavigator();
    QCOMPARE(visibleWindows(), QStringList{"FrmConfiguracao"});
    QVERIFY(!m_navigator->state().connection);

    saveEditorWithMode(1);   // "Venda"

    QTRY_COMPARE(visibleWindows(), QStringList{"FrmVendas"});
    QVERIFY(m_navigator->state().connection->isOpen());
    QCOMPARE(m_navigator->state().settings.caminho_banco, databasePath());
    QVERIFY(apptest::readFile(configFilePath(dataDir())).contains("MODO=VENDA\r\n"));
}

void TestNavigator::savingFromTheConsoleClosesItAndItsConnection()
{
    writeConfig(configLines(databasePath(), "GERENCIA"));
    startNavigator();
    QPointer<QWidget> console = m_navigator->screen(Navigator::Screen::Console);
    QVERIFY(console);

    m_navigator->openConfigEditor();
    QCOMPARE(visibleWindows(), (QStringList{"FrmConfiguracao", "principal"}));
    saveEditorWithMode(2);   // "Entrada"

    QTRY_COMPARE(visibleWindows(), QStringList{"FrmEntradas"});
    QVERIFY(!console);
    QCOMPARE(QSqlDatabase::connectionNames().size(), m_otherConnections + 1);
    QVERIFY(m_navigator->state().connection->isOpen());
}

void TestNavigator::leavingTheEditorLeavesNoWindow()
{
    writeConfig(configLines(databasePath(), "VENDA", "99"));
    startNavigator();
    QCOMPARE(m_messages->texts(), QStringList{msg::caixaNaoCadastrado});
    auto* editor = m_navigator->screen(Navigator::Screen::ConfigEditor);
    QVERIFY(editor);
    QVERIFY(QTest::qWaitForWindowExposed(editor));
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(visibleWindows().isEmpty());
    QCOMPARE(apptest::readFile(configFilePath(dataDir())), crlf(configLines(databasePath(), "VENDA", "99")));
}

void TestNavigator::f8SwapsTheCounters()
{
    writeConfig(configLines(databasePath(), "VENDA"));
    startNavigator();

    // F8 on each counter, by keystroke: when the old counter closes, the
    // new one must already be showing, or the program would end right there.
    for (auto [from, to] : {std::pair{Navigator::Screen::Sale, Navigator::Screen::Entry},
                            std::pair{Navigator::Screen::Entry, Navigator::Screen::Sale}}) {
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

void TestNavigator::screensAreSingleInstances()
{
    writeConfig(configLines(databasePath(), "GERENCIA"));
    startNavigator();
    QWidget* console = m_navigator->screen(Navigator::Screen::Console);
    m_navigator->openModeScreen(TerminalMode::Console);
    QCOMPARE(m_navigator->screen(Navigator::Screen::Console), console);

    // A counter opened from the console belongs to it.
    m_navigator->openSaleScreen();
    QWidget* sale = m_navigator->screen(Navigator::Screen::Sale);
    QCOMPARE(sale->parentWidget(), console);
    QVERIFY(sale->isWindow());
    m_navigator->openSaleScreen();
    QCOMPARE(m_navigator->screen(Navigator::Screen::Sale), sale);
    QCOMPARE(visibleWindows(), (QStringList{"FrmVendas", "principal"}));
}

void TestNavigator::consoleMenuReachesTheEditorAndCounters()
{
    writeConfig(configLines(databasePath(), "GERENCIA"));
    startNavigator();
    auto* console = qobject_cast<Principal*>(m_navigator->screen(Navigator::Screen::Console));
    QVERIFY(console);

    console->open(ConsoleScreen::EntryCounter);
    QVERIFY(m_navigator->screen(Navigator::Screen::Entry));
    QCOMPARE(m_navigator->screen(Navigator::Screen::Entry)->parentWidget(), console);
    m_navigator->screen(Navigator::Screen::Entry)->close();

    console->open(ConsoleScreen::TerminalConfiguration);
    QWidget* editor = m_navigator->screen(Navigator::Screen::ConfigEditor);
    QVERIFY(editor);
    QCOMPARE(editor->windowModality(), Qt::ApplicationModal);
    // "Sair" leaves the console as it was.
    QVERIFY(QTest::qWaitForWindowExposed(editor));
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_COMPARE(visibleWindows(), QStringList{"principal"});
    QCOMPARE(m_navigator->screen(Navigator::Screen::Console), console);
}

QTEST_MAIN(TestNavigator)
#include "test_navigator.moc"
