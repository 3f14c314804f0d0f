// A value or the reason there is none, for steps that report their failures as text.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace morvik::render {

struct Failure {
    std::string message;
};

template <class Value>
class Outcome {
public:
    Outcome(Value value) : state(std::move(value)) {}
    Outcome(Failure failure) : state(std::move(failure)) {}

    bool ok() const { return std::holds_alternative<Value>(state); }
    explicit operator bool() const { return ok(); }

    Value& value() { return std::get<Value>(state); }
    const Value& value() const { return std::get<Value>(state); }
    Value* operator->() { return &value(); }
    const Value* operator->() const { return &value(); }

    const std::string& error() const { return std::get<Failure>(state).message; }

private:
    std::variant<Value, Failure> state;
};

// For steps that yield nothing but success.
using Status = Outcome<std::monostate>;

inline Status succeeded()
{
    return std::monostate{};
}

}  // namespace morvik::render
