// The web page's way into the Form: the page hands over its controls' values before each handler
// and reads back what the handler changed. Nothing of the calculation is done in JavaScript.
#include <emscripten/bind.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "form/form.h"
#include "form/layout.h"
#include "form/window_texts.h"

namespace olvimar {

namespace {

using emscripten::val;

class WebForm : private FormView {
  public:
    WebForm() { form_.Form_Load(); }

    // The page's controls as they stand.
    void setText(int index, const std::string& text) { boxes_.at(index) = text; }
    std::string text(int index) const { return boxes_.at(index); }
    void setTemperature(int row) { combo_ = row; }
    int temperature() const { return combo_; }
    void setPresetRow(int row) { list_ = row; }

    // The handlers.
    void gotFocus(int index) { form_.Text1_GotFocus(index); }
    void presetDblClick() { form_.List1_DblClick(); }
    void generate() { form_.Command1_Click(); }
    void clear() { form_.Command2_Click(); }
    void bar() { form_.Command3_Click(); }
    // What a reload brings back, kept by the page in this tab's session storage.
    std::string keptFields() const { return form_.KeptFields(); }
    // The record's bytes as they stand in the module's memory: valid until the next handler.
    val keptRecord() const {
        const std::string_view r = form_.RecordText();
        return val(emscripten::typed_memory_view(r.size(),
                                                 reinterpret_cast<const unsigned char*>(r.data())));
    }
    bool restore(const std::string& fields, const std::string& record) {
        return form_.Restore(fields, record);
    }

    // What the page shows afterwards.
    int clientWidth() const { return width_; }
    // Counts the changes of the record box, so that the page asks for the record only then.
    int recordVersion() const { return recordVersion_; }
    // What the record box needs to show the record: {replace, before, after}. Only the entries
    // that it does not have yet, unless `whole` (the user has edited the box) or the box was
    // cleared. `after` begins with this press's first entry, which the page brings into view.
    // Line ends are LF alone, as the page's box counts them.
    val recordUpdate(bool whole) {
        const std::string_view record = form_.RecordText();
        const std::size_t from = whole || shown_ > firstNew_ ? 0 : shown_;
        val update = val::object();
        update.set("replace", from == 0);
        update.set("before", Lines(record.substr(from, firstNew_ - from)));
        update.set("after", Lines(record.substr(firstNew_)));
        shown_ = record.size();
        return update;
    }
    // The message of a failure, once; empty when there is none.
    std::string takeMessage() { return std::exchange(message_, {}); }

  private:
    std::string Text1(int index) const override { return boxes_.at(index); }
    void SetText1(int index, const std::string& text) override { boxes_.at(index) = text; }
    int Combo1Index() const override { return combo_; }
    void SetCombo1Index(int row) override { combo_ = row; }
    int List1Index() const override { return list_; }
    void SetClientWidth(int twips) override { width_ = twips; }
    void ShowRecord(std::string_view record, std::size_t firstNew) override {
        firstNew_ = std::min(firstNew, record.size());
        ++recordVersion_;
    }
    void ClearRecord() override {
        shown_ = firstNew_ = 0;
        ++recordVersion_;
    }

    static std::string Lines(std::string_view record) {
        std::string lines;
        lines.reserve(record.size());
        for (const char c : record)
            if (c != '\r') lines += c;
        return lines;
    }
    void ShowFailure(const std::string& message) override { message_ = message; }

    std::array<std::string, 6> boxes_;
    int combo_ = -1;
    int list_ = -1;
    int width_ = 0;
    std::size_t shown_ = 0;     // bytes of the record that the page's box has
    std::size_t firstNew_ = 0;  // where this press's entries begin
    int recordVersion_ = 0;
    std::string message_;
    Form form_{*this};
};

template <std::size_t N>
val Array(const std::array<const char*, N>& texts) {
    val a = val::array();
    for (const char* t : texts) a.call<void>("push", std::string(t));
    return a;
}

// Every text of the window, from the one table the Qt window uses too.
val Texts() {
    val t = val::object();
    t.set("caption", std::string(texts::kCaption));
    t.set("label1", Array(texts::kLabel1));
    t.set("label2", std::string(texts::kLabel2));
    t.set("label3", std::string(texts::kLabel3));
    t.set("command1", std::string(texts::kCommand1));
    t.set("command2", std::string(texts::kCommand2));
    t.set("temperatures", Array(texts::kTemperatures));
    t.set("presetRows", Array(texts::kPresetRows));
    t.set("blankRowName", std::string(texts::kBlankRowName));
    t.set("listName", std::string(texts::kListName));
    t.set("listDescription", std::string(texts::kListDescription));
    t.set("hintRowDescription", std::string(texts::kHintRowDescription));
    t.set("command1Description", std::string(texts::kCommand1Description));
    t.set("command2Description", std::string(texts::kCommand2Description));
    t.set("command3Name", std::string(texts::kCommand3Name));
    t.set("command3Description", std::string(texts::kCommand3Description));
    return t;
}

// Where every control stands, in twips.
val Layout() {
    val l = val::object();
    l.set("narrowWidth", layout::kNarrowWidth);
    l.set("wideWidth", layout::kWideWidth);
    l.set("height", layout::kHeight);
    val controls = val::object();
    for (const layout::Place& p : layout::kControls) {
        val place = val::object();
        place.set("left", p.left);
        place.set("top", p.top);
        place.set("width", p.width);
        place.set("height", p.height);
        controls.set(p.name, place);
    }
    l.set("controls", controls);
    return l;
}

}  // namespace

EMSCRIPTEN_BINDINGS(olvimar) {
    emscripten::class_<WebForm>("Form")
        .constructor<>()
        .function("setText", &WebForm::setText)
        .function("text", &WebForm::text)
        .function("setTemperature", &WebForm::setTemperature)
        .function("temperature", &WebForm::temperature)
        .function("setPresetRow", &WebForm::setPresetRow)
        .function("gotFocus", &WebForm::gotFocus)
        .function("presetDblClick", &WebForm::presetDblClick)
        .function("generate", &WebForm::generate)
        .function("clear", &WebForm::clear)
        .function("bar", &WebForm::bar)
        .function("keptFields", &WebForm::keptFields)
        .function("keptRecord", &WebForm::keptRecord)
        .function("restore", &WebForm::restore)
        .function("clientWidth", &WebForm::clientWidth)
        .function("recordVersion", &WebForm::recordVersion)
        .function("recordUpdate", &WebForm::recordUpdate)
        .function("takeMessage", &WebForm::takeMessage);
    emscripten::function("texts", &Texts);
    emscripten::function("layout", &Layout);
}

}  // namespace olvimar
