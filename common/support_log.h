#pragma once

#include <QString>

// Appends "yyyy-mm-dd hh:mm:ss caixa N: text" to vorinda.log in the data
// folder, for support. Never fails loudly: a log that cannot be written is
// simply skipped.
void logFailure(const QString& dataDir, qint16 numero_caixa, const QString& text);
