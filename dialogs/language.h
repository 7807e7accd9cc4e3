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

// The desktop's language as gettext finds it. The locale of the messages is the first of LC_ALL,
// LC_MESSAGES and LANG that is set; in the C locale ("C", "C.UTF-8", "POSIX", or none set) the
// texts are English whatever else is set. Otherwise LANGUAGE, a list such as "fr_CA:fr:en",
// names the languages in the order the user prefers and its first known entry counts; without it
// the locale's language. English when that is none of the three.
std::string_view languageOfEnvironment();

// The language the windows show: the stored choice ("Sprache") when it names one of the three,
// else the desktop's.
std::string_view chosenLanguage(std::string_view stored);

// The language the windows show now: switches the program's translators and lets every window
// follow (Qt sends QEvent::LanguageChange to each). Unknown codes count as English.
class LanguageSwitch {
public:
    LanguageSwitch();
    ~LanguageSwitch();
    LanguageSwitch(const LanguageSwitch&) = delete;
    LanguageSwitch& operator=(const LanguageSwitch&) = delete;

    // Switching to the language already shown changes nothing and sends no event.
    void apply(std::string_view code);
    std::string_view current() const { return current_; }

private:
    std::string_view current_ = kGerman;
    bool applied_ = false;  // Qt's German texts come only with the first apply()
    std::unique_ptr<QTranslator> program_;
    std::unique_ptr<QTranslator> qt_;
};

// The language the windows' texts are in, as the installed translation names itself: German
// without one. For what a window picks by language (the help file, a picture, the form of a
// date); asked again in its followLanguage setter.
std::string_view shownLanguage();

// Runs `setTexts` now and again whenever the language of `owner` changes, so that a window built
// in code sets its texts where it builds its widgets. The call lives as long as `owner`. This is
// the one way a window hears of a switch: whatever it shows by language is set in `setTexts`.
void followLanguage(QWidget* owner, std::function<void()> setTexts);

}  // namespace zelvo::dialogs
