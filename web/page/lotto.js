// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// lotto.js: the page as the program's board: takes the elements of the window the build wrote into the page over as
// the board, and hands the timer's ticks, the clicks and the keys to the program.
'use strict';

(() => {
  // Marked as run whole: a script cut short runs nothing, and the page's head then tells of a broken file.
  document.currentScript.dataset.ran = '';
  // The program's script runs just before this one, once the page is read, and instantiates the program as it runs
  // (core_start.js); the program takes the board over at once, before the first paint. A program script that did
  // not arrive, or arrived cut short, ran nothing: the page's head has told of it.
  const missing = missingFeature();
  const programReady = missing
    ? Promise.reject(new Error(missing))
    : typeof createLottoModule !== 'function'
      ? Promise.reject(new Error('lost-file'))
      : createLottoModule.ready || Promise.reject(new Error('no-webassembly'));
  programReady.catch(() => {}); // told on the page once it can be
  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', begin, { once: true });
  else begin();

  // The notice for what this browser lacks, or null.
  function missingFeature() {
    if (
      typeof WebAssembly !== 'object' ||
      typeof WebAssembly.instantiate !== 'function' ||
      typeof DecompressionStream !== 'function'
    ) {
      return 'no-webassembly';
    }
    // The light is rolled from the operating system's random source, which a browser gives only through Web Crypto.
    if (typeof crypto !== 'object' || typeof crypto.getRandomValues !== 'function') return 'no-crypto';
    return null;
  }

  function begin() {
    const byId = (id) => document.getElementById(id);
    const form = document.querySelector('[data-design="Form1"]');
    const announcements = byId('announcements');

    // A notice that the program cannot run replaces the window, whose controls would never answer.
    function showNotice(id) {
      byId(id).hidden = false;
      if (id !== 'ended' && form) form.hidden = true;
    }
    // A page cut short ends before its report dialog, which the build writes after the window.
    if (!form || !byId('report')) {
      showNotice('lost-file');
      return;
    }

    // Installed as an app and kept working offline after a first visit: a browser reads the manifest and runs a
    // service worker only for a page it fetched (the worker only on https or from this machine), never for one
    // opened from the disk, where asking would be refused as a request to another origin. The worker is registered
    // once the light is on: on a first visit its install fetches every file of the page again and hashes it, which
    // would hold up the program's start on a phone's few cores.
    let registerWorker = () => {};
    if (!missing && location.protocol !== 'file:') {
      const manifest = document.createElement('link');
      manifest.rel = 'manifest';
      manifest.href = 'manifest.webmanifest';
      document.head.append(manifest);
      if ('serviceWorker' in navigator && window.isSecureContext) {
        // sw.js is always fetched from the host, never the HTTP cache: it is the one file that tells a new build is
        // out.
        registerWorker = () => navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch(() => {});
        // A page loaded from a newer build than its worker's lets that build take over once it has loaded, if it is
        // the only page open.
        const loaded = () => navigator.serviceWorker.controller?.postMessage('loaded');
        if (document.readyState === 'complete') loaded();
        else addEventListener('load', loaded, { once: true });
      }
    }

    // A browser without what the program needs is told so; otherwise a program that did not load or does not
    // compile came in a file that did not arrive whole, and the worker's install, which checks every file it
    // fetches, may yet keep a whole build for the reload the page asks for.
    programReady.then(
      (Module) => start(Module, form, announcements, showNotice, registerWorker),
      () => {
        showNotice(missing || 'lost-file');
        registerWorker();
      },
    );
  }

  // The board the build wrote: one element per ball or slot holding its disc and number, the frame lines, the real
  // controls, each found by its design name.
  function start(Module, form, announcements, showNotice, afterFirstLight) {
    const byId = (id) => document.getElementById(id);
    const items = [];
    const discs = [];
    const labels = [];
    const labelShown = [];
    const discShown = [];
    const controls = {}; // by design name
    const controlAt = []; // by design index, as the program names them at its start
    const designIndex = new Map(); // each control's design index
    for (const disc of form.querySelectorAll('.disc')) {
      const index = Number(disc.dataset.design.split('-').pop());
      discs[index] = disc;
      items[index] = disc.closest('.item');
      labels[index] = items[index].querySelector('.label');
      labelShown[index] = !labels[index].hidden;
      discShown[index] = !disc.hidden;
    }
    for (const control of form.querySelectorAll('.control')) {
      controls[control.dataset.design] = control;
      if (control.localName === 'button') control.addEventListener('click', () => press(control));
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

    // The announcement the next focus move carries, and the control that carries the last one with its own name.
    let sayFirst = null;
    let carrier = null;
    function restoreName() {
      if (!carrier) return;
      if (carrier.label === null) carrier.element.removeAttribute('aria-label');
      else carrier.element.setAttribute('aria-label', carrier.label);
      carrier = null;
    }

    // The timer behind the light. A stopped timer runs no tick: a tick already queued checks it is still the one.
    // The design arms it as its window opens, and this window opened when the page had been read, which may be well
    // before the program's script arrived: the program's start counts its first beat from then. A program that starts
    // once its window is up lights its first ball as soon as its start is over, in the same task: a timer's overdue
    // tick would come as soon as the program is free, but the browser may draw a frame first, and the light would
    // miss it.
    const windowOpenedAt = performance.getEntriesByType?.('navigation')[0]?.domInteractive || performance.now();
    let armingAsWindowOpened = true; // during the program's start only
    let timerInterval = 0;
    let timer = null;
    function startTimer() {
      const run = {}; // this run of the timer
      const beat = () => {
        if (timer !== run) return;
        Module._lotto_tick();
        const then = takeAfterFirstLight();
        if (then) requestAnimationFrame(() => setTimeout(then)); // once its frame is out
      };
      const firstBeat = () => {
        if (timer !== run) return;
        run.every = setInterval(beat, timerInterval);
        beat();
      };
      const firstBeatIn = armingAsWindowOpened ? windowOpenedAt + timerInterval - performance.now() : timerInterval;
      if (firstBeatIn > 0) run.first = setTimeout(firstBeat, firstBeatIn);
      else queueMicrotask(firstBeat); // once the program's start has returned
      timer = run;
    }
    function takeAfterFirstLight() {
      const then = afterFirstLight;
      afterFirstLight = null;
      return then;
    }
    function stopTimer() {
      if (timer) {
        clearTimeout(timer.first);
        clearInterval(timer.every);
      }
      timer = null;
    }

    // Chromium tells a screen reader that the focus moved before it tells the other changes of the same update, and
    // Orca reads the control with the states it knew: a button enabled and focused in one task is said "grayed".
    // So there the focus moves in the task after the frame those changes are passed on in. A key or a pointer that
    // comes first moves it at once, before it is handled, so that it goes where the program put the focus. Firefox
    // tells the changes in order, but gives a focused button that is greyed up to the document at once, which a
    // screen reader would say instead of the number: there the focus moves at once.
    const focusWaitsForFrame = /Chrom(e|ium)\//.test(navigator.userAgent);
    let focusDue = null;
    let focusMovedFor = null; // the event the focus was moved for, which still names the control it left
    function moveFocusNow(event) {
      if (!focusDue) return;
      const target = focusDue;
      focusDue = null;
      focusMovedFor = event;
      target.focus();
    }
    for (const type of ['keydown', 'keyup', 'pointerdown']) document.addEventListener(type, moveFocusNow, true);

    function endControls() {
      focusDue = null;
      stopTimer();
      takeAfterFirstLight()?.(); // a program that ended before its first light
      for (const control of Object.values(controls)) control.disabled = true;
    }
    // An installed app's window closes when the program ends, on Bye or once its run-time error is read, as the
    // desktop program's does. A browser's tab is the player's, not the program's: it stays, saying the program has
    // ended (closing it would also close a tab that has only this page in its history, and with it whatever the
    // player meant to do next). The focus goes to the sentence that says so, which a screen reader then reads: the
    // button it was on is gone.
    function closeOrShowEnded() {
      if (inInstalledAppWindow()) window.close();
      form.hidden = true;
      document.body.dataset.state = 'ended';
      showNotice('ended');
      byId('ended').focus();
    }
    function inInstalledAppWindow() {
      return (
        navigator.standalone === true ||
        ['standalone', 'minimal-ui', 'window-controls-overlay'].some((mode) => matchMedia(`(display-mode: ${mode})`).matches)
      );
    }

    // What the program's imported functions (page_imports.js) call: indexes the program has checked, colours as CSS.
    Module.board = {
      nameControl(index, name) {
        controlAt[index] = controls[name];
        designIndex.set(controls[name], index);
      },
      labelText(label) {
        return labels[label].textContent;
      },
      // A ball or slot is named for screen readers with its caption, the name the program words.
      setLabelText(label, text, name) {
        if (labels[label].textContent === text) return;
        labels[label].textContent = text;
        items[label].setAttribute('aria-label', name);
      },
      setLabelVisible(label, visible) {
        labelShown[label] = visible;
        showItem(label);
      },
      setDiscColour(disc, colour, lit) {
        discs[disc].style.backgroundColor = colour; // only a change reaches the page
        discs[disc].classList.toggle('lit', lit);
      },
      setDiscVisible(disc, visible) {
        discShown[disc] = visible;
        showItem(disc);
      },
      setControlEnabled(control, enabled) {
        controlAt[control].disabled = !enabled;
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
        if (enabled && !timer) startTimer();
        else if (!enabled) stopTimer();
      },
      // The program's front end: the midend decides, the page carries it out.
      controlEnabled(control) {
        return !controlAt[control].disabled;
      },
      // The controls answer from the moment the program runs, in the same task: no press can fall between the two.
      showWindow() {
        form.removeAttribute('inert');
      },
      // What the midend announces just before it moves the focus is said as the first words of the control's name,
      // so that a screen reader says it first, at once: a live region is read only a while after the focus speech,
      // queued behind it, and the player's next key drops it. The control keeps those words until the focus moves
      // on or leaves it. Where the focus does not move, the live region says it.
      focusControl(control) {
        const target = controlAt[control];
        restoreName();
        if (sayFirst !== null && document.activeElement !== target) {
          carrier = { element: target, label: target.getAttribute('aria-label') };
          target.setAttribute('aria-label', `${sayFirst} ${carrier.label ?? target.textContent}`);
          target.addEventListener('blur', () => carrier?.element === target && restoreName(), { once: true });
          sayFirst = null;
        }
        focusDue = target;
        if (!focusWaitsForFrame || document.visibilityState !== 'visible') moveFocusNow(null); // no frame to wait for
        else requestAnimationFrame(() => setTimeout(() => focusDue === target && moveFocusNow(null)));
      },
      announce(text) {
        sayFirst = text;
        queueMicrotask(() => {
          if (sayFirst === text) setTimeout(() => (announcements.textContent = text));
          sayFirst = null;
        });
      },
      showRunTimeError(title, text) {
        endControls();
        byId('report-title').textContent = title;
        byId('report-text').textContent = text;
        const report = byId('report');
        report.addEventListener('close', closeOrShowEnded, { once: true });
        byId('report-close').addEventListener('click', () => report.close(), { once: true });
        report.showModal();
      },
      // After a run-time error the page shows its end once the report is read; after Bye at once.
      end() {
        endControls();
        if (!byId('report').open) closeOrShowEnded();
      },
    };

    // The pointer that last went down on the window says whether the click that follows is a finger's: after a
    // finger's press the focus stays off the instruction line, whose focus raises a phone's on-screen keyboard.
    let pressedByTouch = false;
    form.addEventListener('pointerdown', (event) => (pressedByTouch = event.pointerType === 'touch'), true);
    document.addEventListener('keydown', () => (pressedByTouch = false), true);
    function press(control) {
      if (designIndex.has(control)) Module._lotto_click(designIndex.get(control), pressedByTouch);
    }

    // Space and Enter press the focused button once, when the key comes up, as on the desktop: never again for
    // a held key's repeats, and never the button the focus has moved to while the key was down.
    let pressing = null;
    const isPressKey = (event) => event.key === ' ' || event.key === 'Enter';
    const pressedButton = (event) => {
      const button = (focusMovedFor === event ? document.activeElement : event.target).closest?.('button');
      return button && form.contains(button) ? button : null;
    };
    document.addEventListener('keydown', (event) => {
      const button = pressedButton(event);
      if (!button || !isPressKey(event)) return;
      event.preventDefault();
      if (!event.repeat && !pressing) pressing = { key: event.key, button };
    });
    document.addEventListener('keyup', (event) => {
      const button = pressedButton(event);
      if (!button || !isPressKey(event)) return;
      event.preventDefault();
      const pressed = pressing && pressing.key === event.key && pressing.button === button;
      if (pressing && pressing.key === event.key) pressing = null;
      if (pressed) press(button);
    });

    Module._lotto_start();
    armingAsWindowOpened = false;
  }
})();
