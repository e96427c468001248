#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

// Every screen the console opens, by what it is.
enum class ConsoleScreen {
    Establishment,          // FrmCadEstabelecimento
    GroupRegister,          // FrmCadGrupo
    GroupList,              // FrmConsultaGrupos
    ProductRegister,        // frmCadProdutos
    ProductFinder,          // frmLocalizaProduto
    EntryTypeRegister,      // FrmCadTabelaPreco
    EntryTypeList,          // FrmConsultaTipoEntrada
    CashRegisterRegister,   // FrmCadCaixa
    CashRegisterList,       // FrmConsultaCaixa
    SupplierRegister,       // FrmCadFornecedores
    SupplierList,           // FrmConsultaFornecedores
    EntryQuery,             // consultaEntrada
    SaleQuery,              // consultaVenda
    EntryCounter,           // FrmEntradas
    SaleCounter,            // FrmVendas
    PurchaseOpening,        // FrmAberturaCompra
    PurchaseFinder,         // FrmLocalizaCompraProduto
    MovementSummary,        // report 01
    SalesByProduct,         // report 02
    CashRegisterSummary,    // report 03
    ProductReport,          // report 04
    GeneralSettings,        // FrmConfiguracaoGeral
    TerminalConfiguration,  // FrmConfiguracao
    Migration,              // FrmMigracao, behind the password
};

// One line of the menu bar's tree: an entry that opens a screen, a
// separator, or a submenu with its own lines.
struct MenuItem
{
    enum class Kind { Entry, Separator, Submenu };

    Kind kind = Kind::Entry;
    QString name;        // the control name, as objectName
    QString caption;
    ConsoleScreen opens = ConsoleScreen::Establishment;   // entries only
    QKeySequence shortcut;
    QList<MenuItem> items;                                 // submenus only
};

// The menus of the menu bar, in order; each is a submenu of the bar.
const QList<MenuItem>& consoleMenu();

// One button of the toolbar, or a separator (empty name).
struct ToolButton
{
    enum class Action { Open, Quit, Separator };

    Action action = Action::Separator;
    QString name;
    QString text;
    QString image;       // resource path of its picture
    ConsoleScreen opens = ConsoleScreen::Establishment;
};

// The toolbar's nine positions, in order.
const QList<ToolButton>& consoleToolbar();
