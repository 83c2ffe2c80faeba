#include "ui/accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <cmath>
#include <map>

#include "form/window_texts.h"
#include "ui/chart_view.h"
#include "ui/preset_list.h"

namespace olvimar {

namespace {

// One row of the preset list, as a screen reader sees it: named by its accessible text (the row
// without its TAB), with "press" to insert its preset.
class PresetRow : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    PresetRow(PresetList* list, int row) : list_(list), row_(row) {}

    bool isValid() const override { return list_ && row_ < list_->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list_ ? list_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(list_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        const QListWidgetItem* item = list_->item(row_);
        if (t == QAccessible::Name) return item->data(Qt::AccessibleTextRole).toString();
        if (t == QAccessible::Description)
            return item->data(Qt::AccessibleDescriptionRole).toString();
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect r = list_->visualItemRect(list_->item(row_));
        return {list_->viewport()->mapToGlobal(r.topLeft()), r.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) return s;
        s.selectable = s.focusable = true;
        s.selected = list_->item(row_)->isSelected();
        s.focused = list_->hasFocus() && list_->currentRow() == row_;
        s.invisible = !list_->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QString localizedActionDescription(const QString& name) const override {
        return name == pressAction() ? QString::fromUtf8(texts::kRowActionDescription) : QString();
    }
    void doAction(const QString& name) override {
        if (name == pressAction() && isValid()) list_->insertPreset(row_);
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        return name == pressAction() ? QStringList{QStringLiteral("Return")} : QStringList();
    }

  private:
    QPointer<PresetList> list_;
    int row_;
};

// The preset list: its rows are its children.
class PresetListInterface : public QAccessibleWidget {
  public:
    explicit PresetListInterface(PresetList* list) : QAccessibleWidget(list, QAccessible::List) {}
    ~PresetListInterface() override {
        for (const auto& [row, id] : rows_) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return list()->count(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= list()->count()) return nullptr;
        auto found = rows_.find(index);
        if (found == rows_.end()) {
            auto* row = new PresetRow(list(), index);
            found = rows_.emplace(index, QAccessible::registerAccessibleInterface(row)).first;
        }
        return QAccessible::accessibleInterface(found->second);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (const auto& [row, id] : rows_)
            if (QAccessible::accessibleInterface(id) == child) return row;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QModelIndex at = list()->indexAt(list()->viewport()->mapFromGlobal(QPoint(x, y)));
        return at.isValid() ? child(at.row()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return list()->hasFocus() ? child(list()->currentRow()) : nullptr;
    }

  private:
    PresetList* list() const { return static_cast<PresetList*>(widget()); }

    mutable std::map<int, QAccessible::Id> rows_;
};

// The chart's handle: a slider of A's share in percent, 0 to 100 by hundredths (the widget counts
// hundredths), whose value text is what the mix there gives.
class ChartHandleInterface : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit ChartHandleInterface(ChartView* view) : QAccessibleWidget(view, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return view()->accessibleDescription();
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return view()->value() / 100.0; }
    void setCurrentValue(const QVariant& value) override {
        view()->setValue(static_cast<int>(std::lround(value.toDouble() * 100)));
    }
    QVariant maximumValue() const override { return 100.0; }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 0.01; }

  private:
    ChartView* view() const { return static_cast<ChartView*>(widget()); }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("olvimar::ChartView"))
        return new ChartHandleInterface(static_cast<ChartView*>(object));
    if (className == QLatin1String("olvimar::ChartFigure") ||
        className == QLatin1String("olvimar::TemperatureView") ||
        className == QLatin1String("olvimar::MapView"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
    if (className == QLatin1String("olvimar::RecipeSection"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Section);
    if (className == QLatin1String("olvimar::ChartWindow") ||
        className == QLatin1String("olvimar::RecipeWindow"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    if (className == QLatin1String("olvimar::MeasuredList"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::List);
    if (className == QLatin1String("olvimar::PresetList"))
        return new PresetListInterface(static_cast<PresetList*>(object));
    if (className == QLatin1String("olvimar::Form1"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

}  // namespace

void InstallAccessibility() {
    static const bool installed = (QAccessible::installFactory(Factory), true);
    (void)installed;
}

}  // namespace olvimar
