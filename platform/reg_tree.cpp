#include "platform/reg_tree.h"

#include <algorithm>

#include <QtGlobal>

#include "platform/problem.h"

namespace zelvo::platform::regtree {

namespace {

char lowerChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool hasUnwritableByte(std::string_view s)
{
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

std::string quoted(std::string_view s)
{
    return "\"" + std::string(s) + "\"";
}

}  // namespace

std::string asciiLower(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), lowerChar);
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lowerChar(x) == lowerChar(y); });
}

KeyPath parseKeyPath(std::string_view key)
{
    KeyPath result;
    std::string_view rest = key;
    if (!rest.empty() && rest.front() == '\\')
        rest.remove_prefix(1);
    if (rest.empty())
        return result;
    while (true) {
        const auto cut = rest.find('\\');
        const std::string_view part = rest.substr(0, cut);
        if (part.empty())
            throw RegistryError(
                QT_TRANSLATE_NOOP("Problem", "Ungültiger Registrierungsschlüssel %1: leerer Namensteil"),
                {quoted(key)});
        if (hasUnwritableByte(part))
            throw RegistryError(
                QT_TRANSLATE_NOOP("Problem", "Ungültiger Registrierungsschlüssel %1: Steuerzeichen im Namen"),
                {quoted(key)});
        result.names.emplace_back(part);
        result.id.push_back(asciiLower(part));
        if (cut == std::string_view::npos)
            break;
        rest.remove_prefix(cut + 1);
    }
    return result;
}

void checkValueName(std::string_view name)
{
    if (hasUnwritableByte(name))
        throw RegistryError(QT_TRANSLATE_NOOP("Problem", "Ungültiger Wertname %1: Steuerzeichen im Namen"),
                            {quoted(name)});
}

RegValue normalize(RegValue value)
{
    if (auto* s = std::get_if<std::string>(&value)) {
        s->resize(std::min(s->size(), s->find('\0')));
        return value;
    }
    auto* raw = std::get_if<RegRawValue>(&value);
    if (!raw)
        return value;
    if (raw->type == 4 && raw->bytes.size() == 4) {
        const auto& b = raw->bytes;
        return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
               std::uint32_t(b[3]) << 24;
    }
    if (raw->type == 1) {
        std::string text(raw->bytes.begin(), raw->bytes.end());
        if (!text.empty() && text.back() == '\0')
            text.pop_back();
        // A string with a NUL inside is not one this program could have written: keep the bytes.
        if (text.find('\0') == std::string::npos)
            return text;
    }
    return value;
}

Tree::Tree()
{
    keys_.emplace(KeyId{}, KeyData{});
}

const KeyData* Tree::find(const KeyId& id) const
{
    const auto it = keys_.find(id);
    return it == keys_.end() ? nullptr : &it->second;
}

KeyData* Tree::find(const KeyId& id)
{
    const auto it = keys_.find(id);
    return it == keys_.end() ? nullptr : &it->second;
}

KeyData& Tree::ensure(const std::vector<std::string>& names)
{
    KeyId id;
    KeyData* key = &keys_.at(id);
    for (const auto& name : names) {
        const std::string parentPath = key->path;
        id.push_back(asciiLower(name));
        auto [it, inserted] = keys_.try_emplace(id);
        if (inserted)
            it->second.path = parentPath.empty() ? name : parentPath + "\\" + name;
        key = &it->second;
    }
    return *key;
}

void Tree::erase(const KeyId& id)
{
    if (id.empty())
        throw RegistryError(QT_TRANSLATE_NOOP("Problem", "Der Hauptschlüssel kann nicht gelöscht werden"));
    auto first = keys_.find(id);
    if (first == keys_.end())
        return;
    auto last = std::next(first);
    while (last != keys_.end() && last->first.size() > id.size() &&
           std::equal(id.begin(), id.end(), last->first.begin()))
        ++last;
    keys_.erase(first, last);
}

std::vector<std::string> Tree::subkeyNames(const KeyId& id) const
{
    std::vector<std::string> names;
    auto it = keys_.find(id);
    if (it == keys_.end())
        return names;
    for (++it; it != keys_.end() && it->first.size() > id.size() &&
               std::equal(id.begin(), id.end(), it->first.begin());
         ++it) {
        if (it->first.size() != id.size() + 1)
            continue;
        const auto& path = it->second.path;
        const auto cut = path.rfind('\\');
        names.push_back(cut == std::string::npos ? path : path.substr(cut + 1));
    }
    return names;
}

const RegValue* findValue(const KeyData& key, std::string_view name)
{
    for (const auto& [n, v] : key.values)
        if (equalsIgnoreCase(n, name))
            return &v;
    return nullptr;
}

void putValue(KeyData& key, std::string_view name, RegValue value)
{
    for (auto& [n, v] : key.values) {
        if (equalsIgnoreCase(n, name)) {
            v = std::move(value);
            return;
        }
    }
    key.values.emplace_back(std::string(name), std::move(value));
}

void removeValue(KeyData& key, std::string_view name)
{
    std::erase_if(key.values, [&](const auto& entry) { return equalsIgnoreCase(entry.first, name); });
}

}  // namespace zelvo::platform::regtree
