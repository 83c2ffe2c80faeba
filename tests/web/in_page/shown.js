// What the page shows for a check of the scenarios, as the scenario file names it: `args[0]` the
// check's word, `args[1]` a box's number. The hint and the width are "1" or "0".
const [word, box] = args;
const lines = (e) => (e.textContent ? e.textContent.split("\n") : []);
const cells = (row, from = 0) => [...row.cells].slice(from).map((c) => c.textContent).join(" ");
switch (word) {
  case "record": return Text2.value;
  case "box": return document.getElementById(`Text1_${box}`).value;
  case "readout": return ChartReadout.textContent;
  case "hint": return document.querySelector("#Text2 .cm-content").hasAttribute("aria-placeholder") ? "1" : "0";
  case "wide": // the client area 6825 twips wide, at the font in effect
    return Math.round((client.getBoundingClientRect().width - 2) * 180 /
      parseFloat(getComputedStyle(document.documentElement).fontSize)) === 6825 ? "1" : "0";
  case "below": return lines(SheetGrades)[0];
  case "table": return [...SheetTable.tBodies[0].rows].map((r) => cells(r, 1)).join(" | ");
  case "section":
    return [...document.querySelectorAll("#MeasuredList li span")].map((s) => s.textContent)
      .concat(lines(Factors)).join(" | ");
  case "recipe-table": // each table: its name, ":", and its rows with their heads
    return [...RecipeTables.querySelectorAll("table")].map((t) => `${t.caption.textContent}: ` +
      [...t.tBodies[0].rows].map((r) => cells(r)).join(" | ")).join(" || ");
  case "recipe-says": // its quiet lines, its lines and the lines under each table
    return [...lines(RecipeQuiet), ...lines(RecipeLines),
      ...[...RecipeTables.querySelectorAll("p")].map((p) => p.textContent)].join(" | ");
}
return null;
