#include "module/registry_script.h"

#include <cctype>
#include <optional>
#include <vector>

namespace veldmark {
namespace {

struct ScriptValue {
    std::string name;  // empty for the default value
    std::string data;
};

struct ScriptKey {
    enum class Flag { None, NoRemove, ForceRemove } flag = Flag::None;
    std::string name;
    std::vector<ScriptValue> values;
    std::vector<ScriptKey> keys;
};

class Parser {
public:
    Parser(std::string_view text, const ScriptReplacements& replacements)
        : text_(text), replacements_(replacements) {}

    std::vector<ScriptKey> Script() {
        if (Word() != "HKCR") Fail("the script must begin with HKCR");
        std::vector<ScriptKey> keys = Block();
        SkipBlanks();
        if (position_ != text_.size()) Fail("text after the end of the script");
        return keys;
    }

private:
    std::vector<ScriptKey> Block() {
        Expect('{');
        std::vector<ScriptKey> keys;
        while (!Next('}')) keys.push_back(Key());
        return keys;
    }

    ScriptKey Key() {
        ScriptKey key;
        std::string name = Name();
        if (name == "NoRemove" || name == "ForceRemove") {
            key.flag = name == "NoRemove" ? ScriptKey::Flag::NoRemove : ScriptKey::Flag::ForceRemove;
            name = Name();
        }
        key.name = std::move(name);
        if (Next('=')) key.values.push_back({"", StringValue()});
        if (!Peek('{')) return key;
        Expect('{');
        while (!Next('}')) {
            if (PeekWord("val")) {
                Word();
                std::string valueName = Name();
                Expect('=');
                key.values.push_back({std::move(valueName), StringValue()});
            } else {
                key.keys.push_back(Key());
            }
        }
        return key;
    }

    // "s 'text'": the only kind of value the component writes.
    std::string StringValue() {
        if (Word() != "s") Fail("a value must be a string: s '...'");
        SkipBlanks();
        if (!Peek('\'')) Fail("a string value must be quoted");
        return Quoted();
    }

    std::string Name() {
        SkipBlanks();
        return Peek('\'') ? Quoted() : Word();
    }

    std::string Word() {
        SkipBlanks();
        const std::size_t start = position_;
        while (position_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[position_])) ||
                                            text_[position_] == '.' || text_[position_] == '_' ||
                                            text_[position_] == '-')) {
            ++position_;
        }
        if (position_ == start) Fail("a name was expected");
        return std::string(text_.substr(start, position_ - start));
    }

    // After the opening quote: up to the closing one, '' standing for one
    // quote, with the replacements made.
    std::string Quoted() {
        ++position_;
        std::string text;
        for (;;) {
            if (position_ >= text_.size()) Fail("a quoted text is not closed");
            const char c = text_[position_++];
            if (c == '\'') {
                if (position_ < text_.size() && text_[position_] == '\'') {
                    text += '\'';
                    ++position_;
                    continue;
                }
                return text;
            }
            if (c != '%') {
                text += c;
                continue;
            }
            const std::size_t end = text_.find('%', position_);
            if (end == std::string_view::npos) Fail("a % without its closing %");
            const auto replacement = replacements_.find(std::string(text_.substr(position_, end - position_)));
            if (replacement == replacements_.end()) Fail("no replacement for %" + std::string(text_.substr(position_, end - position_)) + "%");
            text += replacement->second;
            position_ = end + 1;
        }
    }

    void SkipBlanks() {
        while (position_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[position_]))) ++position_;
    }
    bool Peek(char c) {
        SkipBlanks();
        return position_ < text_.size() && text_[position_] == c;
    }
    bool PeekWord(std::string_view word) {
        SkipBlanks();
        return text_.substr(position_, word.size()) == word && position_ + word.size() < text_.size() &&
               std::isspace(static_cast<unsigned char>(text_[position_ + word.size()]));
    }
    bool Next(char c) {
        if (!Peek(c)) return false;
        ++position_;
        return true;
    }
    void Expect(char c) {
        if (!Next(c)) Fail(std::string("'") + c + "' was expected");
    }
    [[noreturn]] void Fail(const std::string& what) const {
        throw RegistryScriptError("registry script, at character " + std::to_string(position_ + 1) + ": " + what);
    }

    std::string_view text_;
    const ScriptReplacements& replacements_;
    std::size_t position_ = 0;
};

void Register(const std::vector<ScriptKey>& keys, const std::string& parent, ClassesRoot& root) {
    for (const ScriptKey& key : keys) {
        const std::string path = parent.empty() ? key.name : parent + "\\" + key.name;
        if (key.flag == ScriptKey::Flag::ForceRemove) root.RemoveTree(path);
        root.CreateKey(path);
        for (const ScriptValue& value : key.values) root.SetValue(path, value.name, value.data);
        Register(key.keys, path, root);
    }
}

void Unregister(const std::vector<ScriptKey>& keys, const std::string& parent, ClassesRoot& root) {
    for (const ScriptKey& key : keys) {
        const std::string path = parent.empty() ? key.name : parent + "\\" + key.name;
        if (key.flag == ScriptKey::Flag::NoRemove) {
            Unregister(key.keys, path, root);
        } else {
            root.RemoveTree(path);
        }
    }
}

}  // namespace

void RunRegistryScript(std::string_view script, const ScriptReplacements& replacements, ScriptAction action,
                       ClassesRoot& root) {
    const std::vector<ScriptKey> keys = Parser(script, replacements).Script();
    if (action == ScriptAction::Register) {
        Register(keys, "", root);
    } else {
        Unregister(keys, "", root);
    }
}

}  // namespace veldmark
