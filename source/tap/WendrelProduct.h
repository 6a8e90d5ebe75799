#pragma once

#include "vesk/ProductInfo.h"

namespace tap
{
/** Wendrel's identity record, as the preset manager and anyone else asking gets it. */
vesk::ProductInfo getWendrelProductInfo();
} // namespace tap
