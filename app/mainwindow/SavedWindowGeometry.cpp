#include "app/mainwindow/SavedWindowGeometry.h"

#include <QDataStream>

#include <cstdint>

namespace vxo {

namespace {

// The header saveGeometry writes, and the first version that also keeps the
// window's own geometry beside its frame and normal geometry.
constexpr std::uint32_t kGeometryMagic = 0x1D9D0CB;
constexpr std::uint16_t kVersionWithWindowGeometry = 3;

} // namespace

std::optional<QRect> unframedSavedGeometry(const QByteArray& saved)
{
    QDataStream stream(saved);
    stream.setVersion(QDataStream::Qt_4_0);
    std::uint32_t magic = 0;
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    stream >> magic >> major >> minor;
    if (stream.status() != QDataStream::Ok || magic != kGeometryMagic || major != kVersionWithWindowGeometry)
        return std::nullopt;
    QRect frame;
    QRect normal;
    std::int32_t screen = 0;
    std::uint8_t maximized = 0;
    std::uint8_t fullScreen = 0;
    std::int32_t screenWidth = 0;
    QRect window;
    stream >> frame >> normal >> screen >> maximized >> fullScreen >> screenWidth >> window;
    if (stream.status() != QDataStream::Ok || maximized || fullScreen || !normal.isValid() || frame != window ||
        window != normal)
        return std::nullopt;
    return normal;
}

} // namespace vxo
