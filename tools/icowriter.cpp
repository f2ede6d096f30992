// ICO encoding by hand: Qt's own ICO writer stores only one picture per file.
#include "tools/icowriter.h"

#include <QFile>
#include <QtEndian>
#include <cerrno>

#include "platform/cp932.h"
#include "platform/exception.h"

namespace {

void Put16(QByteArray& out, quint16 v) {
    char bytes[2];
    qToLittleEndian(v, bytes);
    out.append(bytes, 2);
}
void Put32(QByteArray& out, quint32 v) {
    char bytes[4];
    qToLittleEndian(v, bytes);
    out.append(bytes, 4);
}

// BITMAPINFOHEADER, 32-bit BGRA rows bottom-up, then the AND mask that older readers use.
QByteArray Dib(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    const int maskStride = ((w + 31) / 32) * 4;
    QByteArray out;
    Put32(out, 40);
    Put32(out, w);
    Put32(out, h * 2);  // the colour rows and the mask rows
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, w * h * 4 + maskStride * h);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) Put32(out, row[x]);  // QRgb is 0xAARRGGBB: BGRA in memory
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray mask(maskStride, '\0');
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qAlpha(row[x]) == 0)
                mask[x / 8] = static_cast<char>(mask[x / 8] | (0x80 >> (x % 8)));
        out.append(mask);
    }
    return out;
}

}  // namespace

QByteArray EncodeIco(const std::vector<QImage>& images) {
    QByteArray out;
    Put16(out, 0);
    Put16(out, 1);  // an icon, not a cursor
    Put16(out, static_cast<quint16>(images.size()));
    std::vector<QByteArray> bodies;
    for (const QImage& image : images) bodies.push_back(Dib(image));
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        // 256 is written as 0.
        out.append(static_cast<char>(images[i].width() & 0xFF));
        out.append(static_cast<char>(images[i].height() & 0xFF));
        out.append('\0');  // no palette
        out.append('\0');
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<quint32>(bodies[i].size()));
        Put32(out, offset);
        offset += static_cast<quint32>(bodies[i].size());
    }
    for (const QByteArray& body : bodies) out.append(body);
    return out;
}

void WriteIco(const QString& path, const std::vector<QImage>& images) {
    const QByteArray bytes = EncodeIco(images);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw IoError("create", ToCp932(path), errno);
    if (file.write(bytes) != bytes.size()) throw IoError("write", ToCp932(path), errno);
}
