#include "console/console_menu.h"

namespace {

MenuItem entry(const char* name, const QString& caption, ConsoleScreen opens, QKeySequence shortcut = {})
{
    return MenuItem{MenuItem::Kind::Entry, QString::fromLatin1(name), caption, opens, shortcut, {}};
}

MenuItem separator(const char* name)
{
    return MenuItem{MenuItem::Kind::Separator, QString::fromLatin1(name), {}, {}, {}, {}};
}

MenuItem submenu(const char* name, const QString& caption, QList<MenuItem> items)
{
    return MenuItem{MenuItem::Kind::Submenu, QString::fromLatin1(name), caption, {}, {}, std::move(items)};
}

QList<MenuItem> buildMenu()
{
    using S = ConsoleScreen;
    return {
        submenu("menuCadastros", QStringLiteral("Cadastros"), {
            entry("cadEstabelecimento", QStringLiteral("Estabelecimento"), S::Establishment),
            separator("Separador1"),
            submenu("cadGrupo", QStringLiteral("Grupo"), {
                entry("menuCadGrupo", QStringLiteral("Cadastrar"), S::GroupRegister),
                entry("pesquisaGrupo", QStringLiteral("Pesquisar"), S::GroupList),
            }),
            separator("Separdor2"),
            submenu("menucadProduto", QStringLiteral("Produto"), {
                entry("cadProduto", QStringLiteral("Cadastrar"), S::ProductRegister),
                entry("menuPesquisarGrupo", QStringLiteral("Pesquisar"), S::ProductFinder),
            }),
            submenu("cadTipoEntrada", QStringLiteral("Tipos de entrada"), {
                entry("menuCadTipoEntrada", QStringLiteral("Cadastrar"), S::EntryTypeRegister),
                entry("menuPesquisaGrupo", QStringLiteral("Pesquisar"), S::EntryTypeList),
            }),
            submenu("cadCaixa", QStringLiteral("Caixa"), {
                entry("menuCadCaixa", QStringLiteral("Cadastrar"), S::CashRegisterRegister),
                entry("menuPesquisarCaixa", QStringLiteral("Pesquisar"), S::CashRegisterList),
            }),
            submenu("menuFornecedor", QStringLiteral("Fornecedores"), {
                entry("menuCadastrarFornecedor", QStringLiteral("Cadastrar"), S::SupplierRegister),
                entry("menuPesquisaFornecedor", QStringLiteral("Pesquisar"), S::SupplierList),
            }),
        }),
        submenu("menuConsultas", QStringLiteral("Consultas"), {
            entry("menuPesquisaEntrada", QStringLiteral("Entradas"), S::EntryQuery),
            entry("consultaVendas", QStringLiteral("Vendas"), S::SaleQuery),
        }),
        submenu("menuMovimentos", QStringLiteral("Movimentos"), {
            entry("menuEntrada", QStringLiteral("Entradas"), S::EntryCounter),
            entry("menuVenda", QStringLiteral("Vendas"), S::SaleCounter, QKeySequence(Qt::CTRL | Qt::Key_V)),
            separator("separadorMov1"),
            submenu("menuDeCompras", QStringLiteral("Compras"), {
                entry("menuCompras", QStringLiteral("Cadastrar"), S::PurchaseOpening),
                entry("menuConsultaCompra", QStringLiteral("Pesquisar"), S::PurchaseFinder),
            }),
        }),
        submenu("menuRel", QStringLiteral("Relatórios"), {
            entry("relResumoMovimento", QStringLiteral("Resumo do movimento"), S::MovementSummary),
            entry("menuRelVendasProdutos", QStringLiteral("Vendas por produtos"), S::SalesByProduct),
            entry("relResumoCaixa", QStringLiteral("Resumo dos caixa"), S::CashRegisterSummary,
                  QKeySequence(Qt::CTRL | Qt::Key_R)),
            entry("relCadProdutos", QStringLiteral("Produtos cadastrados"), S::ProductReport),
        }),
        submenu("menuConf", QStringLiteral("Configuração"), {
            entry("menuConfHorarioTrabalho", QStringLiteral("Numeração e horário de trabalho"), S::GeneralSettings),
            entry("parametroSistema", QStringLiteral("Parâmetros do sistema"), S::TerminalConfiguration),
            entry("menuMigracao", QStringLiteral("Migracao"), S::Migration),
        }),
    };
}

ToolButton opens(const char* name, const QString& text, const char* image, ConsoleScreen screen)
{
    return ToolButton{ToolButton::Action::Open, QString::fromLatin1(name), text,
                      QStringLiteral(":/console/") + QString::fromLatin1(image), screen};
}

ToolButton separator()
{
    return ToolButton{};
}

} // namespace

const QList<MenuItem>& consoleMenu()
{
    static const QList<MenuItem> menu = buildMenu();
    return menu;
}

const QList<ToolButton>& consoleToolbar()
{
    using S = ConsoleScreen;
    static const QList<ToolButton> buttons = {
        opens("toolEstablishment", QStringLiteral("Cadastro da casa"), "casa.png", S::Establishment),
        separator(),
        opens("toolProductRegister", QStringLiteral("Cadastro de produtos"), "produto.png", S::ProductRegister),
        opens("toolProductFinder", QStringLiteral("Consulta de produtos"), "consulta.png", S::ProductFinder),
        separator(),
        opens("toolSales", QStringLiteral("Vendas"), "vendas.png", S::SaleCounter),
        opens("toolEntries", QStringLiteral("Entradas"), "entradas.png", S::EntryCounter),
        separator(),
        ToolButton{ToolButton::Action::Quit, QStringLiteral("toolExit"), QStringLiteral("Sair"),
                   QStringLiteral(":/console/sair.png"), {}},
    };
    return buttons;
}
