// Anchor of the resources library; the pictures are reached as ":/images/<name>".
#include "resources/resources.h"

#include <QFile>

bool HasResource(const QString& path) { return QFile::exists(path); }
