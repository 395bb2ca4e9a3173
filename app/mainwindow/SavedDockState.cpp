#include "app/mainwindow/SavedDockState.h"

#include <QSet>
#include <QString>

#include <cstdint>
#include <optional>

namespace vxo {

namespace {

// The markers saveState writes: one int before the version, one byte before
// each section of the window, of a dock column and of its items.
constexpr std::int32_t kVersionMarker = 0xff;
constexpr std::uint8_t kDockAreasMarker = 0xfd;
constexpr std::uint8_t kToolBarLinesMarker = 0xfe;
constexpr std::uint8_t kToolBarLinesWithGeometryMarker = 0xfc;
constexpr std::uint8_t kSequenceMarker = 0xfc;
constexpr std::uint8_t kTabGroupMarker = 0xfa;
constexpr std::uint8_t kDockMarker = 0xfb;

// A dock's flags: shown, floating.
constexpr std::uint8_t kDockFlags = 0x01 | 0x02;
constexpr std::uint8_t kFloatingFlag = 0x02;

// Left, right, top and bottom, numbered from 0.
constexpr std::int32_t kDockAreaCount = 4;
// The corners, top-left, top-right, bottom-left and bottom-right, each
// given to one of the two areas that meet there.
constexpr Qt::DockWidgetArea kCornerAreas[4][2] = {
    {Qt::TopDockWidgetArea, Qt::LeftDockWidgetArea},
    {Qt::TopDockWidgetArea, Qt::RightDockWidgetArea},
    {Qt::BottomDockWidgetArea, Qt::LeftDockWidgetArea},
    {Qt::BottomDockWidgetArea, Qt::RightDockWidgetArea},
};

// Pixel positions and sizes beyond any screen: the layout adds them up, and
// larger ones would overflow its sums.
constexpr std::int32_t kLargestExtent = 1 << 20;

// The big-endian stream of QDataStream, read with every length checked
// against what is left. Every count of the state is walked item by item,
// each read checked: a count beyond the bytes present ends at the first read
// past the end.
class StateReader {
public:
    explicit StateReader(const QByteArray& bytes) : bytes_(bytes) {}

    int left() const { return bytes_.size() - at_; }
    bool atEnd() const { return at_ == bytes_.size(); }

    std::optional<std::uint8_t> byte()
    {
        if (left() < 1)
            return std::nullopt;
        return static_cast<std::uint8_t>(bytes_[at_++]);
    }

    std::optional<std::int32_t> integer()
    {
        if (left() < 4)
            return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | static_cast<std::uint8_t>(bytes_[at_++]);
        return static_cast<std::int32_t>(value);
    }

    // A string: its length in bytes, then UTF-16 code units; all ones is
    // the null string.
    std::optional<QString> string()
    {
        const std::optional<std::int32_t> length = integer();
        if (!length)
            return std::nullopt;
        if (static_cast<std::uint32_t>(*length) == 0xffffffffu)
            return QString();
        if (*length < 0 || *length % 2 != 0 || *length > left())
            return std::nullopt;
        QString text;
        text.reserve(*length / 2);
        for (int i = 0; i < *length / 2; ++i) {
            const auto high = static_cast<std::uint8_t>(bytes_[at_++]);
            const auto low = static_cast<std::uint8_t>(bytes_[at_++]);
            text.append(QChar(static_cast<char16_t>((high << 8) | low)));
        }
        return text;
    }

    // An int in [lowest, highest].
    bool integerIn(std::int32_t lowest, std::int32_t highest)
    {
        const std::optional<std::int32_t> value = integer();
        return value && *value >= lowest && *value <= highest;
    }

    bool skip(int count)
    {
        if (left() < count)
            return false;
        at_ += count;
        return true;
    }

private:
    const QByteArray& bytes_;
    int at_ = 0;
};

class DockStateCheck {
public:
    DockStateCheck(const QByteArray& state, const QStringList& dockNames) : reader_(state), dockNames_(dockNames) {}

    bool whole(int version)
    {
        const std::optional<std::int32_t> marker = reader_.integer();
        const std::optional<std::int32_t> saved = reader_.integer();
        if (!marker || *marker != kVersionMarker || !saved || *saved != version)
            return false;
        bool dockAreas = false;
        bool toolBars = false;
        while (!reader_.atEnd()) {
            const std::optional<std::uint8_t> section = reader_.byte();
            if (section == kDockAreasMarker && !dockAreas) {
                dockAreas = true;
                if (!areas())
                    return false;
            } else if ((section == kToolBarLinesMarker || section == kToolBarLinesWithGeometryMarker) &&
                       !toolBars) {
                toolBars = true;
                if (!toolBarLines(*section == kToolBarLinesWithGeometryMarker))
                    return false;
            } else {
                // A repeated section, or docks floating as a tab group of
                // their own (0xf9), which this window never makes.
                return false;
            }
        }
        return dockAreas && seen_.size() == dockNames_.size();
    }

private:
    bool areas()
    {
        const std::optional<std::int32_t> count = reader_.integer();
        if (!count)
            return false;
        QSet<std::int32_t> filled;
        for (std::int32_t i = 0; i < *count; ++i) {
            const std::optional<std::int32_t> area = reader_.integer();
            if (!area || *area < 0 || *area >= kDockAreaCount || filled.contains(*area))
                return false;
            filled.insert(*area);
            if (!size() || !column(0))
                return false;
        }
        if (!size())
            return false;
        for (const auto& areas : kCornerAreas) {
            const std::optional<std::int32_t> corner = reader_.integer();
            if (!corner || (*corner != areas[0] && *corner != areas[1]))
                return false;
        }
        return true;
    }

    // A width and a height.
    bool size() { return reader_.integerIn(0, kLargestExtent) && reader_.integerIn(0, kLargestExtent); }

    // A sequence of docks and nested columns, or a tab group of docks; the
    // toolkit keeps and saves a nested column left empty. Each level
    // alternates the orientation, so no layout of the window's docks nests
    // deeper than it has docks.
    bool column(int depth)
    {
        if (depth > dockNames_.size())
            return false;
        const std::optional<std::uint8_t> marker = reader_.byte();
        if (marker != kSequenceMarker && marker != kTabGroupMarker)
            return false;
        // A tab group names its front tab, which the toolkit looks up in
        // range.
        const bool tabs = marker == kTabGroupMarker;
        if (tabs && !reader_.integer())
            return false;
        const std::optional<std::uint8_t> orientation = reader_.byte();
        const std::optional<std::int32_t> count = reader_.integer();
        if (!orientation || (*orientation != Qt::Horizontal && *orientation != Qt::Vertical) || !count)
            return false;
        for (std::int32_t i = 0; i < *count; ++i) {
            const std::optional<std::uint8_t> item = reader_.byte();
            if (item == kDockMarker) {
                if (!dock())
                    return false;
            } else if (item == kSequenceMarker && !tabs) {
                if (!placement(false) || !column(depth + 1))
                    return false;
            } else {
                return false;
            }
        }
        return true;
    }

    // One of the window's docks, named once in the whole state.
    bool dock()
    {
        const std::optional<QString> name = reader_.string();
        const std::optional<std::uint8_t> flags = reader_.byte();
        if (!name || !dockNames_.contains(*name) || seen_.contains(*name) || !flags || (*flags & ~kDockFlags) != 0)
            return false;
        seen_.insert(*name);
        return placement((*flags & kFloatingFlag) != 0);
    }

    // A floating dock's frame, x, y, width and height; or a docked item's
    // position and size along its column (-1: none yet) and the two limits
    // the toolkit writes beside them and skips on reading.
    bool placement(bool floating)
    {
        if (floating)
            return reader_.integerIn(-kLargestExtent, kLargestExtent) &&
                   reader_.integerIn(-kLargestExtent, kLargestExtent) && size();
        return reader_.integerIn(-1, kLargestExtent) && reader_.integerIn(-1, kLargestExtent) && reader_.skip(8);
    }

    // Toolbar lines: the area and the toolbars of each. The toolkit skips a
    // toolbar the window does not have.
    bool toolBarLines(bool withGeometry)
    {
        const std::optional<std::int32_t> lines = reader_.integer();
        if (!lines)
            return false;
        for (std::int32_t line = 0; line < *lines; ++line) {
            const std::optional<std::int32_t> area = reader_.integer();
            const std::optional<std::int32_t> count = reader_.integer();
            if (!area || *area < 0 || *area >= kDockAreaCount || !count)
                return false;
            for (std::int32_t i = 0; i < *count; ++i)
                if (!reader_.string() || !reader_.byte() || !reader_.skip(withGeometry ? 16 : 12))
                    return false;
        }
        return true;
    }

    StateReader reader_;
    const QStringList& dockNames_;
    QSet<QString> seen_;
};

} // namespace

bool savedDockStateIsWhole(const QByteArray& state, int version, const QStringList& dockNames)
{
    return DockStateCheck(state, dockNames).whole(version);
}

} // namespace vxo
