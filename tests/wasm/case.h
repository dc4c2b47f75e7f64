// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One input of the comparison between the WebAssembly core and the native one, as a line:
// the command (C Calculate, R the RX wire check, T the TX wire check), the decimal separator
// and the fourteen field texts, separated by tabs, with backslash, tab and line feed written
// as \\, \t and \n. drive.mjs reads the same lines.

#include "calculator/fields.h"

#include <array>
#include <string>
#include <string_view>

namespace webcore_test {

struct Case {
    char command;
    std::string separator;
    std::array<std::string, calculator::kFieldCount> texts;
};

inline std::string escaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

inline std::string unescaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            out += next == 't' ? '\t' : next == 'n' ? '\n' : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

inline std::string encode(const Case &c)
{
    std::string line(1, c.command);
    line += '\t' + escaped(c.separator);
    for (const std::string &text : c.texts)
        line += '\t' + escaped(text);
    return line;
}

// The case a line holds; the command is '?' when the line holds no case.
inline Case decode(std::string_view line)
{
    Case c{'?', {}, {}};
    std::array<std::string, calculator::kFieldCount + 2> parts;
    std::size_t part = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] != '\t')
            continue;
        if (part == parts.size())
            return c;
        parts[part++] = unescaped(line.substr(start, i - start));
        start = i + 1;
    }
    if (part != parts.size() || parts[0].size() != 1)
        return c;
    c.command = parts[0][0];
    c.separator = parts[1];
    for (std::size_t i = 0; i < calculator::kFieldCount; ++i)
        c.texts[i] = parts[i + 2];
    return c;
}

} // namespace webcore_test
