#include "dialogs/language.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>

#include <cstdlib>
#include <ranges>

namespace zelvo::dialogs {
namespace {

// Calls a window's text setters on each QEvent::LanguageChange that reaches the window.
class LanguageFollower : public QObject {
public:
    LanguageFollower(QWidget* owner, std::function<void()> setTexts)
        : QObject(owner), setTexts_(std::move(setTexts))
    {
        owner->installEventFilter(this);
        setTexts_();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange && watched == parent())
            setTexts_();
        return false;
    }

private:
    std::function<void()> setTexts_;
};

std::unique_ptr<QTranslator> load(const QString& name, const QString& folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, folder))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

}  // namespace

QString languageName(std::string_view code)
{
    if (code == kEnglish)
        return QStringLiteral("English");
    if (code == kFrench)
        return QStringLiteral("Français");
    return QStringLiteral("Deutsch");
}

std::string_view knownLanguage(std::string_view setting)
{
    // "de", "de_DE", "de_DE.UTF-8", "de@euro": the two letters before any of "_.@".
    const std::string_view language = setting.substr(0, setting.find_first_of("_.@"));
    for (std::string_view code : kLanguages) {
        if (language == code)
            return code;
    }
    return {};
}

std::string_view languageOfEnvironment()
{
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string_view(value == nullptr ? "" : value);
    };
    // The locale of the messages: the first of these that is set.
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = variable(name);
        if (!locale.empty())
            break;
    }
    // gettext ignores LANGUAGE in the C locale: its messages are the untranslated ones.
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C."))
        return kEnglish;
    const std::string_view preferred = variable("LANGUAGE");
    if (preferred.empty())
        return knownLanguage(locale).empty() ? kEnglish : knownLanguage(locale);
    for (const auto entry : std::views::split(preferred, ':')) {
        const std::string_view code = knownLanguage(std::string_view(entry.begin(), entry.end()));
        if (!code.empty())
            return code;
    }
    return kEnglish;
}

std::string_view chosenLanguage(std::string_view stored)
{
    const std::string_view known = knownLanguage(stored);
    return known.empty() ? languageOfEnvironment() : known;
}

LanguageSwitch::LanguageSwitch() = default;

// Each translator removes itself from the application when it goes.
LanguageSwitch::~LanguageSwitch() = default;

std::string_view shownLanguage()
{
    // Each translation answers with its own code.
    const QByteArray code =
        QCoreApplication::translate("zelvo::dialogs::Language", "de", "code of the language of these texts")
            .toLatin1();
    const std::string_view known = knownLanguage(std::string_view(code.constData(), code.size()));
    return known.empty() ? kGerman : known;
}

void LanguageSwitch::apply(std::string_view code)
{
    const std::string_view known = knownLanguage(code);
    const std::string_view next = known.empty() ? kEnglish : known;
    if (applied_ && next == current_)
        return;
    applied_ = true;
    program_.reset();
    qt_.reset();
    current_ = next;
    const QString suffix = QString::fromLatin1(next.data(), static_cast<qsizetype>(next.size()));
    // German needs no translator of the program's texts: they are written in German.
    if (next != kGerman)
        program_ = load(QStringLiteral("zelvo_") + suffix, QStringLiteral(":/translations"));
    // Qt's texts are written in English.
    if (next != kEnglish)
        qt_ = load(QStringLiteral("qtbase_") + suffix, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void followLanguage(QWidget* owner, std::function<void()> setTexts)
{
    new LanguageFollower(owner, std::move(setTexts));
}

}  // namespace zelvo::dialogs
