// The blend chart's panel: it draws what the Form's chart gives (the SVG, where the handle stands,
// the readout and the summary) and hands the handle's moves back to the Form. No rule of the chart
// is written here.
import { $, put, set } from "./dom.js";

export class ChartPanel {
  constructor(form) {
    this.form = form;
    this.area = $("chart-area");
    this.svg = $("chart-svg");
    this.handle = $("ChartHandle");
    this.box = $("ChartPercent");
    this.hint = $("ChartHint");
    this.readout = $("ChartReadout");
    this.summary = $("chart-summary");
    this.width = 0;
    new ResizeObserver(() => {
      if (this.svg.getBoundingClientRect().width !== this.width) this.draw();
    }).observe(this.area);
    // The data sheet and its viscosity-temperature chart, which follow the handle too.
    this.sheetSvg = $("temperature-svg");
    this.sheetSummary = $("temperature-summary");
    this.sheetBoxes = [0, 1, 2, 3, 4].map((i) => $(`SheetBox${i}`));
    this.table = $("SheetTable");
    this.notes = $("SheetNotes");
    this.grades = $("SheetGrades");
    this.sheetWidth = 0;
    new ResizeObserver(() => {
      if (this.sheetSvg.getBoundingClientRect().width !== this.sheetWidth) this.drawSheet();
    }).observe($("temperature-area"));
    // The sheet's boxes give the oils at its temperature, which measured blends there need.
    this.sheetBoxes.forEach((box, i) => box.addEventListener("input", () => {
      this.form.setSheetBox(i, box.value);
      this.draw();
    }));

    // The measured blends: Enter in either box adds one, as the button does.
    this.measuredPercent = $("MeasuredPercent");
    this.measuredViscosity = $("MeasuredViscosity");
    this.measuredTemperature = $("MeasuredTemperature");
    this.measuredList = $("MeasuredList");
    this.measuredNone = $("MeasuredNone");
    this.measuredNote = $("MeasuredNote");
    this.factors = $("Factors");
    this.calibrate = $("Calibrate");
    this.temperatureChosen = false;
    $("AddMeasured").addEventListener("click", () => this.addMeasured());
    for (const box of [this.measuredPercent, this.measuredViscosity])
      box.addEventListener("keydown", (event) => {
        if (event.key !== "Enter") return;
        event.preventDefault();
        event.stopPropagation(); // not the window's Generate
        this.addMeasured();
      });
    this.measuredTemperature.addEventListener("change", () => { this.temperatureChosen = true; });
    this.calibrate.addEventListener("change", () => {
      this.form.setCalibrate(this.calibrate.checked);
      this.edited();
    });
    this.shownRows = "";
    this.changed = () => {}; // the page keeps what the section holds

    // A tap or a click on the chart puts the handle there; the handle follows a drag, which
    // moves the handle rather than the page.
    this.svg.addEventListener("click", (event) => this.moveTo(event));
    this.handle.addEventListener("pointerdown", (event) => {
      event.preventDefault();
      this.handle.setPointerCapture(event.pointerId);
      this.handle.focus();
    });
    this.handle.addEventListener("pointermove", (event) => {
      if (this.handle.hasPointerCapture(event.pointerId)) this.moveTo(event, false);
    });
    // A typed share moves the handle once it is one; anything else says what it should be.
    this.box.addEventListener("input", () => {
      const share = this.form.typeHandle(this.box.value);
      this.hint.textContent = share ? "" : this.hint.dataset.hint;
      this.draw();
    });
  }

  // A tap takes the handle to the split of a target whose mark it touches; a drag goes where the
  // finger goes.
  moveTo(event, toTargets = true) {
    const at = this.svg.getBoundingClientRect();
    this.form.moveHandleTo(event.clientX - at.left, toTargets ? event.clientY - at.top : NaN);
    this.draw();
  }

  // The sheet's boxes as the Form has them, after a reload.
  restoreSheet() {
    this.sheetBoxes.forEach((box, i) => { box.value = this.form.sheetBox(i); });
  }

  addMeasured() {
    const { added, note } = this.form.addMeasured(this.measuredTemperature.selectedIndex,
      this.measuredPercent.value, this.measuredViscosity.value);
    this.showNote(note);
    if (!added) return;
    this.measuredPercent.value = "";
    this.measuredViscosity.value = "";
    this.measuredPercent.focus();
    this.edited();
  }

  // Why "添加实测" did not add, where the boxes do not show it; quiet, never a dialog.
  showNote(note) {
    put(this.measuredNote, "textContent", note);
    put(this.measuredNote, "hidden", note === "");
  }

  // The section's blends or switch changed: everything they calibrate is drawn again, and kept.
  edited() {
    this.draw();
    this.changed();
  }

  // The section as the Form has it: each blend's line with its button, quiet where it does not
  // count; the factors; the switch. The temperature starts at the window's.
  drawCalibration() {
    const row = this.form.temperature();
    if (!this.temperatureChosen && row >= 0) put(this.measuredTemperature, "selectedIndex", row);
    const c = this.form.calibration();
    put(this.calibrate, "checked", c.on);
    put(this.factors, "textContent", c.factors.join("\n"));
    put(this.measuredNone, "hidden", c.rows.length > 0);
    const rows = JSON.stringify(c.rows);
    if (rows === this.shownRows) return; // a button keeps its focus
    this.shownRows = rows;
    this.measuredList.replaceChildren(...c.rows.map((r, i) => {
      const item = document.createElement("li");
      item.className = r.quiet ? "quiet" : "";
      const text = document.createElement("span");
      text.textContent = r.text;
      const remove = document.createElement("button");
      remove.type = "button";
      remove.textContent = this.measuredList.dataset.remove;
      remove.setAttribute("aria-description", r.text);
      remove.addEventListener("click", () => {
        // The Form says where the focus goes once the row is gone: a row's 删除, or the share.
        const next = this.form.removeMeasured(i);
        this.showNote("");
        this.edited();
        (this.measuredList.querySelectorAll("button")[next] ?? this.measuredPercent).focus();
      });
      item.append(text, remove);
      return item;
    }));
  }

  // A key of the key table that moves the handle, by its name.
  move(action) {
    this.form.moveHandle(action);
    this.draw();
  }

  // Ctrl+G: the handle takes the focus, and the chart comes into view.
  focus() {
    this.area.scrollIntoView({ block: "nearest" });
    if (!this.handle.hidden) this.handle.focus({ preventScroll: true });
  }

  // Draws what the Form's boxes hold, at the panel's width and font.
  draw() {
    // The drawing's pixels are the page's, fractions included, so that the handle that takes
    // taps and drags stands exactly over its drawing; the height is the style's, as it stands.
    const { width, height } = this.svg.getBoundingClientRect();
    this.width = width;
    if (width === 0) return;
    const font = parseFloat(getComputedStyle(this.area).fontSize);
    const chart = this.form.chart(width, height, font);
    set(this.svg, "viewBox", `0 0 ${width} ${height}`);
    put(this.svg, "innerHTML", chart.svg);
    const drawn = chart.needs === "";
    put(this.handle, "hidden", !drawn);
    put(this.handle.style, "transform", `translate(${chart.x}px, ${chart.y}px)`);
    set(this.handle, "aria-valuenow", chart.percent);
    set(this.handle, "aria-valuetext", chart.valueText);
    put(this.box, "disabled", !drawn);
    const shown = drawn ? chart.percent : "";
    if (document.activeElement !== this.box && this.box.value !== shown) {
      this.box.value = shown;
      this.hint.textContent = "";
    }
    put(this.readout, "textContent", drawn ? chart.readout : "");
    put(this.summary, "textContent", chart.summary);
    this.drawCalibration();
    this.drawSheet();
  }

  // The data sheet at the handle's mix: the boxes it asks for, its table and lines, and the chart
  // of the lines at the panel's width and font.
  drawSheet() {
    const { width, height } = this.sheetSvg.getBoundingClientRect();
    this.sheetWidth = width;
    const font = parseFloat(getComputedStyle(this.sheetSvg).fontSize);
    const s = this.form.sheet(width, height, font);
    if (width > 0) {
      set(this.sheetSvg, "viewBox", `0 0 ${width} ${height}`);
      put(this.sheetSvg, "innerHTML", s.svg);
    }
    put(this.sheetSummary, "textContent", s.summary);
    this.sheetBoxes.forEach((box, i) => put(box.parentElement, "hidden", !s.asked[i]));
    const heads = this.table.tHead.rows[0].cells;
    for (let c = 1; c < 5; ++c) put(heads[c], "textContent", s.columns[c]);
    [...this.table.tBodies[0].rows].forEach((row, r) => {
      put(row.cells[0], "textContent", s.rows[r]);
      for (let c = 0; c < 4; ++c) {
        const cell = s.cells[4 * r + c];
        put(row.cells[c + 1], "textContent", cell.text);
        put(row.cells[c + 1], "className", cell.quiet ? "quiet" : "");
      }
    });
    put(this.notes, "textContent", s.notes.join("\n"));
    put(this.grades, "textContent", s.grades.join("\n"));
  }
}
