#include "platform/reg_text.h"

#include <QtGlobal>

#include "platform/problem.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace zelvo::platform::regtext {

using regtree::KeyData;
using regtree::Tree;

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::size_t kHexLineWidth = 78;  // regedit breaks hex data before column 80

// What is wrong with the line: a sentence that the registry's own sentence names as its reason.
struct LineError {
    Problem what;
};

[[noreturn]] void lineError(const char* format, std::vector<std::string> arguments = {})
{
    throw LineError{composedProblem(format, std::move(arguments))};
}

std::string_view trimLeft(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return s;
}

std::string_view trimRight(std::string_view s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string_view trim(std::string_view s)
{
    return trimRight(trimLeft(s));
}

bool startsWithIgnoreCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && regtree::equalsIgnoreCase(s.substr(0, prefix.size()), prefix);
}

std::optional<std::uint32_t> parseHex(std::string_view digits, std::size_t maxDigits)
{
    if (digits.empty() || digits.size() > maxDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

// Reads a quoted text at the start of s (which begins with '"'), removes it from s.
std::string takeQuoted(std::string_view& s)
{
    std::string out;
    std::size_t i = 1;
    while (i < s.size()) {
        const char c = s[i++];
        if (c == '"') {
            s.remove_prefix(i);
            return out;
        }
        if (c == '\\' && i < s.size() && (s[i] == '\\' || s[i] == '"')) {
            out += s[i++];
            continue;
        }
        out += c;
    }
    lineError(QT_TRANSLATE_NOOP("Problem", "das schließende Anführungszeichen fehlt"));
}

void expectEnd(std::string_view rest)
{
    if (!trim(rest).empty())
        lineError(QT_TRANSLATE_NOOP("Problem", "unerwarteter Text am Zeilenende: %1"),
                  {std::string(trim(rest))});
}

class Parser {
public:
    Parser(std::string_view text, RegRoot root) : text_(text), root_(root) {}

    Tree run()
    {
        if (text_.empty())
            return tree_;
        checkHeader(nextLine());
        while (!atEnd()) {
            const std::string_view line = trimLeft(nextLine());
            if (line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[')
                section(line);
            else if (line.front() == '"' || line.front() == '@')
                valueLine(line);
            else
                lineError(QT_TRANSLATE_NOOP("Problem", "unerwarteter Inhalt: %1"),
                          {std::string(trimRight(line))});
        }
        return tree_;
    }

    int lineNumber() const { return lineNo_; }

private:
    bool atEnd() const { return pos_ >= text_.size(); }

    std::string_view nextLine()
    {
        ++lineNo_;
        auto end = text_.find('\n', pos_);
        if (end == std::string_view::npos)
            end = text_.size();
        std::string_view line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return line;
    }

    static void checkHeader(std::string_view line)
    {
        if (trimRight(line) == kHeader)
            return;
        if (startsWithIgnoreCase(line, "\xEF\xBB\xBFWindows Registry") ||
            startsWithIgnoreCase(line, "Windows Registry") || startsWithIgnoreCase(line, "\xFF\xFE"))
            lineError(QT_TRANSLATE_NOOP("Problem", "nur das Format REGEDIT4 wird gelesen (in regedit als "
                                                   "\"Win9x/NT4-Registrierungsdatei\" exportieren)"));
        lineError(QT_TRANSLATE_NOOP("Problem", "die erste Zeile muss \"REGEDIT4\" lauten"));
    }

    void section(std::string_view line)
    {
        const auto close = line.rfind(']');
        if (close == std::string_view::npos)
            lineError(QT_TRANSLATE_NOOP("Problem", "die schließende Klammer ] fehlt"));
        expectEnd(line.substr(close + 1));
        std::string_view name = line.substr(1, close - 1);
        const bool remove = !name.empty() && name.front() == '-';
        if (remove)
            name.remove_prefix(1);
        const auto cut = name.find('\\');
        const std::string_view rootPart = name.substr(0, cut);
        checkRoot(rootPart);
        const std::string_view keyPart =
            cut == std::string_view::npos ? std::string_view() : name.substr(cut);
        if (cut != std::string_view::npos && keyPart.size() == 1)
            lineError(QT_TRANSLATE_NOOP("Problem", "leerer Schlüsselname"));
        regtree::KeyPath path;
        try {
            path = regtree::parseKeyPath(keyPart);
        } catch (const RegistryError& e) {
            throw LineError{e.problem()};
        }
        if (remove) {
            if (path.id.empty())
                lineError(QT_TRANSLATE_NOOP("Problem", "der Hauptschlüssel kann nicht gelöscht werden"));
            tree_.erase(path.id);
            current_ = nullptr;
            inDeletedKey_ = true;
        } else {
            current_ = &tree_.ensure(path.names);
            inDeletedKey_ = false;
        }
    }

    void checkRoot(std::string_view rootPart) const
    {
        if (regtree::equalsIgnoreCase(rootPart, rootName(root_)))
            return;
        const RegRoot other = root_ == RegRoot::CurrentUser ? RegRoot::LocalMachine : RegRoot::CurrentUser;
        if (regtree::equalsIgnoreCase(rootPart, rootName(other)))
            lineError(QT_TRANSLATE_NOOP("Problem", "ein Schlüssel von %1 gehört nicht in die Datei von %2"),
                      {std::string(rootName(other)), std::string(rootName(root_))});
        lineError(QT_TRANSLATE_NOOP("Problem", "unbekannter Hauptschlüssel \"%1\""), {std::string(rootPart)});
    }

    void valueLine(std::string_view line)
    {
        std::string name;
        if (line.front() == '@')
            line.remove_prefix(1);
        else
            name = takeQuoted(line);
        line = trimLeft(line);
        if (line.empty() || line.front() != '=')
            lineError(QT_TRANSLATE_NOOP("Problem", "das Gleichheitszeichen fehlt"));
        line = trimLeft(line.substr(1));
        if (inDeletedKey_)
            lineError(QT_TRANSLATE_NOOP("Problem", "Wert in einem gelöschten Schlüssel"));
        if (!current_)
            lineError(QT_TRANSLATE_NOOP("Problem", "Wert vor dem ersten Schlüssel"));
        if (trimRight(line) == "-") {
            regtree::removeValue(*current_, name);
            return;
        }
        regtree::putValue(*current_, name, regtree::normalize(data(line)));
    }

    RegValue data(std::string_view s)
    {
        if (!s.empty() && s.front() == '"') {
            std::string text = takeQuoted(s);
            expectEnd(s);
            return text;
        }
        if (startsWithIgnoreCase(s, "dword:")) {
            const auto value = parseHex(trimRight(s.substr(6)), 8);
            if (!value)
                lineError(QT_TRANSLATE_NOOP("Problem", "ungültiger DWORD-Wert"));
            return *value;
        }
        if (startsWithIgnoreCase(s, "hex:"))
            return RegRawValue{3, hexBytes(s.substr(4))};
        if (startsWithIgnoreCase(s, "hex(")) {
            const auto close = s.find("):");
            const auto type =
                close == std::string_view::npos ? std::nullopt : parseHex(s.substr(4, close - 4), 8);
            if (!type)
                lineError(QT_TRANSLATE_NOOP("Problem", "ungültiger Werttyp in hex(...)"));
            return RegRawValue{*type, hexBytes(s.substr(close + 2))};
        }
        lineError(QT_TRANSLATE_NOOP("Problem", "unbekannte Wertangabe: %1"), {std::string(trimRight(s))});
    }

    // The comma-separated bytes of this line and of the lines that a trailing backslash joins.
    std::vector<std::uint8_t> hexBytes(std::string_view s)
    {
        std::string joined;
        s = trimRight(s);
        while (!s.empty() && s.back() == '\\') {
            joined += s.substr(0, s.size() - 1);
            if (atEnd())
                lineError(QT_TRANSLATE_NOOP("Problem", "die Datei endet mitten in einem Wert"));
            s = trim(nextLine());
        }
        joined += s;
        std::vector<std::uint8_t> bytes;
        std::string_view rest = joined;
        while (!trim(rest).empty()) {
            const auto comma = rest.find(',');
            const auto byte = parseHex(trim(rest.substr(0, comma)), 2);
            if (!byte)
                lineError(QT_TRANSLATE_NOOP("Problem", "ungültiges Byte in den Hex-Daten: \"%1\""),
                          {std::string(trim(rest.substr(0, comma)))});
            bytes.push_back(static_cast<std::uint8_t>(*byte));
            if (comma == std::string_view::npos)
                break;
            rest.remove_prefix(comma + 1);
        }
        return bytes;
    }

    std::string_view text_;
    RegRoot root_;
    std::size_t pos_ = 0;
    int lineNo_ = 0;
    Tree tree_;
    KeyData* current_ = nullptr;
    bool inDeletedKey_ = false;
};

std::string quote(std::string_view s)
{
    std::string out = "\"";
    for (const char c : s) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

bool needsHex(std::string_view s)
{
    for (const unsigned char c : s)
        if (c < 0x20)
            return true;
    return false;
}

void appendHex(std::string& out, std::string line, const std::vector<std::uint8_t>& bytes)
{
    char digits[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(digits, sizeof digits, "%02x", bytes[i]);
        std::string token = digits;
        if (i + 1 < bytes.size())
            token += ',';
        if (line.size() + token.size() > kHexLineWidth && line.back() == ',') {
            out += line + "\\\r\n";
            line = "  ";
        }
        line += token;
    }
    out += line + "\r\n";
}

void appendValue(std::string& out, const std::string& name, const RegValue& value)
{
    std::string line = name.empty() ? "@=" : quote(name) + "=";
    if (const auto* text = std::get_if<std::string>(&value)) {
        if (!needsHex(*text)) {
            out += line + quote(*text) + "\r\n";
            return;
        }
        std::vector<std::uint8_t> bytes(text->begin(), text->end());
        bytes.push_back(0);
        appendHex(out, line + "hex(1):", bytes);
    } else if (const auto* number = std::get_if<std::uint32_t>(&value)) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%08x", *number);
        out += line + "dword:" + digits + "\r\n";
    } else {
        const auto& raw = std::get<RegRawValue>(value);
        char type[24];
        std::snprintf(type, sizeof type, "hex(%x):", raw.type);
        appendHex(out, line + (raw.type == 3 ? std::string("hex:") : std::string(type)), raw.bytes);
    }
}

}  // namespace

std::string_view rootName(RegRoot root)
{
    return root == RegRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

Tree parse(std::string_view text, RegRoot root, const std::filesystem::path& file)
{
    Parser parser(text, root);
    try {
        return parser.run();
    } catch (const LineError& e) {
        throw RegistryError(
            QT_TRANSLATE_NOOP("Problem", "Die Registrierungsdatei %1 ist in Zeile %2 fehlerhaft: %3"),
            {file.string(), std::to_string(parser.lineNumber())}, e.what);
    }
}

std::string serialize(const Tree& tree, RegRoot root)
{
    std::string out = std::string(kHeader) + "\r\n\r\n";
    for (const auto& [id, key] : tree.keys()) {
        if (id.empty() && key.values.empty())
            continue;
        out += "[" + std::string(rootName(root)) + (key.path.empty() ? "" : "\\" + key.path) + "]\r\n";
        for (const auto& [name, value] : key.values)
            appendValue(out, name, value);
        out += "\r\n";
    }
    return out;
}

}  // namespace zelvo::platform::regtext
