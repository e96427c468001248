#pragma once

#include <QString>

// The console's own texts: the window's, the status bar's and the messages
// of the migration password.
namespace consoletext {

inline const QString caption = QStringLiteral("Vorinda");
// Status bar panel 1, followed by major.minor.revision.
inline const QString versao = QStringLiteral("Vorinda - Versão ");
inline const QString caps = QStringLiteral("CAPS");
inline const QString num = QStringLiteral("NUM");
inline const QString scrl = QStringLiteral("SCRL");

// The migration entry's prompt (its text and its title) and refusal.
inline const QString senhaPrompt = QStringLiteral("senha");
inline const QString senhaInvalida = QStringLiteral("senha invalida");

// Placeholder of a screen this version does not have yet.
inline const QString telaIndisponivel = QStringLiteral("%1 (%2) ainda não disponível nesta versão.");
inline const QString sair = QStringLiteral("&Sair");

} // namespace consoletext
