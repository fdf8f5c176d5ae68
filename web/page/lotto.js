// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// lotto.js: the page as the program's board: takes the elements of the window the build wrote into the page over as
// the board, and hands the timer's ticks, the clicks and the keys to the program.
'use strict';

// A block, not a function: each part below is a function of its own, and nothing here becomes the page's global.
{
  // Marked as run whole: a script cut short runs nothing, and the page's head then tells of a broken file.
  document.currentScript.dataset.ran = '';
  // The program's script runs just before this one, once the page is read, and instantiates the program as it runs
  // (core_start.js); the program takes the board over at once, before the first paint. A program script that did
  // not arrive, or arrived cut short, ran nothing: the page's head has told of it. One that ran without making the
  // program's promise is of no build this page knows. Deferred, this script runs once the page has been read.
  const missing = missingFeature();
  const programReady = missing
    ? Promise.reject(new Error(missing))
    : typeof createLottoModule !== 'function' || !(createLottoModule.ready instanceof Promise)
      ? Promise.reject(new Error('lost-file'))
      : createLottoModule.ready;
  programReady.catch(() => {}); // told on the page once it can be
  begin(missing, programReady);

  // The notice for what this browser lacks, or null.
  function missingFeature() {
    if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') return 'no-webassembly';
    // The program travels compressed (core_start.js).
    if (typeof DecompressionStream !== 'function') return 'no-decompression';
    // The light is rolled from the operating system's random source, which a browser gives only through Web Crypto.
    if (typeof crypto !== 'object' || typeof crypto.getRandomValues !== 'function') return 'no-crypto';
    return null;
  }

  function byId(id) {
    return document.getElementById(id);
  }

  // A notice that the program cannot run, or has ended, replaces the window, whose controls would never answer.
  function showNotice(id) {
    byId(id).hidden = false;
    const form = document.querySelector('[data-design="Form1"]');
    if (form) form.hidden = true;
  }

  function begin(missing, programReady) {
    const form = document.querySelector('[data-design="Form1"]');
    // A page cut short ends before its report dialog, which the build writes after the window.
    if (!form || !byId('report')) {
      showNotice('lost-file');
      return;
    }
    const registration = handedOnce(missing ? () => {} : workerRegistration());
    const registerWorker = () => registration()?.();
    // A browser without what the program needs is told so; otherwise a program that did not load or does not
    // compile came in a file that did not arrive whole, and the worker's install, which checks every file it
    // fetches, may yet keep a whole build for the reload the page asks for. So did a program whose functions are not
    // those this page calls and answers.
    const cannotRun = (notice) => {
      showNotice(notice);
      registerWorker();
    };
    // So did a window the board cannot be built on or the program cannot start on: one of another build.
    programReady
      .then(
        (Module) => {
          const board = pageBoard(Module, form, registerWorker);
          if (!interfaceKept(Module, board)) return cannotRun('lost-file');
          Module.board = board;
          board.startProgram();
        },
        () => cannotRun(missing || 'lost-file'),
      )
      .catch(() => cannotRun('lost-file'));
  }

  // Whether the program and this page call each other by the same names, as the program's imports list them
  // (page_imports.js): each board method the program calls, and each function of the program the page calls.
  function interfaceKept(Module, board) {
    const named = Module.pageInterface;
    return (
      named !== undefined &&
      named.board.every((method) => typeof board[method] === 'function') &&
      named.program.every((name) => typeof Module[`_${name}`] === 'function')
    );
  }

  // Installed as an app and kept working offline after a first visit: a browser reads the manifest and runs a
  // service worker only for a page it fetched (the worker only on https or from this machine), never for one opened
  // from the disk, where asking would be refused as a request to another origin. Answers what registers the worker,
  // called once the light is on: on a first visit its install fetches every file of the page again and hashes it,
  // which would hold up the program's start on a phone's few cores.
  function workerRegistration() {
    if (location.protocol === 'file:') return () => {};
    const manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'manifest.webmanifest';
    document.head.append(manifest);
    if (!('serviceWorker' in navigator) || !window.isSecureContext) return () => {};
    // A page loaded from a newer build than its worker's lets that build take over once it has loaded, if it is the
    // only page open. This script runs before the page's load ends.
    addEventListener('load', () => navigator.serviceWorker.controller?.postMessage('loaded'), { once: true });
    // sw.js is always fetched from the host, never the HTTP cache: it is the one file that tells a new build is out.
    return () => navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch(() => {});
  }

  // The board the program's imported functions (page_imports.js) call, made of the parts below: indexes the program
  // has checked, colours as CSS. Every call into the program goes through `call`, after which an announcement no focus
  // move carried is said by the live region. An exception out of the program leaves it half done: everything stops,
  // for good. One out of the start is thrown on, to begin; one out of a tick or a press ends the program.
  function pageBoard(Module, form, afterFirstLight) {
    const speech = announcements(byId('announcements'));
    const call = (name, ...args) => {
      try {
        Module[`_${name}`](...args);
      } catch (error) {
        stopAll();
        if (name === 'lotto_start') throw error;
        end.thrown();
        window.reportError?.(error);
        return;
      }
      speech.sayUncarried();
    };
    const elements = boardElements(form);
    const timer = lightTimer(() => call('lotto_tick'), afterFirstLight);
    const focus = focusMoves();
    const stopAll = () => {
      focus.cancel();
      timer.end();
      elements.disableAll();
    };
    const end = programEnd(stopAll);
    const keys = presses(form, focus, (button) => {
      const index = elements.designIndexOf(button);
      if (index !== undefined) call('lotto_click', index, keys.byTouch());
    });
    return {
      ...elements.board,
      setTimerInterval: timer.setPeriod,
      setTimerEnabled: timer.setEnabled,
      // The controls answer from the moment the program runs, in the same task: no press can fall between the two.
      showWindow: () => form.removeAttribute('inert'),
      focusControl(control) {
        const target = elements.control(control);
        speech.carryBy(target);
        focus.moveTo(target);
      },
      announce: speech.announce,
      showRunTimeError: end.showRunTimeError,
      end: end.end,
      startProgram: () => timer.armAsWindowOpened(() => call('lotto_start')),
    };
  }

  // The board the build wrote: one element per ball or slot holding its disc and number, the frame lines, the real
  // controls, each found by its design name. `board` holds what the program asks of them.
  function boardElements(form) {
    const items = boardItems(form);
    const controls = boardControls(form);
    return { ...controls, board: { ...items, ...controls.board } };
  }

  // The balls and the slots, each by its design index: its disc, its number and which of the two shows.
  function boardItems(form) {
    const items = [];
    const discs = [];
    const labels = [];
    const labelShown = [];
    const discShown = [];
    for (const disc of form.querySelectorAll('.disc')) {
      const index = Number(disc.dataset.design.split('-').pop());
      discs[index] = disc;
      items[index] = disc.closest('.item');
      labels[index] = items[index].querySelector('.label');
      labelShown[index] = !labels[index].hidden;
      discShown[index] = !disc.hidden;
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
    return {
      labelText: (label) => labels[label].textContent,
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
    };
  }

  // The buttons and the instruction line, by design name and, once the program has named them, by design index.
  function boardControls(form) {
    const controls = {}; // by design name
    const controlAt = []; // by design index
    const designIndex = new Map(); // each control's design index
    for (const control of form.querySelectorAll('.control')) controls[control.dataset.design] = control;
    return {
      board: {
        nameControl(index, name) {
          controlAt[index] = controls[name];
          designIndex.set(controls[name], index);
        },
        setControlEnabled(control, enabled) {
          setGreyed(controlAt[control], !enabled);
        },
        controlEnabled: (control) => !greyed(controlAt[control]),
        setInstructionText(text) {
          controls.Text1.value = text;
        },
      },
      control: (index) => controlAt[index],
      designIndexOf: (control) => designIndex.get(control),
      disableAll() {
        for (const control of Object.values(controls)) control.disabled = true;
      },
    };
  }

  // A greyed control is said to be unavailable and left out of the Tab order, as the desktop leaves it, but it is not
  // switched off (`disabled`): a browser may take the focus from a switched-off control by the next frame, up to the
  // page, which a screen reader would say before the program's own focus move. So the focus stays on it until that
  // move, and a press on it reaches the program, which ignores a greyed control.
  function setGreyed(control, isGreyed) {
    if (isGreyed) {
      control.setAttribute('aria-disabled', 'true');
      control.tabIndex = -1;
    } else {
      control.removeAttribute('aria-disabled');
      control.removeAttribute('tabindex');
    }
  }

  function greyed(control) {
    return control?.getAttribute('aria-disabled') === 'true';
  }

  // The timer behind the light. A stopped timer runs no tick: a tick already queued checks it is still the one.
  // `afterFirstLight` runs once the frame of the first lit ball is out, or once the program ends before it.
  //
  // The design arms the timer as its window opens, and this window opened when the page had been read, which may be
  // well before the program's script arrived: the program's start counts its first beat from then. A program that
  // starts once its window is up lights its first ball as soon as its start is over, in the same task: a timer's
  // overdue tick would come as soon as the program is free, but the browser may draw a frame first, and the light
  // would miss it.
  function lightTimer(tick, afterFirstLight) {
    const windowOpenedAt = performance.getEntriesByType('navigation')[0]?.domInteractive || performance.now();
    let interval = 0;
    let running = null;
    let startOpensWindow = false; // true during the program's start only
    const takeAfterFirstLight = handedOnce(afterFirstLight);

    function start() {
      const run = {}; // this run of the timer
      const beat = () => {
        if (running !== run) return;
        tick();
        const then = takeAfterFirstLight();
        if (then) requestAnimationFrame(() => setTimeout(then)); // once its frame is out
      };
      run.firstBeat = () => {
        if (running !== run) return;
        run.every = setInterval(beat, interval);
        beat();
      };
      const firstBeatIn = startOpensWindow ? windowOpenedAt + interval - performance.now() : interval;
      if (firstBeatIn > 0) run.first = setTimeout(run.firstBeat, firstBeatIn);
      else if (startOpensWindow) run.overdue = true; // beaten as soon as the program's start has returned
      else queueMicrotask(run.firstBeat);
      running = run;
    }
    function stop() {
      clearTimeout(running?.first);
      clearInterval(running?.every);
      running = null;
    }

    return {
      setPeriod(milliseconds) {
        if (milliseconds === interval) return; // restarting would reset the light's beat
        interval = milliseconds;
        if (running) {
          stop();
          start();
        }
      },
      setEnabled(enabled) {
        if (enabled && !running) start();
        else if (!enabled) stop();
      },
      armAsWindowOpened(startProgram) {
        startOpensWindow = true;
        startProgram();
        startOpensWindow = false;
        if (running?.overdue) running.firstBeat();
      },
      end() {
        stop();
        takeAfterFirstLight()?.(); // a program that ended before its first light
      },
    };
  }

  // Answers `then` when first called, and null after.
  function handedOnce(then) {
    let pending = then;
    return () => {
      const handed = pending;
      pending = null;
      return handed;
    };
  }

  // The focus the program moves, in the task after the frame that passes the press's other changes on: a browser may
  // tell a screen reader of a focus move before the changes of the same task, and the control would be read with the
  // states it had before (a button enabled and focused at once, said "grayed"). Until then the focus stays where it
  // was, on a greyed button too (setGreyed). A key or a pointer that comes first makes the move at once, before
  // it is handled, so that it goes where the program put the focus.
  function focusMoves() {
    let due = null;
    let movedFor = null; // the event the focus was moved for, which still names the control it left
    function moveNow(event) {
      if (!due) return;
      const target = due;
      due = null;
      movedFor = event;
      target.focus();
    }
    for (const type of ['keydown', 'keyup', 'pointerdown']) document.addEventListener(type, moveNow, true);
    return {
      moveTo(target) {
        due = target;
        if (document.visibilityState !== 'visible') moveNow(null); // no frame to wait for
        else requestAnimationFrame(() => setTimeout(() => due === target && moveNow(null)));
      },
      cancel() {
        due = null;
      },
      // The control a key event reached: where the focus was moved for it, if it was, or its target.
      reached: (event) => (movedFor === event ? document.activeElement : event.target),
    };
  }

  // What the midend announces just before it moves the focus is said as the first words of the control's name, so
  // that a screen reader says it first, at once: a live region is read only a while after the focus speech, queued
  // behind it, and the player's next key drops it. The control keeps those words until the focus moves on or leaves
  // it. Where the focus does not move, the live region says it, once the program's call has returned.
  function announcements(region) {
    let sayFirst = null;
    let carrier = null; // the control that carries the last one, with its own name
    function restoreName() {
      if (!carrier) return;
      if (carrier.label === null) carrier.element.removeAttribute('aria-label');
      else carrier.element.setAttribute('aria-label', carrier.label);
      carrier = null;
    }
    return {
      announce(text) {
        sayFirst = text;
      },
      carryBy(target) {
        restoreName();
        if (sayFirst === null || document.activeElement === target) return;
        carrier = { element: target, label: target.getAttribute('aria-label') };
        target.setAttribute('aria-label', `${sayFirst} ${carrier.label ?? target.textContent}`);
        target.addEventListener('blur', () => carrier?.element === target && restoreName(), { once: true });
        sayFirst = null;
      },
      sayUncarried() {
        const text = sayFirst;
        sayFirst = null;
        if (text !== null) setTimeout(() => (region.textContent = text));
      },
    };
  }

  // Clicks, and Space and Enter, press the window's buttons. Space and Enter press the focused button once, when the
  // key comes up, as on the desktop: never again for a held key's repeats, and never the button the focus has moved
  // to while the key was down. The pointer that last went down on the window says whether the click that follows is
  // a finger's (byTouch): after a finger's press the focus stays off the instruction line, whose focus raises a
  // phone's on-screen keyboard.
  function presses(form, focus, press) {
    let byTouch = false;
    form.addEventListener('pointerdown', (event) => (byTouch = event.pointerType === 'touch'), true);
    // A pointer on a greyed button leaves the focus where it was, as the desktop does.
    form.addEventListener('mousedown', (event) => greyed(event.target.closest('button')) && event.preventDefault());
    document.addEventListener('keydown', () => (byTouch = false), true);
    for (const button of form.querySelectorAll('button')) button.addEventListener('click', () => press(button));

    let pressing = null;
    // A key let go after the window lost the focus, or once the page was hidden, comes up elsewhere: the press ends
    // unmade, and the next key is not held to it.
    addEventListener('blur', () => (pressing = null));
    document.addEventListener('visibilitychange', () => (pressing = null));
    const pressedButton = (event) => {
      if (event.key !== ' ' && event.key !== 'Enter') return null;
      const button = focus.reached(event).closest?.('button');
      return button && form.contains(button) ? button : null;
    };
    document.addEventListener('keydown', (event) => {
      const button = pressedButton(event);
      if (!button) return;
      event.preventDefault();
      if (!event.repeat && !pressing) pressing = { key: event.key, button };
    });
    document.addEventListener('keyup', (event) => {
      const button = pressedButton(event);
      if (!button) return;
      event.preventDefault();
      const pressed = pressing && pressing.key === event.key && pressing.button === button;
      if (pressing && pressing.key === event.key) pressing = null;
      if (pressed) press(button);
    });
    return { byTouch: () => byTouch };
  }

  // The program's end, on Bye or once its run-time error is read. An installed app's window closes, as the desktop
  // program's does. A browser's tab is the player's, not the program's: it stays, saying the program has ended
  // (closing it would also close a tab that has only this page in its history, and with it whatever the player meant
  // to do next). The focus goes to the sentence that says so, which a screen reader then reads: the button it was on
  // is gone. `endControls` stops everything the player could still reach.
  function programEnd(endControls) {
    function showEnded() {
      document.body.dataset.state = 'ended';
      showNotice('ended');
      byId('ended').focus();
    }
    function closeOrShowEnded() {
      if (inInstalledAppWindow()) window.close();
      showEnded();
    }
    const report = byId('report');
    return {
      showRunTimeError(title, text) {
        endControls();
        byId('report-title').textContent = title;
        byId('report-text').textContent = text;
        report.addEventListener('close', closeOrShowEnded, { once: true });
        byId('report-close').addEventListener('click', () => report.close(), { once: true });
        report.showModal();
      },
      // After a run-time error the page shows its end once the report is read; after Bye at once.
      end() {
        endControls();
        if (!report.open) closeOrShowEnded();
      },
      // After an exception, which no report tells: the page says the program has ended, in an app's window too.
      thrown: showEnded,
    };
  }

  function inInstalledAppWindow() {
    const modes = ['standalone', 'minimal-ui', 'window-controls-overlay'];
    return navigator.standalone === true || modes.some((mode) => matchMedia(`(display-mode: ${mode})`).matches);
  }
}
