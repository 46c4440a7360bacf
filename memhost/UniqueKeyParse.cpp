#include "memhost/UniqueKeyParse.h"

#include <cstddef>
#include <set>
#include <vector>

#include <nlohmann/json.hpp>

namespace memhost {
namespace {

using Json = nlohmann::json;

// One array or object open at the parser's position, with what it holds so
// far. Paths are only spelt out for the message.
struct Open {
    bool array = false;
    std::size_t items = 0;       // an array's elements so far
    std::string key;             // an object's latest key
    std::set<std::string> keys;  // an object's keys so far
};

class KeyChecker final : public nlohmann::json_sax<Json> {
public:
    std::optional<std::string> duplicate;

    bool null() override { return Item(); }
    bool boolean(bool) override { return Item(); }
    bool number_integer(number_integer_t) override { return Item(); }
    bool number_unsigned(number_unsigned_t) override { return Item(); }
    bool number_float(number_float_t, const string_t&) override { return Item(); }
    bool string(string_t&) override { return Item(); }
    bool binary(binary_t&) override { return Item(); }
    bool start_object(std::size_t) override { return Start(false); }
    bool start_array(std::size_t) override { return Start(true); }
    bool end_object() override { return End(); }
    bool end_array() override { return End(); }
    bool key(string_t& k) override {
        Open& object = open_.back();
        if (!object.keys.insert(k).second) {
            duplicate = Path() + ": the key \"" + k + "\" is given twice";
            return false;  // stops the parse
        }
        object.key = k;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

private:
    bool Item() {
        if (!open_.empty() && open_.back().array) {
            ++open_.back().items;
        }
        return true;
    }
    bool Start(bool array) {
        open_.push_back({array, 0, {}, {}});
        return true;
    }
    bool End() {
        open_.pop_back();
        return Item();
    }
    // Where the innermost open object is.
    std::string Path() const {
        std::string path;
        for (std::size_t i = 0; i + 1 < open_.size(); ++i) {
            const Open& container = open_[i];
            path += container.array ? "[" + std::to_string(container.items) + "]"
                                    : (path.empty() ? "" : ".") + container.key;
        }
        return path.empty() ? "the file" : path;
    }

    std::vector<Open> open_;
};

}  // namespace

std::optional<std::string> FindDuplicateKey(std::string_view text) {
    KeyChecker checker;
    (void)Json::sax_parse(text, &checker);
    return checker.duplicate;
}

}  // namespace memhost
