#pragma once

#include <QDialog>

// Stands where a screen of a later version will open: says which one and
// closes with Escape or "&Sair". Its objectName is the real screen's name.
class PlaceholderScreen final : public QDialog
{
    Q_OBJECT

public:
    // `screenName` as "FrmCadGrupo", `description` as "Cadastro de grupos".
    PlaceholderScreen(const QString& screenName, const QString& description, QWidget* parent = nullptr);

    QString text() const { return m_text; }

private:
    QString m_text;
};
