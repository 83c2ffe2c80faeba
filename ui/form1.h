#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/blend.h"
#include "calc/value.h"
#include "ui/twips.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace olvimar {

class PresetList;
class RecordBox;
class TemperatureBox;
struct RunResult;

// The one window: the preset list, the fields of the two oils, the temperature, the targets and
// the total, Generate and Clear, the record box, and the thin bar that shows the shear column.
class Form1 : public QWidget {
    Q_OBJECT

  public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The event handlers. Each runs to its end and never lets a failure out.
    void Form_Load();
    void Text1_GotFocus(int index);
    void List1_DblClick();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void ShowRecord();

    // The module state, for whoever needs to look at it.
    const Value& focusIdxValue() const { return focusIdx; }
    const Value& recordValue() const { return record; }
    const Value& wideValue() const { return wide; }

    // Client widths in twips, narrow and wide; the height never changes.
    static constexpr int kNarrowWidth = 4770;
    static constexpr int kWideWidth = 6825;
    static constexpr int kHeight = 4365;

    // Twips as pixels for the font the window now uses.
    Twips scale() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    template <typename W>
    W* Place(const char* name, TwipsRect where);
    QLabel* PlaceLabel(const char* name, TwipsRect where, const char* text);
    void createControls();
    void layOut();
    void setTabOrder();
    void describeForScreenReaders();
    BlendFields readFields() const;
    void showFailure(const RunResult& result);
    void setClientWidth(int widthTwips);
    std::string_view RecordText() const;

    std::array<QLineEdit*, 6> Text1{};
    std::array<QLabel*, 7> Label1{};
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    TemperatureBox* Combo1 = nullptr;
    PresetList* List1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

    Value focusIdx;                 // the Text1 box that last had the focus; Empty before any
    std::array<Value, 7> preset{};  // the value behind each row of List1
    TempTable temp{};               // the blending constant of each temperature row
    Value record;                   // every entry since the start or the last Clear
    Value wide;                     // 1 while the shear column shows, 0 or Empty while narrow

    std::unique_ptr<RecordBox> recordBox_;
    std::vector<std::pair<QWidget*, TwipsRect>> layout_;  // every control where the layout puts it
    int clientWidth_ = kNarrowWidth;                      // twips
};

}  // namespace olvimar
