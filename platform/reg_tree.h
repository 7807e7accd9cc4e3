// The in-memory model of one registry root: keys addressed by their lower-cased path
// components, each with its name as first written and its values in creation order.
//
// A std::map over the component vectors keeps parents before their children and the children
// of one key next to each other, which is the order the .reg file is written in.
#pragma once

#include "platform/registry.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelvo::platform::regtree {

using KeyId = std::vector<std::string>;  // ASCII lower-cased components; empty for the root

struct KeyData {
    std::string path;  // components in their own case, joined by '\'; empty for the root
    std::vector<std::pair<std::string, RegValue>> values;
    bool operator==(const KeyData&) const = default;
};

// Always holds the root (empty KeyId).
class Tree {
public:
    Tree();

    bool contains(const KeyId& id) const { return keys_.count(id) != 0; }
    const KeyData* find(const KeyId& id) const;
    KeyData* find(const KeyId& id);
    const std::map<KeyId, KeyData>& keys() const { return keys_; }

    // Creates the key and its missing parents; existing keys keep the case they were made with.
    KeyData& ensure(const std::vector<std::string>& names);
    // Removes the key with its values and subkeys. The root cannot be removed.
    void erase(const KeyId& id);
    // Own-case names of the direct subkeys, sorted.
    std::vector<std::string> subkeyNames(const KeyId& id) const;

    bool operator==(const Tree&) const = default;

private:
    std::map<KeyId, KeyData> keys_;
};

struct KeyPath {
    KeyId id;
    std::vector<std::string> names;
};

std::string asciiLower(std::string_view s);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Splits "\A\B" or "A\B" into components; "" and "\" name the root. Throws RegistryError for
// an empty component or a component holding CR, LF or NUL.
KeyPath parseKeyPath(std::string_view key);
// Throws RegistryError for a value name holding CR, LF or NUL (it could not be written).
void checkValueName(std::string_view name);

// The form a value is kept in: a string is cut at its first NUL (as a C string is stored);
// hex(1) bytes that hold a string become that string, hex(4) with four bytes a DWORD.
RegValue normalize(RegValue value);

const RegValue* findValue(const KeyData& key, std::string_view name);
// Replaces the data of an existing value (keeping its place and the case of its name) or
// appends a new one.
void putValue(KeyData& key, std::string_view name, RegValue value);
void removeValue(KeyData& key, std::string_view name);

}  // namespace zelvo::platform::regtree
