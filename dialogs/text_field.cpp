#include "dialogs/text_field.h"

#include <QMimeData>

namespace zelvo::dialogs {

bool offersData(const QMimeData* source)
{
    return source != nullptr && !source->formats().isEmpty();
}

}  // namespace zelvo::dialogs
