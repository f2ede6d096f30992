// Windows icon files: several sizes of one picture with alpha, in the classic DIB layout.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

// The bytes of an ICO file holding `images` in that order (each at most 256 × 256).
QByteArray EncodeIco(const std::vector<QImage>& images);
// Writes the file; a failure raises EInOutError.
void WriteIco(const QString& path, const std::vector<QImage>& images);
