// Conversion between the system code page (CP932, Shift-JIS) and Qt's Unicode strings.
// Core code keeps texts as CP932 bytes; widgets and file names take QString.
#pragma once

#include <QString>
#include <string>

// Characters CP932 cannot hold become "?".
std::string ToCp932(const QString& text);
// Bytes that are not valid CP932 become U+FFFD.
QString FromCp932(const std::string& bytes);
// The file system's spelling (UTF-8 on this platform) of a CP932 file name.
std::string NativeName(const std::string& fileName);
// A file name of the file system as a message shows it (CP932, "?" for what it cannot write).
std::string ShownName(const std::string& nativeName);
// The CP932 bytes of a UTF-8 text of the source, such as the program's own messages.
std::string Cp932Text(const char* utf8);

// CP932 lead bytes: the first byte of a double-byte character.
inline bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
