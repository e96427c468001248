#include "app/navigator.h"
#include "common/navigation.h"
#include "common/terminal_settings.h"
#include "entries/entry_window.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

namespace {

// The sale counter as far as F8 goes: it hands back to the entry screen.
struct SaleStandIn final : QWidget
{
    explicit SaleStandIn(Navigation& navigation) : navigation(navigation)
    {
        setObjectName(QStringLiteral("FrmVendas"));
        setFocusPolicy(Qt::StrongFocus);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        event->key() == Qt::Key_F8 ? navigation.openEntryScreen() : QWidget::keyPressEvent(event);
    }
    Navigation& navigation;
};

QString visibleWindows()
{
    QStringList names;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            names << widget->objectName();
    }
    return names.join(u'+');
}

} // namespace

// A workstation in ENTRADA mode, its counter swapped with F8 over and over:
// Escape on the last screen still ends the program.
class TestEntryNavigation : public QObject
{
    Q_OBJECT

private slots:
    void f8BackAndForthThenEscapeEndsTheRun();
};

void TestEntryNavigation::f8BackAndForthThenEscapeEndsTheRun()
{
    TestDatabase db(TestDatabase::Demo);
    QVERIFY2(db.ok(), qPrintable(db.error()));
    QFile config(configFilePath(db.dataFolder()));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("CONFIGURADO=TRUE\r\nPATH=" + db.path().toLocal8Bit()
                 + "\r\nCAIXA=1\r\nCOLUNA=0\r\nLINHA=0\r\nIMPRESSAO=2\r\nMODO=ENTRADA\r\nQUANTIDADE=false\r\n");
    config.close();

    ScriptedMessages messages;
    ScreenFactories factories;
    factories.entry = [](const ScreenContext& c) { return new EntryWindow(c.settings, c.navigation, c.messages); };
    factories.sale = [](const ScreenContext& c) { return new SaleStandIn(c.navigation); };
    factories.console = [](const ScreenContext&) -> QWidget* { return nullptr; };
    Navigator navigator(db.dataFolder(), messages, factories, QCoreApplication::applicationDirPath());

    // Ten F8, then Escape, each to the counter on screen once the previous one has gone.
    QStringList seen;
    std::function<void()> step = [&] {
        QWidget* entry = navigator.screen(Navigator::Screen::Entry);
        QWidget* sale = navigator.screen(Navigator::Screen::Sale);
        QWidget* shown = entry && entry->isVisible() ? entry : sale && sale->isVisible() ? sale : nullptr;
        if (!shown)
            return;
        seen << visibleWindows();
        QApplication::setActiveWindow(shown);
        QTest::keyClick(shown->focusWidget() ? shown->focusWidget() : shown,
                        seen.size() <= 10 ? Qt::Key_F8 : Qt::Key_Escape);
        if (seen.size() <= 10)
            QTimer::singleShot(20, step);
    };
    QTimer::singleShot(0, [&] {
        navigator.start();
        QTimer::singleShot(20, step);
    });
    QTimer::singleShot(20000, [] { QCoreApplication::exit(1); });

    // The run ends by itself (not by the time-out) when the last counter closes.
    QCOMPARE(QApplication::exec(), 0);
    // Exactly one counter on screen at every step, alternating.
    QCOMPARE(seen.size(), 11);
    for (int i = 0; i < seen.size(); ++i)
        QCOMPARE(seen.at(i), i % 2 ? QStringLiteral("FrmVendas") : QStringLiteral("FrmEntradas"));
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(messages.shown().isEmpty());
}

QTEST_MAIN(TestEntryNavigation)
#include "test_entry_navigation.moc"
