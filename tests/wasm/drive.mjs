// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The WebAssembly side of the comparison: node drive.mjs MODULE_DIR < cases > results.
// Loads ddvelmor-core.mjs as the page does (its ES module, with the .wasm handed over as
// bytes instead of fetched), passes the texts in through malloc and stringToUTF8 and reads
// them back with UTF8ToString, and writes for each case the line that reference.cpp writes.

import { readFileSync, writeSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const dir = process.argv[2];
const { default: createCore } = await import(pathToFileURL(`${dir}/ddvelmor-core.mjs`).href);
const core = await createCore({ wasmBinary: readFileSync(`${dir}/ddvelmor-core.wasm`) });

const escaped = (text) => text.replace(/[\\\t\n]/g, (c) => (c === '\\' ? '\\\\' : c === '\t' ? '\\t' : '\\n'));
const unescaped = (text) => text.replace(/\\(.)/gs, (_, c) => (c === 't' ? '\t' : c === 'n' ? '\n' : c));

// Runs fn with the text as a null-terminated UTF-8 string in the module's memory.
function withText(text, fn) {
    const size = core.lengthBytesUTF8(text) + 1;
    const pointer = core._malloc(size);
    try {
        core.stringToUTF8(text, pointer, size);
        return fn(pointer);
    } finally {
        core._free(pointer);
    }
}

const fieldCount = core._ddv_field_count();
const lines = readFileSync(0, 'utf8').split('\n');
if (lines[lines.length - 1] === '') lines.pop();

let out = [];
let outSize = 0;
const flush = () => {
    writeSync(1, out.join(''));
    out = [];
    outSize = 0;
};

lines.forEach((line, index) => {
    const parts = line.split('\t').map(unescaped);
    if (parts.length !== fieldCount + 2) throw new Error(`line ${index + 1} holds no case`);
    const [command, separator] = parts;
    for (let field = 0; field < fieldCount; ++field)
        withText(parts[field + 2], (p) => core._ddv_set_text(field, p));
    let boxes;
    if (command === 'C') boxes = withText(separator, (p) => core._ddv_calculate(p));
    else if (command === 'R') boxes = core._ddv_check_rx_wire();
    else if (command === 'T') boxes = core._ddv_check_tx_wire();
    else throw new Error(`line ${index + 1} holds no case`);

    const result = [String(boxes)];
    for (let field = 0; field < fieldCount; ++field)
        result.push(escaped(core.UTF8ToString(core._ddv_text(field))));
    for (let k = 0; k < boxes; ++k) {
        result.push(escaped(core.UTF8ToString(core._ddv_box_title(k))));
        result.push(escaped(core.UTF8ToString(core._ddv_box_prompt(k))));
        result.push(String(core._ddv_box_style(k)));
    }
    const text = result.join('\t') + '\n';
    out.push(text);
    outSize += text.length;
    if (outSize > 1 << 22) flush();
});
flush();
