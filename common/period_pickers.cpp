#include "common/period_pickers.h"

#include "common/br_format.h"
#include "common/business_day.h"
#include "common/terminal_settings.h"

Result<void> PeriodPickers::offerBusinessDay(const TerminalSettings& settings)
{
    Period day;
    if (m_now) {
        day = data_do_movimento(m_now(), settings.hora_inicio);
    } else {
        Result<Period> read = data_do_movimento(*settings.conexao, settings.hora_inicio);
        if (!read)
            return read.failure();
        day = *read;
    }
    m_dataInicial = day.inicio;
    m_dataFinal = day.fim;
    m_horaInicial = br::parseTime(settings.hora_inicio);
    m_horaFinal = br::parseTime(settings.hora_fim);
    return {};
}
