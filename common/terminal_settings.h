#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>

class Connection;

// The last print job this run made, kept apart from imp.txt: F3 prints it
// again whatever became of the file since (a write that failed, another
// program's job).
struct LastPrintJob
{
    bool made = false;
    QStringList lines;
};

// What a workstation is, filled by the start-up from the configuration file
// and the database, then handed to every screen through its constructor.
struct TerminalSettings
{
    Connection* conexao = nullptr;   // the one open connection
    QString caminho_banco;           // PATH=
    qint16 numero_caixa = 0;         // CAIXA=
    QString margem;                  // COLUNA= as that many blanks
    qint16 linhas_avanco = 0;        // LINHA=
    qint16 modo_impressao = 2;       // IMPRESSAO=: 0 printer device, 1 `imp`, other none
    bool quantidade_livre = false;   // QUANTIDADE=
    QString hora_inicio;             // "hh:mm", start of the working day
    QString hora_fim;                // "hh:mm", end of the working day
    QString nome_fantasia;           // heads every ticket

    QString dataDir;                 // $VORINDA_DIR, default ~/vorinda
    // Shared by every copy of the settings, so both counters of a run
    // reprint the same job.
    std::shared_ptr<LastPrintJob> ultimaImpressao = std::make_shared<LastPrintJob>();
};

// The data folder ($VORINDA_DIR made absolute, default ~/vorinda) and the
// files in it.
QString dataDirectory();
QString configFilePath(const QString& dataDir);   // configuracao.ini
QString spoolFilePath(const QString& dataDir);    // imp.txt
QString logFilePath(const QString& dataDir);      // vorinda.log

// "1.0.0": the build's major.minor.revision.
QString programVersion();
