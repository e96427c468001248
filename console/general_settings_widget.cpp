#include "console/general_settings_widget.h"

#include "common/form_checks.h"
#include "common/key_conventions.h"
#include "common/window_placement.h"
#include "registers/screen_parts.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

QTimeEdit* timePicker(const char* name, QWidget* parent)
{
    auto* picker = new QTimeEdit(parent);
    picker->setObjectName(QString::fromLatin1(name));
    picker->setDisplayFormat(QStringLiteral("HH:mm"));
    picker->setMinimumWidth(110);
    return picker;
}

QLineEdit* counterField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setMaxLength(10);
    field->setMinimumWidth(140);
    markRequired(field);
    return field;
}

} // namespace

FrmConfiguracaoGeral::FrmConfiguracaoGeral(const TerminalSettings& settings, Messages& messages, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings, messages)
{
    setObjectName(QStringLiteral("FrmConfiguracaoGeral"));
    setWindowTitle(QStringLiteral("Configurações"));

    auto* hours = new QGroupBox(QStringLiteral("Horário de trabalho"), this);
    m_inicio = timePicker("DTPicker1", hours);
    m_final = timePicker("DTPicker3", hours);
    auto* hoursLayout = new QFormLayout(hours);
    hoursLayout->addRow(QStringLiteral("Inicio"), m_inicio);
    hoursLayout->addRow(QStringLiteral("Final"), m_final);

    auto* counters = new QGroupBox(QStringLiteral("Númeração"), this);
    m_entrada = counterField("Text2", counters);
    m_venda = counterField("Text1", counters);
    auto* countersLayout = new QFormLayout(counters);
    countersLayout->addRow(QStringLiteral("Entrada"), m_entrada);
    countersLayout->addRow(QStringLiteral("Venda"), m_venda);

    m_ok = screenparts::button(QStringLiteral("CmdOk"), QStringLiteral("&Gravar"), this);
    m_sair = screenparts::button(QStringLiteral("CmdSair"), QStringLiteral("&Sair"), this);
    connect(m_ok, &QPushButton::clicked, this, &FrmConfiguracaoGeral::gravar);
    connect(m_sair, &QPushButton::clicked, this, &QDialog::close);

    auto* groups = new QHBoxLayout;
    groups->setSpacing(12);
    groups->addWidget(hours);
    groups->addWidget(counters);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_sair);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    m_keys = new KeyConventions(this);
    m_keys->setKind(m_entrada, FieldKind::Whole);
    m_keys->setKind(m_venda, FieldKind::Whole);
    m_keys->setCancelButton(m_sair);
    setTabChain({m_inicio, m_final, m_entrada, m_venda, m_ok, m_sair});

    // A dialog that could not read what is stored must not overwrite it.
    m_ok->setEnabled(m_settings.load());
    push();
    adjustSize();
    setFixedSize(size());
    centraliza_form(this);
    m_inicio->setFocus(Qt::OtherFocusReason);
}

FrmConfiguracaoGeral::~FrmConfiguracaoGeral()
{
    // No key or focus event may reach the checks while the fields go.
    delete m_keys;
}

void FrmConfiguracaoGeral::push()
{
    const GeneralSettings::Fields& f = m_settings.fields;
    m_inicio->setTime(f.dtpicker1);
    m_final->setTime(f.dtpicker3);
    m_entrada->setText(f.text2);
    m_venda->setText(f.text1);
}

void FrmConfiguracaoGeral::pull()
{
    GeneralSettings::Fields& f = m_settings.fields;
    f.dtpicker1 = m_inicio->time();
    f.dtpicker3 = m_final->time();
    f.text2 = m_entrada->text();
    f.text1 = m_venda->text();
}

void FrmConfiguracaoGeral::gravar()
{
    pull();
    if (m_settings.gravar()) {
        accept();
        return;
    }
    QLineEdit* fix = m_settings.fieldToFix() == QLatin1String("Text2") ? m_entrada
                   : m_settings.fieldToFix() == QLatin1String("Text1") ? m_venda
                                                                        : nullptr;
    if (fix) {
        fix->setFocus(Qt::OtherFocusReason);
        fix->selectAll();
    }
}
