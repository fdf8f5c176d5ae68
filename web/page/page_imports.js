// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// page_imports.js: the page's functions the program imports (page_imports.h), linked with --js-library: each hands
// its call to the board lotto.js gives the module as `board`, texts decoded from the program's memory; and the
// interface between the page and the program, named here once.
'use strict';

// A block, so that the names below stay out of the build's own.
{
  const imports = {
    $pageText: function (pointer, length) {
      return String.fromCharCode.apply(null, HEAPU16.subarray(pointer >> 1, (pointer >> 1) + length));
    },
    $pageUtf8: function (pointer, bytes) {
      return new TextDecoder().decode(HEAPU8.subarray(pointer, pointer + bytes));
    },
    lotto_page_name_control__deps: ['$pageUtf8'],
    lotto_page_name_control: function (control, name, bytes) {
      Module['board'].nameControl(control, pageUtf8(name, bytes));
    },
    // Writes at most `capacity` code units and answers the text's whole length, so that a longer one is asked again.
    lotto_page_label_text: function (label, text, capacity) {
      var shown = Module['board'].labelText(label);
      for (var i = 0; i < shown.length && i < capacity; i++) HEAPU16[(text >> 1) + i] = shown.charCodeAt(i);
      return shown.length;
    },
    lotto_page_set_label_text__deps: ['$pageText'],
    lotto_page_set_label_text: function (label, text, length, name, nameLength) {
      Module['board'].setLabelText(label, pageText(text, length), pageText(name, nameLength));
    },
    lotto_page_set_label_visible: function (label, visible) {
      Module['board'].setLabelVisible(label, visible !== 0);
    },
    lotto_page_set_disc_colour: function (disc, rgb, lit) {
      Module['board'].setDiscColour(disc, '#' + (0x1000000 + rgb).toString(16).slice(1), lit !== 0);
    },
    lotto_page_set_disc_visible: function (disc, visible) {
      Module['board'].setDiscVisible(disc, visible !== 0);
    },
    lotto_page_set_control_enabled: function (control, enabled) {
      Module['board'].setControlEnabled(control, enabled !== 0);
    },
    lotto_page_set_instruction_text__deps: ['$pageText'],
    lotto_page_set_instruction_text: function (text, length) {
      Module['board'].setInstructionText(pageText(text, length));
    },
    lotto_page_set_timer_interval: function (milliseconds) {
      Module['board'].setTimerInterval(milliseconds);
    },
    lotto_page_set_timer_enabled: function (enabled) {
      Module['board'].setTimerEnabled(enabled !== 0);
    },
    lotto_page_control_enabled: function (control) {
      return Module['board'].controlEnabled(control) ? 1 : 0;
    },
    lotto_page_show_window: function () {
      Module['board'].showWindow();
    },
    lotto_page_focus_control: function (control) {
      Module['board'].focusControl(control);
    },
    lotto_page_announce__deps: ['$pageText'],
    lotto_page_announce: function (text, length) {
      Module['board'].announce(pageText(text, length));
    },
    lotto_page_show_run_time_error__deps: ['$pageText', '$pageUtf8'],
    lotto_page_show_run_time_error: function (title, titleLength, line, lineBytes) {
      Module['board'].showRunTimeError(pageText(title, titleLength), pageUtf8(line, lineBytes));
    },
    lotto_page_end: function (status) {
      Module['board'].end(status);
    },
    // The light is rolled from the operating system's random source through Web Crypto. A source that fails answers
    // the failure, as getentropy does, so that the program reports it as its run-time error and ends, rather than
    // letting the exception run out of every tick.
    getentropy: function (buffer, size) {
      try {
        crypto.getRandomValues(HEAPU8.subarray(buffer, buffer + size));
        return 0;
      } catch (error) {
        return -1;
      }
    },
  };

  // The interface, as the program carries it (Module.pageInterface): the board methods the imports above call, read
  // off the imports themselves as the build links them, and the program's functions the page calls (web_binding.cpp).
  // lotto.js checks both before it starts the program: a page script and a program of builds that do not match tell of
  // a lost file rather than fail at the first call.
  const boardMethods = Object.keys(imports)
    .map(function (name) {
      var called = /Module\['board'\]\.(\w+)\(/.exec(String(imports[name]));
      return called && called[1];
    })
    .filter(Boolean);
  imports.$pageInterface = { board: boardMethods, program: ['lotto_start', 'lotto_tick', 'lotto_click'] };
  imports.$pageInterface__postset = "Module['pageInterface'] = pageInterface";
  imports.lotto_page_show_window__deps = ['$pageInterface'];

  mergeInto(LibraryManager.library, imports);
}
