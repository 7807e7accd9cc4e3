// The settings' changes as a Qt signal: the one road by which the windows and the program hear
// that a setting changed. The settings model itself knows no Qt (dialogs/settings.h); this
// adaptor is its only observer while it lives.
#pragma once

#include <QObject>

#include <optional>

#include "dialogs/settings.h"

namespace zelvo::dialogs {

class SettingsNews : public QObject, private Settings::Observer {
    Q_OBJECT
public:
    explicit SettingsNews(Settings& settings, QObject* parent = nullptr);
    ~SettingsNews() override;

    Settings& settings() const { return settings_; }

signals:
    // In the thread that changed the setting (the UI thread), right after the change.
    void changed(zelvo::dialogs::Settings::Field field, std::optional<zelvo::dialogs::TEventKind> kind);

private:
    void settingChanged(Settings::Field field, std::optional<TEventKind> kind) override;

    Settings& settings_;
};

}  // namespace zelvo::dialogs
