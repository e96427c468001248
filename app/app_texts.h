#pragma once

#include <QString>

// Messages of the start-up and the configuration editor that are this
// program's own (the others are in common/message_texts.h).
namespace apptext {

inline const QString configNaoGravada = QStringLiteral(
    "Não foi possível gravar o arquivo de configuração! Nada foi alterado. Verifique a pasta de dados e tente novamente.");

} // namespace apptext
