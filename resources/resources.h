// The windows' pictures: ":/images/<file>" paths, compiled in from resources/images/.
#pragma once

#include <QString>

bool HasResource(const QString& path);
