// The bridge to the conversion module: instantiates it and carries texts both
// ways as UTF-16 in its memory. `page` takes what the module asks of the page:
//   boxText(scale) -> the text of the box of that scale (0 HV ... 6 Rm)
//   setBoxText(scale, text), showNotANumber(), setNotes({reasons, report}),
//   setTableView(view): the open table window's view after a run,
//   announce(text, settleMs): for the live region, once typing pauses that long, or at once
// `module` is the module's bytes or its response, which is compiled as it
// arrives.

async function instantiate(module, imports) {
  if (!(module instanceof Response)) return WebAssembly.instantiate(module, imports);
  try {
    return await WebAssembly.instantiateStreaming(module.clone(), imports);
  } catch {
    // A server that gives the module another type than application/wasm.
    return WebAssembly.instantiate(await module.arrayBuffer(), imports);
  }
}

export async function loadKestal(module, page) {
  let exports;
  const utf16 = new TextDecoder('utf-16le');
  const read = (pointer, length) =>
      utf16.decode(new Uint8Array(exports.memory.buffer, pointer, length * 2));
  const write = (text) => {
    const pointer = exports.kestal_inbox(text.length);
    const units = new Uint16Array(exports.memory.buffer, pointer, text.length);
    for (let k = 0; k < text.length; k++) units[k] = text.charCodeAt(k);
  };
  const outbox = (length) => read(exports.kestal_outbox(), length);
  // What a call about the table window left in the outbox: null while it is closed.
  const parsed = (length) => (length ? JSON.parse(outbox(length)) : null);

  const imports = {
    page: {
      box_text: (scale) => write(page.boxText(scale)),
      set_box_text: (scale, pointer, length) => page.setBoxText(scale, read(pointer, length)),
      show_not_a_number: () => page.showNotANumber(),
      set_notes: (pointer, length) => page.setNotes(JSON.parse(read(pointer, length))),
      table_view: (pointer, length) => page.setTableView(JSON.parse(read(pointer, length))),
      announce: (pointer, length, settleMs) => page.announce(read(pointer, length), settleMs),
    },
    // The module reads and writes no file: the few system calls its C library
    // links answer "not supported".
    wasi_snapshot_preview1: new Proxy({}, {get: () => () => 52}),
  };
  ({exports} = (await instantiate(module, imports)).instance);
  exports._initialize();

  return {
    // The page's description for these number symbols (numbers.js).
    start(symbols) {
      const {decimal, minus, plus, exponent, zero} = symbols;
      write([decimal, minus, plus, exponent, zero, ''].join('\0'));
      return JSON.parse(outbox(exports.kestal_start()));
    },
    load: () => exports.kestal_load(),
    keyDown: (scale, key) => exports.kestal_key_down(scale, key),
    unidentifiedKeyDown: (scale) => exports.kestal_unidentified_key_down(scale),
    keyUp: (scale, key) => exports.kestal_key_up(scale, key),
    textChanged: (scale) => exports.kestal_text_changed(scale),
    focusLeft: (scale) => exports.kestal_focus_left(scale),
    clearAll: () => exports.kestal_clear_all(),
    sevenValues: () => outbox(exports.kestal_seven_values()),
    // The table window: {columns, rows, view} as it opens (on a touch screen
    // or not, as its opening is said), then a new view
    // after the user chooses a column (0 the row numbers) or steps to the
    // next one (-1 left, +1 right).
    openTable: (touch) => parsed(exports.kestal_open_table(touch ? 1 : 0)),
    closeTable: () => exports.kestal_close_table(),
    chooseColumn: (column) => parsed(exports.kestal_choose_column(column)),
    chooseNext: (step) => parsed(exports.kestal_choose_next(step)),
    // The plot drawn for another size than its description's, in CSS pixels.
    resizePlot: (width, height) => parsed(exports.kestal_resize_plot(width, height)),
    // A Date as the record writes it, "2026-12-07 14:05:09 (UTC+01:00)".
    recordTime: (at) => outbox(exports.kestal_record_time(
        at.getFullYear(), at.getMonth() + 1, at.getDate(), at.getHours(), at.getMinutes(),
        at.getSeconds(), -at.getTimezoneOffset())),
    // The validation record, as one HTML page, made when, on which system, in
    // which browser and under which language.
    validationRecord(when, system, browser, language) {
      write([when, system, browser, language, ''].join('\0'));
      return outbox(exports.kestal_validation_record());
    },
  };
}
