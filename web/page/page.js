// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's view: it forwards the five events of the main window to the calculator's core
// (compiled from the same C++ as the desktop program) and draws what comes back. It holds no
// number, formula or wording of its own: the fields, labels and texts are in the generated
// markup, the results and the boxes come from the core.

import createCore from './ddvelmor-core.mjs';

const fields = [...document.querySelectorAll('input[data-field]')].sort(
    (a, b) => a.dataset.field - b.dataset.field);
const field = (name) => document.getElementById(`Form1_${name}`);
const Text4 = fields.find((input) => input.id.startsWith('Form1_Text4_'));
const Text11 = fields.find((input) => input.id.startsWith('Form1_Text11_'));
const mainForm = document.getElementById('Form1');
const boxDialog = document.getElementById('box');

// The decimal separator of the browser's regional settings, which results are written with.
// Looked up once (the first look-up loads the locale's data) and again when the browser's
// languages change.
let separator = null;
function decimalSeparator() {
    if (separator === null) {
        // A language list that is no list of language tags (a browser started under the C
        // locale reports "C") leaves the browser's own default.
        let format;
        try {
            format = new Intl.NumberFormat(navigator.languages);
        } catch {
            format = new Intl.NumberFormat();
        }
        separator = format.formatToParts(0.5).find((part) => part.type === 'decimal')?.value ?? '.';
    }
    return separator;
}
window.addEventListener('languagechange', () => { separator = null; });

// The core's C interface, with strings passed through the core's own memory so that a text of
// any length fits.
function wrap(core) {
    const withString = (text, use) => {
        const size = core.lengthBytesUTF8(text) + 1;
        const pointer = core._malloc(size);
        if (!pointer)
            return use(0);
        try {
            core.stringToUTF8(text, pointer, size);
            return use(pointer);
        } finally {
            core._free(pointer);
        }
    };
    return {
        setText: (index, text) => withString(text, (p) => p && core._ddv_set_text(index, p)),
        text: (index) => core.UTF8ToString(core._ddv_text(index)),
        calculate: (separator) => withString(separator, (p) => core._ddv_calculate(p)),
        checkRxWire: () => core._ddv_check_rx_wire(),
        checkTxWire: () => core._ddv_check_tx_wire(),
        box: (k) => ({
            title: core.UTF8ToString(core._ddv_box_title(k)),
            prompt: core.UTF8ToString(core._ddv_box_prompt(k)),
            style: core._ddv_box_style(k),
        }),
    };
}

// Boxes: modal, one after another in the order the command asked for them; Enter or Esc closes
// each, and the focus returns where it was.
const pendingBoxes = [];
let focusBeforeBoxes = null;

function showBoxes(core, count, returnTo = document.activeElement) {
    for (let k = 0; k < count; ++k)
        pendingBoxes.push(core.box(k));
    if (count > 0 && !boxDialog.open) {
        focusBeforeBoxes = returnTo;
        showNextBox();
    }
}

function showNextBox() {
    const box = pendingBoxes.shift();
    if (!box) {
        const back = focusBeforeBoxes;
        focusBeforeBoxes = null;
        if (back && back.isConnected && typeof back.focus === 'function')
            back.focus({preventScroll: true});
        return;
    }
    boxDialog.querySelector('#box-title').textContent = box.title;
    boxDialog.querySelector('#box-prompt').textContent = box.prompt;
    boxDialog.dataset.style = box.style === 16 ? 'critical' : 'exclamation';
    boxDialog.showModal();
    boxDialog.querySelector('button').focus();
}

// Closed at once, not when the dialog's close event comes later, so that the next box or the
// focus is in place before the next key.
function closeBox() {
    boxDialog.close();
    showNextBox();
}
boxDialog.querySelector('button').addEventListener('click', closeBox);
boxDialog.addEventListener('cancel', (event) => {
    event.preventDefault();
    closeBox();
});

// The information windows: shown beside the main window, which goes on working; a second
// click brings the open one to the front. Closing one discards the edits in its text box.
let topmost = 10;

function showInfo(dialog) {
    if (!dialog.open) {
        for (const box of dialog.querySelectorAll('textarea'))
            box.value = box.defaultValue;
        dialog.opener = document.activeElement;
        dialog.show();
    }
    dialog.style.zIndex = String(++topmost);
    dialog.querySelector('button.ok').focus();
}

for (const dialog of document.querySelectorAll('dialog.info')) {
    const ok = dialog.querySelector('button.ok');
    ok.addEventListener('click', () => {
        dialog.close();
        const opener = dialog.opener;
        if (opener && opener.isConnected && !opener.closest('dialog:not([open])'))
            opener.focus({preventScroll: true});
    });
    // Enter presses the window's button, as Esc does, except where Enter edits the text box or
    // presses the focused button itself.
    dialog.addEventListener('keydown', (event) => {
        const plain = !event.altKey && !event.ctrlKey && !event.metaKey && !event.shiftKey;
        if (!plain)
            return;
        const target = event.target;
        if (event.key === 'Escape' || (event.key === 'Enter' && target.tagName !== 'TEXTAREA' &&
                                        target.tagName !== 'BUTTON')) {
            event.preventDefault();
            ok.click();
        }
    });
    dialog.addEventListener('pointerdown', () => {
        dialog.style.zIndex = String(++topmost);
    });
}

async function start() {
    const core = wrap(await createCore());
    const guarded = (handler) => (event) => {
        try {
            handler(event);
        } catch (error) {
            // The core reports every fault of a command as a box; anything else is a defect,
            // shown in the console rather than left to stop the page.
            console.error(error);
        }
    };

    // The field texts live in the core; every edit is forwarded at once.
    for (const input of fields) {
        core.setText(Number(input.dataset.field), input.value);
        input.addEventListener('input', guarded(() => {
            core.setText(Number(input.dataset.field), input.value);
            // Text4_Change: the RX wire check on every edit.
            if (input === Text4)
                showBoxes(core, core.checkRxWire());
        }));
    }

    // Text11_LostFocus: the TX wire check when the focus moves from the field to another place
    // of this page, not when the page itself loses the focus or a window of its own takes it.
    Text11.addEventListener('focusout', guarded((event) => {
        const to = event.relatedTarget;
        if (to && to.closest('dialog'))
            return;
        const check = () => {
            if (document.hasFocus() && document.activeElement !== Text11 && !boxDialog.open)
                showBoxes(core, core.checkTxWire());
        };
        if (to)
            showBoxes(core, core.checkTxWire(), to);
        else
            setTimeout(guarded(check), 0);
    }));

    // Command1_Click: Calculate, then every field the command wrote, shown from its start.
    field('Command1').addEventListener('click', guarded(() => {
        const start = performance.now();
        for (const input of fields)
            core.setText(Number(input.dataset.field), input.value);
        const count = core.calculate(decimalSeparator());
        for (const input of fields) {
            const text = core.text(Number(input.dataset.field));
            if (input.value !== text) {
                input.value = text;
                input.scrollLeft = 0;
            }
        }
        performance.measure('ddv-results', {start});
        showBoxes(core, count);
        performance.measure('ddv-calculate', {start});
    }));
    field('Command2').addEventListener('click', () => showInfo(document.getElementById('frmAbout')));
    field('Command3').addEventListener('click', () => showInfo(document.getElementById('frmAbout1')));

    // Tab after the window's last control goes round to its first, Shift+Tab the other way.
    const stops = [...mainForm.querySelectorAll('[tabindex]')]
        .filter((e) => e.tabIndex > 0).sort((a, b) => a.tabIndex - b.tabIndex);
    mainForm.addEventListener('keydown', (event) => {
        if (event.key !== 'Tab' || event.altKey || event.ctrlKey || event.metaKey)
            return;
        const [first, last] = [stops[0], stops[stops.length - 1]];
        const target = event.shiftKey ? (event.target === first ? last : null)
                                      : (event.target === last ? first : null);
        if (target) {
            event.preventDefault();
            target.focus();
        }
    });

    document.documentElement.dataset.ready = '';
    performance.mark('ddv-ready');

    // The first Calculate compiles the core's code on its way; one run while the page is idle
    // does that beforehand, and the texts are put back as they are in the fields.
    const idle = window.requestIdleCallback ?? ((work) => setTimeout(work, 50));
    idle(guarded(() => {
        core.calculate(decimalSeparator());
        for (const input of fields)
            core.setText(Number(input.dataset.field), input.value);
        performance.mark('ddv-warm');
    }));
    registerServiceWorker();
}

// The page works offline once it has been opened: the service worker keeps the site. A new
// release takes over at the next visit; while nothing has been typed yet, at once.
let edited = false;
mainForm.addEventListener('input', () => { edited = true; }, {once: true});
function registerServiceWorker() {
    if (!('serviceWorker' in navigator) || !window.isSecureContext)
        return;
    const hadController = Boolean(navigator.serviceWorker.controller);
    navigator.serviceWorker.addEventListener('controllerchange', () => {
        if (hadController && !edited)
            location.reload();
    });
    navigator.serviceWorker.register('sw.js').catch((error) => console.warn(error));
}

start();
