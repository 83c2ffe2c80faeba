// What the page keeps in its tab, so that a reload, or a phone reopening a tab it had discarded,
// finds the window as it was: the fields as the Form writes them (their format carries its
// version, and every release reads every earlier one), and the record apart from them. The names
// stay the same from release to release, so that what one kept the next brings back.
const names = { fields: "olvimar.fields", record: "olvimar.record" };

// The record is kept gzipped, a byte to a character after a "z", so that a long one still fits
// the tab's storage (some five million characters); as its text after a "t" when the tab goes to
// the background before the gzipped copy is done, or where the browser cannot gzip.
async function packed(bytes) {
  if (typeof CompressionStream === "undefined") return "t" + new TextDecoder().decode(bytes);
  const zipped = new Blob([bytes]).stream().pipeThrough(new CompressionStream("gzip"));
  const gzip = new Uint8Array(await new Response(zipped).arrayBuffer());
  let chars = "";
  for (let i = 0; i < gzip.length; i += 0x8000)
    chars += String.fromCharCode(...gzip.subarray(i, i + 0x8000));
  return "z" + chars;
}

async function unpacked(kept) {
  if (kept.startsWith("t")) return kept.slice(1);
  const bytes = Uint8Array.from(kept.slice(1), (c) => c.charCodeAt(0));
  const text = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("gzip"));
  return new Response(text).text();
}

function idle() {
  return new Promise((next) =>
    window.requestIdleCallback ? requestIdleCallback(next, { timeout: 1000 }) : setTimeout(next, 200));
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

  // Once the page is idle after a press: a gzipped copy, one at a time, until the newest is kept.
  async keepGzipped() {
    if (this.copying) return;
    this.copying = true;
    await idle();
    while (this.version < this.form.recordVersion()) {
      const version = this.form.recordVersion();
      this.keep(version, await packed(this.form.keptRecord()));
    }
    this.copying = false;
  }

  // The tab goes to the background, where it may be discarded: the newest record, at once.
  keepNow() {
    const version = this.form.recordVersion();
    if (version > this.version) this.keep(version, "t" + new TextDecoder().decode(this.form.keptRecord()));
  }
}
