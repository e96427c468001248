#pragma once

#include "common/field_kind.h"
#include "db/money.h"
#include "db/result.h"
#include "db/rows.h"
#include "db/sql_value.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

class Connection;
class Messages;
struct TerminalSettings;

// One text field of a register form, by its control name.
struct FormField
{
    QString name;                          // objectName: "Text1"
    QString label;                         // "Nome"
    bool required = false;                 // the "*" tag read before saving
    int maxLength = 0;                     // 0: no limit
    FieldKind typing = FieldKind::None;    // filtra_tecla while typing
    FieldKind leaving = FieldKind::None;   // formata_campo on leaving
};

// What every register form does, without widgets: a new record shows the
// next code (the generator's value + 1, the generator itself never advanced
// here), a change loads its record, "&Gravar" checks the required fields, the
// texts (Latin-1 only, what the printer takes) and the quantities (three
// decimals at most), then inserts or updates through bound statements. A
// refusal of the database keeps every typed value: a text too long for its
// column (-802) is told by its field, anything else goes to trata_erro_banco,
// and a refused insert shows the code the next save will use. A register
// describes its fields and statements; the widget moves the texts in and out
// by name. A field typed as money and left as a whole number is a quantity.
class RegisterForm
{
public:
    enum class Saved {
        No,        // refused (a message was shown); the values stay as typed
        Inserted,  // the form is empty again, showing the next code
        Updated    // the form closes; the list that opened it refills
    };

    RegisterForm(const TerminalSettings& settings, Messages& messages, QList<FormField> fields,
                 bool binclusao, qint32 codigo);
    virtual ~RegisterForm() = default;
    RegisterForm(const RegisterForm&) = delete;
    RegisterForm& operator=(const RegisterForm&) = delete;

    bool binclusao() const { return m_binclusao; }
    // The code of the record being changed.
    qint32 codigo() const { return m_codigo; }
    const QList<FormField>& fields() const { return m_fields; }
    const FormField* field(const QString& name) const;

    QString text(const QString& name) const { return m_texts.value(name); }
    void setText(const QString& name, const QString& text);

    // Opening: every text emptied, the defaults put in, then the next code
    // (new record) or the record itself (change).
    void open();
    // "&Gravar".
    Saved save();
    // After a refused save: the field the operator has to put right, when
    // the refusal points at one ("" otherwise).
    QString fieldToFix() const { return m_fieldToFix; }

protected:
    Connection& conexao() const;
    Messages& messages() const { return m_messages; }
    const TerminalSettings& settings() const { return m_settings; }

    // The field's text read as a number ("1.234,50", "R$ 12,5", "3").
    std::optional<Money> number(const QString& name) const;
    // The field's text as a 32-bit code; empty when it is not one.
    std::optional<qint32> code(const QString& name) const;
    // The code a new record is sent with, the one shown on opening; a
    // failure (told as any refusal) when its text is not a code.
    Result<qint32> shownCode() const;
    // mostra_dados's read: the rows `sql` finds (none when the record has
    // gone); nothing when the read failed, its message shown.
    std::optional<Rows> readRecord(const QString& sql, const SqlParams& params = {}) const;
    // Shows a refusal through trata_erro_banco.
    void reportFailure(const Failure& failure) const;
    // A refused save: an over-long text named by its field (which the
    // operator is sent back to), a number out of range in Portuguese, any
    // other refusal through trata_erro_banco.
    void reportSaveFailure(const Failure& failure);
    // Names the field a refused save points at.
    void pointAt(const QString& name) { m_fieldToFix = name; }

    // Values every opening puts back (money fields at zero, flags).
    virtual void putDefaults() {}
    // The generator whose value + 1 a new record shows, or none.
    virtual QString generatorName() const { return {}; }
    virtual QString codeField() const { return QStringLiteral("Text11"); }
    // mostra_dados: fills the fields from the record `codigo()`; false when
    // the read itself failed (its message already shown).
    virtual bool load() = 0;
    // Last checks after the required fields, before the statement; false
    // after showing why.
    virtual bool readyToSave() { return true; }
    // The statements; their result is the number of rows they touched.
    virtual Result<int> insert() = 0;
    virtual Result<int> update() = 0;
    // An update that finds no row (deleted at another workstation meanwhile)
    // is reported rather than taken as saved.
    virtual bool missingRowIsRefused() const { return true; }

private:
    bool requiredFilled() const;
    bool numbersRead() const;
    bool textsPrintable();
    bool noneNegative();
    bool quantitiesExact();
    static bool isQuantity(const FormField& f);
    // False when the generator could not be read (told unless `quietly`).
    bool showNextCode(bool quietly = false);

    const TerminalSettings& m_settings;
    Messages& m_messages;
    QList<FormField> m_fields;
    QHash<QString, QString> m_texts;
    QString m_fieldToFix;
    bool m_binclusao;
    qint32 m_codigo;
};
