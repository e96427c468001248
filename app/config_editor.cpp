#include "app/config_editor.h"

#include "common/form_checks.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/terminal_settings.h"

#include <QRegularExpression>

#include <algorithm>

const QStringList ConfigEditor::printTypes = {
    QStringLiteral("Direta pelo aplicativo"),
    QStringLiteral("Chamada ao aplicativo auxiliar de impressão"),
    QStringLiteral("Nenhum"),
};

const QStringList ConfigEditor::modes = {
    QStringLiteral("Gerencia"),
    QStringLiteral("Venda"),
    QStringLiteral("Entrada"),
};

ConfigEditor::ConfigEditor(QString filePath, const TerminalSettings& held, QString programFolder,
                           Messages& messages)
    : m_filePath(std::move(filePath))
    , m_held(held)
    , m_programFolder(std::move(programFolder))
    , m_messages(messages)
{
}

ConfigForm ConfigEditor::load() const
{
    ConfigForm form;
    const auto file = ConfigFile::read(m_filePath);
    // Line 1 is read and ignored: only its presence matters.
    if (!file || file->linesRead() < 1)
        return form;

    const auto path = file->text(2, configkey::path);
    if (!path)
        return form;
    form.banco = m_held.caminho_banco.isEmpty() ? m_programFolder : *path;

    const auto caixa = file->text(3, configkey::caixa);
    if (!caixa)
        return form;
    form.caixa = *caixa;

    const auto coluna = file->text(4, configkey::coluna);
    if (!coluna)
        return form;
    form.coluna = *coluna;

    const auto linha = file->text(5, configkey::linha);
    if (!linha)
        return form;
    form.linha = *linha;

    const auto impressao = file->integer(6, configkey::impressao, 0, int(printTypes.size()) - 1);
    if (!impressao)
        return form;
    form.impressao = *impressao;

    const auto modo = file->text(7, configkey::modo);
    if (!modo)
        return form;
    const auto matches = [word = modo->trimmed()](const QString& entry) {
        return entry.compare(word, Qt::CaseInsensitive) == 0;
    };
    const auto found = std::find_if(modes.begin(), modes.end(), matches);
    if (found == modes.end())
        return form;
    form.modo = int(found - modes.begin());

    form.quantidade = m_held.quantidade_livre;
    return form;
}

bool ConfigEditor::save(const ConfigForm& form)
{
    if (!verifica_obrigatorios(QStringList{form.banco, form.caixa, form.coluna, form.linha}, m_messages))
        return false;
    if (!(leadingNumber(form.coluna) > 0) || !(leadingNumber(form.linha) > 0)) {
        m_messages.info(msg::colunaLinhaMaiorQueZero);
        return false;
    }
    ConfigValues values;
    values.path = form.banco;
    values.caixa = form.caixa;
    values.coluna = form.coluna;
    values.linha = form.linha;
    values.impressao = form.impressao;
    values.modo = modes.value(form.modo, modes.first()).toUpper();
    values.quantidade = form.quantidade;
    if (const auto written = writeConfigFile(m_filePath, values); !written) {
        m_messages.info(msg::configNaoGravada + QStringLiteral("\n\n") + written.failure().description());
        return false;
    }
    return true;
}

double ConfigEditor::leadingNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?(\\d+(\\.\\d*)?|\\.\\d+))"));
    const auto match = number.match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : 0.0;
}
