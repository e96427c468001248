#include "common/ticket_writer.h"

#include "common/br_format.h"
#include "common/terminal_settings.h"
#include "common/text_utils.h"

namespace {

// A control character in stored text (a tab, a stray line break) would split
// a ticket line or reach the printer as a command: print it as a blank.
QString printable(const QString& text)
{
    QString out = text;
    for (QChar& ch : out) {
        if (ch.category() == QChar::Other_Control)
            ch = u' ';
    }
    return out;
}

} // namespace

TicketWriter::TicketWriter(const QString& margem, int linhas_avanco)
    : m_margem(margem)
    , m_linhasAvanco(linhas_avanco)
{
}

TicketWriter::TicketWriter(const TerminalSettings& settings)
    : TicketWriter(settings.margem, settings.linhas_avanco)
{
}

void TicketWriter::line(const QString& content)
{
    m_lines.append(m_margem + printable(content));
}

void TicketWriter::blank()
{
    m_lines.append(m_margem);
}

void TicketWriter::rule()
{
    m_lines.append(m_margem + ruleLine());
}

void TicketWriter::centred(const QString& text)
{
    m_lines.append(m_margem + centraliza(printable(text), Width));
}

void TicketWriter::feed()
{
    for (int i = 0; i < m_linhasAvanco; ++i)
        m_lines.append(QStringLiteral(" "));
}

QString TicketWriter::ruleLine()
{
    return QString(Width, u'-');
}

QString ticketText(const QString& text)
{
    return latin1Upper(remove_acentos(text));
}

QString ticketWeekdayAndDate(const QDateTime& moment)
{
    return latin1Upper(br::weekdayName(moment.date())) + u' ' + br::generalDate(moment);
}
