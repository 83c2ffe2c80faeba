// The web page's front end: it hands the controls' values to the Form (the same C++ as the
// desktop window, compiled to WebAssembly) before each handler and shows what the handler
// changed. The controls, their texts and places are in the page from the build; no rule of the
// calculation or of the window's behaviour is written here.
import OlvimarModule from "./olvimar.js";
import { ChartPanel } from "./chart_panel.js";
import { $ } from "./dom.js";
import { RecipePanel } from "./recipe_panel.js";
import { TabKeeper } from "./kept_in_tab.js";
import { RecordBox } from "./record_box.js";

// A module that does not load, compile or start (a download cut short, a blocked .wasm, a browser
// without WebAssembly) leaves the page saying so, its controls disabled; nothing more of it runs.
let started = false;
const module = await OlvimarModule({ onAbort: () => started && stop() }).catch((error) => {
  olvimarStopped("start");
  throw error;
});
const form = new module.Form();

const boxes = [0, 1, 2, 3, 4, 5].map((i) => $(`Text1_${i}`));
const combo = $("Combo1");
const list = $("List1");
const rows = [...list.children];
const record = new RecordBox($("Text2"), "Label3");
const client = $("client");
const dialog = $("message");
const undoButton = $("UndoClear");
const undoHint = $("Text2").dataset.undoHint;
const chart = new ChartPanel(form);
const recipe = new RecipePanel(form);
let hinted = false;
// A phone, or a window where the replica does not fit at the reader's font, shows the controls in
// one column, and a tap on a preset inserts it.
const phone = matchMedia(client.dataset.phone);

// ---- Kept in this tab: a reload, or a phone reopening a discarded tab, finds it as it was ----

const keeper = new TabKeeper(form);

// A failure that escapes a handler (the module aborted, or anything unforeseen) stops the page:
// it says so and keeps nothing more, so that a reload brings back what the tab kept before it.
// A browser's notice that is no error (a ResizeObserver's loop) carries no error object.
function stop() {
  keeper.stop();
  olvimarStopped("run");
}
addEventListener("error", (event) => {
  if (event.error instanceof Error) stop();
});

// ---- The Form's view ----

let selectedRow = -1;
let shownVersion = 0;

function selectRow(i) {
  selectedRow = i;
  rows.forEach((row, k) => row.setAttribute("aria-selected", String(k === i)));
  if (i >= 0) list.setAttribute("aria-activedescendant", rows[i].id);
}

// Shows what a handler of the Form changed.
function show() {
  boxes.forEach((box, i) => {
    const text = form.text(i);
    if (box.value !== text) {
      box.value = text;
      textAtFocus.set(box, text); // the Form's, not an edit of the user's
    }
  });
  combo.selectedIndex = form.temperature();
  const wide = form.wide();
  client.classList.toggle("wide", wide);
  $("Command3").setAttribute("aria-expanded", String(wide));
  if (form.recordVersion() !== shownVersion) {
    shownVersion = form.recordVersion();
    // Only what the box lacks, unless the user has edited it: then the whole record again.
    const update = form.recordUpdate(record.edited);
    record.show(update.replace, update.before, update.after);
  }
  if (form.undoClearHint() !== hinted) {
    hinted = form.undoClearHint();
    record.setHint(hinted ? undoHint : null);
    undoButton.hidden = !hinted; // on a phone only: the window replica gains no control
  }
}

// Hands the controls as they stand to the Form.
function sync() {
  boxes.forEach((box, i) => form.setText(i, box.value));
  form.setTemperature(combo.selectedIndex);
}

// Runs a handler of the Form on the controls as they stand, then shows what it changed.
function run(handler) {
  sync();
  form.setPresetRow(selectedRow);
  handler();
  show();
  chart.draw();
  recipe.draw();
  keeper.keepFields();
  keeper.keepGzipped();
  const message = form.takeMessage();
  if (message !== "") {
    const back = document.activeElement;
    $("message-text").textContent = message;
    dialog.addEventListener("close", () => back?.focus(), { once: true });
    dialog.showModal();
  }
}

boxes.forEach((box, i) => box.addEventListener("focus", () => run(() => form.gotFocus(i))));
// The chart follows the boxes as the user types.
for (const control of [...boxes, combo]) {
  control.addEventListener(control === combo ? "change" : "input", () => {
    sync();
    chart.draw();
    recipe.draw(); // A's and B's boxes stand for the window's until typed in
  });
}
$("Command1").addEventListener("click", () => run(() => form.generate()));
$("Command2").addEventListener("click", () => run(() => form.clear()));
$("Command3").addEventListener("click", () => run(() => form.bar()));
undoButton.addEventListener("click", () => run(() => form.undoClear()));
$("Label3").addEventListener("click", () => record.focus());
// The data sheet's boxes are kept in the tab as they are typed, as the window's are at each handler.
for (const box of chart.sheetBoxes) box.addEventListener("input", () => {
  keeper.keepFields();
  recipe.draw();
});
chart.changed = () => { // and the measured blends and the switch, of which the recipe says one
  keeper.keepFields();
  recipe.draw();
};
recipe.changed = () => keeper.keepFields();

rows.forEach((row, i) => {
  row.addEventListener("mousedown", (event) => {
    selectRow(i);
    if (phone.matches) event.preventDefault(); // the box keeps the focus and its keyboard
  });
  row.addEventListener("click", () => {
    if (phone.matches) run(() => form.presetDblClick()); // a tap inserts at once
  });
  row.addEventListener("dblclick", () => {
    selectRow(i);
    if (!phone.matches) run(() => form.presetDblClick());
  });
});
list.addEventListener("focus", () => {
  if (selectedRow < 0) selectRow(0);
});

// ---- The keyboard ----

// Generate looks like the default button unless another button has the focus.
document.addEventListener("focusin", (event) => {
  const other = event.target instanceof HTMLButtonElement && event.target.id !== "Command1";
  $("Command1").classList.toggle("default", !other);
});

// The kind of control that has the focus, as the window's key table names it.
function focusKind(target) {
  if (target === chart.handle) return "Handle";
  if (target === chart.box || chart.sheetBoxes.includes(target) ||
    target === chart.measuredPercent || target === chart.measuredViscosity) return "ChartBox";
  if (recipe.boxes.includes(target) || target === recipe.unit) return "RecipeBox";
  if (target === recipe.map) return "Map";
  if (record.contains(target)) return "RecordBox";
  if (target === list) return "List";
  if (target instanceof HTMLButtonElement) return "Button";
  return "Box";
}

// Whether the control has an edit of its own to undo. A browser keeps one undo for the whole page,
// so a box's own edits are those since it took the focus (or since the Form wrote it): while its
// text differs from what it held then, Ctrl+Z undoes the browser's last edit, which is its own.
const textAtFocus = new Map();
document.addEventListener("focusin", (event) => textAtFocus.set(event.target, event.target.value));
function ownEdit(target) {
  if (record.contains(target)) return record.canUndo();
  return target instanceof HTMLInputElement && textAtFocus.get(target) !== target.value &&
    document.queryCommandEnabled("undo");
}

// What the key table's actions do in the page.
const actions = {
  Generate: () => run(() => form.generate()), // also the "go" key of a phone's keyboard
  Clear: () => run(() => form.clear()),
  UndoClear: () => run(() => form.undoClear()),
  UndoOwnEdit: (target) => record.contains(target) && record.undo(),
  PressFocused: (target) => target.click(),
  InsertPreset: () => run(() => form.presetDblClick()),
  NewLine: () => record.insertLineBreak(),
  ListPrevious: () => selectRow(Math.max(0, selectedRow - 1)),
  ListNext: () => selectRow(Math.min(rows.length - 1, selectedRow + 1)),
  ListFirst: () => selectRow(0),
  ListLast: () => selectRow(rows.length - 1),
  OpenChart: () => chart.focus(),
};
for (const move of ["HandleDown", "HandleDownPage", "HandleToMinimum", "HandleUp", "HandleUpPage",
  "HandleToMaximum", "HandleToPreviousTarget", "HandleToNextTarget"]) {
  actions[move] = () => chart.move(move);
}
for (const move of ["MapThinner40", "MapThicker40", "MapThinner100", "MapThicker100"]) {
  actions[move] = () => recipe.move(move);
}

document.addEventListener("keydown", (event) => {
  if (dialog.open) return; // the message box has the keys until it closes
  const target = event.target;
  const action = form.keyAction(event.key, event.ctrlKey || event.metaKey, event.altKey,
    event.shiftKey, focusKind(target), ownEdit(target));
  // A text box undoes its own edit as the browser does; the record box's browser undo would
  // fight its editor view, which keeps its own.
  const native = action === "Pass" || (action === "UndoOwnEdit" && !record.contains(target));
  const undoKey = (event.ctrlKey || event.metaKey) && event.key.toLowerCase() === "z";
  if (native && !(undoKey && record.contains(target))) return;
  event.preventDefault();
  actions[action]?.(target);
});

// Typing since the last handler is kept too when the tab goes to the background, and a record
// that is not kept yet is kept at once, as it stands.
document.addEventListener("visibilitychange", () => {
  if (document.visibilityState !== "hidden" || keeper.stopped) return;
  run(() => {});
  keeper.keepNow();
});

// ---- Start ----

const { fields, record: keptRecord } = await keeper.read();
// With nothing kept, the Form starts from the controls as the browser shows them.
if (form.restore(fields, keptRecord)) show();
else sync();
chart.restoreSheet();
recipe.restore();
keeper.restored();
chart.draw();
recipe.draw();
boxes[0].focus(); // the first control of the tab order

// The worker's own script is always asked of the network, so that a new release is seen at once.
if ("serviceWorker" in navigator) navigator.serviceWorker.register("sw.js", { updateViaCache: "none" });
started = true;
document.body.dataset.ready = "true";
