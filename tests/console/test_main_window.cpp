#include "common/terminal_settings.h"
#include "console/main_window.h"
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

#include <memory>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
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

    void cleanup()
    {
        m_window.reset();
        m_db.reset();
    }

    void menusAndToolbar_data()
    {
        // Each menu's entries in order, nothing added: "name:caption[:shortcut]"; a submenu by name and title.
        QTest::addColumn<QStringList>("entries");
        QTest::addRow("menu bar") << QStringList{"menuCadastros:Cadastros", "menuConsultas:Consultas",
                                                 "menuMovimentos:Movimentos", "menuRel:Relatórios", "menuConf:Configuração"};
        QTest::addRow("menuCadastros") << QStringList{"cadEstabelecimento:Estabelecimento", "Separador1:", "cadGrupo:Grupo",
                                                      "Separdor2:", "menucadProduto:Produto", "cadTipoEntrada:Tipos de entrada",
                                                      "cadCaixa:Caixa", "menuFornecedor:Fornecedores"};
        QTest::addRow("cadGrupo") << QStringList{"menuCadGrupo:Cadastrar", "pesquisaGrupo:Pesquisar"};
        QTest::addRow("menuConsultas") << QStringList{"menuPesquisaEntrada:Entradas", "consultaVendas:Vendas"};
        QTest::addRow("menuMovimentos") << QStringList{"menuEntrada:Entradas", "menuVenda:Vendas:Ctrl+V", "separadorMov1:",
                                                       "menuDeCompras:Compras"};
        QTest::addRow("menuDeCompras") << QStringList{"menuCompras:Cadastrar", "menuConsultaCompra:Pesquisar"};
        QTest::addRow("menuRel") << QStringList{"relResumoMovimento:Resumo do movimento",
                                                "menuRelVendasProdutos:Vendas por produtos",
                                                "relResumoCaixa:Resumo dos caixa:Ctrl+R", "relCadProdutos:Produtos cadastrados"};
        QTest::addRow("menuConf") << QStringList{"menuConfHorarioTrabalho:Numeração e horário de trabalho",
                                                 "parametroSistema:Parâmetros do sistema", "menuMigracao:Migracao"};
        QTest::addRow("Toolbar1") << QStringList{"toolEstablishment:Cadastro da casa", ":",
                                                 "toolProductRegister:Cadastro de produtos",
                                                 "toolProductFinder:Consulta de produtos", ":", "toolSales:Vendas",
                                                 "toolEntries:Entradas", ":", "toolExit:Sair"};
    }
    void menusAndToolbar()
    {
        QFETCH(QStringList, entries);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        auto* bar = m_window->findChild<QToolBar*>(name);
        QList<QAction*> actions = m_window->menuBar()->actions();
        if (bar)
            actions = bar->actions();
        else if (name != QLatin1String("menu bar"))
            actions = m_window->findChild<QMenu*>(name)->actions();
        QStringList found;
        for (QAction* entry : actions) {
            found << (entry->menu() ? entry->menu()->objectName() : entry->objectName()) + u':' + entry->text();
            if (!entry->shortcut().isEmpty())
                found.last() += u':' + entry->shortcut().toString();
            QVERIFY(entry->isEnabled());
            if (bar && !entry->isSeparator()) {
                QVERIFY2(!entry->icon().pixmap(32, 32).isNull(), qPrintable(found.last()));
                QVERIFY(bar->widgetForAction(entry)->isVisible());
            }
        }
        QCOMPARE(found, entries);
    }

    void ownedScreens_data()
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
    void ownedScreens()
    {
        QFETCH(QString, entry);
        QFETCH(QString, screen);
        QFETCH(bool, newRecord);
        trigger(entry);
        auto named = [&] {
            QList<QWidget*> found = QApplication::topLevelWidgets();
            found.removeIf([&](QWidget* w) { return w->objectName() != screen || !w->isVisible(); });
            return found;
        };
        QCOMPARE(named().size(), 1);
        QWidget* first = named().first();
        // Owned and modeless: a window of its own above the console, which stays usable.
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

    void otherEntries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("reaches");   // a modal screen by name, or what the console hands on
        QTest::addRow("Compras Cadastrar") << "menuCompras" << "FrmAberturaCompra";
        QTest::addRow("Compras Pesquisar") << "menuConsultaCompra" << "FrmLocalizaCompraProduto";
        QTest::addRow("Resumo do movimento") << "relResumoMovimento" << "FrmSelecionaData";
        QTest::addRow("Vendas por produtos") << "menuRelVendasProdutos" << "FrmSelecionaData";
        QTest::addRow("Resumo dos caixa") << "relResumoCaixa" << "FrmSelecionaData";
        QTest::addRow("Produtos cadastrados (its preview)") << "relCadProdutos" << "cr";
        QTest::addRow("Numeração e horário") << "menuConfHorarioTrabalho" << "FrmConfiguracaoGeral";
        QTest::addRow("Movimentos Vendas") << "menuVenda" << "sale counter, modal";
        QTest::addRow("toolbar Vendas") << "toolSales" << "sale counter, modal";
        QTest::addRow("Movimentos Entradas") << "menuEntrada" << "entry counter, modal";
        QTest::addRow("toolbar Entradas") << "toolEntries" << "entry counter, modal";
        QTest::addRow("Parâmetros do sistema") << "parametroSistema" << "configuration editor";
    }
    void otherEntries()
    {
        QFETCH(QString, entry);
        QFETCH(QString, reaches);
        const bool handedOn = reaches.contains(u' ');
        QString seen;
        if (!handedOn) {
            whenModal([&](QWidget* w) {
                // Modal and ownerless, unlike the registers and lists.
                seen = w->isModal() && !w->parentWidget() ? w->objectName() : QStringLiteral("modeless or owned");
                QTest::keyClick(w, Qt::Key_Escape);
            });
        }
        trigger(entry);   // a modal screen has closed by the time this returns
        QStringList reached = QStringList(m_navigation.sales, QStringLiteral("sale counter"))
                              + QStringList(m_navigation.entries, QStringLiteral("entry counter"))
                              + QStringList(m_navigation.modalSales, QStringLiteral("sale counter, modal"))
                              + QStringList(m_navigation.modalEntries, QStringLiteral("entry counter, modal"))
                              + QStringList(m_editorOpened, QStringLiteral("configuration editor"));
        if (!seen.isEmpty())
            reached << seen;
        QCOMPARE(reached, QStringList{reaches});
        QVERIFY(!QApplication::activeModalWidget());
    }

    void groupRegisterFromProduct()
    {
        // F11 in the product register's "Grupo" opens the group register modally
        // over it; the product keeps what was typed.
        trigger(QStringLiteral("cadProduto"));
        QWidget* product = m_window->screens().instance(ConsoleScreen::ProductRegister);
        QVERIFY(QTest::qWaitForWindowActive(product));
        auto* nome = product->findChild<QLineEdit*>(QStringLiteral("Text1"));
        auto* grupo = product->findChild<QLineEdit*>(QStringLiteral("Text6"));
        nome->setText(QStringLiteral("Cerveja Lata"));
        grupo->setFocus();
        QTRY_VERIFY(grupo->hasFocus());
        QWidget* over = nullptr;
        whenModal([&](QWidget* w) {
            if (w->objectName() == QLatin1String("FrmCadGrupo"))
                over = w->parentWidget();
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QTest::keyClick(grupo, Qt::Key_F11);
        QCOMPARE(over, product);
        QCOMPARE(nome->text(), QStringLiteral("Cerveja Lata"));
    }

    void migrationPassword_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<bool>("opens");
        QTest::addRow("right password") << "ChaveMigrador" << true << true;
        QTest::addRow("lower case") << "chavemigrador" << true << false;
        QTest::addRow("right one, cancelled") << "ChaveMigrador" << false << false;
    }
    void migrationPassword()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accept);
        QFETCH(bool, opens);
        QStringList asked;   // title, prompt, text offered
        QString migration;
        whenModal([&](QWidget* w) {
            auto* dialog = qobject_cast<QInputDialog*>(w);
            QVERIFY(dialog);
            asked = QStringList{dialog->windowTitle(), dialog->labelText(), dialog->textValue()};
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
        QCOMPARE(asked, (QStringList{"senha", "senha", ""}));
        QCOMPARE(migration, opens ? QStringLiteral("FrmMigracao") : QString());
        const QList<ScriptedMessages::Shown> refused{{ScriptedMessages::Kind::Plain, "senha invalida"}};
        QCOMPARE(m_messages.shown(), opens ? QList<ScriptedMessages::Shown>{} : refused);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void logoCentred()
    {
        QFrame* frame = m_window->logoFrame();
        const QSize kept = frame->size();
        QVERIFY(!frame->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
        m_window->setWindowState(Qt::WindowNoState);
        for (const auto& [size, outside] : {std::pair(QSize(801, 577), false), std::pair(QSize(300, 150), true)}) {
            m_window->resize(size);
            // The menu bar and toolbar keep a least width of their own.
            QTRY_COMPARE(m_window->size(), size.expandedTo(m_window->minimumSizeHint()));
            const QWidget* client = m_window->centralWidget();
            QTRY_COMPARE(frame->x(), client->width() / 2 - frame->width() / 2);
            QCOMPARE(frame->y(), client->height() / 2 - frame->height() / 2);
            QCOMPARE(frame->size(), kept);
            QCOMPARE(frame->x() < 0 && frame->y() < 0, outside);   // smaller: outside on every side alike
        }
    }

    void windowAndStatusBar()
    {
        QCOMPARE(m_window->objectName(), QStringLiteral("principal"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Vorinda"));
        QVERIFY(m_window->windowState() & Qt::WindowMaximized);
        QCOMPARE(m_window->panels()->objectName(), QStringLiteral("StatusBar1"));
        QCOMPARE(m_window->panels()->panel(1)->text(), QStringLiteral("Vorinda - Versão %1.%2.%3")
                     .arg(VORINDA_VERSION_MAJOR).arg(VORINDA_VERSION_MINOR).arg(VORINDA_VERSION_PATCH));
        // No database work of its own: a console over an unreachable database still opens.
        TerminalSettings none;
        Principal offline(none, m_navigation, m_messages, {}, nullptr, std::make_unique<SettableLockKeys>());
        offline.show();
        QVERIFY(QTest::qWaitForWindowExposed(&offline));
        QVERIFY(m_messages.shown().isEmpty());
    }

    // Last: ending the event loop leaves no other loop to run after it.
    void sairEndsAtOnce()
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

private:
    void trigger(const QString& name);

    std::unique_ptr<TestDatabase> m_db;
    TerminalSettings m_settings;
    ScriptedMessages m_messages;
    CountingNavigation m_navigation;
    int m_editorOpened = 0;
    std::unique_ptr<Principal> m_window;
};

void TestMainWindow::trigger(const QString& name)
{
    auto* found = m_window->findChild<QAction*>(name);
    QVERIFY2(found, qPrintable(name));
    found->trigger();
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
