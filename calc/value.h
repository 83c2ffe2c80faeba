#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace olvimar {

// The loosely typed datum that passes between the fields and the arithmetic. Texts are UTF-8.
class Value {
  public:
    enum class Kind { Empty, Text, Integer, Long, Double, Boolean };

    Value() = default;
    static Value Text(std::string text) {
        return Value(Store(std::in_place_index<1>, std::move(text)));
    }
    static Value Integer(std::int16_t n) { return Value(Store(std::in_place_index<2>, n)); }
    static Value Long(std::int32_t n) { return Value(Store(std::in_place_index<3>, n)); }
    static Value Double(double d) { return Value(Store(std::in_place_index<4>, d)); }
    static Value Boolean(bool b) { return Value(Store(std::in_place_index<5>, b)); }

    Kind kind() const noexcept { return static_cast<Kind>(v_.index()); }
    bool isEmpty() const noexcept { return kind() == Kind::Empty; }
    bool isText() const noexcept { return kind() == Kind::Text; }
    bool isDouble() const noexcept { return kind() == Kind::Double; }

    // Each accessor requires the matching kind.
    const std::string& text() const { return std::get<1>(v_); }
    std::int16_t integer() const { return std::get<2>(v_); }
    std::int32_t longValue() const { return std::get<3>(v_); }
    double number() const { return std::get<4>(v_); }
    bool boolean() const { return std::get<5>(v_); }

    // Appends text in place, as `*this = *this & tail` would, without copying what is already
    // there: an Empty value becomes the Text `tail`. The record grows this way, one entry at a
    // time. A number has no text to grow; joining one to text is Concat's (text_ops.h).
    void appendText(std::string_view tail) {
        if (isEmpty()) v_ = std::string();
        std::get<1>(v_).append(tail);  // throws std::bad_variant_access for a number
    }
    // Makes room for a Text to grow to `size` bytes without moving; other kinds are left alone.
    void reserveText(std::size_t size) {
        if (isText()) std::get<1>(v_).reserve(size);
    }

    friend bool operator==(const Value&, const Value&) = default;

  private:
    using Store =
        std::variant<std::monostate, std::string, std::int16_t, std::int32_t, double, bool>;
    explicit Value(Store v) : v_(std::move(v)) {}

    Store v_;
};

}  // namespace olvimar
