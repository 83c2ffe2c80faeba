#include "generation.h"

#include "targets.h"

namespace olvimar {

RunResult RunGeneration(std::string_view expression, const BlendFields& fields,
                        const TempTable& temp, Value& record, std::optional<Alpha> alpha) {
    RunResult result;
    try {
        const Targets targets(expression);
        Blender blender(fields, temp, alpha);
        const std::size_t before = record.isText() ? record.text().size() : 0;
        targets.forEach([&](const Value& ret) {
            try {
                blender.calc(ret, record);
            } catch (const CalcError&) {
                result.at = ret;
                throw;
            }
            // Make room for the rest of a long run at once, from the size of its first entry,
            // rather than growing the record step by step.
            if (++result.values == 1 && targets.size() > 1 && record.isText()) {
                const std::size_t entry = record.text().size() - before;
                record.reserveText(record.text().size() + entry * targets.size());
            }
        });
    } catch (const CalcError& e) {
        result.failure = e.failure();
    }
    return result;
}

}  // namespace olvimar
