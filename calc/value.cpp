#include "value.h"

#include "number_rules.h"

namespace olvimar {

void Value::appendText(std::string_view tail) {
    if (!isText()) *this = Text(NumberText(*this));
    std::get<1>(v_).append(tail);
}

}  // namespace olvimar
