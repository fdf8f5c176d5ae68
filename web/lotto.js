// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// lotto.js: the page as the program's board: builds the window from the exported design, holds the board in its
// elements, and hands the timer's ticks, the clicks and the keys to the program.
'use strict';

(() => {
  const byId = (id) => document.getElementById(id);
  const form = document.querySelector('[data-design="Form1"]');
  const announcements = byId('announcements');

  function showNotice(id) {
    byId(id).hidden = false;
  }

  if (
    typeof WebAssembly !== 'object' ||
    typeof WebAssembly.instantiate !== 'function' ||
    typeof DecompressionStream !== 'function'
  ) {
    showNotice('no-webassembly');
    return;
  }
  // The light is rolled from the operating system's random source, which a browser gives only through Web Crypto.
  if (typeof crypto !== 'object' || typeof crypto.getRandomValues !== 'function') {
    showNotice('no-crypto');
    return;
  }
  if (typeof createLottoModule !== 'function') {
    showNotice('no-webassembly'); // the program's script did not load or this browser cannot read it
    return;
  }

  // Installed as an app and kept working offline after a first visit: a browser reads the manifest and runs a
  // service worker only for a page it fetched (the worker only on https or from this machine), never for one
  // opened from the disk, where asking would be refused as a request to another origin.
  if (location.protocol !== 'file:') {
    const manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'manifest.webmanifest';
    document.head.append(manifest);
    if ('serviceWorker' in navigator && window.isSecureContext) navigator.serviceWorker.register('sw.js').catch(() => {});
  }

  // The program's WebAssembly travels gzipped inside lotto-core.js: a page opened from the disk may fetch no file.
  const packed = Uint8Array.from(atob(createLottoModule.wasm), (c) => c.charCodeAt(0));
  new Response(new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip')))
    .arrayBuffer()
    .then((wasm) => createLottoModule({ wasmBinary: new Uint8Array(wasm) }))
    .then(start, () => showNotice('no-webassembly'));

  function px(value) {
    return `${value}px`;
  }

  function place(element, box) {
    Object.assign(element.style, { left: px(box.left), top: px(box.top), width: px(box.width), height: px(box.height) });
  }

  function setFont(element, font) {
    Object.assign(element.style, { fontFamily: font.family, fontSize: px(font.size), fontWeight: font.weight });
  }

  function create(tag, className, design) {
    const element = document.createElement(tag);
    if (className) element.className = className;
    if (design) element.dataset.design = design;
    return element;
  }

  function start(Module) {
    const layout = Module.form1Layout();
    document.title = layout.title;
    document.body.style.fontFamily = layout.pageFont.family;
    const shipped = new FontFace(layout.shippedFont.family, `url(${layout.shippedFont.file})`);
    document.fonts.add(shipped);
    shipped.load().catch(() => {}); // without it the installed faces of the stack draw the page

    // The board: one element per ball or slot (its disc and number), the frame lines, the real controls.
    const items = [];
    const discs = [];
    const labels = [];
    const labelShown = [];
    const discShown = [];
    const controls = {};

    form.dataset.design = layout.form.name;
    place(form, layout.form.box);
    form.style.position = 'relative';
    form.style.backgroundColor = layout.form.background;
    for (const part of layout.surface) {
      if (part.kind === 'line') {
        const line = create('div', 'line', part.name);
        place(line, part.box);
        line.style.backgroundColor = part.colour;
        form.append(line);
        continue;
      }
      const item = create('div', 'item');
      item.setAttribute('role', 'img');
      place(item, part.box);
      // The picture is named as a whole; its disc and number are only how it looks.
      const disc = create('div', 'disc', part.disc.name);
      disc.setAttribute('aria-hidden', 'true');
      place(disc, part.disc.box);
      Object.assign(disc.style, {
        backgroundColor: part.disc.fill,
        borderColor: part.disc.outline,
        borderWidth: px(part.disc.outlineWidth),
      });
      const label = create('span', 'label', part.label.name);
      label.setAttribute('aria-hidden', 'true');
      Object.assign(label.style, { left: px(part.label.left), top: px(part.label.top), color: part.label.colour });
      setFont(label, part.label.font);
      item.append(disc, label);
      form.append(item);
      items[part.index] = item;
      discs[part.index] = disc;
      labels[part.index] = label;
      labelShown[part.index] = discShown[part.index] = true;
      showCaption(part.index, part.label.caption);
    }
    for (const design of layout.controls) {
      let control;
      if (design.kind === 'button') {
        control = create('button', 'control', design.name);
        control.type = 'button';
        control.textContent = design.caption;
        control.setAttribute('aria-description', design.description);
        control.addEventListener('click', () => press(design.name));
      } else {
        control = create('input', 'control', design.name);
        control.type = 'text';
        control.autocomplete = 'off';
        control.spellcheck = false;
        control.setAttribute('aria-label', design.accessibleName);
      }
      place(control, design.box);
      setFont(control, design.font);
      control.disabled = !design.enabled;
      form.append(control);
      controls[design.name] = control;
    }

    function showCaption(index, caption) {
      labels[index].textContent = caption;
      items[index].setAttribute('aria-label', Module.accessibleLabelName(index, caption));
    }

    // A ball is on the board while its disc and its number both show; half of one is no ball to a screen reader.
    function showItem(index) {
      const item = items[index];
      item.hidden = !labelShown[index] && !discShown[index];
      labels[index].hidden = !labelShown[index];
      discs[index].hidden = !discShown[index];
      if (labelShown[index] && discShown[index]) item.removeAttribute('aria-hidden');
      else item.setAttribute('aria-hidden', 'true');
    }

    // The timer behind the light. A stopped timer runs no tick: a tick already queued checks it is still the one.
    let timerInterval = 0;
    let timer = 0;
    function startTimer() {
      const id = setInterval(() => {
        if (timer === id) program.tick();
      }, timerInterval);
      timer = id;
    }
    function stopTimer() {
      clearInterval(timer);
      timer = 0;
    }

    let ended = false;
    function endControls() {
      ended = true;
      stopTimer();
      for (const control of Object.values(controls)) control.disabled = true;
    }
    function showEnded() {
      form.hidden = true;
      document.body.dataset.state = 'ended';
      showNotice('ended');
    }

    const Board = Module.WebBoard.extend('WebBoard', {
      labelText(label) {
        return labels[label].textContent;
      },
      setLabelText(label, text) {
        if (labels[label].textContent === text) return;
        showCaption(label, text);
        const announcement = Module.drawAnnouncement(label, text);
        // Said once the press is over: moving the focus cuts off what a screen reader is saying.
        if (announcement !== null) setTimeout(() => (announcements.textContent = announcement));
      },
      setLabelVisible(label, visible) {
        labelShown[label] = visible;
        showItem(label);
      },
      setDiscColour(disc, colour) {
        discs[disc].style.backgroundColor = colour; // only a change reaches the page
      },
      setDiscVisible(disc, visible) {
        discShown[disc] = visible;
        showItem(disc);
      },
      setButtonEnabled(name, enabled) {
        controls[name].disabled = !enabled;
      },
      setInstructionText(text) {
        controls.Text1.value = text;
      },
      setTimerInterval(milliseconds) {
        if (milliseconds === timerInterval) return; // restarting would reset the light's beat
        timerInterval = milliseconds;
        if (timer) {
          stopTimer();
          startTimer();
        }
      },
      setTimerEnabled(enabled) {
        if (enabled && !timer && !ended) startTimer();
        else if (!enabled) stopTimer();
      },
      controlEnabled(name) {
        return !ended && !controls[name].disabled;
      },
      focusControl(name) {
        controls[name].focus();
      },
      reportRunTimeError(title, text) {
        endControls();
        byId('report-title').textContent = title;
        byId('report-text').textContent = text;
        const report = byId('report');
        report.addEventListener('close', showEnded, { once: true });
        byId('report-close').addEventListener('click', () => report.close(), { once: true });
        report.showModal();
      },
      // Bye: the program ends at once. An installed app's window closes; a browser's tab says so.
      endProgram() {
        endControls();
        window.close();
        showEnded();
      },
    });

    function press(name) {
      program.click(name);
    }

    // Space and Enter press the focused button once, when the key comes up, as on the desktop: never again for
    // a held key's repeats, and never the button the focus has moved to while the key was down.
    let pressing = null;
    const isPressKey = (event) => event.key === ' ' || event.key === 'Enter';
    form.addEventListener('keydown', (event) => {
      const button = event.target.closest('button');
      if (!button || !isPressKey(event)) return;
      event.preventDefault();
      if (!event.repeat && !pressing) pressing = { key: event.key, button };
    });
    form.addEventListener('keyup', (event) => {
      const button = event.target.closest('button');
      if (!button || !isPressKey(event)) return;
      event.preventDefault();
      const pressed = pressing && pressing.key === event.key && pressing.button === button;
      if (pressing && pressing.key === event.key) pressing = null;
      if (pressed) press(button.dataset.design);
    });

    // A window wider than the screen is shown whole, scaled down; the design's pixels stay as they are.
    function fit() {
      const room = document.documentElement.clientWidth - 2 * form.offsetLeft;
      const scale = Math.min(1, room / layout.form.box.width);
      form.style.transform = scale < 1 ? `scale(${scale})` : '';
    }
    window.addEventListener('resize', fit);

    const board = new Board();
    const program = Module.makeProgram(board);
    form.hidden = false;
    fit();
    program.start();
  }
})();
