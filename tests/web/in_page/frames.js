// What a phone's narrow screen must never do, as the page stands: scroll sideways, put a control
// beyond the screen, or let a chart's or a section's text run past its frame. A line for each
// thing it finds. Run in the page by every engine's runner, as a function's body.
const problems = [];
const root = document.documentElement;
if (root.scrollWidth > root.clientWidth)
  problems.push(`the page is ${root.scrollWidth} px wide in ${root.clientWidth}`);
const name = (e) => e.id || e.getAttribute("aria-label") || e.textContent.trim().slice(0, 12) || e.tagName;
const within = (r, f) => r.left >= f.left - 0.5 && r.right <= f.right + 0.5;
const shown = (e) => e.getClientRects().length > 0 && getComputedStyle(e).visibility !== "hidden";
for (const c of document.querySelectorAll(".page :is(input, select, button, [role=slider])")) {
  if (!shown(c)) continue;
  const r = c.getBoundingClientRect();
  if (!within(r, { left: 0, right: root.clientWidth }))
    problems.push(`${name(c)} stands from ${r.left.toFixed(1)} to ${r.right.toFixed(1)} px`);
}
// A chart's texts inside its drawing.
for (const svg of document.querySelectorAll(".page svg")) {
  const frame = svg.getBoundingClientRect();
  for (const t of svg.querySelectorAll("text"))
    if (!within(t.getBoundingClientRect(), frame))
      problems.push(`"${t.textContent}" runs past its chart (${frame.left.toFixed(1)} to ${frame.right.toFixed(1)} px)`);
}
// A panel's and a section's texts inside their frame, but for those in a box that scrolls them.
const frames = ".page > section, .page section section, figure";
const walker = document.createTreeWalker(document.querySelector(".page"), NodeFilter.SHOW_TEXT);
for (let node = walker.nextNode(); node; node = walker.nextNode()) {
  const element = node.parentElement;
  if (!node.textContent.trim() || element.closest("svg, .unseen, #client") || !shown(element)) continue;
  let scrolls = false;
  for (let e = element; e && !scrolls; e = e.parentElement)
    scrolls = ["auto", "scroll"].includes(getComputedStyle(e).overflowX);
  const frame = element.closest(frames);
  if (scrolls || !frame) continue;
  const range = document.createRange();
  range.selectNodeContents(node);
  const f = frame.getBoundingClientRect();
  for (const r of range.getClientRects())
    if (r.width > 0 && !within(r, f)) {
      problems.push(`"${node.textContent.trim().slice(0, 24)}" runs past ${name(frame)}`);
      break;
    }
}
return problems;
