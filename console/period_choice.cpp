#include "console/period_choice.h"

#include "common/br_format.h"
#include "common/business_day.h"
#include "common/db_errors.h"
#include "common/message_texts.h"
#include "common/messages.h"

namespace {

QDateTime moment(const QString& text)
{
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm"));
}

} // namespace

bool ReportPeriod::chosen() const
{
    return inicio().isValid() && fim().isValid();
}

QDateTime ReportPeriod::inicio() const
{
    return moment(data_inicial);
}

QDateTime ReportPeriod::fim() const
{
    return moment(data_final);
}

PeriodChoice::PeriodChoice(const TerminalSettings& settings, Messages& messages, ReportPeriod& period)
    : m_settings(settings)
    , m_messages(messages)
    , m_period(period)
{
}

bool PeriodChoice::load()
{
    m_period = ReportPeriod{};
    if (const Result<void> offered = offerBusinessDay(m_settings); !offered) {
        trata_erro_banco(m_messages, offered.failure());
        return false;
    }
    return true;
}

bool PeriodChoice::imprimir()
{
    const QString inicio = data_hora_periodo(m_dataInicial, br::time(m_horaInicial));
    const QString fim = data_hora_periodo(m_dataFinal, br::time(m_horaFinal));
    const ReportPeriod chosen{inicio, fim};
    if (!chosen.chosen() || chosen.inicio() > chosen.fim()) {
        m_messages.info(msg::periodoInvalido);
        return false;
    }
    m_period = chosen;
    return true;
}
