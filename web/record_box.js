// The record box: an editor view that lays out only the lines in view, so that a record of
// 200 000 lines takes a press, scrolls and copies as quickly as a short one. It stands in for a
// multi-line text box: editable, wrapping, labelled, with an always-shown scroll bar, and the
// element keeps a `value` that gives the whole text.
import { EditorView, keymap, placeholder } from "@codemirror/view";
import { Annotation, Compartment, EditorSelection, EditorState, StateField } from "@codemirror/state";

// Marks the changes that the Form makes, so that the user's own edits can be told apart, and the
// undoing of one of those edits.
const fromForm = Annotation.define();
const undoing = Annotation.define();

// The user's own edits since the Form last showed the record, the last on top: each as the
// changes that undo it and the selection before it. Typing in one run is one edit. What the Form
// shows is no edit of the user's, and the edits before it are gone with it, as in the desktop's
// record box.
const ownEdits = StateField.define({
  create: () => [],
  update(edits, tr) {
    if (tr.annotation(fromForm)) return [];
    if (tr.annotation(undoing)) return edits.slice(0, -1);
    if (!tr.docChanged) return edits;
    const undo = tr.changes.invert(tr.startState.doc);
    const typing = tr.isUserEvent("input.type") || tr.isUserEvent("delete");
    const last = edits[edits.length - 1];
    if (typing && last?.typing && Date.now() - last.time < 500)
      return [...edits.slice(0, -1), { ...last, changes: undo.compose(last.changes), time: Date.now() }];
    return [...edits, { changes: undo, selection: tr.startState.selection, typing, time: Date.now() }];
  },
});

// Select all takes the whole record, also the lines that are not laid out.
const selectAll = (view) => {
  view.dispatch({ selection: EditorSelection.single(0, view.state.doc.length), userEvent: "select" });
  return true;
};

export class RecordBox {
  constructor(element, labelId) {
    this.edited = false; // the user has changed the text since the Form last showed it
    this.hint = new Compartment(); // what the box says while it is empty
    this.view = new EditorView({
      parent: element,
      state: EditorState.create({
        extensions: [
          EditorView.lineWrapping,
          this.hint.of([]),
          ownEdits,
          EditorView.contentAttributes.of({ "aria-labelledby": labelId, spellcheck: "false" }),
          keymap.of([{ key: "Mod-a", run: selectAll }]),
          EditorView.updateListener.of((update) => {
            if (update.docChanged && !update.transactions.some((t) => t.annotation(fromForm)))
              this.edited = true;
          }),
        ],
      }),
    });
    Object.defineProperty(element, "value", { get: () => this.view.state.doc.toString() });
  }

  get length() {
    return this.view.state.doc.length;
  }

  // Shows `before` and `after` in place of the whole text (replace) or after it, and brings the
  // start of `after`, this press's first entry, to the top as far as the box can scroll: as far
  // down as the first line stands in a box that is not scrolled.
  show(replace, before, after) {
    const from = replace ? 0 : this.length;
    const top = parseFloat(getComputedStyle(this.view.contentDOM).paddingTop);
    this.view.dispatch({
      changes: { from, to: this.length, insert: before + after },
      selection: { anchor: from + before.length },
      effects: EditorView.scrollIntoView(from + before.length, { y: "start", yMargin: top }),
      annotations: fromForm.of(true),
    });
    this.edited = false;
  }

  // Whether the user has an edit of the box's own to undo, and its undo.
  canUndo() {
    return this.view.state.field(ownEdits).length > 0;
  }

  undo() {
    const edits = this.view.state.field(ownEdits);
    const last = edits[edits.length - 1];
    this.view.dispatch({
      changes: last.changes,
      selection: last.selection,
      annotations: undoing.of(true),
      userEvent: "undo",
      scrollIntoView: true,
    });
  }

  // Says `text` while the box is empty (a screen reader hears it too); none when null.
  setHint(text) {
    this.view.dispatch({ effects: this.hint.reconfigure(text === null ? [] : placeholder(text)) });
  }

  focus() {
    this.view.focus();
  }

  contains(node) {
    return this.view.dom.contains(node);
  }

  // Ctrl+Enter: a line break where the cursor is, as a typed one.
  insertLineBreak() {
    this.view.dispatch(this.view.state.replaceSelection("\n"), { userEvent: "input" });
  }
}
