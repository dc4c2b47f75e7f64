// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The web page in a real browser, driven as a person drives it: fields found by their labels,
// buttons by their captions, keys pressed and taps made, and what is shown read back. Expected
// values are the design's own. The site is DDV_WEB_SITE (build-web/site), the engine
// DDV_WEB_ENGINE (chromium, the default, firefox or webkit). Every test has a time limit and
// leaves nothing behind, passed or failed.
//   node --test --test-force-exit tests/web/

import {after, before, describe, test as nodeTest} from 'node:test';
import assert from 'node:assert/strict';
import {cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join, resolve} from 'node:path';

import {startServer} from '../../web/serve.mjs';
import {accessibilityViolations, button, drawn, field, focused, goto, launch, openDialogs,
        openPage, problemsOf, retype, spoken, value} from './browser.mjs';

const SITE = resolve(process.env.DDV_WEB_SITE ?? 'build-web/site');
const ENGINE = process.env.DDV_WEB_ENGINE ?? 'chromium';

// Whether the engine is driven through puppeteer, which also sees the page's requests.
const PUPPETEER = ENGINE !== 'webkit';
// WebKitGTK's test browser keeps its window at least 447 pixels wide.
const NARROWEST = ENGINE === 'webkit' ? 447 : 0;

const LIMIT = 90_000;
const test = (name, fn) => nodeTest(name, {timeout: LIMIT}, fn);

// The design's texts.
const CAPTION = 'DD for Velmor ARM / AVR    by_Tamrel   v.1.0';
const L = {
    rxFrequency: 'Желаемая частота - RX', ring: 'Внутренний диаметр - RX',
    rxCapacitance: 'Емкость контура  - RX', rxWire: 'Диаметр проводника - RX',
    rxInductance: 'Индуктивность - RX', rxTurns: 'Число витков - RX      (в пределах 175 - 250!!)',
    rxSection: 'Сечение  - RX', txFrequency: 'Желаемая частота - TX',
    txRing: 'Внутренний диаметр - TX', txTurns: 'Число витков - TX',
    txWire: 'Диаметр проводника - TX', txCapacitance: 'Емкость контура  - TX',
    txInductance: 'Индуктивность - TX', txSection: 'Сечение  - TX',
};
const TURN_BOX = {role: 'alertdialog', modal: true,
                  title: 'Ошибка. Неправильное значение витков RX',
                  prompt: 'Подберите диаметр провода  или конденсатор для RX !!! '};
const RX_WIRE_BOX = {role: 'alertdialog', modal: true, title: 'Ошибка',
                     prompt: 'Возьмите провод меньшим диаметром для RX! <= 0.2 мм '};
const TX_WIRE_BOX = {role: 'alertdialog', modal: true, title: 'Ошибка',
                     prompt: 'Возьмите другой провод для TX!!!  В пределах 0.35 - 0.45 '};
const FAULT_TITLE = 'Ошибка расчета';
const CHECK_RX_TANK = 'Проверьте поля «Желаемая частота - RX» и «Емкость контура  - RX».';
// The focus order of the window.
const TAB_ORDER = [L.rxFrequency, L.ring, L.rxWire, 'Расчет', 'О программе', 'Автор',
                   L.rxCapacitance, L.rxSection, L.rxTurns, L.rxInductance, L.txInductance,
                   L.txTurns, L.txSection, L.txCapacitance, L.txWire, L.txRing, L.txFrequency]
    .map(spoken);
const HEADINGS = ['Вводим параметры', 'Подбираем параметры', 'Конечный результат'];
// The frame and divider lines, from (x1, y1) to (x2, y2) in twips.
const LINES = {
    Line1: [240, 2040, 6240, 2040], Line3: [240, 2040, 240, 8640], Line4: [240, 8640, 6240, 8640],
    Line5: [6240, 2040, 6240, 8640], Line2_0: [240, 3960, 6240, 3960],
    Line2_1: [240, 6000, 6240, 6000], Line6: [6480, 2040, 12480, 2040],
    Line7: [6480, 2040, 6480, 8640], Line8: [6480, 8640, 12480, 8640],
    Line9: [12480, 2040, 12480, 8640], Line2_2: [6480, 3960, 12480, 3960],
    Line2_3: [6480, 6480, 12480, 6480],
};
const PHONE = {width: 360, height: 740, phone: true};

let server;
const browsers = {};

before(async () => {
    server = await startServer(SITE);
    browsers.ru = await launch(ENGINE, 'ru-RU');
    browsers.en = await launch(ENGINE, 'en-US');
}, {timeout: LIMIT});

after(async () => {
    await Promise.all(Object.values(browsers).map((b) => b.close()));
    await server?.close();
}, {timeout: LIMIT});

// A fresh page in a browser context of the test's own, so that no service worker or cache of
// another test serves it; closed when the test ends, however it ends.
async function fresh(t, language = 'ru', options = {}) {
    const context = await browsers[language].createBrowserContext();
    t.after(() => context.close().catch(() => {}));
    return openPage(context, server.url, options);
}

const done = async (page) => assert.deepEqual(await problemsOf(page), [], 'no page error');

async function texts(page, ...labels) {
    const out = [];
    for (const label of labels)
        out.push(await value(await field(page, label)));
    return out;
}

// Closes the box on top as a person does (a key, a click or a tap on OK) and returns what it
// showed.
async function closeBox(page, way = 'Enter') {
    const [box] = (await openDialogs(page)).filter((d) => d.modal);
    assert.ok(box, 'a box is shown');
    if (way === 'click' || way === 'tap')
        await (await button(page, 'OK'))[way]();
    else
        await page.keyboard.press(way);
    return box;
}

// Where an element is on the screen, in CSS pixels of the viewport.
const rectOf = (handle) => handle.evaluate((e) => {
    const r = e.getBoundingClientRect();
    return {x: r.x, y: r.y, width: r.width, height: r.height};
});

// The element a tap at the centre of the handle's element would reach.
const reached = (handle) => handle.evaluate((e) => {
    const r = e.getBoundingClientRect();
    const hit = document.elementFromPoint(r.x + r.width / 2, r.y + r.height / 2);
    return hit === e || e.contains(hit);
});

const RESULTS = [L.rxInductance, L.rxTurns, L.rxSection, L.txInductance, L.txSection];

describe('the main window', () => {
    test('opens with the caption, the default texts and the focus in the RX frequency', async (t) => {
        const page = await fresh(t);
        // The title keeps the caption's blanks; a browser shows runs of them as one.
        assert.equal(await page.$eval('title', (e) => e.textContent), CAPTION);
        assert.equal(await page.title(), spoken(CAPTION));
        assert.deepEqual(await texts(page, ...Object.values(L)),
                         ['10', '190', '33', '0.18', '0', '0', '0', '11.5', '190', '40', '0.4',
                          '470', '0', '0']);
        assert.equal(await focused(page), spoken(L.rxFrequency));
        assert.deepEqual(await openDialogs(page), []);
        await done(page);
    });

    test('a screen reader reads every field by its label, every button by its caption and ' +
         'the blocks by their headings, each section with its rows', async (t) => {
        if (ENGINE !== 'chromium')
            return t.skip('the accessibility tree is read through Chromium');
        const page = await fresh(t);
        const tree = await page.accessibility.snapshot({interestingOnly: true});
        const nodes = [];
        const walk = (node, region) => {
            nodes.push({...node, region});
            for (const child of node.children ?? [])
                walk(child, node.role === 'region' ? node.name : region);
        };
        walk(tree);
        const names = (role) => nodes.filter((n) => n.role === role).map((n) => n.name);
        assert.deepEqual(names('textbox').sort(), Object.values(L).map(spoken).sort());
        assert.deepEqual(names('button'), ['Расчет', 'О программе', 'Автор']);
        assert.deepEqual(nodes.filter((n) => n.role === 'heading').map((n) => [n.level, n.name]),
                         [[1, spoken(CAPTION)], [2, 'RX'], ...HEADINGS.map((h) => [3, h]),
                          [2, 'TX'], ...HEADINGS.map((h) => [3, h])]);
        // Each section is a region named by its heading and its block, holding its rows in the
        // order they stand.
        const regionOf = (label) => nodes.find((n) => n.role === 'textbox' && n.name === spoken(label)).region;
        assert.deepEqual(
            [L.rxFrequency, L.ring, L.rxCapacitance, L.rxWire, L.rxInductance, L.rxTurns,
             L.rxSection, L.txFrequency, L.txRing, L.txTurns, L.txWire, L.txCapacitance,
             L.txInductance, L.txSection].map(regionOf),
            [0, 0, 1, 1, 2, 2, 2].map((s) => `${HEADINGS[s]} RX`)
                .concat([0, 0, 1, 1, 1, 2, 2].map((s) => `${HEADINGS[s]} TX`)));
        await done(page);
    });

    for (const [language, separator] of [['ru', ','], ['en', '.']]) {
        test(`Calculate on the defaults, ${language} separator "${separator}"`, async (t) => {
            const page = await fresh(t, language);
            const calculate = await button(page, 'Расчет');
            await calculate.click();
            assert.deepEqual(await texts(page, ...RESULTS),
                             ['7684', '173', `4${separator}400082`, '408', `5${separator}024`]);
            assert.deepEqual(await closeBox(page, 'Enter'), TURN_BOX);
            assert.deepEqual(await openDialogs(page), []);
            assert.equal(await focused(page), 'Расчет', 'the focus is back where it was');
            // A second click gives the same again.
            await calculate.click();
            assert.deepEqual(await closeBox(page, 'Escape'), TURN_BOX);
            assert.equal(await value(await field(page, L.rxTurns)), '173');
            await done(page);
        });
    }

    test('the separator of the results follows the browser\'s languages as they change',
         async (t) => {
        const page = await fresh(t, 'en');
        const calculate = await button(page, 'Расчет');
        await calculate.click();
        await closeBox(page);
        assert.equal(await value(await field(page, L.rxSection)), '4.400082');
        // What the browser does when the user changes its languages.
        await page.evaluate(() => {
            Object.defineProperty(navigator, 'languages', {get: () => ['ru-RU', 'ru']});
            window.dispatchEvent(new Event('languagechange'));
        });
        await calculate.click();
        await closeBox(page);
        assert.equal(await value(await field(page, L.rxSection)), '4,400082');
        await done(page);
    });

    test('turn counts inside 175 … 250 raise no box, ties go to the even neighbour', async (t) => {
        const page = await fresh(t, 'en');
        await retype(page, await field(page, L.rxCapacitance), '27');
        await (await button(page, 'Расчет')).click();
        assert.deepEqual(await texts(page, L.rxInductance, L.rxTurns), ['9391', '198']);
        assert.deepEqual(await openDialogs(page), []);
        // 1e9 / ((6.28 · 0.1)² · C) is exactly 8.5 for this C.
        await retype(page, await field(page, L.rxFrequency), '0.1');
        await retype(page, await field(page, L.rxCapacitance), '298305861.35220844');
        await (await button(page, 'Расчет')).click();
        assert.equal(await value(await field(page, L.rxInductance)), '8');
        await done(page);
    });

    test('a fault stops the calculation at its step and names the fields', async (t) => {
        const page = await fresh(t);
        await retype(page, await field(page, L.rxFrequency), '');
        await (await button(page, 'Расчет')).click();
        const box = await closeBox(page, 'Escape');
        assert.equal(box.title, FAULT_TITLE);
        assert.equal(box.prompt,
                     `Не удается рассчитать индуктивность RX: деление на ноль.\n${CHECK_RX_TANK}`);
        assert.deepEqual(await texts(page, ...RESULTS), ['0', '0', '0', '0', '0']);
        // An unreachable inductance names the model's peak, in the regional format.
        await retype(page, await field(page, L.rxFrequency), '0.1');
        await (await button(page, 'Расчет')).click();
        assert.deepEqual(await closeBox(page), {
            role: 'alertdialog', modal: true, title: FAULT_TITLE,
            prompt: 'Не удается подобрать число витков RX: ни при каком числе витков ' +
                'индуктивность RX 76836358 мкГн не достигается при этих диаметрах провода и ' +
                'кольца.\nНаибольшая индуктивность при этих диаметрах — 8328081,90506669 мкГн ' +
                'при 7838 витках.\nПроверьте поля «Желаемая частота - RX», «Емкость контура  - ' +
                'RX», «Диаметр проводника - RX» и «Внутренний диаметр - RX».'});
        assert.deepEqual(await texts(page, L.rxInductance, L.rxTurns), ['76836358', '7839']);
        await done(page);
    });

    // A warning box shows the exclamation mark on yellow, the box of a fault the stop sign on
    // red, as the classic message boxes of these two styles do.
    test('each box shows the icon of its style', async (t) => {
        const page = await fresh(t);
        const yellow = ([r, g, b]) => r > 200 && g > 150 && b < 100;
        const red = ([r, g, b]) => r > 180 && g < 80 && b < 80;
        for (const [text, iconColour, glyph] of [['10', yellow, ([r, g, b]) => r + g + b < 150],
                                                 ['0', red, ([r, g, b]) => r + g + b > 700]]) {
            await retype(page, await field(page, L.rxFrequency), text);
            await (await button(page, 'Расчет')).click();
            // The icon stands in the prompt's margin, left of its text.
            const prompt = await rectOf(await page.$('#box-prompt'));
            const icon = await drawn(page, {x: prompt.x + 8, y: prompt.y + 8, width: 48, height: 48});
            const face = icon.colours.find((c) => iconColour(c.rgb));
            assert.ok(face && face.share > 0.25, JSON.stringify(icon.colours.slice(0, 4)));
            const sign = icon.colours.filter((c) => glyph(c.rgb)).reduce((sum, c) => sum + c.share, 0);
            assert.ok(sign > 0.01, `its sign on it: ${sign}`);
            await closeBox(page);
        }
        await done(page);
    });

    test('odd input gets the desktop program\'s reading and never a page error', async (t) => {
        const page = await fresh(t);
        // &H21 and &O41 are 33; blanks inside a number are dropped; a unit after it ends it.
        await retype(page, await field(page, L.rxCapacitance), '&H21');
        await retype(page, await field(page, L.ring), '1 9 0');
        await retype(page, await field(page, L.txCapacitance), '&O726');
        await retype(page, await field(page, L.txFrequency), '11.5кГц');
        await (await button(page, 'Расчет')).click();
        assert.deepEqual(await texts(page, ...RESULTS),
                         ['7684', '173', '4,400082', '408', '5,024']);
        await closeBox(page);
        // A number beyond the double range.
        await retype(page, await field(page, L.txCapacitance), '1e400');
        await (await button(page, 'Расчет')).click();
        const beyond = await closeBox(page);
        assert.equal(beyond.title, FAULT_TITLE);
        assert.match(beyond.prompt, /«Емкость контура {2}- TX» слишком велико по модулю/);
        // Letters read as 0; a megabyte pasted into a field is read like any text.
        await retype(page, await field(page, L.txCapacitance), 'абв');
        const big = await field(page, L.txTurns);
        await big.focus();
        await big.evaluate((e) => {
            e.select();
            document.execCommand('insertText', false, '4'.repeat(1 << 20));
        });
        // WebKit keeps at most 524 288 characters of a field, whatever the page asks.
        assert.equal((await value(big)).length, ENGINE === 'webkit' ? 524288 : 1 << 20);
        await (await button(page, 'Расчет')).click();
        const box = await closeBox(page);
        assert.equal(box.title, FAULT_TITLE);
        await done(page);
    });

    // At the window's width every frame line is drawn where the design puts it, one pixel wide
    // from end to end, and no control covers the text of another; narrower, the blocks' frames
    // take the lines' place.
    test('the frame lines stand where the design draws them, every text in sight', async (t) => {
        const page = await fresh(t);
        const covered = await page.evaluate(() => {
            const hidden = [];
            for (const e of document.querySelectorAll('#Form1 label, #Form1 .unit, #Form1 h2, #Form1 h3')) {
                const range = document.createRange();
                range.selectNodeContents(e);
                for (const r of range.getClientRects())
                    for (const [x, y] of [[r.left + 1, r.top + 1], [r.right - 1, r.top + 1],
                                          [r.left + 1, r.bottom - 1], [r.right - 1, r.bottom - 1]])
                        if (document.elementFromPoint(x, y) !== e)
                            hidden.push(`${e.textContent} at ${Math.round(x)}, ${Math.round(y)}`);
            }
            return hidden;
        });
        assert.deepEqual(covered, []);
        const form = await rectOf(await page.$('#Form1'));
        const picture = await drawn(page, form);
        const px = (twips) => Math.floor((twips + 7) / 15);
        for (const [name, [x1, y1, x2, y2]] of Object.entries(LINES)) {
            const line = await rectOf(await page.$(`#Form1_${name}`));
            assert.deepEqual([line.x - form.x, line.y - form.y, line.width, line.height],
                             [px(x1), px(y1), px(x2) - px(x1) + 1, px(y2) - px(y1) + 1], name);
            for (const [x, y] of [[px(x1), px(y1)], [px((x1 + x2) / 2), px((y1 + y2) / 2)],
                                  [px(x2), px(y2)]])
                assert.deepEqual(picture.colourAt(x, y), [255, 255, 255], `${name} at ${x}, ${y}`);
        }
        if (PUPPETEER) {
            await page.setViewport(PHONE);
            assert.deepEqual(await page.$$eval('.line', (lines) => lines.filter(
                (l) => l.getClientRects().length > 0).length), 0);
        }
        await done(page);
    });
});

describe('typing', () => {
    // The comma of a Russian keyboard, wherever it is typed, is the point numbers are read
    // with: 9,5 kHz at 33 nF needs 8514 µH.
    const ways = [['the main row', async (page) => page.keyboard.type('9,5')],
                  ['a phone\'s decimal keys', async (page) => {
                      await page.keyboard.sendCharacter('9');
                      await page.keyboard.sendCharacter(',');
                      await page.keyboard.sendCharacter('5');
                  }]];
    // The keypad's keys as a Russian layout gives them, with Num Lock on.
    if (ENGINE === 'chromium')
        ways.push(['the keypad of a Russian layout', async (page) => {
            const keys = await page.createCDPSession();
            for (const [text, code, keyCode] of [['9', 'Numpad9', 105], [',', 'NumpadDecimal', 110],
                                                 ['5', 'Numpad5', 101]]) {
                const key = {key: text, code, windowsVirtualKeyCode: keyCode, location: 3};
                await keys.send('Input.dispatchKeyEvent', {type: 'keyDown', text, ...key});
                await keys.send('Input.dispatchKeyEvent', {type: 'keyUp', ...key});
            }
        }]);
    for (const [way, type] of ways) {
        test(`a comma typed on ${way} is the point`, async (t) => {
            const page = await fresh(t, 'ru', way.includes('phone') ? PHONE : {});
            await retype(page, await field(page, L.rxFrequency), '');
            await type(page);
            assert.equal(await value(await field(page, L.rxFrequency)), '9.5');
            await (await button(page, 'Расчет')).click();
            assert.equal(await value(await field(page, L.rxInductance)), '8514');
            // The RX wire check reads 0,25 typed as 0.25: one box, at the 5.
            const wire = await field(page, L.rxWire);
            await retype(page, wire, '0,2');
            assert.deepEqual(await openDialogs(page), []);
            await page.keyboard.type('5');
            assert.deepEqual(await closeBox(page), RX_WIRE_BOX);
            assert.equal(await value(wire), '0.25');
            await done(page);
        });
    }

    test('a pasted comma stays as it is pasted', async (t) => {
        if (ENGINE !== 'chromium')
            return t.skip('the clipboard is written through Chromium');
        const page = await fresh(t);
        await page.browserContext().overridePermissions(server.url.replace(/\/$/, ''),
                                                        ['clipboard-read', 'clipboard-write',
                                                         'clipboard-sanitized-write']);
        await page.evaluate(() => navigator.clipboard.writeText('0,25'));
        const wire = await field(page, L.rxWire);
        await retype(page, wire, '');
        await page.keyboard.down('Control');
        await page.keyboard.press('KeyV');
        await page.keyboard.up('Control');
        assert.equal(await value(wire), '0,25');
        assert.deepEqual(await openDialogs(page), [], '0,25 reads as 0');
        await done(page);
    });
});

describe('the wire checks', () => {
    test('the RX wire warns at every edit that leaves it above 0.2 mm; after the box, typing ' +
         'goes on at the end of the field', async (t) => {
        const page = await fresh(t);
        const wire = await field(page, L.rxWire);
        await retype(page, wire, '');
        await page.keyboard.type('0.3');
        assert.deepEqual(await closeBox(page), RX_WIRE_BOX);
        assert.equal(await focused(page), spoken(L.rxWire), 'the focus is back in the field');
        assert.equal(await value(wire), '0.3', 'the box changes no field');
        // Closed with a key or a click, the box leaves the caret after the last digit.
        let text = '0.3';
        for (const way of ['Escape', 'click', 'Enter']) {
            await page.keyboard.type('5');
            text += '5';
            assert.deepEqual(await closeBox(page, way), RX_WIRE_BOX, way);
            assert.equal(await focused(page), spoken(L.rxWire), way);
        }
        await page.keyboard.type('7');
        assert.equal(await value(wire), `${text}7`);
        await closeBox(page);
        for (const ok of ['0.2', 'abc', '-1']) {
            await retype(page, wire, ok);
            assert.deepEqual(await openDialogs(page), [], ok);
        }
        await done(page);
    });

    test('the TX wire warns when it is left outside 0.35 … 0.45 mm', async (t) => {
        const page = await fresh(t);
        const wire = await field(page, L.txWire);
        await retype(page, wire, '0.34');
        assert.deepEqual(await openDialogs(page), [], 'not while typing');
        await page.keyboard.press('Tab');
        assert.deepEqual(await closeBox(page), TX_WIRE_BOX);
        assert.equal(await focused(page), spoken(L.txRing), 'the focus goes where Tab sent it');
        for (const ok of ['0.35', '0.45']) {
            await retype(page, wire, ok);
            await page.keyboard.press('Tab');
            assert.deepEqual(await openDialogs(page), [], ok);
        }
        await retype(page, wire, '');
        await (await field(page, L.txFrequency)).click();
        assert.deepEqual(await closeBox(page), TX_WIRE_BOX);
        // A click into an open information window, on its title, a label or its text box, takes
        // the focus to another window: no check.
        await (await button(page, 'Автор')).click();
        for (const into of ['#frmAbout1-caption', '#frmAbout1 .label', '#frmAbout1 textarea']) {
            await retype(page, wire, '0.5');
            await (await page.$(into)).click();
            assert.deepEqual(await openDialogs(page).then((d) => d.filter((b) => b.modal)), [], into);
        }
        await done(page);
    });

    // The press on a button that takes the focus from the TX wire field raises the field's
    // box, which takes the release: the button's command runs once the box is closed, however
    // it is closed.
    for (const [command, way, after] of [
        ['Расчет', 'click', 'results'], ['Расчет', 'Enter', 'results'],
        ['Расчет', ' ', 'results'], ['Расчет', 'Escape', 'results'],
        ['О программе', 'click', 'О программе v.1'], ['Автор', 'Enter', 'Автор программы'],
    ]) {
        test(`TX wire 0.5, then a click on "${command}": its command runs once the box is ` +
             `closed by ${way === ' ' ? 'Space' : way}`, async (t) => {
            const page = await fresh(t);
            await retype(page, await field(page, L.txWire), '0.5');
            await (await button(page, command)).click();
            assert.deepEqual(await closeBox(page, way), TX_WIRE_BOX);
            if (after === 'results') {
                assert.deepEqual(await texts(page, ...RESULTS),
                                 ['7684', '173', '4,400082', '408', '7,85']);
                assert.deepEqual(await closeBox(page), TURN_BOX, 'once');
                assert.deepEqual(await openDialogs(page), []);
            } else {
                assert.deepEqual((await openDialogs(page)).map((d) => d.title), [after]);
            }
            await done(page);
        });
    }
});

describe('keys and clicks', () => {
    test('Tab and Shift+Tab follow the window\'s focus order round', async (t) => {
        const page = await fresh(t);
        const forward = [await focused(page)];
        for (let i = 0; i < TAB_ORDER.length; ++i) {
            await page.keyboard.press('Tab');
            forward.push(await focused(page));
        }
        assert.deepEqual(forward, [...TAB_ORDER, TAB_ORDER[0]]);
        const backward = [];
        for (let i = 0; i < TAB_ORDER.length; ++i) {
            await page.keyboard.down('Shift');
            await page.keyboard.press('Tab');
            await page.keyboard.up('Shift');
            backward.push(await focused(page));
        }
        assert.deepEqual(backward, [...TAB_ORDER].reverse());
        await done(page);
    });

    test('Enter in a field goes on to the next control and calculates nothing; Enter and ' +
         'Space (" ") press each button', async (t) => {
        const page = await fresh(t);
        await (await field(page, L.rxWire)).focus();
        await page.keyboard.press('Enter');
        assert.equal(await focused(page), 'Расчет');
        assert.equal(await value(await field(page, L.rxInductance)), '0');
        for (const key of ['Enter', ' ']) {
            await retype(page, await field(page, L.rxInductance), '0');
            await (await button(page, 'Расчет')).focus();
            await page.keyboard.press(key);
            assert.deepEqual(await closeBox(page), TURN_BOX, key);
            assert.equal(await value(await field(page, L.rxInductance)), '7684');
            for (const [opener, title, ok] of [['О программе', 'О программе v.1', 'Понял'],
                                               ['Автор', 'Автор программы', 'Знаю такого)']]) {
                await (await button(page, opener)).focus();
                await page.keyboard.press(key);
                assert.deepEqual((await openDialogs(page)).map((d) => d.title), [title]);
                assert.equal(await focused(page), ok);
                await page.keyboard.press(key);
                assert.deepEqual(await openDialogs(page), [], `${key} on ${ok}`);
                assert.equal(await focused(page), opener);
            }
        }
        await done(page);
    });

    test('About and Author: one window each, the one clicked in front, Esc closes, edits are ' +
         'gone at reopening', async (t) => {
        const page = await fresh(t);
        await (await button(page, 'О программе')).click();
        await (await button(page, 'Автор')).click();
        await (await button(page, 'О программе')).click();
        assert.deepEqual((await openDialogs(page)).map((d) => [d.title, d.modal]),
                         [['О программе v.1', false], ['Автор программы', false]]);
        assert.equal(await focused(page), 'Понял', 'a second click brings it forward');
        // Where the two windows overlap, the one whose button was clicked last is seen.
        const inFront = () => page.evaluate(() => {
            const [a, b] = ['frmAbout', 'frmAbout1'].map((id) => document.getElementById(id)
                .getBoundingClientRect());
            const hit = document.elementFromPoint((Math.max(a.left, b.left) + Math.min(a.right, b.right)) / 2,
                                                  (Math.max(a.top, b.top) + Math.min(a.bottom, b.bottom)) / 2);
            return hit.closest('dialog').id;
        });
        assert.equal(await inFront(), 'frmAbout');
        await (await button(page, 'Автор')).click();
        assert.equal(await inFront(), 'frmAbout1');
        await (await button(page, 'О программе')).click();
        assert.equal(await inFront(), 'frmAbout');
        // The About text is reached by a click, not by Tab, as in the program.
        for (const shift of [false, true]) {
            if (shift)
                await page.keyboard.down('Shift');
            await page.keyboard.press('Tab');
            if (shift)
                await page.keyboard.up('Shift');
            assert.notEqual(await page.evaluate(() => document.activeElement.id), 'frmAbout_Text1');
            await (await button(page, 'Понял')).focus();
        }
        const about = await page.$('#frmAbout textarea');
        const text = await value(about);
        assert.ok(text.startsWith('Программа для расчета параметров датчика DD'));
        assert.ok(text.includes('сечение витков  котушки RX должно быть больше чем сечение TX.'));
        await about.click();
        await page.keyboard.type('правка');
        // The main window goes on working beside them.
        await (await button(page, 'Расчет')).click();
        await closeBox(page);
        await (await button(page, 'Понял')).focus();
        await page.keyboard.press('Escape');
        assert.deepEqual((await openDialogs(page)).map((d) => d.title), ['Автор программы']);
        await (await button(page, 'О программе')).click();
        assert.equal(await value(await page.$('#frmAbout textarea')), text);
        await (await button(page, 'Понял')).click();
        // The Author window: the picture takes the focus after the button, Enter closes.
        await (await button(page, 'Знаю такого)')).focus();
        await page.keyboard.press('Tab');
        assert.equal(await page.evaluate(() => document.activeElement.querySelector('img').alt),
                     'Датчик DD, вид сверху');
        await page.waitForFunction(() => {
            const img = document.querySelector('#frmAbout1 img');
            return img.complete && img.naturalWidth === 189 && img.naturalHeight === 204;
        }, {timeout: 5000});
        await page.keyboard.press('Enter');
        assert.deepEqual(await openDialogs(page), []);
        await done(page);
    });

    // Back closes what is open, the box first, then the window in front, and only then leaves.
    test('Back closes the box, then the information windows, then leaves the page', async (t) => {
        const page = await fresh(t);
        // The page is reached from another one.
        const before = `${server.url}icons/ddvelmor-32.png`;
        await page.goto(before);
        await goto(page, server.url);
        await (await button(page, 'О программе')).click();
        await (await button(page, 'Автор')).click();
        await (await button(page, 'Расчет')).click();
        const open = async () => (await openDialogs(page)).map((d) => d.title);
        for (const left of [['О программе v.1', 'Автор программы'], ['О программе v.1'], []]) {
            await page.goBack();
            await page.waitForFunction((n) => document.querySelectorAll('dialog[open]').length === n,
                                       {timeout: 5000}, left.length);
            assert.deepEqual(await open(), left);
        }
        assert.equal(await page.evaluate(() => location.href), server.url);
        // Closed on the page, a box or a window takes its step of history with it.
        await (await button(page, 'Расчет')).click();
        await closeBox(page, 'click');
        await (await button(page, 'Автор')).click();
        await (await button(page, 'Знаю такого)')).click();
        // The browser takes the page's own step back a moment later; a Back pressed before
        // that would be one of two steps taken at once.
        await page.waitForFunction(() => history.state?.ddvLayers === 0, {timeout: 5000});
        await page.goBack();
        await page.waitForFunction((url) => location.href === url, {timeout: 10000}, before);
    });
});

describe('on a phone', () => {
    for (const [width, height] of [[360, 740], [320, 640], [740, 360]]) {
        test(`${width}×${height} with touch: stacked, the buttons at hand, no sideways ` +
             'scrolling, big targets, the decimal keys', async (t) => {
            if (width < NARROWEST)
                return t.skip(`the test browser is at least ${NARROWEST} pixels wide`);
            const page = await fresh(t, 'ru', {width, height, phone: true});
            const layout = await page.evaluate(() => {
                const box = (e) => e.getBoundingClientRect();
                const blocks = [...document.querySelectorAll('.block')].map(box);
                return {
                    width: innerWidth,
                    scrollWidth: document.documentElement.scrollWidth,
                    rxAboveTx: blocks[0].bottom <= blocks[1].top,
                    lowest: Math.min(...[...document.querySelectorAll('#Form1 input, #Form1 button')]
                        .map((e) => box(e).height)),
                    smallestText: Math.min(...[...document.querySelectorAll('#Form1 input')]
                        .map((e) => parseFloat(getComputedStyle(e).fontSize))),
                    keys: [...new Set([...document.querySelectorAll('#Form1 input')]
                        .map((e) => `${e.inputMode} ${e.getAttribute('enterkeyhint')}`))],
                };
            });
            if (width >= NARROWEST)
                assert.equal(layout.width, width);
            assert.ok(layout.scrollWidth <= layout.width,
                      `scroll width ${layout.scrollWidth} in ${layout.width}`);
            assert.ok(layout.rxAboveTx, 'RX above TX');
            assert.ok(layout.lowest >= 44, `lowest control ${layout.lowest} px`);
            assert.ok(layout.smallestText >= 16, `field text ${layout.smallestText} px`);
            assert.deepEqual(layout.keys, ['decimal next']);

            // The buttons are at hand wherever the page is scrolled to.
            const calculate = await button(page, 'Расчет');
            for (const to of [0, 'end']) {
                await page.evaluate((y) => scrollTo(0, y === 'end' ? document.body.scrollHeight : y), to);
                for (const name of ['Расчет', 'О программе', 'Автор'])
                    assert.ok(await reached(await button(page, name)), `${name}, scrolled to ${to}`);
            }
            await page.evaluate(() => scrollTo(0, 0));
            await calculate.tap();
            assert.deepEqual(await texts(page, L.rxSection, L.txSection), ['4,400082', '5,024']);
            const fits = await page.$eval('dialog.box', (d) => {
                const r = d.getBoundingClientRect();
                return r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight;
            });
            assert.ok(fits, 'the box fits the screen');
            await closeBox(page, 'tap');
            // The RX results are in sight above the bar.
            for (const label of [L.rxInductance, L.rxTurns, L.rxSection])
                assert.ok(await reached(await field(page, label)), label);

            // The information windows open as sheets that leave the bar and each other's
            // buttons free; their texts are read without a keyboard.
            await (await button(page, 'О программе')).tap();
            await (await button(page, 'Автор')).tap();
            for (const name of ['Расчет', 'О программе', 'Автор', 'Понял', 'Знаю такого)'])
                assert.ok(await reached(await button(page, name)), `${name} is free`);
            assert.equal(await page.$eval('#frmAbout textarea', (e) => e.inputMode), 'none');
            assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth));
            await (await button(page, 'Знаю такого)')).tap();
            await (await button(page, 'Понял')).tap();
            await done(page);
        });
    }

    test('on a phone the TX wire\'s box, tapped away, lets "Расчет" calculate; the caret ' +
         'stays in a field after a tapped OK', async (t) => {
        const page = await fresh(t, 'ru', PHONE);
        await retype(page, await field(page, L.txWire), '0.5');
        await (await button(page, 'Расчет')).tap();
        assert.deepEqual(await closeBox(page, 'tap'), TX_WIRE_BOX);
        assert.deepEqual(await closeBox(page, 'tap'), TURN_BOX);
        assert.equal(await value(await field(page, L.txSection)), '7,85');
        const wire = await field(page, L.rxWire);
        await retype(page, wire, '0.3');
        await closeBox(page, 'tap');
        await page.keyboard.sendCharacter('5');
        assert.equal(await value(wire), '0.35');
        await closeBox(page, 'tap');
        await done(page);
    });

    // The page takes the text size the user has set in the browser; at twice the usual size on
    // the narrowest phone it still fits: labels go above their fields, no word is broken.
    test('twice the browser\'s text size on a 320 pixel screen', async (t) => {
        if (ENGINE === 'webkit')
            return t.skip(`the test browser is at least ${NARROWEST} pixels wide`);
        const browser = await launch(ENGINE, 'ru-RU', {textSize: 32});
        t.after(() => browser.close());
        const page = await openPage(browser, server.url, {width: 320, height: 640, phone: true});
        const layout = await page.evaluate(() => {
            const words = [];
            for (const e of document.querySelectorAll('#Form1 label, #Form1 h2, #Form1 h3, #Form1 .unit, #Form1 button')) {
                const text = e.firstChild;
                for (const match of text.data.matchAll(/\S+/g)) {
                    const range = document.createRange();
                    range.setStart(text, match.index);
                    range.setEnd(text, match.index + match[0].length);
                    const lines = new Set([...range.getClientRects()].map((r) => Math.round(r.top)));
                    if (lines.size > 1)
                        words.push(match[0]);
                }
            }
            const label = document.querySelector('label').getBoundingClientRect();
            const input = document.querySelector('#Form1 input').getBoundingClientRect();
            return {
                broken: words, width: innerWidth, scrollWidth: document.documentElement.scrollWidth,
                labelText: getComputedStyle(document.querySelector('label')).fontSize,
                labelAbove: label.bottom <= input.top,
            };
        });
        assert.deepEqual(layout.broken, []);
        assert.equal(layout.width, 320);
        assert.ok(layout.scrollWidth <= 320, `scroll width ${layout.scrollWidth}`);
        assert.equal(layout.labelText, '32px');
        assert.ok(layout.labelAbove, 'the label above its field');
        await (await button(page, 'Расчет')).tap();
        assert.ok(await reached(await button(page, 'OK')));
        await closeBox(page, 'tap');
        await done(page);
    });
});

describe('accessibility', () => {
    // axe-core at a phone's and a desktop's width, with nothing open, with each box and with
    // each information window.
    for (const size of [{width: 360, height: 740, phone: true}, {width: 1280, height: 900}]) {
        test(`axe finds nothing at ${size.width} pixels`, async (t) => {
            const page = await fresh(t, 'ru', size);
            const found = {};
            const check = async (state) => { found[state] = await accessibilityViolations(page); };
            await check('nothing open');
            await (await button(page, 'Расчет')).click();
            await check('the turn-count box');
            await closeBox(page);
            await retype(page, await field(page, L.rxFrequency), '0');
            await (await button(page, 'Расчет')).click();
            await check('a fault box');
            await closeBox(page);
            await retype(page, await field(page, L.rxWire), '0.3');
            await check('the RX wire box');
            await closeBox(page);
            await retype(page, await field(page, L.txWire), '0.3');
            await page.keyboard.press('Tab');
            await check('the TX wire box');
            await closeBox(page);
            await (await button(page, 'О программе')).click();
            await check('About');
            await (await button(page, 'Автор')).click();
            await check('About and Author');
            assert.deepEqual(found, Object.fromEntries(Object.keys(found).map((k) => [k, []])));
            await done(page);
        });
    }
});

describe('offline and releases', () => {
    test('nothing leaves the page\'s origin and no rule of its policy is broken', async (t) => {
        if (!PUPPETEER)
            return t.skip('requests are seen through puppeteer');
        const context = await browsers.ru.createBrowserContext();
        t.after(() => context.close());
        const page = await context.newPage();
        const requests = [];
        page.on('request', (request) => requests.push(request.url()));
        await page.evaluateOnNewDocument(() => {
            window.violations = [];
            document.addEventListener('securitypolicyviolation',
                                      (e) => window.violations.push(e.violatedDirective));
        });
        await goto(page, server.url);
        await (await button(page, 'Расчет')).click();
        await closeBox(page);
        await (await button(page, 'Автор')).click();
        assert.deepEqual(await page.evaluate(() => window.violations), []);
        assert.deepEqual(requests.filter((url) => !url.startsWith(server.url) &&
                                          !url.startsWith('data:')), []);
    });

    // A phone keeps the release it has; the next release reaches it at its next visit, with one
    // reload at most, and is kept instead of the old one, offline too.
    test('after the first visit it works offline at every address of the site, and the next ' +
         'release replaces the kept one', async (t) => {
        const folder = mkdtempSync(join(tmpdir(), 'ddv-release-'));
        t.after(() => rmSync(folder, {recursive: true, force: true}));
        const [first, next] = ['first', 'next'].map((name) => join(folder, name));
        cpSync(SITE, first, {recursive: true});
        cpSync(SITE, next, {recursive: true});
        // The next release: another version, which the About window and the kept copy's name
        // carry, and so another release id.
        const meta = (name) => new RegExp(`<meta name="${name}" content="([^"]+)">`);
        const html = readFileSync(join(first, 'index.html'), 'utf8');
        const [version, release] = ['version', 'release'].map((name) => html.match(meta(name))[1]);
        const nextVersion = `${version}.1`;
        for (const name of ['index.html', 'sw.js'])
            writeFileSync(join(next, name), readFileSync(join(first, name), 'utf8')
                .replaceAll(`Версия ${version}<`, `Версия ${nextVersion}<`)
                .replaceAll(`content="${version}"`, `content="${nextVersion}"`)
                .replaceAll(`VERSION = '${version}'`, `VERSION = '${nextVersion}'`)
                .replaceAll(release, 'next'));

        let own = await startServer(first);
        t.after(() => own.close());
        const port = Number(new URL(own.url).port);
        const context = await browsers.ru.createBrowserContext();
        t.after(() => context.close().catch(() => {}));
        const page = await openPage(context, own.url);
        await page.waitForFunction(() => navigator.serviceWorker.controller !== null,
                                   {timeout: 10000});
        const kept = () => page.evaluate(async () => (await caches.keys()).sort());
        const shown = async () => {
            await (await button(page, 'О программе')).click();
            const text = await page.$eval('#frmAbout .version', (e) => e.textContent);
            await (await button(page, 'Понял')).click();
            return text;
        };
        assert.equal(await shown(), `Версия ${version}`);
        assert.deepEqual(await kept(), [`ddvelmor-${version}-${release}`]);

        await own.close();
        for (const address of ['', 'index.html', '?from=home-screen', 'index.html#top']) {
            await goto(page, own.url + address);
            await (await button(page, 'Расчет')).click();
            assert.equal(await value(await field(page, L.rxSection)), '4,400082', address);
            await closeBox(page);
        }

        own = await startServer(next, port);
        await goto(page, own.url);
        await page.waitForFunction(
            () => document.querySelector('meta[name=release]').content === 'next' &&
                document.documentElement.hasAttribute('data-ready'),
            {timeout: 15000});
        assert.equal(await shown(), `Версия ${nextVersion}`);
        assert.deepEqual(await kept(), [`ddvelmor-${nextVersion}-next`]);
        await own.close();
        await goto(page, own.url);
        assert.equal(await shown(), `Версия ${nextVersion}`);
        assert.deepEqual((await problemsOf(page)).filter((p) => !p.includes('Failed to load resource')),
                         []);
    });
});
