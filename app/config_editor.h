#pragma once

#include "app/terminal_config.h"

#include <QString>
#include <QStringList>

class Messages;
struct TerminalSettings;

// The editor's fields as values: the four texts as typed, the two list
// indexes and the check box.
struct ConfigForm
{
    QString banco;           // Text11, PATH=
    QString caixa;           // Text3, CAIXA=
    QString coluna;          // Text1, COLUNA=
    QString linha;           // Text2, LINHA=
    int impressao = 0;       // Combo1, IMPRESSAO=
    int modo = 0;            // Combo2, MODO=
    bool quantidade = false; // Check2, QUANTIDADE=

    bool operator==(const ConfigForm&) const = default;
};

// The terminal configuration editor without its window: what it shows when it
// opens and what "Gravar" checks and writes.
class ConfigEditor
{
public:
    // Combo1 and Combo2, in their fixed order.
    static const QStringList printTypes;
    static const QStringList modes;

    // `held` is what the last start-up left set (caminho_banco and
    // quantidade_livre decide two of the fields).
    ConfigEditor(QString filePath, const TerminalSettings& held, QString programFolder,
                 Messages& messages);

    // The fields as the file and the held settings give them; a line that
    // does not read ends the loading quietly with what was filled so far.
    ConfigForm load() const;

    // Checks the form (required texts, column and line greater than zero)
    // and writes the whole file. False, with the message shown, when nothing
    // was written.
    bool save(const ConfigForm& form);

    // The number a text begins with, blanks before it skipped ("3abc" is 3,
    // "abc" 0): the column and line check reads the fields this way.
    static double leadingNumber(const QString& text);

private:
    QString m_filePath;
    const TerminalSettings& m_held;
    QString m_programFolder;
    Messages& m_messages;
};
