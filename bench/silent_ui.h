// A user interface that shows nothing, for benchmarks that time the engine alone.
#pragma once

#include "protocol/station.h"

namespace zelvo::bench {

class SilentUi : public protocol::StationUi {
public:
    void showStatus(const protocol::Status&) override {}
    void updateIcon(protocol::TrayPicture) override {}
    bool askRegistration(std::string_view) override { return false; }
    void popUp() override {}
    void showError(const protocol::Status&) override {}
    void conversationChanged(const app::TUserEntry&) override {}
    void ownStateChanged(bool, bool) override {}
};

}  // namespace zelvo::bench
