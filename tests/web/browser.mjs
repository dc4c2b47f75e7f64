// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// What the browser tests and the benchmark share: the system's browsers started headless with
// a fresh profile and no network but the page's own server, and ways to reach the page's
// controls as a person does, by the text of their label or their role and name.

import puppeteer from 'puppeteer-core';
import {mkdtempSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';

import {launchWebKit} from './webdriver.mjs';

export const ENGINES = {
    chromium: '/usr/bin/chromium',
    firefox: '/usr/bin/firefox-esr',
    webkit: '/usr/bin/WebKitWebDriver',
};

// A browser of the engine with the given language (which gives the regional format), in a
// profile of its own that is removed again on close.
export async function launch(engine = 'chromium', language = 'ru-RU') {
    if (engine === 'webkit')
        return launchWebKit(language, process.env.DDV_WEB_LOCALES ?? join(tmpdir(), 'ddv-locales'));
    const profile = mkdtempSync(join(tmpdir(), 'ddv-browser-'));
    const common = {executablePath: ENGINES[engine], headless: true, userDataDir: profile};
    const browser = engine === 'firefox'
        ? await puppeteer.launch({...common, browser: 'firefox', extraPrefsFirefox: {
            'intl.accept_languages': language,
            'intl.locale.requested': language,
            'browser.shell.checkDefaultBrowser': false,
            'network.captive-portal-service.enabled': false,
        }})
        : await puppeteer.launch({...common, args: [
            '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
            '--disable-component-update', '--disable-sync', '--disable-quic',
            `--lang=${language}`, `--accept-lang=${language}`,
        ]});
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
