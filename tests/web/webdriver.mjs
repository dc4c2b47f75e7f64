// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// WebKitGTK, the engine of Safari, driven through its WebDriver (WebKitWebDriver, Debian's
// webkit2gtk-driver) with the few calls of puppeteer's interface that the browser tests use,
// so that the same tests run in it. WebDriver has no browser contexts: each page is a session
// of its own, a fresh MiniBrowser. The browser needs an X display (the tests run under
// xvfb-run) and takes its language from the locale, made here in a folder of its own when the
// system has not generated it. A driver serves one session at a time, so each page has a
// driver of its own.

import {spawn, execFileSync} from 'node:child_process';
import {existsSync, mkdirSync} from 'node:fs';
import {createServer} from 'node:net';
import {join} from 'node:path';

const MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
// The key of an element reference: the standard's, and the one WebKitGTK 2.50 sends.
const ELEMENT_KEYS = ['element-6066-11e4-a52f-4d14d1f2b9ab', 'element-6066-11e4-a52e-4f735466cecf'];
const KEYS = {Enter: '\uE007', Tab: '\uE004', Escape: '\uE00C', Backspace: '\uE003',
              Shift: '\uE008', Space: ' '};

const freePort = () => new Promise((done) => {
    const probe = createServer().listen(0, '127.0.0.1', () => {
        const {port} = probe.address();
        probe.close(() => done(port));
    });
});

// The locale for language (ru-RU: ru_RU.UTF-8), from the system or made with localedef.
function localeEnvironment(language, folder) {
    const name = `${language.replace('-', '_')}.UTF-8`;
    const installed = execFileSync('locale', ['-a'], {encoding: 'utf8'}).split('\n')
        .some((l) => l.toLowerCase() === name.toLowerCase().replace('utf-8', 'utf8'));
    if (installed)
        return {LC_ALL: name};
    mkdirSync(folder, {recursive: true});
    if (!existsSync(join(folder, name)))
        execFileSync('localedef', ['-i', name.split('.')[0], '-f', 'UTF-8', join(folder, name)]);
    return {LC_ALL: name, LOCPATH: folder};
}

const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

// A driver on a free port for the language, and its base address; stop() ends it.
async function startDriver(env) {
    const port = await freePort();
    const driver = spawn('WebKitWebDriver', [`--port=${port}`], {env, stdio: 'ignore'});
    const base = `http://127.0.0.1:${port}`;
    for (let i = 0; ; ++i) {
        try {
            await fetch(`${base}/status`);
            return {base, stop: () => driver.kill()};
        } catch (error) {
            if (i > 200) {
                driver.kill();
                throw error;
            }
            await sleep(50);
        }
    }
}

export async function launchWebKit(language, localeFolder) {
    const env = {...process.env, ...localeEnvironment(language, localeFolder)};
    delete env.LANGUAGE;
    const pages = new Set();
    const newPage = async () => {
        const driver = await startDriver(env);
        try {
            const page = await WebKitPage.open(driver);
            pages.add(page);
            return page;
        } catch (error) {
            driver.stop();
            throw error;
        }
    };
    return {
        newPage,
        createBrowserContext: async () => {
            const own = new Set();
            return {
                newPage: async () => { const p = await newPage(); own.add(p); return p; },
                close: async () => { for (const p of own) await p.close(); },
            };
        },
        version: async () => 'WebKitGTK MiniBrowser',
        close: async () => {
            for (const page of pages)
                await page.close();
        },
    };
}

class WebKitPage {
    static async open(driver) {
        const answer = await command(driver.base, 'POST', '/session', {capabilities: {alwaysMatch: {
            'webkitgtk:browserOptions': {binary: MINIBROWSER, args: ['--automation']}}}});
        return new WebKitPage(`${driver.base}/session/${answer.sessionId}`, driver);
    }

    constructor(session, driver) {
        this.session = session;
        this.driver = driver;
        this.listeners = {};
        this.closed = false;
        const page = this;
        this.keyboard = {
            press: (key) => page.keys([key]),
            type: (text) => page.keys([...text], true),
            sendCharacter: (text) => page.keys([...text], true),
            down: (key) => page.actions([{type: 'keyDown', value: KEYS[key] ?? key}]),
            up: (key) => page.actions([{type: 'keyUp', value: KEYS[key] ?? key}]),
        };
    }

    call(method, path, body) { return command(this.session, method, path, body); }

    on(event, listener) { (this.listeners[event] ??= []).push(listener); }

    async setViewport({width, height}) {
        // The window holds the page and MiniBrowser's bars: grown until the page is as asked.
        await this.call('POST', '/window/rect', {width, height});
        const inner = await this.evaluate(() => [innerWidth, innerHeight]);
        await this.call('POST', '/window/rect', {width: 2 * width - inner[0],
                                                 height: 2 * height - inner[1]});
    }

    async goto(url) {
        await this.call('POST', '/url', {url});
        // Errors of the page from now on, reported as puppeteer reports them.
        await this.evaluate(() => {
            window.__problems = [];
            window.addEventListener('error', (e) => window.__problems.push(e.message));
            window.addEventListener('unhandledrejection',
                                    (e) => window.__problems.push(String(e.reason)));
        });
    }

    title() { return this.call('GET', '/title'); }

    async evaluate(fn, ...args) {
        if (typeof fn === 'string') { // a script, run as it is
            await this.call('POST', '/execute/sync', {script: fn, args: []});
            return undefined;
        }
        const script = `const done = arguments[arguments.length - 1];
            const args = Array.prototype.slice.call(arguments, 0, -1);
            Promise.resolve().then(() => (${fn}).apply(null, args))
                .then((value) => done({value}), (error) => done({error: String(error)}));`;
        const answer = await this.call('POST', '/execute/async',
                                       {script, args: args.map((a) => a?.reference ?? a)});
        if (answer.error)
            throw new Error(answer.error);
        return this.wrap(answer.value);
    }

    evaluateHandle(fn, ...args) { return this.evaluate(fn, ...args).then((v) => v ?? nullHandle); }

    wrap(value) {
        const key = value && typeof value === 'object' && ELEMENT_KEYS.find((k) => k in value);
        if (key)
            return new WebKitElement(this, value, key);
        if (Array.isArray(value))
            return value.map((v) => this.wrap(v));
        return value;
    }

    async $(selector) {
        const handle = await this.evaluate((s) => document.querySelector(s), selector);
        return handle ?? null;
    }

    async $eval(selector, fn, ...args) {
        const handle = await this.$(selector);
        if (!handle)
            throw new Error(`no element for ${selector}`);
        return handle.evaluate(fn, ...args);
    }

    async waitForFunction(fn, {timeout = 10000} = {}, ...args) {
        const until = Date.now() + timeout;
        for (;;) {
            try {
                if (await this.evaluate(fn, ...args))
                    return;
            } catch {
                // a navigation in between
            }
            if (Date.now() > until)
                throw new Error(`waiting failed: ${timeout} ms exceeded`);
            await sleep(50);
        }
    }

    waitForSelector(selector, options) {
        return this.waitForFunction((s) => document.querySelector(s) !== null, options, selector);
    }

    async keys(keys, literal = false) {
        const actions = [];
        for (const key of keys) {
            const value = literal ? key : (KEYS[key] ?? key);
            actions.push({type: 'keyDown', value}, {type: 'keyUp', value});
        }
        await this.actions(actions);
    }

    actions(actions) {
        return this.call('POST', '/actions', {actions: [{type: 'key', id: 'keyboard', actions}]});
    }

    async screenshot({path, encoding} = {}) {
        const png = await this.call('GET', '/screenshot');
        if (encoding === 'base64')
            return png;
        const {writeFileSync} = await import('node:fs');
        writeFileSync(path, Buffer.from(png, 'base64'));
    }

    // Back in the session history, as the browser's Back button goes.
    goBack() { return this.call('POST', '/back', {}); }

    // What went wrong in the page, as openPage collects it for the other engines.
    async collectProblems() {
        try {
            return await this.evaluate(() => window.__problems ?? []);
        } catch {
            return [];
        }
    }

    async close() {
        if (this.closed)
            return;
        this.closed = true;
        await this.call('DELETE', '').catch(() => {});
        this.driver.stop();
    }
}

const nullHandle = {asElement: () => null};

class WebKitElement {
    constructor(page, reference, key) {
        this.page = page;
        this.reference = reference;
        this.id = reference[key];
    }

    asElement() { return this; }
    evaluate(fn, ...args) { return this.page.evaluate(fn, this, ...args); }
    focus() { return this.evaluate((e) => e.focus()); }
    click() { return this.page.call('POST', `/element/${this.id}/click`, {}); }
    tap() { return this.click(); }
}

async function command(base, method, path, body) {
    const response = await fetch(base + path, {
        method,
        headers: {'Content-Type': 'application/json'},
        body: body === undefined ? undefined : JSON.stringify(body),
    });
    const answer = await response.json();
    if (!response.ok)
        throw new Error(`${method} ${path}: ${answer.value?.error}: ${answer.value?.message}`);
    return answer.value;
}
