#pragma once

#include "registers/code_name_list.h"
#include "registers/list_screen_widget.h"

// The widgets of a code-or-name list: "Código" (`Text2`, digits only) beside
// "Nome" (`Text1`), the screen opening in "Código".
class CodeNameListWidget : public ListScreenWidget
{
    Q_OBJECT

protected:
    // `name`: the screen's objectName.
    CodeNameListWidget(std::unique_ptr<CodeNameList> list, Messages& messages, const QString& name,
                       const QString& caption, const QString& title, QWidget* parent);

    void pullFilters() override;

private:
    QLineEdit* m_codigo = nullptr;
    QLineEdit* m_nome = nullptr;
};
