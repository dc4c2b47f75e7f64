// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The README's pictures of the web page, under a Russian locale, after a calculation on the
// default values: on a desktop with the turn-count box, and on a phone the screen after the box
// is closed, scrolled to the results, with the bar of buttons at the bottom.
//   node tests/web/screenshots.mjs [SITE] [OUT]      (build-web/site, docs/)

import {join, resolve} from 'node:path';
import {startServer} from '../../web/serve.mjs';
import {button, launch, openPage} from './browser.mjs';

const site = resolve(process.argv[2] ?? 'build-web/site');
const out = resolve(process.argv[3] ?? 'docs');
const server = await startServer(site);
const browser = await launch('chromium', 'ru-RU');
for (const [name, options, phone] of [
    ['web-desktop.png', {width: 900, height: 640}, false],
    ['web-phone.png', {width: 360, height: 740, phone: true}, true],
]) {
    const page = await openPage(browser, server.url, options);
    await (await button(page, 'Расчет')).click();
    if (phone) {
        await page.keyboard.press('Enter');
        await page.evaluate(() => document.activeElement.blur());
    }
    await page.screenshot({path: join(out, name)});
    await page.close();
}
await browser.close();
await server.close();
