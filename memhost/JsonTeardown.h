// Releasing a parsed JSON value without needing memory.
//
// nlohmann::json's destructor moves the children of an array or object
// onto a heap-allocated stack before freeing them, so destroying a value
// where memory has run out throws from a destructor and ends the process.
// Emptying the value from its leaves up first leaves the destructor only
// empty containers, which need no stack.
#pragma once

namespace memhost {

// Recursion is as deep as the value's nesting, which the readers bound.
template <class Json>
void TearDown(Json& value) noexcept {
    if (value.is_array()) {
        auto& array = value.template get_ref<typename Json::array_t&>();
        for (Json& child : array) {
            TearDown(child);
        }
        array.clear();
    } else if (value.is_object()) {
        auto& object = value.template get_ref<typename Json::object_t&>();
        for (auto& entry : object) {
            TearDown(entry.second);
        }
        object.clear();
    }
}

// Tears `value` down when it goes out of scope, however the scope ends.
template <class Json>
class TearDownAtExit {
public:
    explicit TearDownAtExit(Json& value) : value_(value) {}
    TearDownAtExit(const TearDownAtExit&) = delete;
    TearDownAtExit& operator=(const TearDownAtExit&) = delete;
    ~TearDownAtExit() { TearDown(value_); }

private:
    Json& value_;
};

}  // namespace memhost
