#include "app/config_editor_window.h"

#include "common/form_checks.h"
#include "common/key_conventions.h"
#include "common/window_placement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* requiredText(const QString& name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    markRequired(edit);
    return edit;
}

QComboBox* fixedList(const QString& name, const QStringList& entries, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(false);
    combo->addItems(entries);
    return combo;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* push = new QPushButton(caption, parent);
    push->setObjectName(name);
    // Enter moves between fields here; it must never press a button by default.
    push->setAutoDefault(false);
    push->setDefault(false);
    push->setMinimumWidth(96);
    return push;
}

} // namespace

ConfigEditorWindow::ConfigEditorWindow(const QString& filePath, const TerminalSettings& held,
                                       const QString& programFolder, Messages& messages,
                                       QWidget* parent)
    : QDialog(parent)
    , m_editor(filePath, held, programFolder, messages)
{
    setObjectName(QStringLiteral("FrmConfiguracao"));
    setWindowTitle(QStringLiteral("Configurações"));
    setWindowModality(Qt::ApplicationModal);
    buildControls();
    limpa_campos(this);
    showForm(m_editor.load());
    // The window opens on its first field, ready to be typed over.
    m_text11->setFocus();
    m_text11->selectAll();
    adjustSize();
    centraliza_form(this);
}

void ConfigEditorWindow::buildControls()
{
    m_text11 = requiredText(QStringLiteral("Text11"), this);
    m_text3 = requiredText(QStringLiteral("Text3"), this);
    m_text1 = requiredText(QStringLiteral("Text1"), this);
    m_text2 = requiredText(QStringLiteral("Text2"), this);
    m_combo1 = fixedList(QStringLiteral("Combo1"), ConfigEditor::printTypes, this);
    m_combo2 = fixedList(QStringLiteral("Combo2"), ConfigEditor::modes, this);
    m_check2 = new QCheckBox(QStringLiteral("Permitir digitação da quantidade"), this);
    m_check2->setObjectName(QStringLiteral("Check2"));
    m_command1 = button(QStringLiteral("Command1"), QStringLiteral("Gravar"), this);
    m_command2 = button(QStringLiteral("Command2"), QStringLiteral("Sair"), this);

    m_text11->setMinimumWidth(360);
    m_combo2->setMinimumWidth(m_combo1->sizeHint().width());
    for (QLineEdit* number : {m_text3, m_text1, m_text2})
        number->setMaximumWidth(96);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    const QList<std::pair<QString, QWidget*>> rows = {
        {QStringLiteral("Banco de dados"), m_text11},
        {QStringLiteral("Caixa"), m_text3},
        {QStringLiteral("Coluna impressão"), m_text1},
        {QStringLiteral("Linha impressão"), m_text2},
        {QStringLiteral("Tipo de impressão"), m_combo1},
        {QStringLiteral("Modo de execução"), m_combo2},
    };
    int row = 0;
    for (const auto& [caption, field] : rows) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(field, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
        ++row;
    }
    m_text11->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    grid->addWidget(m_text11, 0, 1);
    grid->addWidget(m_check2, row, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->setSpacing(18);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);

    setTabChain({m_text11, m_text3, m_text1, m_text2, m_combo1, m_combo2, m_check2, m_command1, m_command2});

    auto* keys = new KeyConventions(this);
    keys->setCancelButton(m_command2);

    connect(m_command1, &QPushButton::clicked, this, &ConfigEditorWindow::gravar);
    connect(m_command2, &QPushButton::clicked, this, &QDialog::reject);
}

ConfigForm ConfigEditorWindow::form() const
{
    ConfigForm form;
    form.banco = m_text11->text();
    form.caixa = m_text3->text();
    form.coluna = m_text1->text();
    form.linha = m_text2->text();
    form.impressao = m_combo1->currentIndex();
    form.modo = m_combo2->currentIndex();
    form.quantidade = m_check2->isChecked();
    return form;
}

void ConfigEditorWindow::showForm(const ConfigForm& form)
{
    m_text11->setText(form.banco);
    m_text3->setText(form.caixa);
    m_text1->setText(form.coluna);
    m_text2->setText(form.linha);
    m_combo1->setCurrentIndex(form.impressao);
    m_combo2->setCurrentIndex(form.modo);
    m_check2->setChecked(form.quantidade);
}

void ConfigEditorWindow::gravar()
{
    if (!m_editor.save(form()))
        return;
    emit saved();
    accept();
}
