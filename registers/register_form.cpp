#include "registers/register_form.h"

#include "common/br_format.h"
#include "common/db_errors.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/terminal_settings.h"
#include "common/text_utils.h"
#include "db/connection.h"

#include <limits>

RegisterForm::RegisterForm(const TerminalSettings& settings, Messages& messages, QList<FormField> fields,
                           bool binclusao, qint32 codigo)
    : m_settings(settings)
    , m_messages(messages)
    , m_fields(std::move(fields))
    , m_binclusao(binclusao)
    , m_codigo(codigo)
{
}

const FormField* RegisterForm::field(const QString& name) const
{
    for (const auto& f : m_fields)
        if (f.name == name)
            return &f;
    return nullptr;
}

void RegisterForm::setText(const QString& name, const QString& text)
{
    // The length limits what is typed, not what is shown: "R$ 1.234,50" is
    // longer than the ten characters a price takes at the keyboard.
    m_texts.insert(name, text);
}

Connection& RegisterForm::conexao() const
{
    Q_ASSERT(m_settings.conexao);
    return *m_settings.conexao;
}

void RegisterForm::open()
{
    m_texts.clear();
    putDefaults();
    if (m_binclusao)
        showNextCode();
    else
        load();
}

bool RegisterForm::showNextCode(bool quietly)
{
    const QString generator = generatorName();
    if (generator.isEmpty())
        return true;
    const Result<qint64> current = conexao().generator(generator, 0);
    if (!current) {
        if (!quietly)
            reportFailure(current.failure());
        return false;
    }
    setText(codeField(), QString::number(*current + 1));
    return true;
}

RegisterForm::Saved RegisterForm::save()
{
    m_fieldToFix.clear();
    if (!requiredFilled() || !numbersRead()) {
        m_messages.info(msg::camposObrigatorios);
        return Saved::No;
    }
    if (!textsPrintable() || !noneNegative() || !quantitiesExact() || !readyToSave())
        return Saved::No;

    const Result<int> touched = m_binclusao ? insert() : update();
    if (!touched) {
        reportSaveFailure(touched.failure());
        // The refused insert may have drawn the generator (another
        // workstation took the code shown, or the database's trigger gave a
        // code in use): show the one the next save will get. A failed read
        // here keeps the old code; the refusal has been told already.
        if (m_binclusao)
            showNextCode(true);
        return Saved::No;
    }
    if (!m_binclusao) {
        if (*touched == 0 && missingRowIsRefused()) {
            m_messages.info(msg::registroNaoLocalizado);
            return Saved::No;
        }
        return Saved::Updated;
    }
    open();
    return Saved::Inserted;
}

bool RegisterForm::requiredFilled() const
{
    // A text of blanks counts as filled; only the exactly empty text stops.
    for (const auto& f : m_fields)
        if (f.required && text(f.name).isEmpty())
            return false;
    return true;
}

bool RegisterForm::numbersRead() const
{
    // A numeric field that does not read as a number (a lone comma typed and
    // saved with a shortcut, before its leave formatting ran) stops the save
    // like an empty field, instead of being written as zero.
    for (const auto& f : m_fields) {
        const bool numeric = f.typing == FieldKind::Money || f.typing == FieldKind::Whole
            || f.leaving == FieldKind::Money || f.leaving == FieldKind::Whole;
        if (numeric && !text(f.name).isEmpty() && !number(f.name))
            return false;
    }
    return true;
}

bool RegisterForm::textsPrintable()
{
    // The tickets and the printer take Latin-1 only: anything else (an
    // emoji, Chinese) would print as one "?" per UTF-16 unit. A field without
    // a label of its own only shows what another table holds.
    for (const auto& f : m_fields) {
        if (f.label.isEmpty())
            continue;
        const QString outside = firstOutsideLatin1(text(f.name));
        if (!outside.isEmpty()) {
            m_messages.info(msg::caractereNaoImprimivel.arg(f.label, outside));
            pointAt(f.name);
            return false;
        }
    }
    return true;
}

bool RegisterForm::noneNegative()
{
    // Prices and quantities are never below zero, however the text got there.
    for (const auto& f : m_fields) {
        const bool numeric = f.typing == FieldKind::Money || f.leaving == FieldKind::Money;
        const std::optional<Money> value = numeric ? number(f.name) : std::nullopt;
        if (value && *value < Money()) {
            m_messages.info(msg::valorNegativo.arg(f.label));
            pointAt(f.name);
            return false;
        }
    }
    return true;
}

bool RegisterForm::quantitiesExact()
{
    // Quantities are stored with three decimals: a fourth would be rounded
    // away without a word.
    for (const auto& f : m_fields) {
        if (isQuantity(f) && br::beyondDecimals(text(f.name), 3)) {
            m_messages.info(msg::casasDecimais.arg(f.label));
            pointAt(f.name);
            return false;
        }
    }
    return true;
}

bool RegisterForm::isQuantity(const FormField& f)
{
    return f.typing == FieldKind::Money && f.leaving == FieldKind::Whole;
}

void RegisterForm::reportSaveFailure(const Failure& failure)
{
    if (const auto tooLong = textTooLong(failure)) {
        // Firebird does not name the column: the field is the one whose
        // text has the length it reports (in characters, or in UTF-8 bytes).
        for (const auto& f : m_fields) {
            const QString value = text(f.name);
            if (f.label.isEmpty() || f.typing != FieldKind::None || f.leaving != FieldKind::None)
                continue;
            if (value.size() == tooLong->actual || value.toUtf8().size() == tooLong->actual) {
                m_messages.info(msg::textoLongoCampo.arg(f.label).arg(tooLong->expected));
                pointAt(f.name);
                return;
            }
        }
        m_messages.info(msg::textoLongo.arg(tooLong->expected));
        return;
    }
    if (failure.code == QLatin1String("-802")) {
        m_messages.info(msg::valorAcimaDoLimite);
        return;
    }
    reportFailure(failure);
}

std::optional<Money> RegisterForm::number(const QString& name) const
{
    return br::parseMoney(text(name));
}

std::optional<qint32> RegisterForm::code(const QString& name) const
{
    const QString value = text(name).trimmed();
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(n);
}

Result<qint32> RegisterForm::shownCode() const
{
    if (const std::optional<qint32> shown = code(codeField()))
        return *shown;
    return Failure{QString(), QStringLiteral("Código inválido: %1").arg(text(codeField()))};
}

std::optional<Rows> RegisterForm::readRecord(const QString& sql, const SqlParams& params) const
{
    Result<Rows> rows = conexao().select(sql, params);
    if (!rows) {
        reportFailure(rows.failure());
        return std::nullopt;
    }
    return std::move(*rows);
}

void RegisterForm::reportFailure(const Failure& failure) const
{
    trata_erro_banco(m_messages, failure.description());
}
