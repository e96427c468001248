#include "common/terminal_settings.h"
#include "console/main_window.h"
#include "console/placeholder_screen.h"
#include "console/status_panels.h"
#include "registers/register_form_widget.h"
#include "tests/console/console_fixture.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QAction>
#include <QEventLoop>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

// "Cadastros > Grupo" for an action or menu: the titles of the menus above it.
QString menuPath(QObject* item)
{
    QStringList titles;
    for (QObject* p = item->parent(); p; p = p->parent()) {
        if (auto* menu = qobject_cast<QMenu*>(p))
            titles.prepend(menu->title());
        if (qobject_cast<QMenuBar*>(p))
            break;
    }
    return titles.join(QStringLiteral(" > "));
}

// Every menu, entry and separator of the menu bar in order, by control name.
void walk(const QList<QAction*>& actions, QStringList& names)
{
    for (QAction* action : actions) {
        if (QMenu* menu = action->menu()) {
            names << menu->objectName();
            walk(menu->actions(), names);
        } else {
            names << action->objectName();
        }
    }
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void menuTree_data();
    void menuTree();
    void menuOrder();
    void toolbar_data();
    void toolbar();
    void ownedScreens_data();
    void ownedScreens();
    void modalScreens_data();
    void modalScreens();
    void counters_data();
    void counters();
    void configurationEditor();
    void groupRegisterFromProduct();
    void migrationPassword_data();
    void migrationPassword();
    void statusBar();
    void logoCentred_data();
    void logoCentred();
    void windowCaption();
    // Last: ending the event loop leaves no other loop to run after it.
    void sairEndsAtOnce();

private:
    QAction* action(const QString& name) const;
    void trigger(const QString& name);

    std::unique_ptr<TestDatabase> m_db;
    TerminalSettings m_settings;
    ScriptedMessages m_messages;
    CountingNavigation m_navigation;
    int m_editorOpened = 0;
    std::unique_ptr<Principal> m_window;
};

void TestMainWindow::init()
{
    m_db = std::make_unique<TestDatabase>(TestDatabase::Demo);
    QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
    m_settings = TerminalSettings{};
    m_settings.conexao = &m_db->connection();
    m_settings.numero_caixa = 1;
    m_settings.hora_inicio = QStringLiteral("18:00");
    m_settings.hora_fim = QStringLiteral("06:00");
    m_settings.dataDir = m_db->dataFolder();
    m_messages.clear();
    m_navigation = CountingNavigation{};
    m_editorOpened = 0;
    m_window = std::make_unique<Principal>(m_settings, m_navigation, m_messages, [this] { ++m_editorOpened; },
                                           nullptr, std::make_unique<SettableLockKeys>());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    m_db.reset();
}

QAction* TestMainWindow::action(const QString& name) const
{
    return m_window->findChild<QAction*>(name);
}

void TestMainWindow::trigger(const QString& name)
{
    QAction* found = action(name);
    QVERIFY2(found, qPrintable(name));
    found->trigger();
}

void TestMainWindow::menuTree_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");

    const QKeySequence none;
    const QString cad = QStringLiteral("Cadastros");
    QTest::addRow("cadEstabelecimento") << cad << "Estabelecimento" << none;
    QTest::addRow("menuCadGrupo") << cad + " > Grupo" << "Cadastrar" << none;
    QTest::addRow("pesquisaGrupo") << cad + " > Grupo" << "Pesquisar" << none;
    QTest::addRow("cadProduto") << cad + " > Produto" << "Cadastrar" << none;
    QTest::addRow("menuPesquisarGrupo") << cad + " > Produto" << "Pesquisar" << none;
    QTest::addRow("menuCadTipoEntrada") << cad + " > Tipos de entrada" << "Cadastrar" << none;
    QTest::addRow("menuPesquisaGrupo") << cad + " > Tipos de entrada" << "Pesquisar" << none;
    QTest::addRow("menuCadCaixa") << cad + " > Caixa" << "Cadastrar" << none;
    QTest::addRow("menuPesquisarCaixa") << cad + " > Caixa" << "Pesquisar" << none;
    QTest::addRow("menuCadastrarFornecedor") << cad + " > Fornecedores" << "Cadastrar" << none;
    QTest::addRow("menuPesquisaFornecedor") << cad + " > Fornecedores" << "Pesquisar" << none;
    QTest::addRow("menuPesquisaEntrada") << "Consultas" << "Entradas" << none;
    QTest::addRow("consultaVendas") << "Consultas" << "Vendas" << none;
    QTest::addRow("menuEntrada") << "Movimentos" << "Entradas" << none;
    QTest::addRow("menuVenda") << "Movimentos" << "Vendas" << QKeySequence(QStringLiteral("Ctrl+V"));
    QTest::addRow("menuCompras") << "Movimentos > Compras" << "Cadastrar" << none;
    QTest::addRow("menuConsultaCompra") << "Movimentos > Compras" << "Pesquisar" << none;
    QTest::addRow("relResumoMovimento") << "Relatórios" << "Resumo do movimento" << none;
    QTest::addRow("menuRelVendasProdutos") << "Relatórios" << "Vendas por produtos" << none;
    QTest::addRow("relResumoCaixa") << "Relatórios" << "Resumo dos caixa" << QKeySequence(QStringLiteral("Ctrl+R"));
    QTest::addRow("relCadProdutos") << "Relatórios" << "Produtos cadastrados" << none;
    QTest::addRow("menuConfHorarioTrabalho") << "Configuração" << "Numeração e horário de trabalho" << none;
    QTest::addRow("parametroSistema") << "Configuração" << "Parâmetros do sistema" << none;
    QTest::addRow("menuMigracao") << "Configuração" << "Migracao" << none;
    // Separators have their own names
    QTest::addRow("Separador1") << cad << "" << none;
    QTest::addRow("Separdor2") << cad << "" << none;
    QTest::addRow("separadorMov1") << "Movimentos" << "" << none;
}

void TestMainWindow::menuTree()
{
    QFETCH(QString, path);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);

    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QList<QAction*> found = m_window->findChildren<QAction*>(name);
    QCOMPARE(found.size(), 1);
    QAction* entry = found.first();
    QCOMPARE(entry->isSeparator(), caption.isEmpty());
    QCOMPARE(entry->text(), caption);
    QCOMPARE(menuPath(entry), path);
    QCOMPARE(entry->shortcut(), shortcut);
    QVERIFY(entry->isEnabled());
}

void TestMainWindow::menuOrder()
{
    // The whole tree in its order: nothing missing, nothing added.
    QStringList names;
    walk(m_window->menuBar()->actions(), names);
    const QStringList expected = {
        "menuCadastros", "cadEstabelecimento", "Separador1",
        "cadGrupo", "menuCadGrupo", "pesquisaGrupo", "Separdor2",
        "menucadProduto", "cadProduto", "menuPesquisarGrupo",
        "cadTipoEntrada", "menuCadTipoEntrada", "menuPesquisaGrupo",
        "cadCaixa", "menuCadCaixa", "menuPesquisarCaixa",
        "menuFornecedor", "menuCadastrarFornecedor", "menuPesquisaFornecedor",
        "menuConsultas", "menuPesquisaEntrada", "consultaVendas",
        "menuMovimentos", "menuEntrada", "menuVenda", "separadorMov1",
        "menuDeCompras", "menuCompras", "menuConsultaCompra",
        "menuRel", "relResumoMovimento", "menuRelVendasProdutos", "relResumoCaixa", "relCadProdutos",
        "menuConf", "menuConfHorarioTrabalho", "parametroSistema", "menuMigracao",
    };
    QCOMPARE(names, expected);

    QStringList titles;
    for (QAction* top : m_window->menuBar()->actions())
        titles << top->text();
    QCOMPARE(titles, QStringList({"Cadastros", "Consultas", "Movimentos", "Relatórios", "Configuração"}));
    const QStringList submenus = {"cadGrupo", "menucadProduto", "cadTipoEntrada", "cadCaixa", "menuFornecedor",
                                  "menuDeCompras"};
    const QStringList captions = {"Grupo", "Produto", "Tipos de entrada", "Caixa", "Fornecedores", "Compras"};
    for (int i = 0; i < submenus.size(); ++i) {
        QMenu* menu = m_window->findChild<QMenu*>(submenus[i]);
        QVERIFY2(menu, qPrintable(submenus[i]));
        QCOMPARE(menu->title(), captions[i]);
    }
}

void TestMainWindow::toolbar_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");

    QTest::addRow("1 casa") << 1 << "Cadastro da casa";
    QTest::addRow("2 separator") << 2 << "";
    QTest::addRow("3 produtos") << 3 << "Cadastro de produtos";
    QTest::addRow("4 consulta") << 4 << "Consulta de produtos";
    QTest::addRow("5 separator") << 5 << "";
    QTest::addRow("6 vendas") << 6 << "Vendas";
    QTest::addRow("7 entradas") << 7 << "Entradas";
    QTest::addRow("8 separator") << 8 << "";
    QTest::addRow("9 sair") << 9 << "Sair";
}

void TestMainWindow::toolbar()
{
    QFETCH(int, index);
    QFETCH(QString, text);

    auto* bar = m_window->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    QVERIFY(bar);
    QCOMPARE(bar->actions().size(), 9);
    QAction* button = bar->actions().at(index - 1);
    QCOMPARE(button->isSeparator(), text.isEmpty());
    if (text.isEmpty())
        return;
    QCOMPARE(button->text(), text);
    QVERIFY2(!button->icon().pixmap(32, 32).isNull(), "its picture is missing");
    auto* tool = qobject_cast<QToolButton*>(bar->widgetForAction(button));
    QVERIFY(tool && tool->isVisible());
}

void TestMainWindow::ownedScreens_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<bool>("newRecord");   // registers only

    QTest::addRow("Estabelecimento") << "cadEstabelecimento" << "FrmCadEstabelecimento" << false;
    QTest::addRow("toolbar casa") << "toolEstablishment" << "FrmCadEstabelecimento" << false;
    QTest::addRow("Grupo Cadastrar") << "menuCadGrupo" << "FrmCadGrupo" << true;
    QTest::addRow("Grupo Pesquisar") << "pesquisaGrupo" << "FrmConsultaGrupos" << false;
    QTest::addRow("Produto Cadastrar") << "cadProduto" << "frmCadProdutos" << true;
    QTest::addRow("toolbar produtos") << "toolProductRegister" << "frmCadProdutos" << true;
    QTest::addRow("Produto Pesquisar") << "menuPesquisarGrupo" << "frmLocalizaProduto" << false;
    QTest::addRow("toolbar consulta") << "toolProductFinder" << "frmLocalizaProduto" << false;
    QTest::addRow("Tipos Cadastrar") << "menuCadTipoEntrada" << "FrmCadTabelaPreco" << true;
    QTest::addRow("Tipos Pesquisar") << "menuPesquisaGrupo" << "FrmConsultaTipoEntrada" << false;
    QTest::addRow("Caixa Cadastrar") << "menuCadCaixa" << "FrmCadCaixa" << true;
    QTest::addRow("Caixa Pesquisar") << "menuPesquisarCaixa" << "FrmConsultaCaixa" << false;
    QTest::addRow("Fornecedores Cadastrar") << "menuCadastrarFornecedor" << "FrmCadFornecedores" << true;
    QTest::addRow("Fornecedores Pesquisar") << "menuPesquisaFornecedor" << "FrmConsultaFornecedores" << false;
    QTest::addRow("Consultas Entradas") << "menuPesquisaEntrada" << "consultaEntrada" << false;
    QTest::addRow("Consultas Vendas") << "consultaVendas" << "consultaVenda" << false;
}

void TestMainWindow::ownedScreens()
{
    QFETCH(QString, entry);
    QFETCH(QString, screen);
    QFETCH(bool, newRecord);

    trigger(entry);
    auto named = [&] {
        QList<QWidget*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == screen && w->isVisible())
                found << w;
        return found;
    };
    QCOMPARE(named().size(), 1);
    QWidget* first = named().first();
    // Owned and modeless: a window of its own above the console, which
    // stays usable.
    QVERIFY(first->isWindow());
    QCOMPARE(first->parentWidget(), m_window.get());
    QVERIFY(!first->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    if (auto* form = qobject_cast<RegisterFormWidget*>(first))
        QCOMPARE(form->form().binclusao(), newRecord);

    // Again, from the menu or the toolbar alike: the same instance, forward.
    trigger(entry);
    QCOMPARE(named().size(), 1);
    QCOMPARE(named().first(), first);

    // Closed, it opens afresh.
    QPointer<QWidget> closed = first;
    first->close();
    QTRY_VERIFY(!closed);
    trigger(entry);
    QCOMPARE(named().size(), 1);
    QVERIFY2(m_messages.shown().isEmpty(), qPrintable(m_messages.transcript()));
}

void TestMainWindow::modalScreens_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("screen");

    QTest::addRow("Compras Cadastrar") << "menuCompras" << "FrmAberturaCompra";
    QTest::addRow("Compras Pesquisar") << "menuConsultaCompra" << "FrmLocalizaCompraProduto";
    QTest::addRow("Resumo do movimento") << "relResumoMovimento" << "relResumoMovimento";
    QTest::addRow("Vendas por produtos") << "menuRelVendasProdutos" << "relVendasProdutos";
    QTest::addRow("Resumo dos caixa") << "relResumoCaixa" << "relResumoCaixa";
    QTest::addRow("Produtos cadastrados") << "relCadProdutos" << "relCadProdutos";
    QTest::addRow("Numeração e horário") << "menuConfHorarioTrabalho" << "FrmConfiguracaoGeral";
}

void TestMainWindow::modalScreens()
{
    QFETCH(QString, entry);
    QFETCH(QString, screen);

    QString seen;
    bool ownerless = false;
    bool modal = false;
    whenModal([&](QWidget* w) {
        seen = w->objectName();
        ownerless = !w->parentWidget();
        modal = w->isModal();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    trigger(entry);   // returns once the screen has closed
    QCOMPARE(seen, screen);
    QVERIFY(ownerless);
    QVERIFY(modal);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMainWindow::counters_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("sales");
    QTest::addColumn<int>("entries");

    QTest::addRow("Movimentos Vendas") << "menuVenda" << 1 << 0;
    QTest::addRow("toolbar Vendas") << "toolSales" << 1 << 0;
    QTest::addRow("Ctrl+V") << "Ctrl+V" << 1 << 0;
    QTest::addRow("Movimentos Entradas") << "menuEntrada" << 0 << 1;
    QTest::addRow("toolbar Entradas") << "toolEntries" << 0 << 1;
}

void TestMainWindow::counters()
{
    QFETCH(QString, entry);
    QFETCH(int, sales);
    QFETCH(int, entries);

    if (entry.startsWith(QLatin1String("Ctrl"))) {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window.get(), Qt::Key_V, Qt::ControlModifier);
    } else {
        trigger(entry);
    }
    QCOMPARE(m_navigation.sales, sales);
    QCOMPARE(m_navigation.entries, entries);
}

void TestMainWindow::configurationEditor()
{
    trigger(QStringLiteral("parametroSistema"));
    QCOMPARE(m_editorOpened, 1);
    QVERIFY(!QApplication::activeModalWidget());

    // Ctrl+R reaches the cash-register summary from the keyboard.
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QString seen;
    whenModal([&](QWidget* w) {
        seen = w->objectName();
        w->close();
    });
    QTest::keyClick(m_window.get(), Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(seen, QStringLiteral("relResumoCaixa"));
}

void TestMainWindow::groupRegisterFromProduct()
{
    // F11 in the product register's "Grupo" opens the group register
    // modally over it; the product keeps what was typed.
    trigger(QStringLiteral("cadProduto"));
    QWidget* product = m_window->screens().instance(ConsoleScreen::ProductRegister);
    QVERIFY(QTest::qWaitForWindowActive(product));
    auto* nome = product->findChild<QLineEdit*>(QStringLiteral("Text1"));
    auto* grupo = product->findChild<QLineEdit*>(QStringLiteral("Text6"));
    QVERIFY(nome && grupo);
    nome->setText(QStringLiteral("Cerveja Lata"));
    grupo->setFocus();
    QTRY_VERIFY(grupo->hasFocus());
    QString seen;
    QWidget* over = nullptr;
    whenModal([&](QWidget* w) {
        seen = w->objectName();
        over = w->parentWidget();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    QTest::keyClick(grupo, Qt::Key_F11);
    QCOMPARE(seen, QStringLiteral("FrmCadGrupo"));
    QCOMPARE(over, product);
    QCOMPARE(nome->text(), QStringLiteral("Cerveja Lata"));
}

void TestMainWindow::migrationPassword_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("opens");

    QTest::addRow("right password") << "ChaveMigrador" << true << true;
    QTest::addRow("lower case") << "chavemigrador" << true << false;
    QTest::addRow("upper case") << "CHAVEMIGRADOR" << true << false;
    QTest::addRow("trailing blank") << "ChaveMigrador " << true << false;
    QTest::addRow("part of it") << "ChaveMigrado" << true << false;
    QTest::addRow("empty") << "" << true << false;
    QTest::addRow("right one, cancelled") << "ChaveMigrador" << false << false;
}

void TestMainWindow::migrationPassword()
{
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    QFETCH(bool, opens);

    QString title;
    QString prompt;
    QString defaultText = QStringLiteral("unset");
    QString migration;
    whenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QInputDialog*>(w);
        QVERIFY(dialog);
        title = dialog->windowTitle();
        prompt = dialog->labelText();
        defaultText = dialog->textValue();
        if (opens) {
            whenModal([&](QWidget* next) {
                migration = next->objectName();
                QVERIFY(!next->parentWidget());
                next->close();
            }, dialog);
        }
        auto* edit = dialog->findChild<QLineEdit*>();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, accept ? Qt::Key_Return : Qt::Key_Escape);
    });
    trigger(QStringLiteral("menuMigracao"));

    QCOMPARE(title, QStringLiteral("senha"));
    QCOMPARE(prompt, QStringLiteral("senha"));
    QCOMPARE(defaultText, QString());
    if (opens) {
        QCOMPARE(migration, QStringLiteral("FrmMigracao"));
        QVERIFY(m_messages.shown().isEmpty());
    } else {
        QVERIFY(migration.isEmpty());
        const QList<ScriptedMessages::Shown> expected = {{ScriptedMessages::Kind::Plain, "senha invalida"}};
        QCOMPARE(m_messages.shown(), expected);
    }
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMainWindow::statusBar()
{
    StatusPanels* panels = m_window->panels();
    QCOMPARE(panels->objectName(), QStringLiteral("StatusBar1"));
    QCOMPARE(panels->panel(1)->text(), QStringLiteral("Vorinda - Versão %1.%2.%3")
                                           .arg(VORINDA_VERSION_MAJOR)
                                           .arg(VORINDA_VERSION_MINOR)
                                           .arg(VORINDA_VERSION_PATCH));
    // Left to right in their numbered order.
    for (int i = 2; i <= 6; ++i)
        QVERIFY2(panels->panel(i)->x() > panels->panel(i - 1)->x(), qPrintable(QString::number(i)));
    QCOMPARE(panels->panel(4)->text(), QStringLiteral("CAPS"));
    QCOMPARE(panels->panel(5)->text(), QStringLiteral("NUM"));
    QCOMPARE(panels->panel(6)->text(), QStringLiteral("SCRL"));
}

void TestMainWindow::logoCentred_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("smaller");

    QTest::addRow("1280x800") << QSize(1280, 800) << false;
    QTest::addRow("1024x768") << QSize(1024, 768) << false;
    QTest::addRow("odd sizes") << QSize(801, 577) << false;
    QTest::addRow("smaller than the logo") << QSize(300, 150) << true;
}

void TestMainWindow::logoCentred()
{
    QFETCH(QSize, size);
    QFETCH(bool, smaller);

    m_window->setWindowState(Qt::WindowNoState);
    m_window->resize(size);
    // The menu bar and toolbar keep a least width of their own.
    QWidget* client = m_window->centralWidget();
    QTRY_COMPARE(m_window->size(), size.expandedTo(m_window->minimumSizeHint()));
    QFrame* frame = m_window->logoFrame();
    const QSize before = frame->size();
    // top = client height / 2 - frame height / 2, left alike; size kept.
    QTRY_COMPARE(frame->x(), client->width() / 2 - frame->width() / 2);
    QCOMPARE(frame->y(), client->height() / 2 - frame->height() / 2);
    QCOMPARE(frame->size(), before);
    // Partly outside on every side alike, still centred.
    QCOMPARE(frame->x() < 0, smaller);
    QCOMPARE(frame->y() < 0, smaller);
    auto* image = frame->findChild<QLabel*>(QStringLiteral("Image1"));
    QVERIFY(image && !image->pixmap().isNull());
}

void TestMainWindow::windowCaption()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("principal"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Vorinda"));
    QVERIFY(m_window->windowState() & Qt::WindowMaximized);
    // No database work of its own: a console over an unreachable database
    // still opens.
    TerminalSettings none;
    Principal offline(none, m_navigation, m_messages, {}, nullptr, std::make_unique<SettableLockKeys>());
    offline.show();
    QVERIFY(QTest::qWaitForWindowExposed(&offline));
    QVERIFY(m_messages.shown().isEmpty());
}

void TestMainWindow::sairEndsAtOnce()
{
    // An owned screen open with a product half typed: it is not asked anything.
    trigger(QStringLiteral("cadProduto"));
    QPointer<QWidget> product = m_window->screens().instance(ConsoleScreen::ProductRegister);
    QVERIFY(product);

    QEventLoop loop;
    QTimer::singleShot(0, this, [this] { trigger(QStringLiteral("toolExit")); });
    QTimer::singleShot(5000, &loop, [&loop] { loop.exit(99); });
    QCOMPARE(loop.exec(), 0);
    QVERIFY(m_messages.shown().isEmpty());
    QVERIFY(product);   // left to go with its owner, without its own close handling
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
