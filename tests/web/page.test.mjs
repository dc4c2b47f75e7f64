// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The web page in a real browser, driven as a person drives it: fields found by their labels,
// buttons by their captions, keys pressed and what is shown read back. Expected values are the
// design's own. The site is DDV_WEB_SITE (build-web/site), the engine DDV_WEB_ENGINE
// (chromium, the default, or firefox).
//   node --test tests/web/

import {after, before, describe, test} from 'node:test';
import assert from 'node:assert/strict';
import {cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join, resolve} from 'node:path';

import {startServer} from '../../web/serve.mjs';
import {button, field, focused, goto, launch, openDialogs, openPage, problemsOf, retype, spoken,
        value} from './browser.mjs';

const SITE = resolve(process.env.DDV_WEB_SITE ?? 'build-web/site');
const ENGINE = process.env.DDV_WEB_ENGINE ?? 'chromium';

// Whether the engine is driven through puppeteer, which also sees the page's requests.
const PUPPETEER = ENGINE !== 'webkit';

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

let server;
const browsers = {};

before(async () => {
    server = await startServer(SITE);
    browsers.ru = await launch(ENGINE, 'ru-RU');
    browsers.en = await launch(ENGINE, 'en-US');
});

after(async () => {
    await Promise.all(Object.values(browsers).map((b) => b.close()));
    await server.close();
});

// A fresh page in a new browser context, so that no service worker or cache of another test
// serves it.
async function fresh(language = 'ru', options = {}) {
    const context = await browsers[language].createBrowserContext();
    const page = await openPage(context, server.url, options);
    page.context = context;
    return page;
}

async function done(page) {
    assert.deepEqual(await problemsOf(page), [], 'no page error');
    await page.context.close();
}

async function texts(page, ...labels) {
    const out = [];
    for (const label of labels)
        out.push(await value(await field(page, label)));
    return out;
}

// Closes the box on top with a key and returns what it showed.
async function closeBox(page, key = 'Enter') {
    const [box] = (await openDialogs(page)).filter((d) => d.modal);
    assert.ok(box, 'a box is shown');
    await page.keyboard.press(key);
    return box;
}

const RESULTS = [L.rxInductance, L.rxTurns, L.rxSection, L.txInductance, L.txSection];

describe('the main window', () => {
    test('opens with the caption, the default texts and the focus in the RX frequency', async () => {
        const page = await fresh();
        // The title keeps the caption's blanks; a browser shows runs of them as one.
        assert.equal(await page.$eval('title', (t) => t.textContent), CAPTION);
        assert.equal(await page.title(), spoken(CAPTION));
        assert.deepEqual(await texts(page, ...Object.values(L)),
                         ['10', '190', '33', '0.18', '0', '0', '0', '11.5', '190', '40', '0.4',
                          '470', '0', '0']);
        assert.equal(await focused(page), spoken(L.rxFrequency));
        assert.deepEqual(await openDialogs(page), []);
        await done(page);
    });

    test('every field is read by its label and every button by its caption', async (t) => {
        if (ENGINE !== 'chromium')
            return t.skip('the accessibility tree is read through Chromium');
        const page = await fresh();
        const tree = await page.accessibility.snapshot({interestingOnly: true});
        const nodes = [];
        const walk = (node) => { nodes.push(node); (node.children ?? []).forEach(walk); };
        walk(tree);
        const names = (role) => nodes.filter((n) => n.role === role).map((n) => n.name);
        assert.deepEqual(names('textbox').sort(), Object.values(L).map(spoken).sort());
        assert.deepEqual(names('button'), ['Расчет', 'О программе', 'Автор']);
        await done(page);
    });

    for (const [language, separator] of [['ru', ','], ['en', '.']]) {
        test(`Calculate on the defaults, ${language} separator "${separator}"`, async () => {
            const page = await fresh(language);
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

    test('turn counts inside 175 … 250 raise no box, ties go to the even neighbour', async () => {
        const page = await fresh('en');
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

    test('a fault stops the calculation at its step and names the fields', async () => {
        const page = await fresh();
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

    test('odd input gets the desktop program\'s reading and never a page error', async () => {
        const page = await fresh();
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
});

describe('the wire checks', () => {
    test('the RX wire warns at every edit that leaves it above 0.2 mm', async () => {
        const page = await fresh();
        const wire = await field(page, L.rxWire);
        await retype(page, wire, '');
        await page.keyboard.type('0.3');
        assert.deepEqual(await closeBox(page), RX_WIRE_BOX);
        assert.equal(await focused(page), spoken(L.rxWire), 'the focus is back in the field');
        assert.equal(await value(wire), '0.3', 'the box changes no field');
        await page.keyboard.type('5');
        assert.deepEqual(await closeBox(page, 'Escape'), RX_WIRE_BOX);
        for (const ok of ['0.2', 'abc', '-1']) {
            await retype(page, wire, ok);
            assert.deepEqual(await openDialogs(page), [], ok);
        }
        await done(page);
    });

    test('the TX wire warns when it is left outside 0.35 … 0.45 mm', async () => {
        const page = await fresh();
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
        await done(page);
    });
});

describe('keys and clicks', () => {
    test('Tab and Shift+Tab follow the window\'s focus order round', async () => {
        const page = await fresh();
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

    test('Enter in a field calculates nothing; Enter and Space (" ") press each button', async () => {
        const page = await fresh();
        await (await field(page, L.rxFrequency)).focus();
        await page.keyboard.press('Enter');
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

    test('About and Author: one window each, Esc closes, edits are gone at reopening', async () => {
        const page = await fresh();
        await (await button(page, 'О программе')).click();
        await (await button(page, 'Автор')).click();
        await (await button(page, 'О программе')).click();
        assert.deepEqual((await openDialogs(page)).map((d) => [d.title, d.modal]),
                         [['О программе v.1', false], ['Автор программы', false]]);
        assert.equal(await focused(page), 'Понял', 'a second click brings it forward');
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
});

describe('on a phone', () => {
    for (const [width, height] of [[360, 740], [320, 640], [740, 360]]) {
        test(`${width}×${height} with touch: stacked, no sideways scrolling, big targets`,
             async () => {
            const page = await fresh('ru', {width, height, phone: true});
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
                };
            });
            // WebKitGTK's test browser keeps its window at least 447 pixels wide.
            if (ENGINE !== 'webkit' || width >= 447)
                assert.equal(layout.width, width);
            assert.ok(layout.scrollWidth <= layout.width,
                      `scroll width ${layout.scrollWidth} in ${layout.width}`);
            assert.ok(layout.rxAboveTx, 'RX above TX');
            assert.ok(layout.lowest >= 44, `lowest control ${layout.lowest} px`);
            assert.ok(layout.smallestText >= 16, `field text ${layout.smallestText} px`);
            await (await button(page, 'Расчет')).tap();
            assert.deepEqual(await texts(page, L.rxSection, L.txSection), ['4,400082', '5,024']);
            const fits = await page.$eval('dialog.box', (d) => {
                const r = d.getBoundingClientRect();
                return r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight;
            });
            assert.ok(fits, 'the box fits the screen');
            await closeBox(page);
            for (const opener of ['О программе', 'Автор']) {
                await (await button(page, opener)).tap();
                const fits = await page.$eval('dialog.info[open]', (d) => {
                    const r = d.getBoundingClientRect();
                    return r.left >= 0 && r.right <= innerWidth &&
                        document.documentElement.scrollWidth <= innerWidth;
                });
                assert.ok(fits, `${opener} fits the screen`);
                await page.keyboard.press('Escape');
            }
            await done(page);
        });
    }
});

describe('offline and releases', () => {
    test('nothing leaves the page\'s origin and no rule of its policy is broken', async (t) => {
        if (!PUPPETEER)
            return t.skip('requests are seen through puppeteer');
        const context = await browsers.ru.createBrowserContext();
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
        await context.close();
    });

    test('after the first visit it loads and calculates with the network gone, and a new ' +
         'release replaces the cached one on the next visit', async () => {
        const release = mkdtempSync(join(tmpdir(), 'ddv-release-'));
        cpSync(SITE, release, {recursive: true});
        const own = await startServer(release);
        const context = await browsers.ru.createBrowserContext();
        const page = await openPage(context, own.url);
        await page.waitForFunction(() => navigator.serviceWorker.controller !== null,
                                   {timeout: 10000});
        const first = await page.$eval('meta[name=release]', (m) => m.content);
        await own.close();
        await goto(page, own.url);
        await (await button(page, 'Расчет')).click();
        assert.equal(await value(await field(page, L.rxSection)), '4,400082');
        await closeBox(page);

        // The next release: the same site under another id, served where the first was.
        for (const name of ['index.html', 'sw.js'])
            writeFileSync(join(release, name),
                          readFileSync(join(release, name), 'utf8').replaceAll(first, 'next'));
        const next = await startServer(release, Number(new URL(own.url).port));
        await goto(page, next.url);
        await page.waitForFunction(
            () => document.querySelector('meta[name=release]').content === 'next',
            {timeout: 10000});
        await next.close();
        await goto(page, next.url);
        assert.equal(await page.$eval('meta[name=release]', (m) => m.content), 'next');
        assert.deepEqual((await problemsOf(page)).filter((p) => !p.includes('Failed to load resource')),
                         []);
        await context.close();
        rmSync(release, {recursive: true, force: true});
    });
});
