#pragma once

#include <QByteArray>
#include <QString>

// Windows-1251, the code page of the system's text cells, configuration files and journal
// exports. Characters the code page lacks become '?'.
QByteArray ToCp1251(const QString& text);
QString FromCp1251(const QByteArray& bytes);
char16_t Cp1251ToUnicode(unsigned char byte);
