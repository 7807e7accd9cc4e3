#include "app/pictures.h"

#include "art/pictures.h"

namespace zelvo::app {

QIcon statePicture(TStationState state)
{
    return art::statePicture(static_cast<int>(state));
}

QIcon trayPicture(protocol::TrayPicture kind, bool tncLost)
{
    return art::trayPicture(static_cast<int>(kind), tncLost);
}

QIcon menuPicture(int number)
{
    return art::menuPicture(number);
}

}  // namespace zelvo::app
