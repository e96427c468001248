#pragma once

#include <QStringList>

class Messages;
class QLineEdit;
class QWidget;

// The required-field mark: a text field whose property "tag" is "*".
void markRequired(QWidget* field, bool required = true);
bool isRequired(const QWidget* field);

// verifica_obrigatorios: true when every marked text field of `screen` holds
// some text (a blank counts); otherwise the message "Verifique se os campos
// obrigatórios foram preenchidos corretamente!" and false. The focus stays.
bool verifica_obrigatorios(QWidget* screen, Messages& messages);
// The same for a screen that keeps its fields as values: the texts of its
// required fields.
bool verifica_obrigatorios(const QStringList& requiredTexts, Messages& messages);

// limpa_campos: every text field of `screen` emptied; other controls kept.
void limpa_campos(QWidget* screen);

// confirma_exclusao: "Confirma a exclusão desse registro?"; true on "Sim".
bool confirma_exclusao(Messages& messages);

// registro_nao_localizado: "Registro não localizado!", then the focus back
// on `field` (when given) with its whole text selected.
void registro_nao_localizado(Messages& messages, QLineEdit* field = nullptr);
