// The query screens as a manager uses them: what the window shows, and the
// keys and clicks that search, mark, cancel and close.

#include "common/message_texts.h"
#include "queries/movement_query_screen.h"
#include "tests/queries/movement_fixture.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimeEdit>

#include <memory>

using namespace fixture;

namespace {

template <typename T = QLineEdit>
T* child(QWidget* screen, const char* name)
{
    T* found = screen->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

// Text3, Text4 (active) and Text1, Text2 (cancelled): count and total.
QStringList counters(QWidget* screen)
{
    QStringList texts;
    for (const char* field : {"Text3", "Text4", "Text1", "Text2"})
        texts << child(screen, field)->text();
    return texts;
}

QString cell(QTableView* grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

} // namespace

class TestMovementScreen : public QObject
{
    Q_OBJECT
    std::unique_ptr<Bench> m;

    std::unique_ptr<MovementQueryScreen> show(Kind kind)
    {
        std::unique_ptr<MovementQueryScreen> screen;
        if (kind == Kind::Sales)
            screen = std::make_unique<ConsultaVenda>(m->settings, m->messages, nullptr, [] { return Night; });
        else
            screen = std::make_unique<ConsultaEntrada>(m->settings, m->messages, nullptr, [] { return Night; });
        screen->show();
        QApplication::setActiveWindow(screen.get());
        if (!QTest::qWaitForWindowActive(screen.get()))
            qWarning("window not active");
        return screen;
    }

private slots:
    void init() { m = std::make_unique<Bench>(4); }
    void cleanup()
    {
        QCOMPARE(m->messages.pendingAnswers(), 0);
        m.reset();
    }

    void markAndCancel_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QStringList>("totals");   // of three, of the one left, of the two cancelled
        QTest::addRow("consultaVenda") << Kind::Sales << QStringList{"R$ 24,00", "R$ 8,00", "R$ 16,00"};
        QTest::addRow("consultaEntrada") << Kind::Entries << QStringList{"R$ 90,00", "R$ 30,00", "R$ 60,00"};
    }

    // Opened in the small hours: last night's rows, marked by keys and clicks, cancelled by Delete.
    void markAndCancel()
    {
        QFETCH(Kind, kind);
        QFETCH(QStringList, totals);
        m->add(kind, at("2026-12-04 17:00:00"), 9, "5.00");   // the day before
        for (int i = 0; i < 3; ++i)
            m->add(kind, at("2026-12-04 20:00:00").addSecs(60 * i), 1 + i);
        auto screen = show(kind);
        QWidget* w = screen.get();
        QCOMPARE(screen->objectName(), QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(child<QTabWidget>(w, "SSTab1")->currentIndex(), 0);
        QCOMPARE(child<QDateEdit>(w, "DTPicker2")->date(), QDate(2026, 12, 4));
        QCOMPARE(child<QTimeEdit>(w, "DTPicker1")->time(), QTime(18, 0));
        QCOMPARE(child<QDateEdit>(w, "DTPicker4")->date(), QDate(2026, 12, 5));
        QCOMPARE(child<QTimeEdit>(w, "DTPicker3")->time(), QTime(6, 0));
        QCOMPARE(counters(w), QStringList({"3", totals[0], "0", "R$ 0,00"}));
        QTableView* grid = child<QTableView>(w, "Grid1");
        QTableView* cancelled = child<QTableView>(w, "Grid2");
        for (QTableView* g : {grid, cancelled}) {
            QVERIFY(g->isColumnHidden(0));
            QCOMPARE(g->model()->rowCount(), 15);
        }
        grid->setFocus();
        const auto keyOn = [](QTableView* grid, int row, Qt::Key key) {
            grid->setCurrentIndex(grid->model()->index(row, 1));
            QTest::keyClick(grid, key);
        };
        // Space marks and unmarks; a double-click marks; below the data nothing takes a mark.
        keyOn(grid, 1, Qt::Key_Space);
        QCOMPARE(cell(grid, 1, 7), QStringLiteral("Sim"));
        keyOn(grid, 1, Qt::Key_Space);
        QCOMPARE(cell(grid, 1, 7), QString());
        const QPoint third = grid->visualRect(grid->model()->index(2, 3)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, third);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, third);
        QCOMPARE(cell(grid, 2, 7), QStringLiteral("Sim"));
        keyOn(grid, 6, Qt::Key_Space);
        QCOMPARE(cell(grid, 6, 7), QString());
        keyOn(grid, 0, Qt::Key_Space);
        m->messages.answerNext(true);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(m->messages.texts(), QStringList{msg::confirmaExclusao});
        QCOMPARE(counters(w), QStringList({"1", totals[1], "2", totals[2]}));
        QCOMPARE(cell(grid, 0, 6), QStringLiteral("2"));   // Docto of the one left
        QCOMPARE(QStringList({cell(cancelled, 0, 5), cell(cancelled, 1, 5)}), QStringList({"4", "4"}));
        // The cancelled grid takes neither a mark nor a Delete.
        m->messages.clear();
        child<QTabWidget>(w, "SSTab1")->setCurrentIndex(1);
        cancelled->setFocus();
        keyOn(cancelled, 0, Qt::Key_Space);
        QTest::keyClick(cancelled, Qt::Key_Delete);
        QVERIFY(m->messages.shown().isEmpty());
        QCOMPARE(counters(w), QStringList({"1", totals[1], "2", totals[2]}));
        QTest::mouseClick(child<QPushButton>(w, "Command2"), Qt::LeftButton);   // Sair
        QTRY_VERIFY(!screen->isVisible());
    }

    // The keyboard is on the grid of the tab shown, and its current row is the one the keys act on:
    // the first after opening and after F5, the operator's own after a cancellation.
    void keyboardOnTheGrid_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addRow("consultaVenda") << Kind::Sales;
        QTest::addRow("consultaEntrada") << Kind::Entries;
    }
    void keyboardOnTheGrid()
    {
        QFETCH(Kind, kind);
        for (int i = 0; i < 4; ++i)
            m->add(kind, at("2026-12-04 20:00:00").addSecs(60 * i), 1 + i);
        auto screen = show(kind);
        QWidget* w = screen.get();
        QTableView* grid = child<QTableView>(w, "Grid1");
        QTableView* cancelled = child<QTableView>(w, "Grid2");
        const auto docto = [&](int row) { return cell(grid, row, 6); };
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(grid->currentIndex().row(), 0);
        QTest::keyClick(grid, Qt::Key_Space);   // right after opening: the first row
        QCOMPARE(cell(grid, 0, 7), QStringLiteral("Sim"));
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Space);
        m->messages.answerNext(true);
        QTest::keyClick(grid, Qt::Key_Delete);   // documents 1 and 3 cancelled, on the third row
        QCOMPARE(QStringList({docto(0), docto(1)}), QStringList({"2", "4"}));
        QCOMPARE(grid->currentIndex().row(), 1);   // the place the operator was, clamped to the rows left
        QCOMPARE(cancelled->currentIndex().row(), 0);
        QTest::keyClick(grid, Qt::Key_Up);
        QTest::keyClick(grid, Qt::Key_F5);
        QCOMPARE(grid->currentIndex().row(), 0);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Space);   // after F5 the rows are the first again
        QCOMPARE(cell(grid, 1, 7), QStringLiteral("Sim"));
        // Left and Right on the tab bar change the tab and the keyboard follows to its grid.
        QTabBar* tabs = child<QTabWidget>(w, "SSTab1")->tabBar();
        QTest::keyClick(grid, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), tabs);
        QTest::keyClick(tabs, Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), cancelled);
        QTest::keyClick(cancelled, Qt::Key_F5);
        QCOMPARE(QApplication::focusWidget(), cancelled);
        QTest::keyClick(cancelled, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), tabs);
        QTest::keyClick(tabs, Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(m->messages.texts(), QStringList{msg::confirmaExclusao});
    }

    // The dates typed are the ones searched; Escape closes.
    void f5Search()
    {
        m->add(Kind::Sales, at("2026-12-03 22:00:00"), 1, "5.00");
        auto screen = show(Kind::Sales);
        QWidget* w = screen.get();
        QCOMPARE(counters(w).first(), QStringLiteral("0"));
        QDateEdit* start = child<QDateEdit>(w, "DTPicker2");
        start->setFocus();
        start->setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(start, "03");
        QCOMPARE(start->date(), QDate(2026, 12, 3));
        QTest::keyClick(start, Qt::Key_F5);
        QCOMPARE(counters(w), QStringList({"1", "R$ 5,00", "0", "R$ 0,00"}));
        QCOMPARE(QApplication::focusWidget(), child<QTableView>(w, "Grid1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!screen->isVisible());
    }
};

QTEST_MAIN(TestMovementScreen)
#include "test_movement_screen.moc"
