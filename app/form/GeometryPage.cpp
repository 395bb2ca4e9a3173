#include "app/form/GeometryPage.h"

#include "app/form/FormIndices.h"
#include "ui/MainWindowForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QStackedWidget>

#include <vector>

namespace vxo {

namespace {

struct PageField {
    QDoubleSpinBox* box;
    float PotentialObject::*field;
};

// The spin boxes of one kind's page and the object fields they carry;
// empty for None and unknown kinds.
std::vector<PageField> pageFields(const Ui_MainWindow& f, PotentialObjectKind kind)
{
    using O = PotentialObject;
    switch (kind) {
    case PotentialObjectKind::Rectangle:
        return {{f.rectangleV0SpinBox, &O::value},
                {f.rectangleCenterXSpinBox, &O::centerX},
                {f.rectangleCenterYSpinBox, &O::centerY},
                {f.rectangleWidthSpinBox, &O::width},
                {f.rectangleHeightSpinBox, &O::height}};
    case PotentialObjectKind::Circle:
        return {{f.circleV0SpinBox, &O::value},
                {f.circleCenterXSpinBox, &O::centerX},
                {f.circleCenterYSpinBox, &O::centerY},
                {f.circleRadiusSpinBox, &O::radius}};
    case PotentialObjectKind::Barrier:
        return {{f.barrierV0SpinBox, &O::value},
                {f.barrierCenterXSpinBox, &O::centerX},
                {f.barrierCenterYSpinBox, &O::centerY},
                {f.barrierLengthSpinBox, &O::length},
                {f.barrierThicknessSpinBox, &O::thickness}};
    case PotentialObjectKind::SingleSlit:
        return {{f.singleSlitV0SpinBox, &O::value},
                {f.singleSlitCenterXSpinBox, &O::centerX},
                {f.singleSlitCenterYSpinBox, &O::centerY},
                {f.singleSlitWallWidthSpinBox, &O::wallWidth},
                {f.singleSlitHeightSpinBox, &O::slitHeight}};
    case PotentialObjectKind::DoubleSlit:
        return {{f.doubleSlitV0SpinBox, &O::value},
                {f.doubleSlitCenterXSpinBox, &O::centerX},
                {f.doubleSlitCenterYSpinBox, &O::centerY},
                {f.doubleSlitWallWidthSpinBox, &O::wallWidth},
                {f.doubleSlitSeparationSpinBox, &O::slitSeparation},
                {f.doubleSlitHeightSpinBox, &O::slitHeight}};
    case PotentialObjectKind::PolygonWedge:
        return {{f.polygonV0SpinBox, &O::value},
                {f.polygonCenterXSpinBox, &O::centerX},
                {f.polygonCenterYSpinBox, &O::centerY},
                {f.polygonWidthSpinBox, &O::width},
                {f.polygonHeightSpinBox, &O::height}};
    case PotentialObjectKind::Gaussian:
        return {{f.gaussianAmplitudeSpinBox, &O::value},
                {f.gaussianCenterXSpinBox, &O::centerX},
                {f.gaussianCenterYSpinBox, &O::centerY},
                {f.gaussianSigmaXSpinBox, &O::sigmaX},
                {f.gaussianSigmaYSpinBox, &O::sigmaY}};
    case PotentialObjectKind::Harmonic:
        return {{f.harmonicOffsetSpinBox, &O::value},
                {f.harmonicCenterXSpinBox, &O::centerX},
                {f.harmonicCenterYSpinBox, &O::centerY},
                {f.harmonicKxSpinBox, &O::curvatureX},
                {f.harmonicKySpinBox, &O::curvatureY}};
    case PotentialObjectKind::Linear:
        return {{f.linearOffsetSpinBox, &O::value},
                {f.linearCenterXSpinBox, &O::centerX},
                {f.linearCenterYSpinBox, &O::centerY},
                {f.linearSlopeXSpinBox, &O::slopeX},
                {f.linearSlopeYSpinBox, &O::slopeY}};
    case PotentialObjectKind::SoftenedRadial:
        return {{f.radialCouplingSpinBox, &O::value},
                {f.radialCenterXSpinBox, &O::centerX},
                {f.radialCenterYSpinBox, &O::centerY},
                {f.radialSofteningSpinBox, &O::softening}};
    case PotentialObjectKind::StadiumExterior:
        // The stadium's straight length is the object's width.
        return {{f.stadiumV0SpinBox, &O::value},
                {f.stadiumCenterXSpinBox, &O::centerX},
                {f.stadiumCenterYSpinBox, &O::centerY},
                {f.stadiumStraightSpinBox, &O::width},
                {f.stadiumRadiusSpinBox, &O::radius}};
    case PotentialObjectKind::None:
        break;
    }
    return {};
}

bool isPageKind(PotentialObjectKind kind)
{
    return kind >= PotentialObjectKind::Rectangle && kind <= PotentialObjectKind::StadiumExterior;
}

} // namespace

PotentialObject readGeometryPage(const Ui_MainWindow& form)
{
    PotentialObject object;
    const int index = form.geometryComboBox->currentIndex();
    object.kind = index < 0 ? PotentialObjectKind::None : static_cast<PotentialObjectKind>(index);
    if (!isPageKind(object.kind)) {
        object.value = 0.0f;
        object.width = 0.0f;
        object.height = 0.0f;
        return object;
    }
    for (const PageField& page : pageFields(form, object.kind))
        object.*page.field = static_cast<float>(page.box->value());
    return object;
}

bool writeGeometryPage(const Ui_MainWindow& form, const PotentialObject& object)
{
    if (!isPageKind(object.kind))
        return false;
    const int index = static_cast<int>(object.kind);
    {
        const QSignalBlocker selectorBlocker(form.geometryComboBox);
        form.geometryComboBox->setCurrentIndex(index);
        form.geometryParametersStackedWidget->setCurrentIndex(index);
        for (const PageField& page : pageFields(form, object.kind)) {
            const QSignalBlocker blocker(page.box);
            page.box->setValue(static_cast<double>(object.*page.field));
        }
        // The drawing tool follows a drawable shape; its own handler runs.
        if (object.kind == PotentialObjectKind::Rectangle)
            form.viewportEditToolComboBox->setCurrentIndex(indexOf(EditToolIndex::Rectangle));
        else if (object.kind == PotentialObjectKind::Circle)
            form.viewportEditToolComboBox->setCurrentIndex(indexOf(EditToolIndex::Circle));
    }
    const QSignalBlocker enabledBlocker(form.potentialObjectEnabledCheckBox);
    form.potentialObjectEnabledCheckBox->setChecked(object.enabled);
    return true;
}

} // namespace vxo
