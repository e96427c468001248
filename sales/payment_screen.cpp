#include "sales/payment_screen.h"

#include "common/form_checks.h"
#include "common/key_conventions.h"
#include "common/window_placement.h"
#include "sales/counter_style.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QLineEdit* moneyField(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAlignment(Qt::AlignRight);
    edit->setMaxLength(24);
    markRequired(edit);
    return edit;
}

} // namespace

FrmPagamentoVenda::FrmPagamentoVenda(const TerminalSettings& settings, Messages& messages,
                                     const QList<SaleLine>& lines, const QString& total, QWidget* parent,
                                     qint64* unsettled)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_boxes(messages, this)
    , m_payment(settings, m_boxes, lines, total, unsettled)
{
    setObjectName(QStringLiteral("FrmPagamentoVenda"));
    setWindowTitle(QStringLiteral("Fechamento"));
    setModal(true);
    build();
    push();
}

FrmPagamentoVenda::~FrmPagamentoVenda() = default;

void FrmPagamentoVenda::build()
{
    counter_style::apply(this);

    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setFixedSize(counter_style::frameSize(QSize(760, 480)));

    auto* title = new QLabel(QStringLiteral("Fechamento"), m_frame);
    title->setObjectName(QStringLiteral("Label6"));

    m_text6 = moneyField("Text6", m_frame);
    m_text6->setReadOnly(true);
    m_combo1 = new QComboBox(m_frame);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->addItems(SalePayment::formas());
    m_text8 = moneyField("Text8", m_frame);
    m_text7 = moneyField("Text7", m_frame);

    auto* hint = new QLabel(QStringLiteral("Pressione a tela ESC para cancelar o fechamento"), m_frame);
    hint->setObjectName(QStringLiteral("hint"));

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setVerticalSpacing(14);
    form->addRow(QStringLiteral("Total"), m_text6);
    form->addRow(QStringLiteral("Forma"), m_combo1);
    form->addRow(QStringLiteral("Recebido"), m_text8);
    form->addRow(QStringLiteral("Troco"), m_text7);

    auto* layout = new QVBoxLayout(m_frame);
    layout->setContentsMargins(32, 20, 32, 20);
    layout->addWidget(title);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(hint);

    setTabChain({m_text6, m_combo1, m_text8, m_text7});

    m_keys = new KeyConventions(this);
    for (QLineEdit* edit : {m_text6, m_text8, m_text7})
        m_keys->setKind(edit, FieldKind::Money);
    m_keys->setLeaveCheck(m_text8, [this] {
        pull();
        const bool ok = m_payment.leaveReceived();
        push();
        return ok;
    });
    m_keys->setEnterAction(m_text7, [this] {
        gravar();
        return false;
    });
    m_keys->setCancelAction([this] { reject(); });

    keepCentred(m_frame);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    setWindowState(Qt::WindowFullScreen);
}

void FrmPagamentoVenda::pull()
{
    auto& f = m_payment.fields;
    f.text6 = m_text6->text();
    f.combo1 = m_combo1->currentIndex();
    f.text8 = m_text8->text();
    f.text7 = m_text7->text();
}

void FrmPagamentoVenda::push()
{
    const auto& f = m_payment.fields;
    m_text6->setText(f.text6);
    m_combo1->setCurrentIndex(f.combo1);
    m_text8->setText(f.text8);
    m_text7->setText(f.text7);
}

void FrmPagamentoVenda::gravar()
{
    pull();
    switch (m_payment.record()) {
    case SalePayment::Outcome::Recorded:
        accept();
        break;
    case SalePayment::Outcome::Failed:
        // Nothing was written: back to the sale screen, which keeps its lines.
        reject();
        break;
    case SalePayment::Outcome::Stay:
    case SalePayment::Outcome::Busy:
        break;
    }
}

void FrmPagamentoVenda::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        centraliza_form(this);
        m_combo1->setFocus(Qt::OtherFocusReason);
    }
}
