// The recipe's panel: it hands its boxes to the Form and shows what the Form makes of them (what
// an empty box stands for, the quiet lines, the tables and the lines under them, the map), and
// hands the map's clicks, taps and arrows back. No rule of the recipe is written here.
import { $, put } from "./dom.js";

// A table of one recipe, with its name for a caption and its heads for rows and columns.
function tableOf(t) {
  const table = document.createElement("table");
  table.className = "recipe-table";
  table.createCaption().textContent = t.name;
  const head = table.createTHead().insertRow();
  head.append(document.createElement("td"));
  for (const column of t.columns) {
    const th = document.createElement("th");
    th.scope = "col";
    th.textContent = column;
    head.append(th);
  }
  const body = table.createTBody();
  t.heads.forEach((name, r) => {
    const row = body.insertRow();
    const th = document.createElement("th");
    th.scope = "row";
    th.textContent = name;
    row.append(th);
    for (const cell of t.cells[r]) row.insertCell().textContent = cell;
  });
  const below = t.below.map((line) => {
    const p = document.createElement("p");
    p.textContent = line;
    return p;
  });
  return [table, ...below];
}

export class RecipePanel {
  constructor(form) {
    this.form = form;
    this.boxes = [...document.querySelectorAll("#recipe-boxes input")];
    this.unit = $("RecipeUnit");
    this.quiet = $("RecipeQuiet");
    this.lines = $("RecipeLines");
    this.tables = $("RecipeTables");
    this.svg = $("map-svg");
    this.map = $("RecipeMap");
    this.summary = $("map-summary");
    this.prices = [...document.querySelectorAll("#recipe-boxes input[id] + .unit")]
      .filter((unit) => unit.textContent.startsWith("元"));
    this.shownTables = "";
    this.changed = () => {}; // the page keeps what the boxes hold
    this.width = 0;
    this.boxes.forEach((box, i) => box.addEventListener("input", () => {
      this.form.setRecipeBox(i, box.value);
      this.edited();
    }));
    this.unit.addEventListener("change", () => {
      this.form.setRecipeUnit(this.unit.selectedIndex);
      this.edited();
    });
    // A click or a tap sets both targets where it points.
    this.map.addEventListener("click", (event) => {
      const at = this.svg.getBoundingClientRect();
      if (this.form.mapAt(event.clientX - at.left, event.clientY - at.top)) this.edited();
    });
    new ResizeObserver(() => {
      if (this.svg.getBoundingClientRect().width !== this.width) this.draw();
    }).observe($("map-area"));
  }

  // The boxes as the Form has them: after a reload, or after the map set the targets.
  restore() {
    this.boxes.forEach((box, i) => put(box, "value", this.form.recipeBox(i)));
    put(this.unit, "selectedIndex", this.form.recipeUnit());
  }

  edited() {
    this.restore();
    this.draw();
    this.changed();
  }

  // An arrow of the key table on the map, by its name.
  move(action) {
    if (this.form.mapKey(action)) this.edited();
  }

  draw() {
    const { width, height } = this.svg.getBoundingClientRect();
    this.width = width;
    const font = parseFloat(getComputedStyle(this.svg).fontSize);
    const r = this.form.recipe(width, height, font);
    this.boxes.forEach((box, i) => put(box, "placeholder", r.shown[i]));
    for (const unit of this.prices) put(unit, "textContent", r.priceUnit);
    put(this.quiet, "textContent", r.quiet.join("\n"));
    put(this.lines, "textContent", r.lines.join("\n"));
    const tables = JSON.stringify(r.tables);
    if (tables !== this.shownTables) {
      this.shownTables = tables;
      this.tables.replaceChildren(...r.tables.flatMap(tableOf));
    }
    if (width > 0) {
      this.svg.setAttribute("viewBox", `0 0 ${width} ${height}`);
      put(this.svg, "innerHTML", r.svg);
    }
    put(this.summary, "textContent", r.summary);
    put(this.map, "hidden", !r.drawn);
  }
}
