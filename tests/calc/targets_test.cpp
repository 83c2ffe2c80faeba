// Target expressions and the generation run of one Generate press.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/failure.h"
#include "calc/generation.h"
#include "calc/number_rules.h"
#include "calc/targets.h"
#include "value_printer.h"
#include "worked_example.h"

namespace olvimar {
namespace {

std::vector<Value> Texts(std::vector<std::string> texts) {
    std::vector<Value> values;
    for (std::string& t : texts) values.push_back(Value::Text(std::move(t)));
    return values;
}

struct ShapeCase {
    const char* expression;
    std::vector<Value> values;
};

TEST(ExpandTargets, SingleAndListHandOverTextUnchanged) {
    const ShapeCase cases[] = {
        {"", Texts({""})},
        {"7", Texts({"7"})},
        {" 7a ", Texts({" 7a "})},
        {"7,10", Texts({"7", "10"})},
        {"7,,10", Texts({"7", "", "10"})},
        {"7,10,", Texts({"7", "10", ""})},
        {",7", Texts({"", "7"})},
        {"7, 10", Texts({"7", " 10"})},
        {"7\xef\xbc\x8c"
         "10",
         Texts({"7\xef\xbc\x8c"
                "10"})},  // full-width comma: one value
        {"7\xef\xbc\x8d"
         "10",
         Texts({"7\xef\xbc\x8d"
                "10"})},  // full-width minus: no range
    };
    for (const ShapeCase& c : cases)
        EXPECT_EQ(ExpandTargets(c.expression), c.values) << c.expression;
}

struct RangeCase {
    const char* expression;
    std::size_t count;
    double first;
    double last;
};

TEST(ExpandTargets, RangesWalkByRepeatedAddition) {
    const RangeCase cases[] = {
        {"7-8", 11, 7, 7.9999999999999964},
        {"2-3", 10, 2, 2.900000000000001},  // the eleventh sum lands just above 3
        {"16-17", 10, 16, 16.900000000000013},
        {"7-14", 71, 7, 13.999999999999975},
        {"7-14,0.5", 15, 7, 14},
        {"7-14,0.5,9", 15, 7, 14},
        {"7-14-20", 71, 7, 13.999999999999975},
        {"7 - 8", 11, 7, 7.9999999999999964},
        {"7a-8", 11, 7, 7.9999999999999964},
        {"-5", 51, 0, 4.999999999999998},
        {"-", 1, 0, 0},
        {"7,8-9", 21, 7, 8.999999999999993},
        {"0-9999.9", 99999, 0, 9999.800000018848},
        {"0-9999.9,0.1", 99999, 0, 9999.800000018848},
        {"1-100000,1", 100000, 1, 100000},  // exactly the most a range may give
    };
    for (const RangeCase& c : cases) {
        std::vector<Value> values = ExpandTargets(c.expression);
        ASSERT_EQ(values.size(), c.count) << c.expression;
        EXPECT_EQ(values.front(), Value::Double(c.first)) << c.expression;
        EXPECT_EQ(values.back(), Value::Double(c.last)) << c.expression;
    }
    EXPECT_EQ(ExpandTargets("7-8")[2], Value::Double(7.199999999999999));
    EXPECT_TRUE(ExpandTargets("7-").empty()) << "end 0 lies below the start";
    EXPECT_TRUE(ExpandTargets("14-7").empty());
    EXPECT_TRUE(ExpandTargets("14-7,1").empty());
    EXPECT_EQ(ExpandTargets(std::string(kMaxTargetValues - 1, ',')).size(), kMaxTargetValues)
        << "a list of exactly the most pieces runs";
}

struct RefusalCase {
    std::string expression;
    FailureKind kind;
    Situation situation;
    std::size_t pieces = 0;
};

TEST(ExpandTargets, RefusesRangesThatWouldNotEnd) {
    const RefusalCase cases[] = {
        {"7-10,0", FailureKind::InvalidArgument, Situation::StepNotPositive},
        {"7-10,", FailureKind::InvalidArgument, Situation::StepNotPositive},
        {"7-10,x", FailureKind::InvalidArgument, Situation::StepNotPositive},
        {"7-10,-1", FailureKind::InvalidArgument, Situation::StepNotPositive},
        {"0-100000", FailureKind::InvalidArgument, Situation::TooManyValues},
        {"1-100001,1", FailureKind::InvalidArgument, Situation::TooManyValues},
        {"1e15-1e16", FailureKind::InvalidArgument, Situation::TooManyValues},
        {"7-8,0.0000000000000000001", FailureKind::InvalidArgument, Situation::TooManyValues},
        {"1e16-2e16,1", FailureKind::InvalidArgument, Situation::TooManyValues},  // step lost
        {"1e400-2", FailureKind::Overflow, Situation::None},
        {"1-2,1e400", FailureKind::Overflow, Situation::None},
        {std::string(kMaxTargetValues, ','), FailureKind::InvalidArgument, Situation::TooManyPieces,
         kMaxTargetValues + 1},  // empty pieces count
        {"7" + std::string(kMaxTargetValues, ','), FailureKind::InvalidArgument,
         Situation::TooManyPieces, kMaxTargetValues + 1},
    };
    for (const RefusalCase& c : cases) {
        try {
            ExpandTargets(c.expression);
            ADD_FAILURE() << c.expression << ": not refused";
        } catch (const CalcError& e) {
            EXPECT_EQ(e.failure().kind, c.kind) << c.expression;
            EXPECT_EQ(e.failure().situation, c.situation) << c.expression;
            EXPECT_EQ(e.failure().input, Input::Expression) << c.expression;
            EXPECT_EQ(e.failure().text, c.expression) << c.expression;
            EXPECT_EQ(e.failure().pieces, c.pieces) << c.expression;
        }
    }
}

// The target lines of a record, one per entry.
std::vector<std::string> TargetLines(const Value& record) {
    std::vector<std::string> lines;
    if (!record.isText()) return lines;
    const std::string& text = record.text();
    for (std::size_t at = 0; (at = text.find("OUT ", at)) != std::string::npos; ++at)
        lines.push_back(text.substr(at, text.find("\r\n", at) - at));
    return lines;
}

TEST(RunGeneration, CalculatesEveryValueInOrder) {
    const struct {
        const char* expression;
        std::vector<std::string> targets;
    } cases[] = {
        {"", {}},
        {"10,12", {"OUT 4L, 10.000 cSt", "OUT 4L, 12.000 cSt"}},
        {"7,,10", {"OUT 4L, 7.000 cSt", "OUT 4L, 10.000 cSt"}},
        {"7, 10", {"OUT 4L, 7.000 cSt", "OUT 4L, 10.000 cSt"}},
        {"7-7.3",
         {"OUT 4L, 7.000 cSt", "OUT 4L, 7.100 cSt", "OUT 4L, 7.200 cSt", "OUT 4L, 7.300 cSt"}},
        {"-0.1", {"OUT 4L, .000 cSt", "OUT 4L, .100 cSt"}},
        {"7-", {}},
    };
    for (const auto& c : cases) {
        Value record;
        RunResult r = RunGeneration(c.expression, Example(), BlendConstants(), record);
        EXPECT_TRUE(r.ok()) << c.expression;
        EXPECT_EQ(TargetLines(record), c.targets) << c.expression;
    }
}

TEST(RunGeneration, WorkedExampleGivesFourLines) {
    Value record;
    RunResult r = RunGeneration("10,12", Example(), BlendConstants(), record);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.values, 2u);
    EXPECT_EQ(record, Value::Text("OUT 4L, 10.000 cSt\r\nA 48.19% 1.9276L, B 51.81% 2.0724L\r\n"
                                  "OUT 4L, 12.000 cSt\r\nA 19.85% 0.794L, B 80.15% 3.206L\r\n"));
    // A second press appends the same entries again.
    RunGeneration("10,12", Example(), BlendConstants(), record);
    EXPECT_EQ(TargetLines(record).size(), 4u);
}

TEST(RunGeneration, FailureKeepsEarlierEntriesAndStopsThere) {
    Value record = Value::Text("before\r\n");
    RunResult r = RunGeneration("10,7a,12", Example(), BlendConstants(), record);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.failure->kind, FailureKind::TypeMismatch);
    EXPECT_EQ(r.failure->input, Input::Target);
    EXPECT_EQ(r.failure->text, "7a");
    EXPECT_EQ(r.at, Value::Text("7a"));
    EXPECT_EQ(r.values, 1u);
    EXPECT_EQ(record, Value::Text("before\r\nOUT 4L, 10.000 cSt\r\n"
                                  "A 48.19% 1.9276L, B 51.81% 2.0724L\r\n"));
}

TEST(RunGeneration, FailureInARangeNamesTheValueItStoppedAt) {
    // With no total, a range fails on its first value, which the result names.
    BlendFields f = Example();
    f.litres = "";
    Value record;
    RunResult r = RunGeneration("7-8", f, BlendConstants(), record);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.failure->input, Input::Litres);
    EXPECT_EQ(r.at, Value::Double(7));
    EXPECT_EQ(r.values, 0u);
    EXPECT_TRUE(record.isEmpty());
}

TEST(RunGeneration, RefusedExpressionCalculatesNothing) {
    const char* refused[] = {"7-10,0", "0-100000", "1e400-2"};
    for (const char* expression : refused) {
        Value record = Value::Text("kept\r\n");
        RunResult r = RunGeneration(expression, Example(), BlendConstants(), record);
        ASSERT_FALSE(r.ok()) << expression;
        EXPECT_EQ(r.failure->input, Input::Expression) << expression;
        EXPECT_EQ(r.values, 0u) << expression;
        EXPECT_EQ(record, Value::Text("kept\r\n")) << expression;
    }
    // The temperature is checked only once there is a value to calculate.
    BlendFields none = Example();
    none.s = -1;
    Value record;
    EXPECT_TRUE(RunGeneration("7,", none, BlendConstants(), record).ok() == false);
    EXPECT_TRUE(RunGeneration(",", none, BlendConstants(), record).ok());
    EXPECT_TRUE(RunGeneration("14-7", none, BlendConstants(), record).ok());
}

}  // namespace
}  // namespace olvimar
