#include "app/form/FormIndices.h"

#include <QComboBox>

namespace vxo {

int currentIndexOf(const QComboBox* combo) { return combo->currentIndex(); }

} // namespace vxo
