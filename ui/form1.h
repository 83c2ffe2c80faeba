#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "form/form.h"
#include "form/keys.h"
#include "ui/twips.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace olvimar {

class ChartWindow;
class PresetList;
class RecipeWindow;
class RecordBox;
class TemperatureBox;

// The one window, as Qt draws it: the preset list, the fields of the two oils, the temperature,
// the targets and the total, Generate and Clear, the record box, and the thin bar that shows the
// shear column. What the handlers do is the Form's; this is its view and its keyboard.
class Form1 : public QWidget, private FormView {
    Q_OBJECT

  public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The event handlers, as the controls raise them.
    void Text1_GotFocus(int index) { form_.Text1_GotFocus(index); }
    void List1_DblClick() { form_.List1_DblClick(); }
    void Command1_Click() { form_.Command1_Click(); }
    void Command2_Click() { form_.Command2_Click(); }
    void Command3_Click() { form_.Command3_Click(); }

    const Form& form() const { return form_; }
    // The window of the blend chart, opened by Ctrl+G or from the record box's menu.
    void openChart();
    ChartWindow* chartWindow() const { return chart_; }
    // The window of the recipe, opened by Ctrl+R or from the record box's menu.
    void openRecipe();
    RecipeWindow* recipeWindow() const { return recipe_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // The view of the Form.
    std::string Text1(int index) const override;
    void SetText1(int index, const std::string& text) override;
    int Combo1Index() const override;
    void SetCombo1Index(int row) override;
    int List1Index() const override;
    void SetClientWidth(int twips) override;
    void ShowRecord(std::string_view record, std::size_t firstNew) override;
    void ClearRecord() override;
    void ShowUndoClear(bool possible) override;
    void ShowFailure(const std::string& message) override;

    template <typename W>
    W* Place(const char* name);
    QLabel* PlaceLabel(const char* name);
    // The control of the layout called `name`.
    template <typename W>
    W* control(const char* name) const;
    void createControls();
    void setTabOrder();
    void describeForScreenReaders();
    // Twips as pixels for the font the window now uses.
    Twips scale() const;
    // The kind of control for the key table, none for a control outside it.
    std::optional<keys::Focus> focusKind(const QObject* control) const;
    bool hasOwnEdit(const QObject* control) const;
    // Carries out what the key table says a key does; false where the control takes the key.
    bool carryOut(keys::Action action, QObject* control);
    void layOut();
    void followChart();

    std::array<QLineEdit*, 6> Text1_{};
    std::array<QLabel*, 7> Label1{};
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    TemperatureBox* Combo1 = nullptr;
    PresetList* List1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

    Form form_{*this};
    std::unique_ptr<RecordBox> recordBox_;
    ChartWindow* chart_ = nullptr;    // made when first opened; a window of its own, owned here
    RecipeWindow* recipe_ = nullptr;  // the same
    std::vector<std::pair<QWidget*, const layout::Place*>> layout_;  // every control and its place
    int clientWidth_ = 0;                                            // twips
};

}  // namespace olvimar
