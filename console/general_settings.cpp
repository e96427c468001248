#include "console/general_settings.h"

#include "common/db_errors.h"
#include "common/form_checks.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/transaction.h"

namespace {

const QString entradaCounter = QStringLiteral("numero_entrada");
const QString vendaCounter = QStringLiteral("numero_venda");

// Stored to the minute: the pickers show no seconds.
QTime toMinute(const QTime& time)
{
    return time.isValid() ? QTime(time.hour(), time.minute()) : QTime(0, 0);
}

} // namespace

GeneralSettings::GeneralSettings(const TerminalSettings& settings, Messages& messages)
    : m_conexao(settings.conexao)
    , m_messages(messages)
{
}

bool GeneralSettings::load()
{
    m_loaded = false;
    if (!m_conexao) {
        trata_erro_banco(m_messages, notOpenFailure());
        return false;
    }
    const Result<Rows> hours = m_conexao->select(QStringLiteral("select * from horario"));
    if (!hours) {
        trata_erro_banco(m_messages, hours.failure());
        return false;
    }
    if (!hours->isEmpty()) {
        fields.dtpicker1 = toMinute(hours->time(0, QStringLiteral("thora1")));
        fields.dtpicker3 = toMinute(hours->time(0, QStringLiteral("thora2")));
    }
    const Result<qint64> entrada = m_conexao->generator(entradaCounter, 0);
    if (!entrada) {
        trata_erro_banco(m_messages, entrada.failure());
        return false;
    }
    fields.text2 = QString::number(*entrada);
    const Result<qint64> venda = m_conexao->generator(vendaCounter, 0);
    if (!venda) {
        trata_erro_banco(m_messages, venda.failure());
        return false;
    }
    fields.text1 = QString::number(*venda);
    m_loaded = true;
    return true;
}

bool GeneralSettings::readCounter(const QString& text, const char* field, qint64& value)
{
    bool ok = false;
    value = text.trimmed().toLongLong(&ok);
    const bool digitsOnly = ok && !text.trimmed().startsWith(u'-') && !text.trimmed().startsWith(u'+');
    if (!digitsOnly || value > MaximumCounter) {
        m_messages.info(digitsOnly ? msg::valorAcimaDoLimite : msg::camposIncorretos);
        m_fieldToFix = QString::fromLatin1(field);
        return false;
    }
    return true;
}

bool GeneralSettings::gravar()
{
    m_fieldToFix.clear();
    if (!m_loaded)
        return false;
    if (!verifica_obrigatorios(QStringList{fields.text2, fields.text1}, m_messages)) {
        m_fieldToFix = fields.text2.isEmpty() ? QStringLiteral("Text2") : QStringLiteral("Text1");
        return false;
    }
    qint64 entrada = 0;
    qint64 venda = 0;
    if (!readCounter(fields.text2, "Text2", entrada) || !readCounter(fields.text1, "Text1", venda))
        return false;
    // The transaction has ended (rolled back) before any message is shown.
    if (const Result<void> stored = store(entrada, venda); !stored) {
        trata_erro_banco(m_messages, stored.failure());
        m_messages.info(msg::configuracaoNaoGravada);
        return false;
    }
    return true;
}

Result<void> GeneralSettings::store(qint64 entrada, qint64 venda)
{
    // One unit: a generator set inside a transaction takes effect at its
    // commit and goes with its rollback, like the rows of horario.
    Transaction unit(*m_conexao);
    if (!unit.begun())
        return unit.failure();
    if (Result<int> deleted = m_conexao->execute(QStringLiteral("delete from horario")); !deleted)
        return deleted.failure();
    const Result<int> inserted = m_conexao->execute(QStringLiteral("insert into horario values (?,?)"),
                                                    {SqlValue::time(toMinute(fields.dtpicker1)),
                                                     SqlValue::time(toMinute(fields.dtpicker3))});
    if (!inserted)
        return inserted.failure();
    if (Result<void> set = m_conexao->setGenerator(entradaCounter, entrada); !set)
        return set;
    if (Result<void> set = m_conexao->setGenerator(vendaCounter, venda); !set)
        return set;
    return unit.commit();
}
