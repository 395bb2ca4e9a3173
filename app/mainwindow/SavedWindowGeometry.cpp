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

QMargins SavedWindowPlacement::frameMargins() const
{
    if (maximized || fullScreen || !frame.contains(normal))
        return QMargins();
    return QMargins(normal.left() - frame.left(), normal.top() - frame.top(), frame.right() - normal.right(),
                    frame.bottom() - normal.bottom());
}

std::optional<SavedWindowPlacement> savedWindowPlacement(const QByteArray& saved)
{
    QDataStream stream(saved);
    stream.setVersion(QDataStream::Qt_4_0);
    std::uint32_t magic = 0;
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    stream >> magic >> major >> minor;
    if (stream.status() != QDataStream::Ok || magic != kGeometryMagic || major != kVersionWithWindowGeometry)
        return std::nullopt;
    SavedWindowPlacement placement;
    std::int32_t screen = 0;
    std::uint8_t maximized = 0;
    std::uint8_t fullScreen = 0;
    std::int32_t screenWidth = 0;
    QRect window;
    stream >> placement.frame >> placement.normal >> screen >> maximized >> fullScreen >> screenWidth >> window;
    if (stream.status() != QDataStream::Ok || !placement.normal.isValid())
        return std::nullopt;
    placement.screenWidth = screenWidth;
    placement.maximized = maximized != 0;
    placement.fullScreen = fullScreen != 0;
    return placement;
}

} // namespace vxo
