#pragma once

#include <QString>

#include <optional>

class Messages;
struct Failure;

// trata_erro_banco: a refusal of the database told to the operator by its
// SQL code, the text after the first "=" up to the next ":" taken as it is:
//   -836  the operator's text after "{ini}" (user exceptions), information;
//   -530  the integrity question, -803 the duplicate question; on "Sim" the
//         whole description as information;
//   other (or no code, or -836 without "{ini}") the whole description in a
//         plain box.
void trata_erro_banco(Messages& messages, const QString& description);
void trata_erro_banco(Messages& messages, const Failure& failure);

// The code part of a description as trata_erro_banco reads it ("" when none).
QString codigo_erro(const QString& description);

// A text the database found longer than its column: the -802 refusal
// "string right truncation - expected length 20, actual 21". None for any
// other failure (a number out of range is -802 too).
struct TextTooLong
{
    int expected = 0;   // what the column takes
    int actual = 0;     // what was sent
};
std::optional<TextTooLong> textTooLong(const Failure& failure);
