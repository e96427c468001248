#pragma once

#include "db/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct TerminalSettings;

// imp.txt, the print spool file: the tickets of the last print job, in
// Latin-1 with every line ended by CR LF.

// imp.txt in the terminal's data folder ($VORINDA_DIR when the settings name none).
QString spoolPath(const TerminalSettings& settings);

// The whole job written beside the old file and renamed over it, so a failure
// leaves the old file whole; created when missing. Where the folder takes no
// new file but imp.txt may be written, imp.txt itself is rewritten. A failure
// carries msg::arquivoImpressaoFalhou and the reason.
Result<void> writeSpoolFile(const QString& path, const QStringList& lines);

// The lines of the file, CR LF or LF alike. A missing file reads as no lines;
// one that cannot be read is msg::arquivoImpressaoIlegivel and the reason.
Result<QStringList> readSpoolFile(const QString& path);

// Lines as the spool and the printer take them: Latin-1 (a character outside
// it becomes "?"), each followed by CR LF.
QByteArray spoolBytes(const QStringList& lines);
// The reverse of spoolBytes, tolerating bare LF line ends.
QStringList spoolLines(const QByteArray& bytes);
