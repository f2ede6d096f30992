// CP932 conversion: text decoded from any bytes encodes back to bytes that decode to the same
// text ("?" for what could not be decoded), and whatever Unicode text is encoded decodes cleanly.
#include <QList>
#include <QString>

#include "fuzz/check.h"
#include "platform/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes = Bytes(data, size);
    const QString text = FromCp932(bytes);
    const std::string encoded = ToCp932(text);
    QString expected = text;
    expected.replace(QChar(0xFFFD), QLatin1Char('?'));
    FUZZ_CHECK(FromCp932(encoded) == expected);
    FUZZ_CHECK(ToCp932(FromCp932(encoded)) == encoded);

    // The same bytes read as UTF-16 code units: any Unicode text, lone surrogates included.
    const QString unicode(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    const std::string fromUnicode = ToCp932(unicode);
    FUZZ_CHECK(!FromCp932(fromUnicode).contains(QChar(0xFFFD)));
    FUZZ_CHECK(fromUnicode.size() <= 2 * static_cast<std::size_t>(unicode.toUcs4().size()));
    return 0;
}
