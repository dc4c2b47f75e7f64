// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's view: it forwards the five events of the main window to the calculator's core
// (compiled from the same C++ as the desktop program) and draws what comes back. It holds no
// number, formula or wording of its own: the fields, labels and texts are in the generated
// markup, the results and the boxes come from the core.

import createCore from './ddvelmor-core.mjs';

const mainForm = document.getElementById('Form1');
const fields = [...mainForm.querySelectorAll('input[data-field]')].sort(
    (a, b) => a.dataset.field - b.dataset.field);
const field = (name) => document.getElementById(`Form1_${name}`);
const Text4 = fields.find((input) => input.id.startsWith('Form1_Text4_'));
const Text11 = fields.find((input) => input.id.startsWith('Form1_Text11_'));
const commands = [...mainForm.querySelectorAll('.commands button')];
// The window's controls in its focus order, which is the order of the markup.
const stops = [...mainForm.querySelectorAll('input, button')];
const boxDialog = document.getElementById('box');
// Screens narrower than the window, where the page is one column (from the design's width).
const narrow = window.matchMedia(mainForm.dataset.narrow);

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

// The focus back where it was; in a field, with the caret at the end of its text, ready for
// the next key.
function focusBack(element) {
    if (!element || !element.isConnected || typeof element.focus !== 'function' ||
        element.closest('dialog:not([open])'))
        return;
    element.focus({preventScroll: true});
    if (element instanceof HTMLInputElement)
        element.setSelectionRange(element.value.length, element.value.length);
}

// Back closes what is open before it leaves the page: the box, then the information window in
// front. Each box or window shown has an entry in the session history above the page's own;
// closed on the page, it takes its entry back. The browser goes back some time after it is
// asked to, so the entries follow the open layers one step at a time.
const layers = [];
let entries = 0; // the page's entries above its own, where the browser stands
let travelling = false; // a step back asked for and not yet taken
history.replaceState({ddvLayers: 0}, '');
// Going back through these entries leaves the page where the user has scrolled it.
history.scrollRestoration = 'manual';

function followLayers() {
    if (travelling)
        return;
    if (entries > layers.length) {
        travelling = true;
        history.go(layers.length - entries);
    }
    while (entries < layers.length)
        history.pushState({ddvLayers: ++entries}, '');
}

function opened(layer) {
    layers.push(layer);
    followLayers();
}

function closedOnThePage(layer) {
    const at = layers.indexOf(layer);
    if (at >= 0) {
        layers.splice(at, 1);
        followLayers();
    }
}

const frontLayer = () => layers.reduce((front, layer) =>
    !front || layer.front() > front.front() ? layer : front, null);

window.addEventListener('popstate', (event) => {
    entries = event.state?.ddvLayers ?? 0;
    if (travelling) {
        travelling = false;
    } else {
        // The user went back: what stood above that entry closes.
        while (layers.length > entries) {
            const layer = frontLayer();
            layers.splice(layers.indexOf(layer), 1);
            layer.close();
        }
    }
    followLayers();
});

// Boxes: modal, one after another in the order the command asked for them; a click or a tap on
// OK, Enter, Space or Esc closes each, and the focus returns where it was. Then comes what the
// event that raised them was still to do.
const pendingBoxes = [];
let focusBeforeBoxes = null;
let afterBoxes = null;
const boxLayer = {front: () => Infinity, close: () => closeBox(false)};

function showBoxes(core, count, {returnTo = document.activeElement, then = null} = {}) {
    for (let k = 0; k < count; ++k)
        pendingBoxes.push(core.box(k));
    if (count === 0 || boxDialog.open) {
        then?.();
        return;
    }
    focusBeforeBoxes = returnTo;
    afterBoxes = then;
    showNextBox();
}

function showNextBox() {
    const box = pendingBoxes.shift();
    if (!box) {
        const [back, then] = [focusBeforeBoxes, afterBoxes];
        focusBeforeBoxes = afterBoxes = null;
        focusBack(back);
        then?.();
        return;
    }
    boxDialog.querySelector('#box-title').textContent = box.title;
    boxDialog.querySelector('#box-prompt').textContent = box.prompt;
    boxDialog.dataset.style = box.style === 16 ? 'critical' : 'exclamation';
    boxDialog.showModal();
    boxDialog.querySelector('button').focus();
    opened(boxLayer);
}

// Closed at once, not when the dialog's close event comes later, so that the next box or the
// focus is in place before the next key.
function closeBox(onThePage = true) {
    if (!boxDialog.open)
        return;
    if (onThePage)
        closedOnThePage(boxLayer);
    boxDialog.close();
    showNextBox();
}
// A press on OK keeps the focus and the selection where they are until the box is closed, so
// that they return to the field as they were.
boxDialog.querySelector('button').addEventListener('mousedown', (event) => event.preventDefault());
boxDialog.querySelector('button').addEventListener('click', () => closeBox());
boxDialog.addEventListener('cancel', (event) => {
    event.preventDefault();
    closeBox();
});

// The information windows: shown beside the main window, which goes on working; a second
// click brings the open one to the front. Closing one discards the edits in its text box.
let topmost = 10;

function raise(dialog) {
    dialog.style.zIndex = dialog.style.order = String(++topmost);
}

function showInfo(dialog) {
    if (!dialog.open) {
        for (const box of dialog.querySelectorAll('textarea'))
            box.value = box.defaultValue;
        dialog.opener = document.activeElement;
        dialog.show();
        opened(dialog.layer);
    }
    raise(dialog);
    dialog.querySelector('button.ok').focus();
}

function closeInfo(dialog, onThePage) {
    if (!dialog.open)
        return;
    if (onThePage)
        closedOnThePage(dialog.layer);
    dialog.close();
    focusBack(dialog.opener);
}

for (const dialog of document.querySelectorAll('dialog.info')) {
    const ok = dialog.querySelector('button.ok');
    dialog.layer = {front: () => Number(dialog.style.zIndex), close: () => closeInfo(dialog, false)};
    ok.addEventListener('click', () => closeInfo(dialog, true));
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
    dialog.addEventListener('pointerdown', () => raise(dialog));
}

// The command button being pressed, from the press until its release. A press that takes the
// focus from the TX wire field raises that field's box first, which takes the release: the
// button's command then runs once the box is closed.
let pressed = null;
for (const button of commands)
    button.addEventListener('pointerdown', () => { pressed = button; });
for (const type of ['pointerup', 'pointercancel'])
    document.addEventListener(type, () => { pressed = null; }, true);

// Typed into a field, a comma is the point that numbers are read with: a Russian keyboard's
// decimal key, on a keypad or a phone's decimal keys, types a comma. What is pasted or dropped,
// and what the program writes, stays as it is. The two come from the core's reading rule.
const {point, typedComma} = mainForm.dataset;
const typedAsPoint = (text) => text.replaceAll(typedComma, point);
function typeInto(input, text) {
    // As typed text: in the field's undo history, with its input event.
    if (document.execCommand('insertText', false, text))
        return;
    input.setRangeText(text, input.selectionStart, input.selectionEnd, 'end');
    input.dispatchEvent(new InputEvent('input', {bubbles: true, inputType: 'insertText', data: text}));
}
mainForm.addEventListener('beforeinput', (event) => {
    if (event.inputType === 'insertText' && event.data?.includes(typedComma) && event.cancelable &&
        fields.includes(event.target)) {
        event.preventDefault();
        typeInto(event.target, typedAsPoint(event.data));
    }
});
// A phone's keyboard may put in what it types without asking first (text it composes): its
// comma becomes the point once it is in, before the field's own handler reads the text.
const TYPED = ['insertText', 'insertCompositionText', 'insertFromComposition'];
mainForm.addEventListener('input', (event) => {
    const input = event.target;
    if (!TYPED.includes(event.inputType) || event.isComposing || !event.data?.includes(typedComma) ||
        !fields.includes(input))
        return;
    const end = input.selectionEnd;
    const start = end - event.data.length;
    if (start >= 0 && input.value.slice(start, end) === event.data)
        input.setRangeText(typedAsPoint(event.data), start, end, 'end');
}, true);

// After a calculation on a narrow screen, the results in sight (the bar covers the bottom).
function showResults() {
    if (!narrow.matches)
        return;
    const results = fields.filter((input) => input.classList.contains('output'));
    const bottom = innerHeight - mainForm.querySelector('.commands').offsetHeight;
    const inSight = (e) => {
        const r = e.getBoundingClientRect();
        return r.top >= 0 && r.bottom <= bottom;
    };
    if (results.every(inSight))
        return;
    const section = mainForm.querySelector(`.section[aria-owns~="${results[0].id}-row"]`);
    (section ?? results[0]).scrollIntoView({block: 'start'});
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
        // A click into an information window focuses that window: no check.
        if (to?.closest('dialog'))
            return;
        const command = commands.includes(to) ? to : pressed;
        const then = command && (() => command.click());
        if (to) {
            showBoxes(core, core.checkTxWire(), {returnTo: to, then});
            return;
        }
        // Nothing took the focus: a press on the page, or the window lost the focus.
        setTimeout(guarded(() => {
            if (document.hasFocus() && document.activeElement !== Text11 && !boxDialog.open)
                showBoxes(core, core.checkTxWire(), {then});
        }), 0);
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
        showBoxes(core, count, {then: showResults});
        performance.measure('ddv-calculate', {start});
    }));
    field('Command2').addEventListener('click', () => showInfo(document.getElementById('frmAbout')));
    field('Command3').addEventListener('click', () => showInfo(document.getElementById('frmAbout1')));

    mainForm.addEventListener('keydown', (event) => {
        if (event.altKey || event.ctrlKey || event.metaKey || event.isComposing)
            return;
        const at = stops.indexOf(event.target);
        // Tab after the window's last control goes round to its first, Shift+Tab the other way.
        if (event.key === 'Tab') {
            const next = event.shiftKey ? (at === 0 ? stops.at(-1) : null)
                                        : (at === stops.length - 1 ? stops[0] : null);
            if (next) {
                event.preventDefault();
                next.focus();
            }
        }
        // Enter in a field goes on to the next control, as the phone's key says; it calculates
        // nothing.
        if (event.key === 'Enter' && !event.shiftKey && fields.includes(event.target)) {
            event.preventDefault();
            stops[(at + 1) % stops.length].focus();
        }
    });

    // The page below the bar of buttons on narrow screens stays reachable.
    const bar = mainForm.querySelector('.commands');
    new ResizeObserver(() => document.documentElement.style.setProperty(
        '--bar-height', `${bar.getBoundingClientRect().height}px`)).observe(bar);

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
// release takes over at the next visit: a page of an older release, shown from the kept copy
// while the new one was fetched, reloads as the new one, if nothing has been typed into it yet.
// The new worker may take over before this script runs or after, so the page asks the worker
// which release it keeps both at once and when the worker changes.
let edited = false;
mainForm.addEventListener('input', () => { edited = true; }, {once: true});
const release = document.querySelector('meta[name=release]').content;
function releaseKept() {
    const worker = navigator.serviceWorker.controller;
    if (!worker)
        return Promise.resolve(null);
    return new Promise((answer) => {
        const channel = new MessageChannel();
        channel.port1.onmessage = (event) => answer(event.data);
        worker.postMessage('release', [channel.port2]);
    });
}
async function takeNewRelease() {
    const kept = await releaseKept();
    if (kept && kept !== release && !edited)
        location.reload();
}
if ('serviceWorker' in navigator)
    navigator.serviceWorker.addEventListener('controllerchange', takeNewRelease);
function registerServiceWorker() {
    if (!('serviceWorker' in navigator) || !window.isSecureContext)
        return;
    navigator.serviceWorker.register('sw.js').then(takeNewRelease, (error) => console.warn(error));
}

start();
