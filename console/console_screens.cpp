#include "console/console_screens.h"

#include "common/navigation.h"
#include "console/general_settings_widget.h"
#include "console/migration_widget.h"
#include "console/placeholder_screen.h"
#include "queries/movement_query_screen.h"
#include "registers/entry_type_list_widget.h"
#include "registers/entry_type_register_widget.h"
#include "registers/establishment_widget.h"
#include "registers/product_finder_widget.h"
#include "registers/product_register_widget.h"

#include <QDialog>
#include <QEventLoop>

namespace {

using How = ConsoleScreens::How;
using Opening = ConsoleScreens::Opening;

// The screen's control name, where its own class does not set it.
QWidget* named(QWidget* screen, const char* name)
{
    if (screen->objectName().isEmpty())
        screen->setObjectName(QString::fromLatin1(name));
    return screen;
}

Opening placeholder(How how, const QString& screenName, const QString& description)
{
    return Opening{how, [screenName, description](QWidget* owner) -> QWidget* {
                       return new PlaceholderScreen(screenName, description, owner);
                   }, {}};
}

} // namespace

ConsoleScreens::ConsoleScreens(QWidget* console, const TerminalSettings& settings, Navigation& navigation,
                               Messages& messages, std::function<void()> openConfigEditor)
    : m_console(console)
{
    using S = ConsoleScreen;
    const TerminalSettings* s = &settings;
    Messages* m = &messages;
    Navigation* n = &navigation;

    // F11 in the product register's "Grupo" creates a group, modally, in
    // the group register.
    FrmCadProdutos::setGroupRegisterOpener([](QWidget* parent) {
        PlaceholderScreen groupRegister(QStringLiteral("FrmCadGrupo"), QStringLiteral("Cadastro de grupos"), parent);
        groupRegister.exec();
    });

    m_openings = {
        {S::Establishment, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return new FrmCadEstabelecimento(*s, *m, owner);
         }, {}}},
        {S::GroupRegister, placeholder(How::Owned, QStringLiteral("FrmCadGrupo"), QStringLiteral("Cadastro de grupos"))},
        {S::GroupList, placeholder(How::Owned, QStringLiteral("FrmConsultaGrupos"), QStringLiteral("Consulta de grupos"))},
        {S::ProductRegister, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return named(new FrmCadProdutos(*s, *m, /*binclusao*/ true, 0, owner), "frmCadProdutos");
         }, {}}},
        {S::ProductFinder, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return named(new FrmLocalizaProduto(*s, *m, owner), "frmLocalizaProduto");
         }, {}}},
        {S::EntryTypeRegister, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return new FrmCadTabelaPreco(*s, *m, /*binclusao*/ true, 0, owner);
         }, {}}},
        {S::EntryTypeList, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return new FrmConsultaTipoEntrada(*s, *m, owner);
         }, {}}},
        {S::CashRegisterRegister, placeholder(How::Owned, QStringLiteral("FrmCadCaixa"), QStringLiteral("Cadastro de caixas"))},
        {S::CashRegisterList, placeholder(How::Owned, QStringLiteral("FrmConsultaCaixa"), QStringLiteral("Consulta de caixas"))},
        {S::SupplierRegister, placeholder(How::Owned, QStringLiteral("FrmCadFornecedores"),
                                          QStringLiteral("Cadastro de fornecedores"))},
        {S::SupplierList, placeholder(How::Owned, QStringLiteral("FrmConsultaFornecedores"),
                                      QStringLiteral("Consulta de fornecedores"))},
        {S::EntryQuery, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return new ConsultaEntrada(*s, *m, owner);
         }, {}}},
        {S::SaleQuery, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return new ConsultaVenda(*s, *m, owner);
         }, {}}},
        {S::EntryCounter, {How::Elsewhere, {}, [n] { n->openEntryScreen(); }}},
        {S::SaleCounter, {How::Elsewhere, {}, [n] { n->openSaleScreen(); }}},
        {S::PurchaseOpening, placeholder(How::Modal, QStringLiteral("FrmAberturaCompra"), QStringLiteral("Abertura de compra"))},
        {S::PurchaseFinder, placeholder(How::Modal, QStringLiteral("FrmLocalizaCompraProduto"),
                                        QStringLiteral("Consulta de compras"))},
        {S::MovementSummary, placeholder(How::Modal, QStringLiteral("relResumoMovimento"),
                                         QStringLiteral("Relatório do resumo do movimento"))},
        {S::SalesByProduct, placeholder(How::Modal, QStringLiteral("relVendasProdutos"),
                                        QStringLiteral("Relatório de vendas por produtos"))},
        {S::CashRegisterSummary, placeholder(How::Modal, QStringLiteral("relResumoCaixa"),
                                             QStringLiteral("Relatório do resumo dos caixas"))},
        {S::ProductReport, placeholder(How::Modal, QStringLiteral("relCadProdutos"),
                                       QStringLiteral("Relatório de produtos cadastrados"))},
        {S::GeneralSettings, {How::Modal, [s, m](QWidget* owner) -> QWidget* {
             return new FrmConfiguracaoGeral(*s, *m, owner);
         }, {}}},
        {S::TerminalConfiguration, {How::Elsewhere, {}, std::move(openConfigEditor)}},
        {S::Migration, {How::Modal, [s, m](QWidget* owner) -> QWidget* {
             return new FrmMigracao(*s, *m, owner);
         }, {}}},
    };
}

ConsoleScreens::How ConsoleScreens::how(ConsoleScreen screen) const
{
    return m_openings.at(screen).how;
}

void ConsoleScreens::setOpening(ConsoleScreen screen, Opening opening)
{
    m_openings[screen] = std::move(opening);
}

QWidget* ConsoleScreens::instance(ConsoleScreen screen) const
{
    // Closed but not yet deleted (that waits for the event loop) is gone.
    const auto found = m_open.find(screen);
    QWidget* window = found == m_open.end() ? nullptr : found->second.data();
    return window && !window->isHidden() ? window : nullptr;
}

QWidget* ConsoleScreens::open(ConsoleScreen screen)
{
    if (QWidget* open = instance(screen)) {
        bringForward(open);
        return open;
    }
    const Opening& opening = m_openings.at(screen);
    switch (opening.how) {
    case How::Owned:
        return showOwned(screen, opening);
    case How::Modal:
        runModal(screen, opening);
        return nullptr;
    case How::Elsewhere:
        if (opening.elsewhere)
            opening.elsewhere();
        return nullptr;
    }
    return nullptr;
}

QWidget* ConsoleScreens::showOwned(ConsoleScreen screen, const Opening& opening)
{
    QWidget* window = opening.make(m_console);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (!window->isWindow())
        window->setWindowFlags(window->windowFlags() | Qt::Window);
    m_open[screen] = window;
    window->show();
    bringForward(window);
    return window;
}

void ConsoleScreens::runModal(ConsoleScreen screen, const Opening& opening)
{
    QPointer<QWidget> window = opening.make(nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    m_open[screen] = window;
    if (auto* dialog = qobject_cast<QDialog*>(window.data())) {
        dialog->exec();
    } else {
        QEventLoop loop;
        QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
        window->show();
        bringForward(window);
        loop.exec();
    }
    m_open.erase(screen);
}

void bringForward(QWidget* window)
{
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}
