#include "app/mainwindow/SavedLayout.h"

#include <QCryptographicHash>
#include <QSettings>
#include <QString>
#include <QVariant>

namespace vxo {

namespace {

const QString kGeometryKey = QStringLiteral("geometry");
const QString kDockStateKey = QStringLiteral("windowState");
const QString kChecksumKey = QStringLiteral("windowStateChecksum");
const QString kRestoringKey = QStringLiteral("windowStateRestoring");

// SHA-256: a damaged state cannot pass by chance, whatever bytes changed.
QString checksumOf(const QByteArray& state)
{
    return QString::fromLatin1(QCryptographicHash::hash(state, QCryptographicHash::Sha256).toHex());
}

} // namespace

void storeSavedLayout(QSettings& group, const QByteArray& geometry, const QByteArray& dockState)
{
    group.setValue(kGeometryKey, geometry);
    group.setValue(kDockStateKey, dockState);
    group.setValue(kChecksumKey, checksumOf(dockState));
    group.remove(kRestoringKey);
}

SavedLayout loadSavedLayout(QSettings& group)
{
    if (group.contains(kRestoringKey)) {
        for (const QString& key : {kGeometryKey, kDockStateKey, kChecksumKey, kRestoringKey})
            group.remove(key);
        group.sync();
        return {};
    }
    SavedLayout layout;
    layout.geometry = group.value(kGeometryKey).toByteArray();
    const QByteArray state = group.value(kDockStateKey).toByteArray();
    if (state.isEmpty())
        return layout;
    if (group.value(kChecksumKey).toString() == checksumOf(state))
        layout.dockState = state;
    else
        layout.dockStateRefused = true;
    return layout;
}

SavedLayoutRestoring::SavedLayoutRestoring(QSettings& group) : group_(group)
{
    group_.setValue(kRestoringKey, true);
    group_.sync();
}

SavedLayoutRestoring::~SavedLayoutRestoring()
{
    group_.remove(kRestoringKey);
    group_.sync();
}

} // namespace vxo
