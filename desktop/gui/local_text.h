// The toolkit's texts are 8-bit bytes (paths, field texts, command lines); Qt's
// are QStrings. The windows turn one into the other in the local 8-bit
// encoding, so a path typed or chosen reaches the file system as it was given.
#pragma once

#include <QString>
#include <string>

// The bytes of a Qt text in the local 8-bit encoding.
inline std::string localBytes(const QString& text) { return text.toLocal8Bit().toStdString(); }

// A Qt text read from bytes in the local 8-bit encoding.
inline QString fromLocalBytes(const std::string& bytes) { return QString::fromLocal8Bit(bytes); }
