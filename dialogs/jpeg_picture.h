// Decoding a JPEG picture with libjpeg. Damaged input never ends the process: a corrupt or
// truncated picture, including one that libjpeg would only warn about and paint grey, is a failure
// with the decoder's message.
#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace zelvo::dialogs {

// The picture in RGB, or a null image when `jpeg` is not a whole, valid JPEG picture; then
// `error` (when given) holds why.
QImage decodeJpeg(QByteArrayView jpeg, QString* error = nullptr);

}  // namespace zelvo::dialogs
