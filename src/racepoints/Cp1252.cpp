#include "racepoints/Cp1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Cp1252 {

namespace {
constexpr const char *CodecName = "windows-1252";
}

QString Decode(QByteArrayView bytes)
{
    QStringDecoder decoder(CodecName);
    return decoder.decode(bytes);
}

QByteArray Encode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    QStringEncoder encoder(CodecName);
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            bytes.append(static_cast<char>(c.unicode()));
            continue;
        }
        QByteArray one;
        if (!c.isSurrogate()) {
            encoder.resetState();
            one = encoder.encode(QStringView(&c, 1));
        }
        bytes.append(one.size() == 1 && !encoder.hasError() ? one[0] : '?');
    }
    return bytes;
}

} // namespace Cp1252
