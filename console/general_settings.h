#pragma once

#include "db/result.h"

#include <QString>
#include <QTime>
#include <QtGlobal>

class Connection;
class Messages;
struct TerminalSettings;

// FrmConfiguracaoGeral without widgets: the working hours every terminal
// reads at start-up (table horario) and the two document counters (the
// generators numero_entrada and numero_venda).
class GeneralSettings
{
public:
    struct Fields
    {
        QTime dtpicker1;   // "Inicio"
        QTime dtpicker3;   // "Final"
        QString text2;     // "Entrada": numero_entrada
        QString text1;     // "Venda": numero_venda
    };

    // The largest counter a terminal can still draw the next number from:
    // document numbers are stored in INTEGER columns.
    static constexpr qint64 MaximumCounter = 2147483646;

    GeneralSettings(const TerminalSettings& settings, Messages& messages);

    Fields fields;

    // Hours and counters as stored; false (after the message) when they
    // could not be read, and then nothing may be stored.
    bool load();
    bool loaded() const { return m_loaded; }
    // "&Gravar": hours and both counters in one transaction, all or none;
    // true when stored (the dialog closes).
    bool gravar();
    // After a refused "&Gravar": the field to put right ("" when none).
    QString fieldToFix() const { return m_fieldToFix; }

private:
    bool readCounter(const QString& text, const char* field, qint64& value);
    Result<void> store(qint64 entrada, qint64 venda);

    Connection* m_conexao;
    Messages& m_messages;
    bool m_loaded = false;
    QString m_fieldToFix;
};
