#pragma once

#include "app/config_editor.h"

#include <QDialog>

class Messages;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
struct TerminalSettings;

// FrmConfiguracao, "Configurações": the terminal configuration editor's
// window. It only moves values between its controls and ConfigEditor.
class ConfigEditorWindow final : public QDialog
{
    Q_OBJECT

public:
    ConfigEditorWindow(const QString& filePath, const TerminalSettings& held,
                       const QString& programFolder, Messages& messages, QWidget* parent = nullptr);

    ConfigForm form() const;

signals:
    // The file was written; the window closes right after.
    void saved();

private:
    void buildControls();
    void showForm(const ConfigForm& form);
    void gravar();

    ConfigEditor m_editor;
    QLineEdit* m_text11 = nullptr;
    QLineEdit* m_text3 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QComboBox* m_combo1 = nullptr;
    QComboBox* m_combo2 = nullptr;
    QCheckBox* m_check2 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
};
