#include "ui/failure_text.h"

#include "calc/targets.h"
#include "ui/window_texts.h"

namespace olvimar {

namespace {

// The field as its label names it in the window.
QString FieldName(Input input) {
    switch (input) {
        case Input::ViscA:
            return QString::fromUtf8(texts::kLabel1[0]);
        case Input::ViscB:
            return QString::fromUtf8(texts::kLabel1[2]);
        case Input::Litres:
            return QString::fromUtf8(texts::kLabel1[4]);
        case Input::LossA:
            return QString::fromUtf8(texts::kLabel1[5]);
        case Input::LossB:
            return QString::fromUtf8(texts::kLabel1[6]);
        case Input::Target:
        case Input::Expression:
            return QString::fromUtf8(texts::kLabel1[3]);
        case Input::Temperature:
            return QStringLiteral("温度");  // in a sentence, without its unit
        case Input::None:
            break;
    }
    return {};
}

QString ChineseKindName(FailureKind kind) {
    switch (kind) {
        case FailureKind::TypeMismatch:
            return QStringLiteral("类型不匹配");
        case FailureKind::SubscriptOutOfRange:
            return QStringLiteral("下标越界");
        case FailureKind::InvalidArgument:
            return QStringLiteral("无效参数");
        case FailureKind::DivisionByZero:
            return QStringLiteral("除以零");
        case FailureKind::Overflow:
            return QStringLiteral("溢出");
    }
    return {};
}

// The text the user typed, in Chinese quotation marks; a very long text is cut short.
QString Quoted(const std::string& text) {
    constexpr int kLongest = 40;
    QString t = QString::fromStdString(text);
    if (t.size() > kLongest) t = t.left(kLongest) + QStringLiteral("…");
    return QStringLiteral("“") + t + QStringLiteral("”");
}

bool HasComma(const QString& t) {
    return t.contains(QLatin1Char(',')) || t.contains(QStringLiteral("，"));
}

QString NotANumber(const Failure& f) {
    const QString field = FieldName(f.input);
    const QString text = QString::fromStdString(f.text);
    const bool blank = text.trimmed().isEmpty();
    if (f.input == Input::Target) {
        if (blank) return QStringLiteral("生成粘度中有一项只有空格。请填写数字，或删去这一项。");
        QString m = QStringLiteral("生成粘度中的%1不是有效的数字。").arg(Quoted(f.text));
        if (text.contains(QStringLiteral("，")))
            m += QStringLiteral("多个数值请用半角逗号“,”分隔。");
        return m + QStringLiteral(
                       "生成粘度可以是一个数值（如 7）、用逗号分隔的几个数值（如 "
                       "7,10），或一个范围（如 7-14）。");
    }
    if (f.input == Input::LossA || f.input == Input::LossB) {
        if (blank)
            return QStringLiteral(
                       "%1只有空格。请填写损失百分比（如 10），"
                       "或把它完全清空，不计算剪切。")
                .arg(field);
        return QStringLiteral("%1%2不是有效的数字。请填写损失百分比（如 10）。")
            .arg(field, Quoted(f.text));
    }
    if (blank) return QStringLiteral("请填写%1。").arg(field);
    QString m = QStringLiteral("%1%2不是有效的数字。").arg(field, Quoted(f.text));
    if (HasComma(text)) m += QStringLiteral("小数点请用“.”。");
    return m;
}

QString Describe(const Failure& f) {
    switch (f.situation) {
        case Situation::SameViscosity:
            return QStringLiteral(
                "A机油粘度和B机油粘度相同，无法算出配比。"
                "请输入两种粘度不同的机油。");
        case Situation::ShearSameViscosity:
            return QStringLiteral(
                "按剪切稳定性调整后，A、B两种机油的粘度相同，无法算出剪切后的配比。"
                "请检查A剪切稳定性和B剪切稳定性。");
        case Situation::ShearUnusable:
            return QStringLiteral(
                       "%1%2使机油的粘度降到无法计算的程度。"
                       "剪切损失百分比应小于 100。")
                .arg(FieldName(f.input), Quoted(f.text));
        case Situation::ViscosityTooLow:
            return QStringLiteral("%1%2太低，无法按混合公式计算。粘度应大于 0。")
                .arg(FieldName(f.input), Quoted(f.text));
        case Situation::StepNotPositive:
            return QStringLiteral(
                       "生成粘度%1中的步长必须大于 0。范围写作“起点-终点”或"
                       "“起点-终点,步长”，如 7-14 或 7-14,0.5；步长前不能加负号。")
                .arg(Quoted(f.text));
        case Situation::TooManyValues:
            return QStringLiteral("生成粘度%1会产生超过 %2 个数值。请缩小范围或加大步长。")
                .arg(Quoted(f.text))
                .arg(kMaxTargetValues);
        case Situation::TooManyPieces:
            return QStringLiteral("生成粘度%1有 %2 项，超过 %3 个数值。请分几次生成。")
                .arg(Quoted(f.text))
                .arg(f.pieces)
                .arg(kMaxTargetValues);
        case Situation::None:
            break;
    }
    if (f.input == Input::Temperature) return QStringLiteral("请选择温度。");
    if (f.kind == FailureKind::TypeMismatch) return NotANumber(f);
    if (f.kind == FailureKind::Overflow && f.input == Input::Expression)
        return QStringLiteral("生成粘度%1中的数字太大，无法计算。").arg(Quoted(f.text));
    if (f.kind == FailureKind::Overflow && f.input != Input::None)
        return QStringLiteral("%1%2太大，无法计算。请检查这个数字。")
            .arg(FieldName(f.input), Quoted(f.text));
    if (f.input != Input::None)
        return QStringLiteral("%1%2无法用于计算（%3）。请检查这个数字。")
            .arg(FieldName(f.input), Quoted(f.text), ChineseKindName(f.kind));
    return QStringLiteral("无法完成计算（%1）。请检查输入的数字。").arg(ChineseKindName(f.kind));
}

}  // namespace

QString FailureMessage(const Failure& failure, std::size_t calculated) {
    QString m = Describe(failure);
    if (calculated > 0)
        m += QStringLiteral(
                 "\n\n本次在出错之前算出的 %1 个数值已加入生成记录，"
                 "会在下次成功生成后一并显示。")
                 .arg(calculated);
    return m;
}

QString UnexpectedFailureMessage() {
    return QStringLiteral(
        "内存不足，本次生成没有完成。已生成的记录没有丢失；"
        "请先清空记录或缩小范围，再试一次。");
}

}  // namespace olvimar
