#include "console/console_screens.h"

#include "common/navigation.h"
#include "console/general_settings_widget.h"
#include "console/migration_widget.h"
#include "console/period_dialog.h"
#include "console/report_preview.h"
#include "purchases/purchase_finder_screen.h"
#include "purchases/purchase_opening_dialog.h"
#include "queries/movement_query_screen.h"
#include "registers/cash_register_list_widget.h"
#include "registers/cash_register_register_widget.h"
#include "registers/entry_type_list_widget.h"
#include "registers/entry_type_register_widget.h"
#include "registers/establishment_widget.h"
#include "registers/group_list_widget.h"
#include "registers/group_register_widget.h"
#include "registers/product_finder_widget.h"
#include "registers/product_register_widget.h"
#include "registers/supplier_list_widget.h"
#include "registers/supplier_register_widget.h"

#include <QDialog>
#include <QEventLoop>

#include <memory>

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
    FrmCadProdutos::setGroupRegisterOpener([s, m](QWidget* parent) {
        auto* groupRegister = new FrmCadGrupo(*s, *m, /*binclusao*/ true, 0, parent);
        groupRegister->exec();   // deleted as it closes
    });

    // The report entries share one report component and period (the last
    // period chosen stays for the product list).
    struct Reports
    {
        Reports(const TerminalSettings& settings, Messages& messages)
            : presenter(messages)
            , reports(settings, messages, ConsoleReports::defaultFolder(),
                      [&settings, &messages](ReportPeriod& period) { FrmSelecionaData::ask(settings, messages, period); },
                      presenter)
        {
        }
        PreviewPresenter presenter;
        ConsoleReports reports;
    };
    auto reports = std::make_shared<Reports>(settings, messages);
    auto report = [reports](ConsoleReports::Outcome (ConsoleReports::*entry)()) {
        return Opening{How::Elsewhere, {}, [reports, entry] { (reports->reports.*entry)(); }};
    };

    m_openings = {
        {S::Establishment, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return new FrmCadEstabelecimento(*s, *m, owner);
         }, {}}},
        {S::GroupRegister, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return new FrmCadGrupo(*s, *m, /*binclusao*/ true, 0, owner);
         }, {}}},
        {S::GroupList, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return new FrmConsultaGrupos(*s, *m, owner);
         }, {}}},
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
        {S::CashRegisterRegister, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return new FrmCadCaixa(*s, *m, /*binclusao*/ true, 0, owner);
         }, {}}},
        {S::CashRegisterList, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return new FrmConsultaCaixa(*s, *m, owner);
         }, {}}},
        {S::SupplierRegister, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return new FrmCadFornecedores(*s, *m, /*binclusao*/ true, 0, owner);
         }, {}}},
        {S::SupplierList, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return new FrmConsultaFornecedores(*s, *m, owner);
         }, {}}},
        {S::EntryQuery, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return new ConsultaEntrada(*s, *m, owner);
         }, {}}},
        {S::SaleQuery, {How::Owned, [s, m](QWidget* owner) -> QWidget* {
             return new ConsultaVenda(*s, *m, owner);
         }, {}}},
        // Modal and without owner; F8 inside them opens the other one owned by the console.
        {S::EntryCounter, {How::Elsewhere, {}, [n] { n->runEntryScreen(); }}},
        {S::SaleCounter, {How::Elsewhere, {}, [n] { n->runSaleScreen(); }}},
        {S::PurchaseOpening, {How::Modal, [s, m](QWidget*) -> QWidget* {
             return new FrmAberturaCompra(*s, *m, /*inclusao*/ true);
         }, {}}},
        {S::PurchaseFinder, {How::Modal, [s, m](QWidget*) -> QWidget* {
             return new FrmLocalizaCompraProduto(*s, *m);
         }, {}}},
        {S::MovementSummary, report(&ConsoleReports::resumoMovimento)},
        {S::SalesByProduct, report(&ConsoleReports::vendasPorProdutos)},
        {S::CashRegisterSummary, report(&ConsoleReports::resumoCaixa)},
        {S::ProductReport, report(&ConsoleReports::produtosCadastrados)},
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
