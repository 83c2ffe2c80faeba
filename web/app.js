// The web page's front end: it places the controls at their twips, hands the controls' values to
// the Form (the same C++ as the desktop window, compiled to WebAssembly) before each handler and
// shows what the handler changed. No rule of the calculation is written here.
import OlvimarModule from "./olvimar.js";
import { RecordBox } from "./record_box.js";

const module = await OlvimarModule();
const form = new module.Form();
const texts = module.texts();
const layout = module.layout();

const $ = (id) => document.getElementById(id);
const px = (twips) => `${twips / 15}px`; // 15 twips make one CSS pixel
const boxes = [0, 1, 2, 3, 4, 5].map((i) => $(`Text1_${i}`));
const combo = $("Combo1");
const list = $("List1");
const record = new RecordBox($("Text2"), "Label3");
const client = $("client");
const dialog = $("message");

// ---- Layout and texts ----

for (const [name, p] of Object.entries(layout.controls)) {
  const style = $(name).style;
  style.left = px(p.left);
  style.top = px(p.top);
  style.width = px(p.width);
  style.height = px(p.height);
}
client.style.height = px(layout.height);

// "生成(&E)": the letter after the ampersand is the access key, drawn underlined.
function setCaption(button, caption) {
  const at = caption.indexOf("&");
  const key = document.createElement("u");
  key.textContent = caption[at + 1];
  button.replaceChildren(caption.slice(0, at), key, caption.slice(at + 2));
  button.setAttribute("aria-keyshortcuts", `Alt+${key.textContent}`);
}

document.title = texts.caption;
texts.label1.forEach((text, i) => ($(`Label1_${i}`).textContent = text));
$("Label2").textContent = texts.label2;
$("Label3").textContent = texts.label3;
setCaption($("Command1"), texts.command1);
setCaption($("Command2"), texts.command2);
$("Command1").title = texts.command1Description;
$("Command2").title = texts.command2Description;
$("Command3").setAttribute("aria-label", texts.command3Name);
$("Command3").title = texts.command3Description;
for (const text of texts.temperatures) combo.add(new Option(text));
combo.selectedIndex = -1; // no temperature until the user picks one
list.setAttribute("aria-label", texts.listName);
list.setAttribute("aria-description", texts.listDescription);
const rows = texts.presetRows.map((text, i) => {
  const row = document.createElement("div");
  row.id = `List1_row${i}`;
  row.setAttribute("role", "option");
  row.setAttribute("aria-selected", "false");
  const [first, second = ""] = text.split("\t"); // the TAB is a gap to one shared column
  const a = document.createElement("span");
  const b = document.createElement("span");
  a.textContent = first;
  b.textContent = second;
  row.append(a, b);
  row.setAttribute("aria-label", text === "" ? texts.blankRowName : text.replace("\t", " "));
  if (i === texts.presetRows.length - 1)
    row.setAttribute("aria-description", texts.hintRowDescription);
  list.append(row);
  return row;
});

// ---- The Form's view ----

let selectedRow = -1;
let shownVersion = 0;

function selectRow(i) {
  selectedRow = i;
  rows.forEach((row, k) => row.setAttribute("aria-selected", String(k === i)));
  if (i >= 0) list.setAttribute("aria-activedescendant", rows[i].id);
}

// Runs a handler of the Form on the controls as they stand, then shows what it changed.
function run(handler) {
  boxes.forEach((box, i) => form.setText(i, box.value));
  form.setTemperature(combo.selectedIndex);
  form.setPresetRow(selectedRow);
  handler();
  boxes.forEach((box, i) => {
    const text = form.text(i);
    if (box.value !== text) box.value = text;
  });
  client.style.width = px(form.clientWidth());
  if (form.recordVersion() !== shownVersion) {
    shownVersion = form.recordVersion();
    // Only what the box lacks, unless the user has edited it: then the whole record again.
    const update = form.recordUpdate(record.edited);
    record.show(update.replace, update.before, update.after);
  }
  const message = form.takeMessage();
  if (message !== "") {
    const back = document.activeElement;
    $("message-text").textContent = message;
    dialog.addEventListener("close", () => back?.focus(), { once: true });
    dialog.showModal();
  }
}

boxes.forEach((box, i) => box.addEventListener("focus", () => run(() => form.gotFocus(i))));
$("Command1").addEventListener("click", () => run(() => form.generate()));
$("Command2").addEventListener("click", () => run(() => form.clear()));
$("Command3").addEventListener("click", () => run(() => form.bar()));

rows.forEach((row, i) => {
  row.addEventListener("mousedown", () => selectRow(i));
  row.addEventListener("dblclick", () => {
    selectRow(i);
    run(() => form.presetDblClick());
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

document.addEventListener("keydown", (event) => {
  if (dialog.open) return; // the message box has the keys until it closes
  const target = event.target;
  const plain = !event.altKey && !event.ctrlKey && !event.metaKey && !event.shiftKey;
  if (event.key === "Escape" && plain) {
    event.preventDefault();
    run(() => form.clear()); // Esc clears wherever the focus is
    return;
  }
  if (target === list && ["ArrowDown", "ArrowUp", "Home", "End"].includes(event.key)) {
    event.preventDefault();
    const last = rows.length - 1;
    const next = { ArrowDown: selectedRow + 1, ArrowUp: selectedRow - 1, Home: 0, End: last };
    selectRow(Math.min(last, Math.max(0, next[event.key])));
    return;
  }
  if (event.key !== "Enter" || target instanceof HTMLButtonElement) return;
  event.preventDefault();
  if (target === list) {
    run(() => form.presetDblClick()); // Enter on a row inserts its preset
  } else if (record.contains(target) && event.ctrlKey) {
    record.insertLineBreak();
  } else {
    run(() => form.generate());
  }
});

boxes[0].focus(); // the first control of the tab order
document.body.dataset.ready = "true";
