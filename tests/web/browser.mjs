// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// What the browser tests and the benchmark share: the system's browsers started headless with
// a fresh profile and no network but the page's own server, ways to reach the page's controls
// as a person does, by the text of their label or their role and name, and to read what is
// drawn and what axe-core finds.

import puppeteer from 'puppeteer-core';
import {mkdtempSync, readFileSync, rmSync} from 'node:fs';
import {createRequire} from 'node:module';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {inflateSync} from 'node:zlib';

import {launchWebKit} from './webdriver.mjs';

export const ENGINES = {
    chromium: '/usr/bin/chromium',
    firefox: '/usr/bin/firefox-esr',
    webkit: '/usr/bin/WebKitWebDriver',
};

// A browser of the engine with the given language (which gives the regional format), in a
// profile of its own that is removed again on close. textSize sets the browser's default text
// size in CSS pixels (16 unless set), as a user does in the browser's settings; not in WebKit.
export async function launch(engine = 'chromium', language = 'ru-RU', {textSize} = {}) {
    if (engine === 'webkit')
        return launchWebKit(language, process.env.DDV_WEB_LOCALES ?? join(tmpdir(), 'ddv-locales'));
    const profile = mkdtempSync(join(tmpdir(), 'ddv-browser-'));
    const common = {executablePath: ENGINES[engine], headless: true, userDataDir: profile};
    const sizes = textSize ? Object.fromEntries(['x-cyrillic', 'x-western'].map(
        (script) => [`font.size.variable.${script}`, textSize])) : {};
    const browser = engine === 'firefox'
        ? await puppeteer.launch({...common, browser: 'firefox', extraPrefsFirefox: {
            'intl.accept_languages': language,
            'intl.locale.requested': language,
            'browser.shell.checkDefaultBrowser': false,
            'network.captive-portal-service.enabled': false,
            ...sizes,
        }})
        : await puppeteer.launch({...common, args: [
            '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
            '--disable-component-update', '--disable-sync', '--disable-quic',
            `--lang=${language}`, `--accept-lang=${language}`,
        ]});
    browser.textSize = engine === 'chromium' ? textSize : undefined;
    const close = browser.close.bind(browser);
    browser.close = async () => {
        await close();
        rmSync(profile, {recursive: true, force: true});
    };
    return browser;
}

// A page at the viewport given (a phone: with touch), collecting what went wrong in it.
export async function openPage(browser, url, {width = 1280, height = 900, phone = false} = {}) {
    const page = await browser.newPage();
    const problems = [];
    page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
    page.on('console', (message) => {
        if (message.type() === 'error')
            problems.push(`console error: ${message.text()}`);
    });
    page.problems = problems;
    await page.setViewport({width, height, isMobile: phone, hasTouch: phone,
                            deviceScaleFactor: phone ? 2 : 1});
    const {textSize} = typeof browser.browser === 'function' ? browser.browser() : browser;
    if (textSize) // Chromium takes the default text size per page
        await (await page.createCDPSession()).send('Page.setFontSizes',
                                                   {fontSizes: {standard: textSize}});
    if (page.collectProblems) // WebKit: read from the page
        page.problemsNow = async () => [...problems, ...await page.collectProblems()];
    if (url)
        await goto(page, url);
    return page;
}

// What went wrong in the page so far.
export const problemsOf = (page) => page.problemsNow ? page.problemsNow() : page.problems;

// Loads url and waits until the page is usable: every field drawn, the core loaded.
export async function goto(page, url) {
    await page.goto(url, {waitUntil: 'load'});
    await page.waitForSelector('html[data-ready]', {timeout: 10000});
}

// Blanks as a person sees them: runs of blanks read as one.
export const spoken = (text) => text.replace(/\s+/g, ' ').trim();

// The text field whose label reads name.
export async function field(page, name) {
    const handle = await page.evaluateHandle((want) => {
        const norm = (text) => text.replace(/\s+/g, ' ').trim();
        const label = [...document.querySelectorAll('label')]
            .find((l) => norm(l.textContent) === want && l.control);
        return label ? label.control : null;
    }, spoken(name));
    if (!handle.asElement())
        throw new Error(`no field labelled "${name}"`);
    return handle;
}

// The button named name: in the open dialog on top when one is open, else on the page.
export async function button(page, name) {
    const handle = await page.evaluateHandle((want) => {
        const norm = (text) => text.replace(/\s+/g, ' ').trim();
        return [...document.querySelectorAll('button')]
            .find((b) => norm(b.textContent) === want && b.checkVisibility()) ?? null;
    }, spoken(name));
    if (!handle.asElement())
        throw new Error(`no button "${name}"`);
    return handle;
}

// The open dialogs as a person reads them: role, title, text, in the order they stand.
export function openDialogs(page) {
    return page.evaluate(() => [...document.querySelectorAll('dialog[open]')].map((d) => ({
        role: d.getAttribute('role') ?? 'dialog',
        modal: d.matches(':modal'),
        title: document.getElementById(d.getAttribute('aria-labelledby')).textContent,
        prompt: d.getAttribute('aria-describedby')
            ? document.getElementById(d.getAttribute('aria-describedby')).textContent : null,
    })));
}

// What has the focus, as a person would name it: a field by its label, a button by its text.
export function focused(page) {
    return page.evaluate(() => {
        const e = document.activeElement;
        const norm = (text) => text.replace(/\s+/g, ' ').trim();
        if (e.labels && e.labels.length)
            return norm(e.labels[0].textContent);
        if (e.tagName === 'BUTTON')
            return norm(e.textContent);
        return e.tagName.toLowerCase();
    });
}

export const value = (handle) => handle.evaluate((e) => e.value);

// Replaces a field's text as typing would: select all, then type.
export async function retype(page, handle, text) {
    await handle.focus();
    await handle.evaluate((e) => e.select());
    if (text === '')
        await page.keyboard.press('Backspace');
    else
        await page.keyboard.type(text);
}

// The pixels of a PNG image (8 bits a channel, RGB or RGBA, not interlaced, as browsers write
// screenshots): pixel(x, y) is [red, green, blue].
export function readPng(png) {
    let width = 0, height = 0, channels = 0;
    const data = [];
    for (let at = 8; at < png.length;) {
        const length = png.readUInt32BE(at);
        const type = png.toString('latin1', at + 4, at + 8);
        const chunk = png.subarray(at + 8, at + 8 + length);
        if (type === 'IHDR') {
            [width, height] = [chunk.readUInt32BE(0), chunk.readUInt32BE(4)];
            if (chunk[8] !== 8 || ![2, 6].includes(chunk[9]) || chunk[12] !== 0)
                throw new Error('not an 8-bit RGB(A) PNG without interlacing');
            channels = chunk[9] === 6 ? 4 : 3;
        } else if (type === 'IDAT') {
            data.push(chunk);
        }
        at += 12 + length;
    }
    const raw = inflateSync(Buffer.concat(data));
    const stride = width * channels;
    const pixels = Buffer.alloc(height * stride);
    const paeth = (a, b, c) => {
        const p = a + b - c;
        const [pa, pb, pc] = [Math.abs(p - a), Math.abs(p - b), Math.abs(p - c)];
        return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
    };
    for (let y = 0; y < height; ++y) {
        const filter = raw[y * (stride + 1)];
        for (let x = 0; x < stride; ++x) {
            const left = x >= channels ? pixels[y * stride + x - channels] : 0;
            const up = y > 0 ? pixels[(y - 1) * stride + x] : 0;
            const corner = x >= channels && y > 0 ? pixels[(y - 1) * stride + x - channels] : 0;
            const guess = [0, left, up, (left + up) >> 1, paeth(left, up, corner)][filter];
            pixels[y * stride + x] = (raw[y * (stride + 1) + 1 + x] + guess) & 255;
        }
    }
    return {width, height, pixel: (x, y) => {
        const at = (y * width + x) * channels;
        return [pixels[at], pixels[at + 1], pixels[at + 2]];
    }};
}

// What is drawn in a rectangle of the page's viewport, in CSS pixels: colourAt(x, y) from the
// rectangle's corner, and the colours drawn there with their shares, the most common first.
export async function drawn(page, {x, y, width, height}) {
    const png = readPng(Buffer.from(await page.screenshot({encoding: 'base64'}), 'base64'));
    const scale = png.width / await page.evaluate(() => innerWidth);
    const colourAt = (dx, dy) => png.pixel(Math.floor((x + dx) * scale),
                                           Math.floor((y + dy) * scale));
    const counts = new Map();
    for (let dy = 0; dy < height; dy += 1 / scale)
        for (let dx = 0; dx < width; dx += 1 / scale) {
            const key = colourAt(dx, dy).join(',');
            counts.set(key, (counts.get(key) ?? 0) + 1);
        }
    const total = [...counts.values()].reduce((a, b) => a + b, 0);
    const colours = [...counts].sort((a, b) => b[1] - a[1])
        .map(([key, n]) => ({rgb: key.split(',').map(Number), share: n / total}));
    return {colourAt, colours};
}

// axe-core's findings on the page as it stands, each as its rule and the elements it names,
// leaving out only the design's own exceptions: the block letter "RX", blue on black, is as
// the windows' design draws it (2.44:1).
const AXE_SOURCE = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'),
                                'utf8');
const DESIGN_EXCEPTIONS = [{rule: 'color-contrast', element: '#Form1_Label1_12'}];
export async function accessibilityViolations(page) {
    if (!await page.evaluate(() => 'axe' in window))
        await page.evaluate(AXE_SOURCE);
    const violations = await page.evaluate(async () => {
        const result = await window.axe.run(document, {resultTypes: ['violations']});
        return result.violations.map((v) => ({rule: v.id, elements: v.nodes.map((n) => n.target.join(' '))}));
    });
    return violations
        .map((v) => ({...v, elements: v.elements.filter((element) => !DESIGN_EXCEPTIONS.some(
            (e) => e.rule === v.rule && e.element === element))}))
        .filter((v) => v.elements.length > 0);
}
