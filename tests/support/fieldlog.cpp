// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fieldlog.h"

#include "calculator/numbers.h"
#include "engine/coil.h"
#include "referencereader.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <utility>

namespace testing_support {

using calculator::Direction;
using calculator::Field;
using calculator::info;

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Skips one or more digits at pos; false when there is none.
bool digits(std::string_view text, std::size_t &pos)
{
    const std::size_t start = pos;
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return pos > start;
}

// The only shape a shown number may take: [-]digits[<separator>digits][E(+|-)digits].
bool isPlainNumber(std::string_view text, std::string_view separator)
{
    std::size_t pos = 0;
    if (pos < text.size() && text[pos] == '-')
        ++pos;
    if (!digits(text, pos))
        return false;
    if (text.substr(pos).starts_with(separator)) {
        pos += separator.size();
        if (!digits(text, pos))
            return false;
    }
    if (pos < text.size() && text[pos] == 'E') {
        ++pos;
        if (pos == text.size() || (text[pos] != '+' && text[pos] != '-'))
            return false;
        ++pos;
        if (!digits(text, pos))
            return false;
    }
    return pos == text.size();
}

bool containsNoCase(std::string_view text, std::string_view word)
{
    for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
        bool same = true;
        for (std::size_t k = 0; k < word.size() && same; ++k) {
            char c = text[i + k];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            same = c == word[k];
        }
        if (same)
            return true;
    }
    return false;
}

} // namespace

FieldTextArray defaultTexts()
{
    FieldTextArray texts;
    for (const calculator::FieldInfo &f : calculator::kFields)
        texts[static_cast<std::size_t>(f.field)] = f.defaultText;
    return texts;
}

std::string nameOf(Field field)
{
    return std::string(info(field).controlName);
}

std::string printable(std::string_view text)
{
    constexpr std::size_t kShown = 80;
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    if (text.size() > kShown)
        out += "... (" + std::to_string(text.size()) + " bytes)";
    return out;
}

FieldTextArray with(FieldTextArray texts, Field field, std::string text)
{
    texts[static_cast<std::size_t>(field)] = std::move(text);
    return texts;
}

std::string joined(const std::vector<std::string> &problems)
{
    std::string text;
    for (const std::string &problem : problems)
        text += "\n  " + problem;
    return text;
}

MemoryFields::MemoryFields(FieldTextArray texts) : texts_(std::move(texts)) {}

std::string MemoryFields::text(Field field) const
{
    return texts_[static_cast<std::size_t>(field)];
}

void MemoryFields::setText(Field field, std::string_view text)
{
    if (order_.empty() || order_.back() != field)
        order_.push_back(field);
    texts_[static_cast<std::size_t>(field)] = text;
    ++writes_[static_cast<std::size_t>(field)];
    written(field, text);
}

long long MemoryFields::writes(Field field) const
{
    return writes_[static_cast<std::size_t>(field)];
}

CheckedFields::CheckedFields(FieldTextArray texts, std::string_view decimalSeparator)
    : MemoryFields(std::move(texts)), separator_(decimalSeparator)
{
}

void CheckedFields::written(Field field, std::string_view text)
{
    // The search writes its counts 2, 3, 4, ...; a count in its place needs no further check,
    // which keeps a search of a hundred thousand passes fast.
    if (field == Field::RxTurns) {
        const std::string expected = std::to_string(writes(field) + 1);
        if (text == expected)
            return;
        complain(field, text, "turn count out of sequence, expected " + expected);
    }

    if (info(field).direction != Direction::Output)
        complain(field, text, "an input field was written");
    if (text.empty())
        complain(field, text, "empty text written");
    if (containsNoCase(text, "inf") || containsNoCase(text, "nan"))
        complain(field, text, "inf or nan written");
    if (!isPlainNumber(text, separator_))
        complain(field, text, "not a plain number");

    try {
        if (!std::isfinite(calculator::readNumber(text)))
            complain(field, text, "reads back as a value that is not finite");
    } catch (const engine::ArithmeticFault &) {
        complain(field, text, "does not read back: beyond the double range");
    }
    if (!referenceRead(text))
        complain(field, text, "the reference reader finds it beyond the double range");
}

void CheckedFields::complain(Field field, std::string_view text, std::string_view why)
{
    problems_.push_back(nameOf(field) + " \"" + printable(text) + "\": " + std::string(why));
}

} // namespace testing_support
