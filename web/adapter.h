// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The calculator's core as the web page drives it: a plain C interface over the fourteen
// field texts, the three commands and the boxes each command asked for. The page keeps no
// number, formula or wording of its own; it forwards its events here and draws what comes
// back.
//
// Fields are numbered 0..13 in the order of calculator::Field (Text1 ... Text14). Texts are
// UTF-8 and of any length. A command cannot wait for the user inside a box in a page, so the
// boxes are kept in order and the page shows them one after another once the command has
// returned; every box of the commands is the last thing its command does, so nothing the
// user sees comes out in another order than in the desktop program.
//
// Every returned string stays valid until the next call that changes it: a field's text until
// that field is set again or a command writes it, the boxes until the next command.

#ifdef __cplusplus
extern "C" {
#endif

// The number of fields: 14.
int ddv_field_count(void);

// A field's text; every field starts with its default text. Out of range: ignored, "".
void ddv_set_text(int field, const char *utf8);
const char *ddv_text(int field);

// Calculate over the texts, writing the results with the given decimal separator (the
// browser's regional one; "." when null). Returns the number of boxes it asked for (0 or 1).
int ddv_calculate(const char *decimalSeparator);

// The RX wire check (on every edit of its field) and the TX wire check (when its field is
// left). Each returns the number of boxes it asked for (0 or 1).
int ddv_check_rx_wire(void);
int ddv_check_tx_wire(void);

// The k-th box of the last command, from 0: its title, its prompt and its style, the value of
// calculator::BoxStyle: 16 a stop icon, 48 an exclamation mark, either with one OK button.
// Out of range: "" and 0.
const char *ddv_box_title(int k);
const char *ddv_box_prompt(int k);
int ddv_box_style(int k);

#ifdef __cplusplus
}
#endif
