// The targets' hint and the buttons under it stay apart: its text ends above their tops, and the
// ring of whichever of them has the focus does not reach up to it. `args[0]`: the reader's font,
// px, for the page's root while the check looks (none: as it is). A line for each thing it finds.
const [font] = args;
const root = document.documentElement;
const before = root.style.fontSize;
if (font) root.style.fontSize = `${font}px`;
const at = `at ${font ?? parseFloat(getComputedStyle(root).fontSize)} px`;
const problems = [];
const range = document.createRange();
range.selectNodeContents(document.getElementById("Label2"));
const text = Math.max(...[...range.getClientRects()].map((r) => r.bottom));
for (const id of ["Command1", "Command2"]) {
  const button = document.getElementById(id);
  const top = button.getBoundingClientRect().top;
  if (text > top + 0.01) problems.push(`${at} the hint's text ends ${(text - top).toFixed(2)} px into ${id}`);
  const style = getComputedStyle(button);
  const ring = style.outlineStyle === "none" ? 0 : parseFloat(style.outlineWidth) + parseFloat(style.outlineOffset);
  if (document.activeElement === button && top - ring < text - 0.01)
    problems.push(`${at} ${id}'s focus ring reaches ${(text - top + ring).toFixed(2)} px into the hint`);
}
root.style.fontSize = before;
return problems;
