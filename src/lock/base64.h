#pragma once
// Base64 as lock keys are stored: the standard alphabet, "=" padding, no line breaks.
#include <QByteArray>
#include <QString>

namespace mira {

QString Base64Encode(const QByteArray &bytes);

// Characters outside the alphabet and "=" are skipped; a missing end is padded with
// "=", and each "=" shortens its group by one byte. Never fails.
QByteArray Base64Decode(QStringView text);

} // namespace mira
