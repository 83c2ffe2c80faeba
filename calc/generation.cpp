#include "generation.h"

#include "targets.h"

namespace olvimar {

RunResult RunGeneration(std::string_view expression, const BlendFields& fields,
                        const TempTable& temp, Value& record) {
    RunResult result;
    std::vector<Value> targets;
    try {
        targets = ExpandTargets(expression);
    } catch (const CalcError& e) {
        result.failure = e.failure();
        return result;
    }
    for (const Value& ret : targets) {
        try {
            CalcBlend(ret, fields, temp, record);
        } catch (const CalcError& e) {
            result.failure = e.failure();
            result.at = ret;
            return result;
        }
        ++result.values;
    }
    return result;
}

}  // namespace olvimar
