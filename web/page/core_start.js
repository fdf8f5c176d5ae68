// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// core_start.js: the end of lotto-core.js: instantiates the program the moment its script runs, as
// createLottoModule.ready, a promise of the module that lotto.js starts once the page's window is there.
//
// The WebAssembly travels gzipped in the script (createLottoModule.wasm): a page opened from the disk may fetch no
// file. It is unpacked from a stream of the script's own making, whose every step Chromium answers within the same
// task, and the module is compiled and instantiated at once: a step that waited for a turn of the page's thread (a
// blob's stream, an asynchronous compile or instantiation) waited behind the first layout and paint, and the light
// behind it. An engine that refuses to compile or instantiate a module of this size on the page's thread (Chromium
// 103, the oldest the page is made for, throws a RangeError) is asked again asynchronously: its light comes after the
// first paint, but comes.
// Nothing here touches the page; what the browser lacks is told by lotto.js, this promise only fails.
'use strict';

createLottoModule.ready = (() => {
  // The browser's own decoder where it has one; a loop over atob's characters, run once, where it has not.
  function base64Bytes(text) {
    if (typeof Uint8Array.fromBase64 === 'function') return Uint8Array.fromBase64(text);
    const packed = atob(text);
    const bytes = new Uint8Array(packed.length);
    for (let i = 0; i < packed.length; i++) bytes[i] = packed.charCodeAt(i);
    return bytes;
  }

  // Made at once where the engine allows it, else asynchronously; what fails both ways fails the start.
  function atOnceOrLater(atOnce, later) {
    try {
      return Promise.resolve(atOnce());
    } catch {
      return later();
    }
  }

  // The program's module, its instance made as the module was.
  function programOf(module) {
    return new Promise((resolve, reject) => {
      createLottoModule({
        instantiateWasm(imports, receiveInstance) {
          atOnceOrLater(
            () => new WebAssembly.Instance(module, imports),
            () => WebAssembly.instantiate(module, imports),
          )
            .then((instance) => receiveInstance(instance, module))
            .catch(reject);
          return {};
        },
      }).then(resolve, reject);
    });
  }

  try {
    const bytes = base64Bytes(createLottoModule.wasm);
    const reader = new ReadableStream({
      start(controller) {
        controller.enqueue(bytes);
        controller.close();
      },
    })
      .pipeThrough(new DecompressionStream('gzip'))
      .getReader();
    const chunks = [];
    const readAll = () => reader.read().then(({ done, value }) => (done ? chunks : (chunks.push(value), readAll())));
    return readAll()
      .then(() => {
        const wasm = new Uint8Array(chunks.reduce((length, chunk) => length + chunk.length, 0));
        chunks.reduce((at, chunk) => (wasm.set(chunk, at), at + chunk.length), 0);
        return atOnceOrLater(() => new WebAssembly.Module(wasm), () => WebAssembly.compile(wasm));
      })
      .then(programOf);
  } catch (error) {
    return Promise.reject(error);
  }
})();
createLottoModule.ready.catch(() => {}); // told by lotto.js, once the page can show it
