// The language of the windows: German (the source texts), English or French. The texts come
// from the translations compiled into the program; Qt's own texts (the file dialog, the standard
// buttons) from Qt's translations of the system. Nothing that goes on the air or into a stored
// file is translated: only texts that a window shows pass through here.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string_view>

class QTranslator;
class QWidget;

namespace zelvo::dialogs {

// The stored codes of the languages, in the order of the settings' list.
inline constexpr std::string_view kGerman = "de";
inline constexpr std::string_view kEnglish = "en";
inline constexpr std::string_view kFrench = "fr";
inline constexpr std::string_view kLanguages[] = {kGerman, kEnglish, kFrench};

// Each language in its own name, as the list shows it.
QString languageName(std::string_view code);

// The known code that `setting` names ("de", "de_DE.UTF-8", "fr_CA", ...), or empty.
std::string_view knownLanguage(std::string_view setting);

// The desktop's language as gettext finds it: the first of LANGUAGE (a list, the first known
// entry counts), LC_ALL, LC_MESSAGES and LANG that is set; English when that one is none of
// the three.
std::string_view languageOfEnvironment();

// The language the windows show now: switches the program's translators and lets every window
// follow (Qt sends QEvent::LanguageChange to each). Unknown codes count as English.
class LanguageSwitch {
public:
    LanguageSwitch();
    ~LanguageSwitch();
    LanguageSwitch(const LanguageSwitch&) = delete;
    LanguageSwitch& operator=(const LanguageSwitch&) = delete;

    void apply(std::string_view code);
    std::string_view current() const { return current_; }

private:
    std::string_view current_ = kGerman;
    std::unique_ptr<QTranslator> program_;
    std::unique_ptr<QTranslator> qt_;
};

// The language the last LanguageSwitch applied: German before any has and once it is gone. The
// help shows its pages in it.
std::string_view appliedLanguage();

// Runs `setTexts` now and again whenever the language of `owner` changes, so that a window built
// in code sets its texts where it builds its widgets. The call lives as long as `owner`.
void followLanguage(QWidget* owner, std::function<void()> setTexts);

}  // namespace zelvo::dialogs
