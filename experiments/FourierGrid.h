#pragma once
#include "core/FourierGrid.h"
