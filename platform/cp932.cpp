// CP932 conversion through the C library's iconv, one character at a time where a text cannot be
// converted whole, so that a single unmappable character costs only itself.
#include "platform/cp932.h"

#include <iconv.h>
#include <QFile>
#include <QList>

#include <cerrno>
#include <stdexcept>
#include <vector>

namespace {

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv: CP932 missing");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; returns false and leaves `in` at the failing byte on error.
    bool Run(const char*& in, size_t& inLeft, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t rc = iconv(cd_, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr - buffer);
            if (rc == static_cast<size_t>(-1) && errno != E2BIG) return false;
        }
        return true;
    }

  private:
    iconv_t cd_;
};

Converter& ToSjis() {
    static Converter c("CP932", "UTF-8");
    return c;
}
Converter& FromSjis() {
    static Converter c("UTF-8", "CP932");
    return c;
}

}  // namespace

std::string ToCp932(const QString& text) {
    std::string result;
    // Code point by code point, so that an unmappable one is replaced on its own.
    for (uint code : text.toUcs4()) {
        char32_t cp = code;
        QByteArray utf8 = QString::fromUcs4(&cp, 1).toUtf8();
        const char* in = utf8.constData();
        size_t left = utf8.size();
        std::string piece;
        // A character that converts to nothing (iconv drops the byte-order mark) has no place in
        // the code page either.
        if (ToSjis().Run(in, left, piece) && !piece.empty())
            result += piece;
        else
            result += '?';
    }
    return result;
}

QString FromCp932(const std::string& bytes) {
    std::string utf8;
    const char* in = bytes.data();
    size_t left = bytes.size();
    while (!FromSjis().Run(in, left, utf8)) {
        // Skip the byte that cannot start a character, or a lead byte without its second byte.
        utf8 += "\xEF\xBF\xBD";
        ++in;
        --left;
    }
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string Cp932Text(const char* utf8) { return ToCp932(QString::fromUtf8(utf8)); }

std::string NativeName(const std::string& fileName) {
    return QFile::encodeName(FromCp932(fileName)).toStdString();
}

std::string ShownName(const std::string& nativeName) {
    return ToCp932(QFile::decodeName(QByteArray::fromStdString(nativeName)));
}
