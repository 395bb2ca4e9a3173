#pragma once

#include <QDir>
#include <QString>

#include <cstdlib>

namespace vxo::gallery {

// The one folder the galleries write to: $VXO_GALLERY (tools/gallery.sh sets
// it to its output folder, beside the window pictures), else gallery/ in the
// working directory; made when it is missing.
inline QString folder()
{
    const char* chosen = std::getenv("VXO_GALLERY");
    const QString directory =
        chosen != nullptr && chosen[0] != '\0' ? QString::fromLocal8Bit(chosen) : QStringLiteral("gallery");
    QDir().mkpath(directory);
    return directory;
}

} // namespace vxo::gallery
