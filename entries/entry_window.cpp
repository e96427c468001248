#include "entries/entry_window.h"

#include "common/elided_label.h"
#include "common/field_text.h"
#include "common/form_checks.h"
#include "common/key_conventions.h"
#include "common/navigation.h"
#include "common/window_placement.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// Yellow on black for the values, white for the captions: readable at the
// counter under bar lighting. Every rule reaches only this window and its
// frame, so the message boxes it owns keep their own, readable look; the
// popup lists of its fields are styled on purpose.
const char* const counterStyle = R"(
    #FrmEntradas { background: black; }
    #FrmEntradas QFrame#Frame1 { background: black; border: 2px solid #808080; }
    #FrmEntradas #Frame1 QLabel { color: white; font-size: 22px; }
    #FrmEntradas #Frame1 QLabel#Label7 { color: yellow; font-size: 34px; font-weight: bold; }
    #FrmEntradas #Frame1 QLabel#Label15 { color: #00ff00; font-size: 18px; }
    #FrmEntradas #Frame1 QLabel#Label16, #FrmEntradas #Frame1 QLabel#Label8,
    #FrmEntradas #Frame1 QLabel#Label13 { color: #c0c0c0; font-size: 16px; }
    #FrmEntradas #Frame1 QLineEdit, #FrmEntradas #Frame1 QComboBox {
        background: black; color: yellow; font-size: 28px; font-weight: bold;
        border: 2px solid #606060; padding: 1px 6px; min-height: 36px;
        selection-background-color: yellow; selection-color: black;
    }
    #FrmEntradas #Frame1 QLineEdit:focus, #FrmEntradas #Frame1 QComboBox:focus { border: 3px solid yellow; }
    #FrmEntradas #Frame1 QLineEdit:disabled { color: #e0e0e0; border-color: #404040; }
    #FrmEntradas #Frame1 QComboBox QAbstractItemView {
        background: black; color: yellow; font-size: 28px; border: 2px solid yellow;
        selection-background-color: yellow; selection-color: black; outline: 0;
    }
    #FrmEntradas #Frame1 QComboBox QAbstractItemView::item:selected { background: yellow; color: black; }
    #FrmEntradas #Frame1 QLineEdit#Text7 { color: #00ff00; }
    #FrmEntradas #Frame1 QPushButton { font-size: 22px; padding: 6px 24px; }
)";

QLineEdit* makeField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    markRequired(field);
    return field;
}

} // namespace

EntryWindow::EntryWindow(const TerminalSettings& settings, Navigation& navigation, Messages& messages,
                         EntryScreen::Clock clock, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_boxes(messages, this)
    , m_logic(settings, m_boxes, std::move(clock))
    , m_navigation(navigation)
{
    setObjectName(QStringLiteral("FrmEntradas"));
    setWindowTitle(QStringLiteral("Entradas"));
    setStyleSheet(QLatin1String(counterStyle));
    build();
    wireKeys();

    // Covers the whole display, even where no window manager maximises it.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    setWindowState(Qt::WindowFullScreen);

    m_logic.load();
    push();
    m_tipo->setFocus();
}

EntryWindow::~EntryWindow() = default;

void EntryWindow::build()
{
    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("Frame1"));

    auto* title = new QLabel(QStringLiteral("Entradas"), m_frame);
    title->setObjectName(QStringLiteral("Label7"));
    title->setAlignment(Qt::AlignCenter);

    m_tipo = new QComboBox(m_frame);
    m_tipo->setObjectName(QStringLiteral("Combo1"));
    m_forma = new QComboBox(m_frame);
    m_forma->setObjectName(QStringLiteral("Combo2"));
    m_forma->addItems(EntryScreen::formas());

    m_caixa = makeField("Text1", m_frame);
    m_data = makeField("Text2", m_frame);
    m_hora = makeField("Text3", m_frame);
    for (QLineEdit* shown : {m_caixa, m_data, m_hora})
        shown->setEnabled(false);
    m_qtde = makeField("Text5", m_frame);
    m_preco = makeField("Text4", m_frame);
    m_total = makeField("Text6", m_frame);
    for (QLineEdit* locked : {m_preco, m_total}) {
        locked->setReadOnly(true);
        locked->setFocusPolicy(Qt::ClickFocus);
    }
    m_recebido = makeField("Text8", m_frame);
    m_troco = makeField("Text7", m_frame);
    m_troco->setReadOnly(true);
    for (QLineEdit* amount : {m_qtde, m_preco, m_total, m_recebido, m_troco})
        amount->setAlignment(Qt::AlignRight);

    m_sair = new QPushButton(QStringLiteral("&Sair"), m_frame);
    m_sair->setObjectName(QStringLiteral("CmdOk"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(6);
    const auto addRow = [&](int row, const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, m_frame);
        label->setBuddy(field);
        grid->addWidget(label, row, 0, Qt::AlignRight);
        grid->addWidget(field, row, 1);
    };
    addRow(0, QStringLiteral("Tipo"), m_tipo);
    addRow(1, QStringLiteral("Forma"), m_forma);
    addRow(2, QStringLiteral("Caixa"), m_caixa);
    addRow(3, QStringLiteral("Data"), m_data);
    addRow(4, QStringLiteral("Hora"), m_hora);
    addRow(5, QStringLiteral("Qtde"), m_qtde);
    addRow(6, QStringLiteral("Preço"), m_preco);
    addRow(7, QStringLiteral("Total"), m_total);
    addRow(8, QStringLiteral("Recebido"), m_recebido);
    addRow(9, QStringLiteral("Troco"), m_troco);
    grid->setColumnMinimumWidth(1, 460);

    auto* help = new QLabel(
        QStringLiteral(" ESC - Sair do sistema    F3 - Imprimir     F5 - Limpar tela     F8 - Tela de vendas"),
        m_frame);
    help->setObjectName(QStringLiteral("Label15"));
    m_base = new ElidedLabel(m_frame);   // a long server path gives way
    m_base->setObjectName(QStringLiteral("Label16"));
    m_caixaOperante = new QLabel(m_frame);
    m_caixaOperante->setObjectName(QStringLiteral("Label8"));
    m_versao = new QLabel(m_frame);
    m_versao->setObjectName(QStringLiteral("Label13"));

    auto* status = new QHBoxLayout;
    status->addWidget(m_base, 1);
    status->addSpacing(24);
    status->addWidget(m_caixaOperante);
    status->addSpacing(24);
    status->addWidget(m_versao);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_sair);

    auto* layout = new QVBoxLayout(m_frame);
    layout->setContentsMargins(24, 14, 24, 12);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addWidget(help);
    layout->addLayout(status);

    // Tab order as the fields stand; disabled and locked fields are skipped.
    setTabChain({m_tipo, m_forma, m_caixa, m_data, m_hora, m_qtde,
                 m_preco, m_total, m_recebido, m_troco, m_sair});

    m_frame->adjustSize();
    m_frame->setFixedSize(m_frame->sizeHint());
    keepCentred(m_frame);
}

void EntryWindow::wireKeys()
{
    KeyConventions::Options options;
    options.blockApostrophe = true;
    m_keys = new KeyConventions(this, options);
    // Units are whole: the quantity takes digits only.
    m_keys->setKind(m_qtde, FieldKind::Whole);
    m_keys->setKind(m_preco, FieldKind::Money);
    m_keys->setKind(m_recebido, FieldKind::Money);
    m_keys->setLeaveCheck(m_qtde, [this] {
        pull();
        const bool ok = m_logic.leaveQuantity();
        push();
        return ok;
    });
    m_keys->setLeaveCheck(m_recebido, [this] {
        pull();
        const bool ok = m_logic.leaveReceived();
        push();
        return ok;
    });
    m_keys->setEnterAction(m_troco, [this] { return recordSale(); });
    m_keys->setCancelButton(m_sair);
    m_keys->setKeyHandler([this](QKeyEvent* event, QWidget*) {
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        switch (event->key()) {
        case Qt::Key_F3:
            m_logic.reprint();
            return true;
        case Qt::Key_F5:
            reload();
            return true;
        case Qt::Key_F8:
            switchToSales();
            return true;
        default:
            return false;
        }
    });

    connect(m_sair, &QPushButton::clicked, this, [this] {
        if (m_logic.settleBeforeLeaving())
            close();
    });
    connect(m_tipo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_pushing)
            return;
        pull();
        m_logic.chooseType(index);
        push();
    });
}

void EntryWindow::pull()
{
    m_logic.setFormaIndex(m_forma->currentIndex());
    m_logic.setQtde(m_qtde->text());
    m_logic.setRecebido(m_recebido->text());
}

void EntryWindow::push()
{
    m_pushing = true;
    if (m_tipo->count() != m_logic.tipos().size() || [&] {
            for (int i = 0; i < m_tipo->count(); ++i) {
                if (m_tipo->itemText(i) != m_logic.tipos().at(i))
                    return true;
            }
            return false;
        }()) {
        m_tipo->clear();
        m_tipo->addItems(m_logic.tipos());
    }
    m_tipo->setCurrentIndex(m_logic.tipoIndex());
    m_forma->setCurrentIndex(m_logic.formaIndex());
    showText(m_caixa, m_logic.caixa());
    showText(m_data, m_logic.data());
    showText(m_hora, m_logic.hora());
    showText(m_qtde, m_logic.qtde());
    showText(m_preco, m_logic.preco());
    showText(m_total, m_logic.total());
    showText(m_recebido, m_logic.recebido());
    showText(m_troco, m_logic.troco());
    m_base->setText(m_logic.baseLabel());
    m_caixaOperante->setText(m_logic.caixaLabel());
    m_versao->setText(m_logic.versionLabel());
    m_pushing = false;
}

void EntryWindow::reload()
{
    m_logic.load();
    push();
    m_tipo->setFocus(Qt::OtherFocusReason);
}

bool EntryWindow::recordSale()
{
    pull();
    const bool recorded = m_logic.record();
    push();
    // After a sale the counter is ready for the next one, on Tipo; after a
    // refusal the focus stays on Troco so that Enter tries again.
    if (recorded)
        m_tipo->setFocus(Qt::OtherFocusReason);
    return false;
}

void EntryWindow::switchToSales()
{
    // The navigation shows the sale counter before this one goes, so the
    // program never passes through a moment without a window.
    if (!m_logic.settleBeforeLeaving())
        return;
    QPointer<EntryWindow> self(this);
    m_navigation.openSaleScreen();
    if (self)
        close();
}
