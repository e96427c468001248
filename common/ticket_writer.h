#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

struct TerminalSettings;

// The lines of one print job, built ticket by ticket. Every line but the feed
// lines starts with the terminal's margin; tickets are 40 columns wide.
class TicketWriter
{
public:
    static constexpr int Width = 40;

    TicketWriter(const QString& margem, int linhas_avanco);
    explicit TicketWriter(const TerminalSettings& settings);

    // The margin, then `content` as it stands.
    void line(const QString& content);
    // The margin alone (the empty line of the entry tickets).
    void blank();
    // The margin and 40 hyphens.
    void rule();
    // The margin and `text` centred in 40 columns (`centraliza`).
    void centred(const QString& text);
    // `linhas_avanco` lines of one blank and no margin, none when it is 0 or less.
    void feed();

    const QStringList& lines() const { return m_lines; }

    // "----------------------------------------"
    static QString ruleLine();

private:
    QString m_margem;
    int m_linhasAvanco;
    QStringList m_lines;
};

// Accents removed, then capitals: "Cartão de crédito" -> "CARTAO DE CREDITO".
QString ticketText(const QString& text);
// The weekday in capitals WITH its accents, a blank, the general date:
// "SÁBADO 05/12/2026 21:15:33".
QString ticketWeekdayAndDate(const QDateTime& moment);
