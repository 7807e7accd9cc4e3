#include "dialogs/settings_news.h"

namespace zelvo::dialogs {

SettingsNews::SettingsNews(Settings& settings, QObject* parent) : QObject(parent), settings_(settings)
{
    settings_.setObserver(this);
}

SettingsNews::~SettingsNews()
{
    settings_.setObserver(nullptr);
}

void SettingsNews::settingChanged(Settings::Field field, std::optional<TEventKind> kind)
{
    emit changed(field, kind);
}

}  // namespace zelvo::dialogs
