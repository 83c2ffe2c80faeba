// What the page's panels share of the document.
export const $ = (id) => document.getElementById(id);

// Only what changed: a change of the page ends the browser's run of typing that Ctrl+Z undoes
// as one, in the box the user types into.
export const set = (element, name, value) => {
  if (element.getAttribute(name) !== String(value)) element.setAttribute(name, value);
};
export const put = (element, property, value) => {
  if (element[property] !== value) element[property] = value;
};
