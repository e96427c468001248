#include "purchases/purchase_opening_dialog.h"

#include "common/field_text.h"
#include "common/key_conventions.h"
#include "common/window_placement.h"
#include "purchases/purchase_items_screen.h"
#include "registers/screen_parts.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

FrmAberturaCompra::FrmAberturaCompra(const TerminalSettings& settings, Messages& messages, bool inclusao,
                                     qint32 codigoCompra, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_messages(messages)
    , m_opening(settings, messages, inclusao, codigoCompra)
{
    setObjectName(QStringLiteral("FrmAberturaCompra"));
    setWindowTitle(QStringLiteral("Compras"));
    build();
    m_opening.load();
    {
        const QSignalBlocker quiet(m_combo1);
        for (const PurchaseOpening::Supplier& supplier : m_opening.suppliers())
            m_combo1->addItem(supplier.cfantasia, supplier.ncodigo);
    }
    push();
    adjustSize();
    centraliza_form(this);
    m_dtpicker1->setFocus(Qt::OtherFocusReason);
}

FrmAberturaCompra::~FrmAberturaCompra() = default;

void FrmAberturaCompra::build()
{
    using screenparts::label;
    QWidget* header = screenparts::headerBand(QStringLiteral("Abertura da compra"), this);

    m_text3 = new QLineEdit(this);
    m_text3->setObjectName(QStringLiteral("Text3"));
    m_text3->setEnabled(false);
    m_text3->setMaximumWidth(120);

    m_dtpicker1 = new QDateEdit(this);
    m_dtpicker1->setObjectName(QStringLiteral("DTPicker1"));
    m_dtpicker1->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_dtpicker1->setCalendarPopup(true);
    m_dtpicker1->setMaximumWidth(140);

    // A fixed list: the purchase takes the code of the supplier chosen,
    // never a name typed that no supplier has (or two have).
    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setMinimumWidth(320);
    m_combo1->setMaxVisibleItems(20);

    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setMaxLength(PurchaseOpening::NotaLength);
    m_text1->setMaximumWidth(220);

    m_text9 = new QPlainTextEdit(this);
    m_text9->setObjectName(QStringLiteral("Text9"));
    m_text9->setTabChangesFocus(true);
    m_text9->setFixedHeight(m_text9->fontMetrics().lineSpacing() * 4 + 12);
    connect(m_text9, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_text9->toPlainText();
        if (text.size() <= PurchaseOpening::ObsLength)
            return;
        m_text9->setPlainText(text.left(PurchaseOpening::ObsLength));
        m_text9->moveCursor(QTextCursor::End);
    });

    m_cmdOk = screenparts::button(QStringLiteral("CmdOk"), QStringLiteral("&Gravar"), this);
    m_cmdSair = screenparts::button(QStringLiteral("CmdSair"), QStringLiteral("&Cancelar"), this);
    connect(m_cmdOk, &QPushButton::clicked, this, &FrmAberturaCompra::gravar);
    connect(m_cmdSair, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(8);
    fields->setColumnStretch(1, 1);
    fields->addWidget(label(QStringLiteral("Código"), this), 0, 0);
    fields->addWidget(m_text3, 0, 1, Qt::AlignLeft);
    fields->addWidget(label(QStringLiteral("Data"), this), 1, 0);
    fields->addWidget(m_dtpicker1, 1, 1, Qt::AlignLeft);
    fields->addWidget(label(QStringLiteral("Fornecedor"), this), 2, 0);
    fields->addWidget(m_combo1, 2, 1);
    fields->addWidget(label(QStringLiteral("Nota"), this), 3, 0);
    fields->addWidget(m_text1, 3, 1, Qt::AlignLeft);
    auto* obs = label(QStringLiteral("Obs"), this);
    obs->setAlignment(Qt::AlignRight | Qt::AlignTop);
    fields->addWidget(obs, 4, 0);
    fields->addWidget(m_text9, 4, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdSair);

    auto* inner = new QVBoxLayout;
    inner->setContentsMargins(16, 12, 16, 12);
    inner->setSpacing(12);
    inner->addLayout(fields);
    inner->addLayout(buttons);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(header);
    outer->addLayout(inner);
    setMinimumWidth(560);

    setTabChain({m_dtpicker1, m_combo1, m_text1, m_text9, m_cmdOk, m_cmdSair});
    auto* keys = new KeyConventions(this);
    keys->setCancelButton(m_cmdSair);
}

void FrmAberturaCompra::push()
{
    const PurchaseOpening::Fields& f = m_opening.fields;
    m_dtpicker1->setDate(f.dtpicker1);
    m_combo1->setCurrentIndex(f.combo1);
    m_text1->setText(f.text1);
    showText(m_text9, f.text9);
    m_text3->setText(f.text3);
}

void FrmAberturaCompra::pull()
{
    PurchaseOpening::Fields& f = m_opening.fields;
    f.dtpicker1 = m_dtpicker1->date();
    f.combo1 = m_combo1->currentIndex();
    f.text1 = m_text1->text();
    f.text9 = m_text9->toPlainText();
}

void FrmAberturaCompra::gravar()
{
    pull();
    const std::optional<PurchaseOpening::Handover> handover = m_opening.gravar();
    if (!handover) {
        if (m_combo1->currentIndex() < 0)
            m_combo1->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Straight on from the header to the lines: this dialog goes first, and
    // its caller's modal call returns once the items screen has closed too.
    const TerminalSettings& settings = m_settings;
    Messages& messages = m_messages;
    accept();
    FrmCompradeProdutos items(settings, messages, handover->codigoCompra, handover->binclusao);
    items.exec();
}
