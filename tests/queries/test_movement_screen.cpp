// The query screens as a manager uses them: what the window shows, and the
// keys and clicks that search, mark, cancel and close.

#include "common/message_texts.h"
#include "common/terminal_settings.h"
#include "queries/movement_query_screen.h"
#include "tests/queries/movement_fixture.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimeEdit>
#include <QToolBar>

#include <memory>

using namespace fixture;

namespace {

const QDateTime Night = at("2026-12-05 02:30:00");

template <typename T>
T* child(QWidget* screen, const char* name)
{
    T* found = screen->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qWarning("no %s", name);
    return found;
}

QStringList headers(QTableView* grid)
{
    QStringList texts;
    for (int i = 0; i < grid->model()->columnCount(); ++i)
        texts << grid->model()->headerData(i, Qt::Horizontal).toString();
    return texts;
}

QList<int> widths(QTableView* grid)
{
    QList<int> list;
    for (int i = 0; i < grid->model()->columnCount(); ++i)
        list << (grid->isColumnHidden(i) ? 0 : grid->columnWidth(i));
    return list;
}

// Columns shown left-aligned; every other one is centred.
QList<int> leftAligned(QTableView* grid)
{
    QList<int> list;
    for (int i = 0; i < grid->model()->columnCount(); ++i) {
        const int alignment = grid->model()->index(0, i).data(Qt::TextAlignmentRole).toInt();
        if (alignment & Qt::AlignLeft)
            list << i;
        else if (!(alignment & Qt::AlignHCenter))
            qWarning("column %d neither left nor centred", i);
    }
    return list;
}

QString cell(QTableView* grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

} // namespace

class TestMovementScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void opensOnTheBusinessDay();
    void spaceAndDoubleClickMark();
    void deleteCancelsMarkedRows();
    void deleteOnEmptyRowAsksNothing();
    void cancelledGridIsReadOnly();
    void f5SearchesThePeriodTyped();
    void toolbarSearches();
    void escapeCloses();

private:
    std::unique_ptr<MovementQueryScreen> show(bool sales);

    std::unique_ptr<TestDatabase> m_db;
    Catalogue m_catalogue;
    TerminalSettings m_settings;
    ScriptedMessages m_messages;
};

void TestMovementScreen::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
    m_catalogue = makeCatalogue(m_db->connection());
    m_settings = TerminalSettings();
    m_settings.conexao = &m_db->connection();
    m_settings.numero_caixa = 4;
    m_settings.hora_inicio = QStringLiteral("18:00");
    m_settings.hora_fim = QStringLiteral("06:00");
    m_messages.clear();
}

void TestMovementScreen::cleanup()
{
    QCOMPARE(m_messages.pendingAnswers(), 0);
    m_db.reset();
}

std::unique_ptr<MovementQueryScreen> TestMovementScreen::show(bool sales)
{
    std::unique_ptr<MovementQueryScreen> screen;
    if (sales)
        screen = std::make_unique<ConsultaVenda>(m_settings, m_messages, nullptr, [] { return Night; });
    else
        screen = std::make_unique<ConsultaEntrada>(m_settings, m_messages, nullptr, [] { return Night; });
    screen->show();
    QApplication::setActiveWindow(screen.get());
    if (!QTest::qWaitForWindowActive(screen.get()))
        qWarning("window not active");
    return screen;
}

void TestMovementScreen::layout_data()
{
    QTest::addColumn<bool>("sales");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<QStringList>("headers1");
    QTest::addColumn<QList<int>>("widths1");
    QTest::addColumn<QList<int>>("left1");
    QTest::addColumn<QStringList>("headers2");
    QTest::addColumn<QList<int>>("widths2");
    QTest::addColumn<QList<int>>("left2");

    // Widths are the twips of the old screens at 15 twips a pixel.
    QTest::addRow("consultaEntrada")
        << false << QStringLiteral("consultaEntrada") << QStringLiteral("Entradas")
        << QStringList{QStringLiteral("Entradas válidas"), QStringLiteral("Entradas excluídas")}
        << QStringList{QStringLiteral("Código"), QStringLiteral("Data"), QStringLiteral("Hora"), QStringLiteral("Tipo"),
                       QStringLiteral("Caixa"), QStringLiteral("Valor"), QStringLiteral("Docto"), QStringLiteral("Sel.")}
        << QList<int>{0, 87, 87, 200, 100, 93, 67, 53} << QList<int>{3}
        << QStringList{QStringLiteral("Código"), QStringLiteral("Entrada"), QStringLiteral("Caixa"),
                       QStringLiteral("Tipo"), QStringLiteral("Exclusão"), QStringLiteral("Caixa"),
                       QStringLiteral("Valor"), QStringLiteral("Motivo"), QStringLiteral("Docto")}
        << QList<int>{0, 80, 53, 120, 80, 53, 80, 147, 67} << QList<int>{3, 7};
    QTest::addRow("consultaVenda")
        << true << QStringLiteral("consultaVenda") << QStringLiteral("Vendas")
        << QStringList{QStringLiteral("Vendas válidas"), QStringLiteral("Venda excluídas")}
        << QStringList{QStringLiteral("Código"), QStringLiteral("Data"), QStringLiteral("Caixa"), QStringLiteral("Produto"),
                       QStringLiteral("Qtde"), QStringLiteral("Total"), QStringLiteral("Docto"), QStringLiteral("Sel.")}
        << QList<int>{0, 87, 80, 233, 67, 93, 67, 53} << QList<int>{3}
        << QStringList{QStringLiteral("Código"), QStringLiteral("Venda"), QStringLiteral("Caixa"),
                       QStringLiteral("Produto"), QStringLiteral("Exclusão"), QStringLiteral("Caixa"),
                       QStringLiteral("Valor"), QStringLiteral("Motivo"), QStringLiteral("Docto")}
        << QList<int>{0, 80, 53, 120, 80, 53, 67, 167, 60} << QList<int>{3, 7};
}

void TestMovementScreen::layout()
{
    QFETCH(bool, sales);
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QStringList, tabs);
    QFETCH(QStringList, headers1);
    QFETCH(QList<int>, widths1);
    QFETCH(QList<int>, left1);
    QFETCH(QStringList, headers2);
    QFETCH(QList<int>, widths2);
    QFETCH(QList<int>, left2);

    auto screen = show(sales);
    QCOMPARE(screen->objectName(), name);
    QCOMPARE(screen->windowTitle(), QStringLiteral("Consulta"));
    QCOMPARE(screen->minimumSize(), screen->maximumSize());   // fixed size
    QCOMPARE(child<QLabel>(screen.get(), "Label16")->text(), title);
    QCOMPARE(child<QGroupBox>(screen.get(), "Frame1")->title(), QStringLiteral("Período"));
    for (const char* picker : {"DTPicker1", "DTPicker2", "DTPicker3", "DTPicker4"})
        QVERIFY2(screen->findChild<QDateTimeEdit*>(QString::fromLatin1(picker)), picker);
    QToolBar* toolbar = child<QToolBar>(screen.get(), "Toolbar1");
    QCOMPARE(toolbar->actions().size(), 1);
    QCOMPARE(toolbar->actions().first()->toolTip(), QStringLiteral("Fazer pesquisa ( F5 )"));
    QCOMPARE(child<QPushButton>(screen.get(), "Command2")->text(), QStringLiteral("&Sair"));

    QTabWidget* tab = child<QTabWidget>(screen.get(), "SSTab1");
    QCOMPARE(QStringList({tab->tabText(0), tab->tabText(1)}), tabs);
    QCOMPARE(tab->currentIndex(), 0);

    QTableView* grid1 = child<QTableView>(screen.get(), "Grid1");
    QTableView* grid2 = child<QTableView>(screen.get(), "Grid2");
    QCOMPARE(headers(grid1), headers1);
    QCOMPARE(widths(grid1), widths1);
    QCOMPARE(leftAligned(grid1), left1);
    QCOMPARE(headers(grid2), headers2);
    QCOMPARE(widths(grid2), widths2);
    QCOMPARE(leftAligned(grid2), left2);
    for (QTableView* grid : {grid1, grid2}) {
        QVERIFY(grid->isColumnHidden(0));
        QCOMPARE(grid->model()->rowCount(), 15);
        QVERIFY(!grid->verticalHeader()->isVisible());
    }
    for (const char* field : {"Text1", "Text2", "Text3", "Text4"})
        QVERIFY2(child<QLineEdit>(screen.get(), field)->isReadOnly(), field);
}

void TestMovementScreen::opensOnTheBusinessDay()
{
    sale(m_db->connection(), m_catalogue, at("2026-12-05 01:30:00"), 2, 10, "1", "12.50");
    sale(m_db->connection(), m_catalogue, at("2026-12-04 17:00:00"), 2, 11);   // the day before
    auto screen = show(true);

    QCOMPARE(child<QDateEdit>(screen.get(), "DTPicker2")->date(), QDate(2026, 12, 4));
    QCOMPARE(child<QTimeEdit>(screen.get(), "DTPicker1")->time(), QTime(18, 0));
    QCOMPARE(child<QDateEdit>(screen.get(), "DTPicker4")->date(), QDate(2026, 12, 5));
    QCOMPARE(child<QTimeEdit>(screen.get(), "DTPicker3")->time(), QTime(6, 0));
    QCOMPARE(child<QLineEdit>(screen.get(), "Text3")->text(), QStringLiteral("1"));
    QCOMPARE(child<QLineEdit>(screen.get(), "Text4")->text(), QStringLiteral("R$ 12,50"));
    QCOMPARE(child<QLineEdit>(screen.get(), "Text1")->text(), QStringLiteral("0"));
    QCOMPARE(child<QLineEdit>(screen.get(), "Text2")->text(), QStringLiteral("R$ 0,00"));
    QCOMPARE(cell(child<QTableView>(screen.get(), "Grid1"), 0, 1), QStringLiteral("05/12 01:30"));
    QVERIFY(m_messages.shown().isEmpty());
}

void TestMovementScreen::spaceAndDoubleClickMark()
{
    for (int i = 0; i < 3; ++i)
        entry(m_db->connection(), m_catalogue, at("2026-12-04 20:00:00").addSecs(60 * i), 2, 1 + i);
    auto screen = show(false);
    QTableView* grid = child<QTableView>(screen.get(), "Grid1");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(1, 1));

    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(cell(grid, 1, 7), QStringLiteral("Sim"));
    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(cell(grid, 1, 7), QString());

    const QModelIndex third = grid->model()->index(2, 3);
    const QPoint centre = grid->visualRect(third).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(cell(grid, 2, 7), QStringLiteral("Sim"));

    // Below the data rows nothing takes a mark.
    grid->setCurrentIndex(grid->model()->index(6, 1));
    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(cell(grid, 6, 7), QString());
    QVERIFY(m_messages.shown().isEmpty());
}

void TestMovementScreen::deleteCancelsMarkedRows()
{
    for (int i = 0; i < 3; ++i)
        sale(m_db->connection(), m_catalogue, at("2026-12-04 20:00:00").addSecs(60 * i), 2, 1 + i);
    auto screen = show(true);
    QTableView* grid = child<QTableView>(screen.get(), "Grid1");
    grid->setFocus();
    for (int row : {0, 2}) {
        grid->setCurrentIndex(grid->model()->index(row, 1));
        QTest::keyClick(grid, Qt::Key_Space);
    }
    m_messages.answerNext(true);
    QTest::keyClick(grid, Qt::Key_Delete);

    QCOMPARE(m_messages.texts(), QStringList{msg::confirmaExclusao});
    QCOMPARE(child<QLineEdit>(screen.get(), "Text3")->text(), QStringLiteral("1"));
    QCOMPARE(child<QLineEdit>(screen.get(), "Text4")->text(), QStringLiteral("R$ 8,00"));
    QCOMPARE(child<QLineEdit>(screen.get(), "Text1")->text(), QStringLiteral("2"));
    QCOMPARE(child<QLineEdit>(screen.get(), "Text2")->text(), QStringLiteral("R$ 16,00"));
    QTableView* cancelled = child<QTableView>(screen.get(), "Grid2");
    QCOMPARE(cell(cancelled, 0, 5), QStringLiteral("4"));
    QCOMPARE(cell(cancelled, 1, 5), QStringLiteral("4"));
    QCOMPARE(cell(grid, 0, 8 - 2), QStringLiteral("2"));   // Docto of the one left
}

void TestMovementScreen::deleteOnEmptyRowAsksNothing()
{
    sale(m_db->connection(), m_catalogue, at("2026-12-04 20:00:00"), 2, 1);
    auto screen = show(true);
    QTableView* grid = child<QTableView>(screen.get(), "Grid1");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 1));
    QTest::keyClick(grid, Qt::Key_Space);
    grid->setCurrentIndex(grid->model()->index(9, 1));
    QTest::keyClick(grid, Qt::Key_Delete);
    QVERIFY(m_messages.shown().isEmpty());
    QCOMPARE(cell(grid, 0, 7), QStringLiteral("Sim"));
    QCOMPARE(child<QLineEdit>(screen.get(), "Text3")->text(), QStringLiteral("1"));
}

void TestMovementScreen::cancelledGridIsReadOnly()
{
    const qint64 code = sale(m_db->connection(), m_catalogue, at("2026-12-04 20:00:00"), 2, 1);
    QVERIFY(m_db->connection().execute(
        QStringLiteral("update item_venda set cexcluido = 'Sim', ncaixa_exclusao = 1 where ncodigo = ?"),
        {SqlValue::integer(code)}).ok());
    auto screen = show(true);
    child<QTabWidget>(screen.get(), "SSTab1")->setCurrentIndex(1);
    QTableView* grid = child<QTableView>(screen.get(), "Grid2");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 1));
    QTest::keyClick(grid, Qt::Key_Space);
    QTest::keyClick(grid, Qt::Key_Delete);
    QVERIFY(m_messages.shown().isEmpty());
    QCOMPARE(child<QLineEdit>(screen.get(), "Text1")->text(), QStringLiteral("1"));
}

void TestMovementScreen::f5SearchesThePeriodTyped()
{
    sale(m_db->connection(), m_catalogue, at("2026-12-03 22:00:00"), 2, 1, "1", "5.00");
    auto screen = show(true);
    QLineEdit* qtde = child<QLineEdit>(screen.get(), "Text3");
    QCOMPARE(qtde->text(), QStringLiteral("0"));

    // The manager types the day before into "Data inicial" and presses F5.
    QDateEdit* start = child<QDateEdit>(screen.get(), "DTPicker2");
    start->setFocus();
    start->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(start, "03");
    QCOMPARE(start->date(), QDate(2026, 12, 3));
    QTest::keyClick(start, Qt::Key_F5);

    QCOMPARE(qtde->text(), QStringLiteral("1"));
    QCOMPARE(child<QLineEdit>(screen.get(), "Text4")->text(), QStringLiteral("R$ 5,00"));
    // The search puts the focus on the grid of the tab shown.
    QCOMPARE(QApplication::focusWidget(), child<QTableView>(screen.get(), "Grid1"));
}

void TestMovementScreen::toolbarSearches()
{
    auto screen = show(false);
    QLineEdit* qtde = child<QLineEdit>(screen.get(), "Text3");
    QCOMPARE(qtde->text(), QStringLiteral("0"));
    entry(m_db->connection(), m_catalogue, at("2026-12-04 23:00:00"), 2, 1);
    child<QTabWidget>(screen.get(), "SSTab1")->setCurrentIndex(1);
    child<QToolBar>(screen.get(), "Toolbar1")->actions().first()->trigger();
    QCOMPARE(qtde->text(), QStringLiteral("1"));
    QCOMPARE(QApplication::focusWidget(), child<QTableView>(screen.get(), "Grid2"));
}

void TestMovementScreen::escapeCloses()
{
    auto screen = show(false);
    QTableView* grid = child<QTableView>(screen.get(), "Grid1");
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Escape);
    QTRY_VERIFY(!screen->isVisible());

    auto again = show(false);
    QTest::mouseClick(child<QPushButton>(again.get(), "Command2"), Qt::LeftButton);
    QTRY_VERIFY(!again->isVisible());
}

QTEST_MAIN(TestMovementScreen)
#include "test_movement_screen.moc"
