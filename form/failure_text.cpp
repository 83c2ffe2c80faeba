#include "form/failure_text.h"

#include <string_view>

#include "calc/targets.h"
#include "form/calibration_texts.h"
#include "form/text_fill.h"
#include "form/window_texts.h"

namespace olvimar {

namespace {

// The field as its label names it in the window.
std::string FieldName(Input input) {
    switch (input) {
        case Input::ViscA:
            return texts::kLabel1[0];
        case Input::ViscB:
            return texts::kLabel1[2];
        case Input::Litres:
            return texts::kLabel1[4];
        case Input::LossA:
            return texts::kLabel1[5];
        case Input::LossB:
            return texts::kLabel1[6];
        case Input::Target:
        case Input::Expression:
            return texts::kLabel1[3];
        case Input::Temperature:
            return "温度";  // in a sentence, without its unit
        case Input::None:
            break;
    }
    return {};
}

std::string ChineseKindName(FailureKind kind) {
    switch (kind) {
        case FailureKind::TypeMismatch:
            return "类型不匹配";
        case FailureKind::SubscriptOutOfRange:
            return "下标越界";
        case FailureKind::InvalidArgument:
            return "无效参数";
        case FailureKind::DivisionByZero:
            return "除以零";
        case FailureKind::Overflow:
            return "溢出";
    }
    return {};
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The text the user typed, in Chinese quotation marks; a very long text is cut short after 40
// characters (not bytes).
std::string Quoted(const std::string& text) {
    constexpr int kLongest = 40;
    std::size_t end = 0;
    for (int characters = 0; end < text.size() && characters < kLongest; ++characters)
        for (++end; end < text.size() && IsContinuationByte(text[end]);) ++end;
    std::string t = text.substr(0, end);
    if (end < text.size()) t += "…";
    return "“" + t + "”";
}

bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// Whether a text holds nothing but white space, the full-width space included.
bool IsBlankText(std::string_view text) {
    while (!text.empty()) {
        if (std::string_view(" \t\n\r\v\f").find(text.front()) != std::string_view::npos) {
            text.remove_prefix(1);
        } else if (text.substr(0, 3) == "\u3000") {
            text.remove_prefix(3);
        } else {
            return false;
        }
    }
    return true;
}

std::string NotANumber(const Failure& f) {
    const std::string field = FieldName(f.input);
    const bool blank = IsBlankText(f.text);
    if (f.input == Input::Target) {
        if (blank) return "生成粘度中有一项只有空格。请填写数字，或删去这一项。";
        std::string m = Fill("生成粘度中的%1不是有效的数字。", {Quoted(f.text)});
        if (Contains(f.text, "，")) m += "多个数值请用半角逗号“,”分隔。";
        return m +
               "生成粘度可以是一个数值（如 7）、用逗号分隔的几个数值（如 "
               "7,10），或一个范围（如 7-14）。";
    }
    if (f.input == Input::LossA || f.input == Input::LossB) {
        if (blank)
            return Fill(
                "%1只有空格。请填写损失百分比（如 10），"
                "或把它完全清空，不计算剪切。",
                {field});
        return Fill("%1%2不是有效的数字。请填写损失百分比（如 10）。", {field, Quoted(f.text)});
    }
    if (blank) return Fill("请填写%1。", {field});
    std::string m = Fill("%1%2不是有效的数字。", {field, Quoted(f.text)});
    if (Contains(f.text, ",") || Contains(f.text, "，")) m += "小数点请用“.”。";
    return m;
}

std::string Describe(const Failure& f) {
    switch (f.situation) {
        case Situation::SameViscosity:
            return "A机油粘度和B机油粘度相同，无法算出配比。"
                   "请输入两种粘度不同的机油。";
        case Situation::ShearSameViscosity:
            return "按剪切稳定性调整后，A、B两种机油的粘度相同，无法算出剪切后的配比。"
                   "请检查A剪切稳定性和B剪切稳定性。";
        case Situation::ShearUnusable:
            return Fill(
                "%1%2使机油的粘度降到无法计算的程度。"
                "剪切损失百分比应小于 100。",
                {FieldName(f.input), Quoted(f.text)});
        case Situation::ViscosityTooLow:
            return Fill("%1%2太低，无法按混合公式计算。粘度应大于 0。",
                        {FieldName(f.input), Quoted(f.text)});
        case Situation::StepNotPositive:
            return Fill(
                "生成粘度%1中的步长必须大于 0。范围写作“起点-终点”或"
                "“起点-终点,步长”，如 7-14 或 7-14,0.5；步长前不能加负号。",
                {Quoted(f.text)});
        case Situation::TooManyValues:
            return Fill("生成粘度%1会产生超过 %2 个数值。请缩小范围或加大步长。",
                        {Quoted(f.text), std::to_string(kMaxTargetValues)});
        case Situation::TooManyPieces:
            return Fill(
                "生成粘度%1有 %2 项，超过 %3 个数值。请分几次生成。",
                {Quoted(f.text), std::to_string(f.pieces), std::to_string(kMaxTargetValues)});
        case Situation::None:
            break;
    }
    if (f.input == Input::Temperature) return "请选择温度。";
    if (f.kind == FailureKind::TypeMismatch) return NotANumber(f);
    if (f.kind == FailureKind::Overflow && f.input == Input::Expression)
        return Fill("生成粘度%1中的数字太大，无法计算。", {Quoted(f.text)});
    if (f.kind == FailureKind::Overflow && f.input != Input::None)
        return Fill("%1%2太大，无法计算。请检查这个数字。", {FieldName(f.input), Quoted(f.text)});
    if (f.input != Input::None)
        return Fill("%1%2无法用于计算（%3）。请检查这个数字。",
                    {FieldName(f.input), Quoted(f.text), ChineseKindName(f.kind)});
    return Fill("无法完成计算（%1）。请检查输入的数字。", {ChineseKindName(f.kind)});
}

}  // namespace

std::string FailureMessage(const Failure& failure, std::size_t calculated) {
    std::string m = Describe(failure);
    if (calculated > 0)
        m += Fill(
            "\n\n本次在出错之前算出的 %1 个数值已加入生成记录，"
            "会在下次成功生成后一并显示。",
            {std::to_string(calculated)});
    return m;
}

std::string NoCalibrationMessage(int row) {
    const std::string temperature = texts::kTemperatures.at(static_cast<std::size_t>(row));
    return Fill(texts::kNoCalibration, {" " + temperature + " ", " " + temperature + " "});
}

std::string UnexpectedFailureMessage() {
    return "内存不足，本次生成没有完成。已生成的记录没有丢失；"
           "请先清空记录或缩小范围，再试一次。";
}

}  // namespace olvimar
