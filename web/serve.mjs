// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// A small static server for the built page, on the loopback address only: the site's files
// with their types, compressed for browsers that take gzip, and the page's
// Content-Security-Policy as a header too. Node's standard library only.
//   node web/serve.mjs SITE [PORT]     serves SITE and prints its address
// The browser tests and the benchmark start it through startServer.

import {createServer} from 'node:http';
import {readFile, stat} from 'node:fs/promises';
import {extname, join, normalize, resolve, sep} from 'node:path';
import {gzipSync} from 'node:zlib';
import {fileURLToPath} from 'node:url';

const TYPES = {
    '.html': 'text/html; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.mjs': 'text/javascript; charset=utf-8',
    '.wasm': 'application/wasm',
    '.png': 'image/png',
    '.webmanifest': 'application/manifest+json; charset=utf-8',
    '.json': 'application/json; charset=utf-8',
    '.txt': 'text/plain; charset=utf-8',
};

export const CONTENT_SECURITY_POLICY =
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; " +
    "img-src 'self'; connect-src 'self'; worker-src 'self'; manifest-src 'self'; " +
    "object-src 'none'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

// Serves root (which setRoot may change, as a new release replaces a site) on 127.0.0.1.
// Resolves to {url, setRoot, close, log}: log lists every request as
// {method, path, status, bytes}, bytes as sent.
export async function startServer(root, port = 0) {
    let site = resolve(root);
    const log = [];
    const server = createServer(async (request, response) => {
        const entry = {method: request.method, path: request.url, status: 0, bytes: 0};
        log.push(entry);
        try {
            const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
            let file = normalize(join(site, path));
            if (file !== site && !file.startsWith(site + sep))
                throw Object.assign(new Error('outside the site'), {code: 'ENOENT'});
            if ((await stat(file)).isDirectory())
                file = join(file, 'index.html');
            let body = await readFile(file);
            const headers = {
                'Content-Type': TYPES[extname(file)] ?? 'application/octet-stream',
                'Cache-Control': 'no-cache',
                'Content-Security-Policy': CONTENT_SECURITY_POLICY,
                'X-Content-Type-Options': 'nosniff',
                'Vary': 'Accept-Encoding',
            };
            if (/\bgzip\b/.test(request.headers['accept-encoding'] ?? '') &&
                extname(file) !== '.png') {
                body = gzipSync(body, {level: 9});
                headers['Content-Encoding'] = 'gzip';
            }
            headers['Content-Length'] = body.length;
            Object.assign(entry, {status: 200, bytes: request.method === 'HEAD' ? 0 : body.length});
            response.writeHead(200, headers);
            response.end(request.method === 'HEAD' ? undefined : body);
        } catch (error) {
            entry.status = error.code === 'ENOENT' || error.code === 'ENOTDIR' ? 404 : 500;
            response.writeHead(entry.status, {'Content-Type': 'text/plain; charset=utf-8'});
            response.end('not found\n');
        }
    });
    await new Promise((ready, fail) => {
        server.once('error', fail);
        server.listen(port, '127.0.0.1', ready);
    });
    // Connections kept alive by the browser must not hold the server open when it closes.
    const sockets = new Set();
    server.on('connection', (socket) => {
        sockets.add(socket);
        socket.on('close', () => sockets.delete(socket));
    });
    return {
        url: `http://127.0.0.1:${server.address().port}/`,
        log,
        setRoot: (folder) => { site = resolve(folder); },
        close: () => new Promise((done) => {
            server.close(() => done());
            for (const socket of sockets)
                socket.destroy();
        }),
    };
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
    const [root, port = '8848'] = process.argv.slice(2);
    if (!root) {
        console.error('usage: node serve.mjs SITE [PORT]');
        process.exit(2);
    }
    const {url} = await startServer(root, Number(port));
    console.log(`DD for Velmor is served at ${url} (Ctrl+C stops it)`);
}
