// What the page keeps in its tab, so that a reload, or a phone reopening a tab it had discarded,
// finds the window as it was: the fields as the Form writes them (their format carries its
// version, and every release reads every earlier one), and the record apart from them. The names
// stay the same from release to release, so that what one kept the next brings back.
const names = { fields: "olvimar.fields", record: "olvimar.record" };

// The record is kept gzipped, a byte to a character after a "z", so that a long one still fits
// the tab's storage (some five million characters); as its text after a "t" when the tab goes to
// the background before the gzipped copy is done, or where the browser cannot gzip.
//
// A long record is copied out of the module a slice at a time, and its gzip turned into text a
// slice at a time, each slice when the page is idle, so that a press never waits for more than a
// slice: ten megabytes copied and gzipped at once would hold up the next frame by a tenth of a
// second. `record` gives the record's bytes as they stand, valid until the next handler; `stale`
// says that a handler has changed the record since the copy began, which ends it (none is kept:
// a newer copy follows).
const slice = 1 << 18;

function idle() {
  return new Promise((next) =>
    window.requestIdleCallback ? requestIdleCallback(next, { timeout: 1000 }) : setTimeout(next, 200));
}

async function packed(record, stale) {
  if (typeof CompressionStream === "undefined") return "t" + new TextDecoder().decode(record());
  const gzip = new CompressionStream("gzip");
  const writer = gzip.writable.getWriter();
  const zipped = new Response(gzip.readable).arrayBuffer();
  for (let at = 0, size = record().length; at < size; at += slice) {
    if (stale()) {
      // An ended copy is closed, not aborted, and its gzip dropped: an aborted stream reports an
      // error to the console as its reader fails, and this is no error.
      writer.close();
      return null;
    }
    await writer.write(record().slice(at, at + slice));
    await idle();
  }
  writer.close();
  const bytes = new Uint8Array(await zipped);
  let chars = "z";
  for (let i = 0; i < bytes.length; i += 0x8000) {
    chars += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    if (i % slice === slice - 0x8000) await idle();
  }
  return chars;
}

async function unpacked(kept) {
  if (kept.startsWith("t")) return kept.slice(1);
  const bytes = Uint8Array.from(kept.slice(1), (c) => c.charCodeAt(0));
  const text = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("gzip"));
  return new Response(text).text();
}

export class TabKeeper {
  constructor(form) {
    this.form = form;
    this.version = 0; // the version of the record that is kept
    this.copying = false;
    this.stopped = false;
  }

  // The page has stopped: what is kept stays as it is, for a reload to bring back.
  stop() {
    this.stopped = true;
  }

  // What the tab kept, each part on its own: "" for a part that is not there or cannot be read.
  async read() {
    const read = async (name, unpack) => {
      try {
        const kept = sessionStorage.getItem(name);
        return kept === null ? "" : await unpack(kept);
      } catch {
        return ""; // no storage, or a record that does not unpack
      }
    };
    return { fields: await read(names.fields, (f) => f), record: await read(names.record, unpacked) };
  }

  // After the Form has restored what was kept: that version is the kept one.
  restored() {
    this.version = this.form.recordVersion();
  }

  keepFields() {
    if (this.stopped) return;
    try {
      sessionStorage.setItem(names.fields, this.form.keptFields());
    } catch {
      // Storage refused (full, or turned off): the page works on without it.
    }
  }

  // The one way the record is kept, which never writes an older version over a newer one. A record
  // too long to keep is removed rather than leave an older one in its place.
  keep(version, text) {
    if (version < this.version || this.stopped) return;
    try {
      sessionStorage.setItem(names.record, text);
    } catch {
      sessionStorage.removeItem(names.record);
    }
    this.version = version;
  }

  // Once the page is idle after a press: a gzipped copy, one at a time, until the newest is kept;
  // each begins only when the page is idle again, never on the heels of the press it keeps.
  async keepGzipped() {
    if (this.copying) return;
    this.copying = true;
    try {
      while (this.version < this.form.recordVersion()) {
        await idle();
        const version = this.form.recordVersion();
        const text = await packed(() => this.form.keptRecord(),
          () => this.form.recordVersion() !== version);
        if (text !== null) this.keep(version, text);
      }
    } finally {
      this.copying = false;
    }
  }

  // The tab goes to the background, where it may be discarded: the newest record, at once.
  keepNow() {
    const version = this.form.recordVersion();
    if (version > this.version) this.keep(version, "t" + new TextDecoder().decode(this.form.keptRecord()));
  }
}
