// One target viscosity: the blend of A and B, the record entry text, and the failures.
#include <gtest/gtest.h>

#include <string>

#include "calc/blend.h"
#include "calc/failure.h"
#include "calc/record_entries.h"
#include "value_printer.h"
#include "worked_example.h"

namespace olvimar {
namespace {

std::string Entry(const Value& ret, const BlendFields& f) {
    Value record;
    CalcBlend(ret, f, BlendConstants(), record);
    return record.isEmpty() ? std::string() : record.text();
}

struct EntryCase {
    const char* name;
    Value ret;
    BlendFields fields;
    const char* entry;
};

BlendFields With(BlendFields f, void (*change)(BlendFields&)) {
    change(f);
    return f;
}

TEST(CalcBlend, EntriesComeOutDigitForDigit) {
    const EntryCase cases[] = {
        {"worked example", Value::Text("10"), Example(),
         "OUT 4L, 10.000 cSt\r\nA 48.19% 1.9276L, B 51.81% 2.0724L\r\n"},
        {"shear losses 10 and 5 add an L MAX line", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.lossA = "10", f.lossB = "5"; }),
         "OUT 4L, 10.000 cSt\r\nA 48.19% 1.9276L, B 51.81% 2.0724L\r\n"
         "A 36.8% 1.472L, B 63.2% 2.528L MAX\r\n"},
        {"zero losses repeat line 2", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.lossA = "0", f.lossB = "0"; }),
         "OUT 4L, 10.000 cSt\r\nA 48.19% 1.9276L, B 51.81% 2.0724L\r\n"
         "A 48.19% 1.9276L, B 51.81% 2.0724L MAX\r\n"},
        {"only loss A filled: no third line even if not a number", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.lossA = "abc"; }),
         "OUT 4L, 10.000 cSt\r\nA 48.19% 1.9276L, B 51.81% 2.0724L\r\n"},
        {"only loss B filled", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.lossB = "5"; }),
         "OUT 4L, 10.000 cSt\r\nA 48.19% 1.9276L, B 51.81% 2.0724L\r\n"},
        {"range value with residue in B's percentage", Value::Double(7.5),
         With(Example(), [](BlendFields& f) { f.litres = "20"; }),
         "OUT 20L, 7.500 cSt\r\nA 94.93% 18.986L, B 5.06999999999999% 1.014L\r\n"},
        {"target beyond B is not clamped", Value::Text("15"), Example(),
         "OUT 4L, 15.000 cSt\r\nA -13.45% -0.538L, B 113.45% 4.538L\r\n"},
        {"target equal to A", Value::Text("7.276"), Example(),
         "OUT 4L, 7.276 cSt\r\nA 100% 4L, B 0% 0L\r\n"},
        {"target equal to B writes a plain zero for A", Value::Text("13.69"), Example(),
         "OUT 4L, 13.690 cSt\r\nA 0% 0L, B 100% 4L\r\n"},
        {"litres copied as typed with its blank", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.litres = " 4"; }),
         "OUT  4L, 10.000 cSt\r\nA 48.19% 1.9276L, B 51.81% 2.0724L\r\n"},
        {"target typed with blanks", Value::Text(" 10 "), Example(),
         "OUT 4L, 10.000 cSt\r\nA 48.19% 1.9276L, B 51.81% 2.0724L\r\n"},
        {"blank losses count as filled", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.lossA = " 10", f.lossB = "5 "; }),
         "OUT 4L, 10.000 cSt\r\nA 48.19% 1.9276L, B 51.81% 2.0724L\r\n"
         "A 36.8% 1.472L, B 63.2% 2.528L MAX\r\n"},
        {"40 ℃ uses its own constant", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.s = 1; }),
         "OUT 4L, 10.000 cSt\r\nA 49.88% 1.9952L, B 50.12% 2.0048L\r\n"},
        {"-5 ℃ uses its own constant", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.s = 2; }),
         "OUT 4L, 10.000 cSt\r\nA 48.28% 1.9312L, B 51.72% 2.0688L\r\n"},
        // Percentages within a rounding error of a half hundredth: only a correctly rounded ln
        // decides them the same way everywhere (a C library's ln, one unit off, flips each).
        {"tie of hundredths at 40 ℃ rounds up, 5836.5000000000009",
         Value::Text("19.476130849412748"), BlendFields{1, "2", "1000", "20", "", ""},
         "OUT 20L, 19.476 cSt\r\nA 58.37% 11.674L, B 41.63% 8.326L\r\n"},
        {"tie of hundredths rounds up, 4400.5000000000009", Value::Text("42.020526240192858"),
         BlendFields{1, "2", "1000", "20", "", ""},
         "OUT 20L, 42.021 cSt\r\nA 44.01% 8.802L, B 55.99% 11.198L\r\n"},
        {"tie of hundredths rounds down, 6861.4999999999991", Value::Text("11.611999000960967"),
         BlendFields{1, "2", "1000", "20", "", ""},
         "OUT 20L, 11.612 cSt\r\nA 68.61% 13.722L, B 31.39% 6.278L\r\n"},
        {"tie of hundredths at 100 ℃, 7213.5000000000009", Value::Text("8.6137356665948985"),
         With(Example(), [](BlendFields& f) { f.litres = "20"; }),
         "OUT 20L, 8.614 cSt\r\nA 72.14% 14.428L, B 27.86% 5.572L\r\n"},
        {"tie of hundredths at 100 ℃, 7615.5000000000009", Value::Text("8.403932873350529"),
         With(Example(), [](BlendFields& f) { f.litres = "20"; }),
         "OUT 20L, 8.404 cSt\r\nA 76.16% 15.232L, B 23.84% 4.768L\r\n"},
        {"tie of hundredths, 1520.5000000000002", Value::Text("282.49102701989938"),
         BlendFields{1, "32", "460", "20", "", ""},
         "OUT 20L, 282.491 cSt\r\nA 15.21% 3.042L, B 84.79% 16.958L\r\n"},
        {"empty text appends nothing", Value::Text(""), Example(), ""},
        {"empty text reads no field, not even the temperature", Value::Text(""), BlendFields{}, ""},
    };
    for (const EntryCase& c : cases) EXPECT_EQ(Entry(c.ret, c.fields), c.entry) << c.name;
}

TEST(CalcBlend, CalibratedEntriesNameTheirFactor) {
    const Alpha worked{1219, -3};
    const BlendFields shear =
        With(Example(), [](BlendFields& f) { f.lossA = "10", f.lossB = "5"; });
    const struct {
        const char* name;
        Value ret;
        BlendFields fields;
        const char* entry;
    } cases[] = {
        {"10 cSt needs 53.14 % of A", Value::Text("10"), Example(),
         "OUT 4L, 10.000 cSt 校准系数 1.219\r\nA 53.14% 2.1256L, B 46.86% 1.8744L\r\n"},
        {"A's own viscosity is all of A", Value::Double(7.276), Example(),
         "OUT 4L, 7.276 cSt 校准系数 1.219\r\nA 100% 4L, B 0% 0L\r\n"},
        {"beyond B these oils cannot make it", Value::Text("15"), Example(),
         "OUT 4L, 15.000 cSt 校准系数 1.219\r\n这两种机油调不出这个粘度\r\n"},
        {"the sheared oils by the same factor", Value::Text("10"), shear,
         "OUT 4L, 10.000 cSt 校准系数 1.219\r\nA 53.14% 2.1256L, B 46.86% 1.8744L\r\n"
         "A 41.51% 1.6604L, B 58.49% 2.3396L MAX\r\n"},
        {"within the fresh oils, beyond the sheared ones", Value::Text("13.5"), shear,
         "OUT 4L, 13.500 cSt 校准系数 1.219\r\nA 2.52% 0.1008L, B 97.48% 3.8992L\r\n"
         "剪切后这两种机油调不出这个粘度 MAX\r\n"},
    };
    for (const auto& c : cases) {
        Value record = Value::Text("");
        Blender(c.fields, BlendConstants(), worked).calc(c.ret, record);
        EXPECT_EQ(record.text(), c.entry) << c.name;
        // A reloaded page brings such an entry back whole.
        EXPECT_EQ(WholeEntries(record.text() + "OUT 4L"), record.text().size()) << c.name;
    }
    // Failures stay the rule's: the litres are read for a target these oils cannot make too.
    Value record = Value::Text("");
    EXPECT_THROW(
        Blender(With(Example(), [](BlendFields& f) { f.litres = ""; }), BlendConstants(), worked)
            .calc(Value::Text("15"), record),
        CalcError);
}

TEST(CalcBlend, AppendsAfterWhatTheRecordHolds) {
    Value record = Value::Text("earlier\r\n");
    CalcBlend(Value::Text("10"), Example(), BlendConstants(), record);
    CalcBlend(Value::Text("10"), Example(), BlendConstants(), record);
    const std::string one = "OUT 4L, 10.000 cSt\r\nA 48.19% 1.9276L, B 51.81% 2.0724L\r\n";
    EXPECT_EQ(record, Value::Text("earlier\r\n" + one + one));
}

struct FailureCase {
    const char* name;
    Value ret;
    BlendFields fields;
    FailureKind kind;
    Input input;
    Situation situation;
    const char* text;
};

TEST(CalcBlend, FailuresNameTheirInputAndLeaveTheRecordAlone) {
    using F = FailureKind;
    using I = Input;
    using S = Situation;
    const FailureCase cases[] = {
        {"no temperature chosen", Value::Text("abc"),
         With(Example(), [](BlendFields& f) { f.s = -1, f.viscA = ""; }), F::SubscriptOutOfRange,
         I::Temperature, S::None, ""},
        {"temperature index past the table", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.s = 3; }), F::SubscriptOutOfRange, I::Temperature,
         S::None, ""},
        {"target not a number", Value::Text("7a"), Example(), F::TypeMismatch, I::Target, S::None,
         "7a"},
        {"target of blanks", Value::Text("  "), Example(), F::TypeMismatch, I::Target, S::None,
         "  "},
        {"target with a decimal comma", Value::Text("7,5"), Example(), F::TypeMismatch, I::Target,
         S::None, "7,5"},
        {"target too large", Value::Text("1e999"), Example(), F::Overflow, I::Target, S::None,
         "1e999"},
        {"target so low its logarithm fails", Value::Double(-5), Example(), F::InvalidArgument,
         I::Target, S::ViscosityTooLow, "-5"},
        {"viscosity A empty", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.viscA = ""; }), F::TypeMismatch, I::ViscA, S::None,
         ""},
        {"viscosity B not a number", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.viscB = "13,69"; }), F::TypeMismatch, I::ViscB,
         S::None, "13,69"},
        {"viscosity A negative", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.viscA = "-1"; }), F::InvalidArgument, I::ViscA,
         S::ViscosityTooLow, "-1"},
        {"viscosity B plus c exactly 1", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.viscB = "-0.8"; }), F::DivisionByZero, I::ViscB,
         S::ViscosityTooLow, "-0.8"},
        {"A and B the same viscosity", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.viscB = "7.276"; }), F::DivisionByZero, I::None,
         S::SameViscosity, ""},
        {"A, B and target the same viscosity", Value::Text("7.276"),
         With(Example(), [](BlendFields& f) { f.viscB = "7.276"; }), F::DivisionByZero, I::None,
         S::SameViscosity, ""},
        {"litres empty", Value::Text("10"), With(Example(), [](BlendFields& f) { f.litres = ""; }),
         F::TypeMismatch, I::Litres, S::None, ""},
        {"litres so large B's oil overflows", Value::Text("15"),
         With(Example(), [](BlendFields& f) { f.litres = "1.7e308"; }), F::Overflow, I::Litres,
         S::None, "1.7e308"},
        {"loss A not a number", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.lossA = "x", f.lossB = "5"; }), F::TypeMismatch,
         I::LossA, S::None, "x"},
        {"loss B of blanks", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.lossA = "10", f.lossB = " "; }), F::TypeMismatch,
         I::LossB, S::None, " "},
        {"loss A above 100 percent", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.lossA = "150", f.lossB = "5"; }),
         F::InvalidArgument, I::LossA, S::ShearUnusable, "150"},
        {"loss B above 100 percent", Value::Text("10"),
         With(Example(), [](BlendFields& f) { f.lossA = "10", f.lossB = "200"; }),
         F::InvalidArgument, I::LossB, S::ShearUnusable, "200"},
        {"losses leave A and B the same", Value::Text("10"),
         With(
             Example(),
             [](BlendFields& f) { f.viscA = "10", f.viscB = "20", f.lossA = "0", f.lossB = "50"; }),
         F::DivisionByZero, I::None, S::ShearSameViscosity, ""},
    };
    for (const FailureCase& c : cases) {
        Value record = Value::Text("kept\r\n");
        try {
            CalcBlend(c.ret, c.fields, BlendConstants(), record);
            ADD_FAILURE() << c.name << ": did not fail";
        } catch (const CalcError& e) {
            EXPECT_EQ(e.failure().kind, c.kind) << c.name;
            EXPECT_EQ(e.failure().input, c.input) << c.name;
            EXPECT_EQ(e.failure().situation, c.situation) << c.name;
            EXPECT_EQ(e.failure().text, c.text) << c.name;
        }
        EXPECT_EQ(record, Value::Text("kept\r\n")) << c.name;
    }
}

}  // namespace
}  // namespace olvimar
